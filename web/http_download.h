#pragma once
// One file fetched over HTTP into the program folder, with the status line
// and, when asked, the progress window telling each step.
#include "web/http_source.h"

#include <QString>

namespace UpdateDownload {

// The bytes received and saved at localPath; 0 when the address could not be
// opened, nothing arrived, the transfer broke off or the file could not be
// written (the old file is then left as it was). Failures are told to the
// user here. progress may be null (no window, no event processing).
qint64 HttpDownload(HttpSource& http, const QString& address, const QString& localPath, DownloadProgress* progress);

// "12.3": kilobits per second; 0.0 until a millisecond has passed.
QString rateText(qint64 bytes, qint64 elapsedMs);

}  // namespace UpdateDownload
