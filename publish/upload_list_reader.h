#pragma once
// Reading the upload lists ("upload.tmp", "uploadold.tmp", "uploadlog.tmp",
// "uplogtmp.tmp") in the format the site generator writes them.
#include <QList>
#include <QString>

namespace Publish {

struct UploadLine {
    QString folder;  // ends in "/"
    QString name;
    QString localPath() const { return folder + name; }
};

// Lines of the list; an empty line is skipped. Throws RuntimeError when the
// file cannot be read or holds no line (see UploadList::parse).
QList<UploadLine> readUploadList(const QString& path);
// True when the file can be read and holds nothing but blanks and line ends.
bool isEmptyUploadList(const QString& path);

}  // namespace Publish
