#include "web/export_entries.h"

#include "platform/database.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "core/file_dialogs.h"
#include "core/file_names.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/text_file.h"
#include "core/shared_state.h"
#include "site/html2text.h"

#include <QHash>

namespace {

const QString kText = QStringLiteral("TEXT");
const QString kHtml = QStringLiteral("HTML");
const QString kCrLf = QStringLiteral("\r\n");

QString u8(const char* text) { return QString::fromUtf8(text); }

// A month box holding 5 selects "2006/05": numbers get two digits at least,
// other text is taken as typed.
QString monthText(const QString& typed) {
    bool ok = false;
    const int month = typed.trimmed().toInt(&ok);
    return ok ? QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')) : typed;
}

// A day or a title becomes one name in the chosen folder: a "/" becomes "_"
// as in the day, and so do the other characters no name in a folder may hold
// (the other folder separator and control characters such as a line break a
// title can bring from a paste or another client), and the line and
// paragraph separators, which would break the name over lines in a listing.
QString namePart(QString text) {
    for (QChar& c : text) {
        const QChar::Category kind = c.category();
        if (c == u'/' || c == u'\\' || kind == QChar::Other_Control || kind == QChar::Separator_Line ||
            kind == QChar::Separator_Paragraph)
            c = u'_';
    }
    return text;
}

// A title that names no file falls back to the day.
QString titleFileName(const ExportRow& row) {
    const QString name = namePart(row.Title);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return namePart(row.Day);
    return name;
}

}  // namespace

namespace ExportTemplate {

QString fill(const QString& templateText, const ExportRow& row, const QString& contents) {
    QString out = templateText;
    out.replace(QStringLiteral("<--TITLE-->"), row.Title);
    out.replace(QStringLiteral("<--DAY-->"), row.Day);
    out.replace(QStringLiteral("<--GENRE-->"), row.Genre);
    out.replace(QStringLiteral("<--WEATHER-->"), row.Weather);
    out.replace(QStringLiteral("<--CONTENTS-->"), contents);
    return out;
}

}  // namespace ExportTemplate

bool clsExport::GetFilePath() {
    QString answer;
    if (writesOneFile()) {
        FileDialogs::SaveDialogInfo info;
        if (eFormat == kText) info.Filter = QStringLiteral("TEXT Files(*.txt)|*.txt|ALL Files(*.*)|*.*");
        else if (eFormat == kHtml) info.Filter = QStringLiteral("HTML Files(*.html)|*.html|ALL Files(*.*)|*.*");
        else info.Filter = QStringLiteral("ALL Files(*.*)|*.*");
        info.FilterIndex = 1;
        info.DialogTitle = u8("名前を付けて保存");
        if (FileDialogs::ShowSaveDialogEx(info)) answer = IniFile::TrimNull(info.FileName);
        if (!answer.isEmpty()) answer = withFormatExtension(answer);
    } else {
        answer = IniFile::TrimNull(FileDialogs::BrowseFolder(u8("フォルダの選択")));
    }
    FileFullPath = answer;
    return !FileFullPath.isEmpty();
}

QString clsExport::withFormatExtension(const QString& path) const {
    const QString ending = path.right(4).toUpper();
    if (ending == QLatin1String(".TXT") || ending == QLatin1String(".HTM") || ending == QLatin1String("HTML"))
        return path;
    if (eFormat == kText) return path + QStringLiteral(".txt");
    if (eFormat == kHtml) return path + QStringLiteral(".htm");
    return path;
}

QString clsExport::templatePath() const {
    const QString folder = Shell::state().DataPath + QStringLiteral("ExportFormat/");
    if (eFormat == kText || eFormat == kHtml) return folder + eFormat + QStringLiteral(".txt");
    return folder + eFormat;
}

