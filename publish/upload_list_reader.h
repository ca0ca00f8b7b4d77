#pragma once
// Reading the upload lists ("upload.tmp", "uploadold.tmp", "uploadlog.tmp",
// "uplogtmp.tmp"): CP932 lines "folder,file name".
#include <QList>
#include <QString>

namespace Publish {

struct UploadLine {
    QString folder;  // ends in "/"
    QString name;
    QString localPath() const { return folder + name; }
};

// Lines of the list; an empty line is skipped. Quotes around a field are
// removed, as the old list reader did. Throws RuntimeError when the file
// cannot be read.
QList<UploadLine> readUploadList(const QString& path);

}  // namespace Publish
