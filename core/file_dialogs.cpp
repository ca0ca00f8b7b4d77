#include "core/file_dialogs.h"

#include "platform/prompts.h"
#include "core/path_parts.h"

namespace FileDialogs {

QString ShowOpenDialog(const QString& filter, const QString& initDir) {
    return Prompts::current().openFile(QStringLiteral("ファイルを開く"), Prompts::qtFilter(filter), initDir);
}

QString ConvertSaveFilter(const QString& filter) {
    QString out;
    qsizetype start = 0;
    qsizetype mark = 1;  // 1-based position of the last "|" found, as the loop was written
    while (mark < filter.size() && mark != 0) {
        const qsizetype bar = filter.indexOf(QLatin1Char('|'), start);
        mark = bar < 0 ? 0 : bar + 1;
        out += bar < 0 ? filter.mid(start) : filter.mid(start, bar - start);
        out += QChar(0);
        start = bar + 1;
    }
    out += QChar(0);
    return out;
}

bool ShowSaveDialogEx(SaveDialogInfo& info) {
    int chosen = info.FilterIndex;
    const QString path = Prompts::current().saveFile(info.DialogTitle, Prompts::qtFilter(ConvertSaveFilter(info.Filter)),
                                                     info.InitDir, &chosen);
    info.FileName = path;
    info.FileTitle = PathParts::GetFileName(path);
    if (chosen > 0) info.FilterIndex = chosen;
    return !path.isEmpty();
}

QString ShowSaveDialog(const QString& filter, const QString& initDir) {
    return Prompts::current().saveFile(QStringLiteral("ファイルを保存"), Prompts::qtFilter(filter), initDir);
}

QString BrowseFolder(const QString& title) {
    QString folder = Prompts::current().folder(title, QString());
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
    return folder;
}

}  // namespace FileDialogs
