#include "core/browser_pages.h"

#include "platform/files.h"
#include "core/shared_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace BrowserPages {

QString folder(const QString& dataPath) { return dataPath + QStringLiteral("Preview/"); }

QString page(const QString& name) { return folder(Shell::state().DataPath) + name; }

bool prepare(const QString& dataPath) {
    // A missing data folder is not made here: writing the page then fails
    // and is reported as before.
    const QString pages = folder(dataPath);
    if (!Files::isFolder(dataPath) || !Files::makeFolder(pages)) return false;
    for (const QString& sub : {QStringLiteral("RaravParts"), QStringLiteral("RaravLog")}) {
        const QString link = pages + sub;
        const QString target = QDir::cleanPath(QFileInfo(dataPath + sub).absoluteFilePath());
        const QFileInfo info(link);
        if (info.isSymLink()) {
            if (QDir::cleanPath(info.symLinkTarget()) == target) continue;
            // The data folder has moved since the link was made.
            QFile::remove(link);
        } else if (info.exists()) {
            continue;
        }
        // A missing link only costs the pages their pictures.
        QFile::link(target, link);
    }
    return true;
}

bool isFolderOf(const QString& candidate, const QString& dataPath) {
    if (candidate.isEmpty() || dataPath.isEmpty()) return false;
    const auto clean = [](const QString& p) { return QDir::cleanPath(QFileInfo(p).absoluteFilePath()); };
    const QString pages = clean(folder(dataPath));
    const QString canonical = QFileInfo(candidate).canonicalFilePath();
    return clean(candidate) == pages || (!canonical.isEmpty() && canonical == QFileInfo(pages).canonicalFilePath());
}

}  // namespace BrowserPages
