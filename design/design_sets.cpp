#include "design/design_sets.h"

#include "platform/files.h"
#include "core/file_names.h"
#include "core/path_parts.h"
#include "core/text_file.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"

namespace {

// The file behind name: the listings ignore the letter case of the extension,
// so "Look.INI" is the set "Look" and must be opened as that file, not as a
// "Look.ini" beside it that does not exist. A new name gets the extension as
// given.
QString fileOf(const QString& folder, const QString& name, const QString& extension) {
    const QString exact = folder + name + extension;
    if (Files::exists(exact)) return exact;
    for (const QString& file : Files::listFiles(folder, QLatin1Char('*') + extension))
        if (file.size() == name.size() + extension.size() && file.startsWith(name))
            return folder + file;
    return exact;
}

}  // namespace

namespace DesignSets {

QString folder(const QString& dataPath) { return dataPath + QStringLiteral("Customize/"); }

QString setPath(const QString& dataPath, const QString& name) { return setFileIn(folder(dataPath), name); }

QString setFileIn(const QString& setFolder, const QString& name) {
    return fileOf(setFolder, name, QStringLiteral(".ini"));
}

QString nameRefusal(const QString& dataPath, const QString& name) {
    if (const QString refusal = FileNames::refusal(name, folder(dataPath)); !refusal.isEmpty()) return refusal;
    // The site's feed settings may lie in the set folder under this name, and
    // the list never shows it.
    if (name == QLatin1String("RSS"))
        return QStringLiteral("「RSS」はカスタマイズセットの名前に使えません。");
    return {};
}

QString nameOf(const QString& path) {
    const QString file = PathParts::GetFileName(path);
    return file.left(qMax<qsizetype>(0, file.size() - 4));
}

QStringList names(const QString& dataPath) {
    QStringList out;
    for (const QString& file : Files::listFiles(folder(dataPath), QStringLiteral("*.ini"))) {
        if (file == QLatin1String("RSS.ini")) continue;
        out << file.chopped(4);
    }
    return out;
}

QString backupPath(const QString& myPath) { return myPath + QStringLiteral("Customize.bak"); }

void chooseActiveSet(const QString& name) {
    if (name.isEmpty()) return;
    Shell::SharedState& s = Shell::state();
    s.CustIniFile = setPath(s.DataPath, name);
    RaravIni::write(s.RaravIniFile, RaravIni::CustomizeIniFileName, s.CustIniFile);
    if (Shell::hooks().saveTmpFile) Shell::hooks().saveTmpFile();
}

}  // namespace DesignSets

namespace TextBlocks {

QString path(const QString& dataPath, const QString& name) {
    return fileOf(DesignSets::folder(dataPath), name, QStringLiteral(".htm"));
}

QStringList names(const QString& dataPath) {
    QStringList out;
    for (const QString& file : Files::listFiles(DesignSets::folder(dataPath), QStringLiteral("*.htm")))
        out << file.chopped(4);
    return out;
}

QString load(const QString& dataPath, const QString& name) {
    QString text = Files::toLf(TextFile::ReadTextFile(path(dataPath, name)));
    // The line break that every save adds after the text is not part of it.
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

bool save(const QString& dataPath, const QString& name, const QString& text) {
    const QString file = path(dataPath, name);
    // A block saved as it was shown keeps its bytes, also when it was written
    // by hand without the line break a save adds.
    if (Files::exists(file) && load(dataPath, name) == text) return true;
    return Files::writeText(file, text + QLatin1Char('\n'), true);
}

QString nameRefusal(const QString& dataPath, const QString& name) {
    return FileNames::refusal(name, DesignSets::folder(dataPath));
}

namespace {
const QString kDivided = QStringLiteral("分割用");
Key key(const char* section, const QString& name) { return Key{QString::fromLatin1(section), name}; }
}  // namespace

Key headKey(const QString& caption, bool isLeftFrameCategory) {
    if (isLeftFrameCategory) return key("CalenderWindow", QStringLiteral("HeadTag"));
    if (caption == QLatin1String("Head")) return key("General", QStringLiteral("HeadTag"));
    if (caption == QStringLiteral("Head(分割用)")) return key("General", QStringLiteral("HeadTag_Div"));
    return {};
}

Key upDownKey(const QString& caption, bool isLogCategory, bool isLeftFrameCategory, const QString& position) {
    QString base;
    if (position == QLatin1String("Head")) base = QStringLiteral("UpText");
    else if (position == QLatin1String("Foot")) base = QStringLiteral("DownText");
    else return {};
    if (isLogCategory) {
        if (caption == QStringLiteral("上下追加テキスト(Log)")) return key("Body", base + QStringLiteral("_Log"));
        if (caption == QStringLiteral("上下追加テキスト(分割用Log)")) return key("Body", base + QStringLiteral("_Div_Log"));
        return {};
    }
    if (isLeftFrameCategory) return key("CalenderWindow", base);
    if (caption == QStringLiteral("上下追加テキスト")) return key("Body", base);
    if (caption == QStringLiteral("上下追加テキスト(分割用)")) return key("Body", base + QStringLiteral("_Div"));
    return {};
}

Key deletionKey(const QString& caption, bool isLogCategory, bool isLeftFrameCategory, const QString& position) {
    QString name = position == QLatin1String("Head") ? QStringLiteral("UpText") : QStringLiteral("DownText");
    if (caption.contains(kDivided)) name += QStringLiteral("_Div");
    if (isLogCategory) name += QStringLiteral("_Log");
    return key(isLeftFrameCategory ? "CalenderWindow" : "Body", name);
}

}  // namespace TextBlocks