QList<ExportRow> clsExport::readEntries(const QString& databasePath) const {
    const QString direction =
        SortDir.compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0 ? QStringLiteral("DESC") : QStringLiteral("ASC");
    QString sql = QStringLiteral("SELECT Day, Weather, Genre, Title, Contents FROM Contents ");
    QVariantList params;
    // Entries of one day follow their numbers, so that output does not
    // depend on the order rows happen to lie in.
    if (Period == 1) {
        sql += QStringLiteral("WHERE Day BETWEEN ? AND ? ORDER BY Day %1, Number %1").arg(direction);
        params << Period1 << Period2;
    } else if (Period == 2) {
        sql += QStringLiteral("WHERE Day >= ? AND Day < ? ORDER BY Day %1, Number %1").arg(direction);
        params << Sql::monthBounds(Period1 + QLatin1Char('/') + monthText(Period2));
    } else {
        sql += QStringLiteral("WHERE Day = ? ORDER BY Number");
        params << Period1;
    }
    const Recordset rs = Database(databasePath, Database::Mode::ReadOnly).query(sql, params);
    QList<ExportRow> rows;
    rows.reserve(rs.size());
    for (const QVariantList& r : rs.rows) {
        rows.append({r[0].toString(), r[1].toString(), r[2].toString(), r[3].toString(), r[4].toString()});
    }
    return rows;
}

QString clsExport::entryFilePath(const ExportRow& row) const {
    QString extension;
    if (eFormat == kText) extension = QStringLiteral(".txt");
    else if (eFormat == kHtml) extension = QStringLiteral(".htm");
    else extension = QLatin1Char('.') + Extension;
    const QString name = FileNameFormat == 2 ? titleFileName(row) : namePart(row.Day);
    QString fileName = Files::fittingName(FileFullPath, namePart(name + extension));
    // A day of "" or "." before the lone point of a template without an
    // extension would name the folder or the one above it.
    if (!FileNames::isSingleName(fileName)) fileName.prepend(QLatin1Char('_'));
    return FileFullPath + QLatin1Char('/') + fileName;
}

QString clsExport::FillTemplate(const QString& templateText, const ExportRow& row,
                                const clsHTML2TEXT& converter) const {
    const QString contents = Contents == 1 ? converter.Execute(row.Contents) : row.Contents;
    return ExportTemplate::fill(templateText, row, contents) + kCrLf;
}

void clsExport::write(const QString& path, const QString& text) const {
    // Pages take what CP932 cannot hold as character references; other
    // files become UTF-8 with a byte-order mark when they need it.
    const QString suffix = PathParts::GetExtension(path).toLower();
    const bool asHtml = eFormat == kHtml || suffix == QLatin1String("htm") || suffix == QLatin1String("html");
    QString reason;
    if (!Files::writeText(path, text, asHtml, Files::Sync::ToDisk, &reason)) {
        throw RuntimeError(ErrorNumber::PathNotFound, u8("ファイルの書き込みに失敗しました。") + kCrLf + path +
                                                          (reason.isEmpty() ? QString() : kCrLf + reason));
    }
}

bool clsExport::Execute() {
    const Shell::SharedState& s = Shell::state();
    const QString templateText = TextFile::ReadTextFile(templatePath());

    clsHTML2TEXT converter;
    bool initialized = false;
    try {
        initialized = converter.Initialize(s.MyPath + QStringLiteral("HTML2TXT.ini"));
    } catch (const RuntimeError&) {
        // A number out of range in the file counts as an unreadable file.
    }
    if (!initialized) {
        Prompts::MsgBox(u8("HTML2TXT Initializeファイル読み込みエラー"), Prompts::vbCritical);
        return false;
    }

    const QList<ExportRow> rows = readEntries(s.databasePath());
    if (writesOneFile()) {
        QString out;
        for (const ExportRow& row : rows) out += FillTemplate(templateText, row, converter);
        write(FileFullPath, out);
    } else {
        // Entries that get one name (two of a day, two titles alike) share
        // its file in their order, so that none is written over another.
        QStringList paths;
        QHash<QString, QString> texts;
        for (const ExportRow& row : rows) {
            const QString path = entryFilePath(row);
            if (!texts.contains(path)) paths << path;
            texts[path] += FillTemplate(templateText, row, converter);
        }
        for (const QString& path : std::as_const(paths)) write(path, texts.value(path));
    }
    return true;
}
