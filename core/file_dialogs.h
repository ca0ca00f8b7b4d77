#pragma once
// File and folder dialogs under the names the windows call. Cancel and
// failure both give "" (or false); none shows a message of its own.
#include <QString>

namespace FileDialogs {

// filter: Windows form, pairs of description and pattern separated by NUL.
QString ShowOpenDialog(const QString& filter, const QString& initDir);

struct SaveDialogInfo {
    QString Filter;       // pairs separated by "|"
    int FilterIndex = 1;  // 1-based, in and out
    QString DialogTitle;
    QString FileName;   // out
    QString FileTitle;  // out: the name without its folder
    QString InitDir;
};
// True when a file was chosen; no overwrite question, no default extension.
bool ShowSaveDialogEx(SaveDialogInfo& info);
// The "|" filter made into the NUL-separated list, closed by an extra NUL.
QString ConvertSaveFilter(const QString& filter);

QString ShowSaveDialog(const QString& filter, const QString& initDir);
// The chosen folder without a trailing "/" (except the root); "" on cancel.
QString BrowseFolder(const QString& title);
}  // namespace FileDialogs
