#pragma once
// Addresses of the outside world that the program names. Kept in one place so
// that a distributor can change them.
#include <QByteArray>
#include <QString>

namespace Addresses {

// The maker's pages shown from the Help menu.
inline const QString kHomePage = QStringLiteral("https://quillby.example.jp/");
inline const QString kProductInfoPage = QStringLiteral("https://quillby.example.jp/rarav/");

// The update descriptor, "update.txt" in the update folder of the maker's
// server; RARAV_UPDATE_URL overrides the whole address (tests, mirrors).
inline QString updateUrl() {
    const QByteArray env = qgetenv("RARAV_UPDATE_URL");
    return env.isEmpty() ? QStringLiteral("http://quillby.example.jp/software/quillby/update.txt")
                         : QString::fromUtf8(env);
}

}  // namespace Addresses

namespace Addresses {

// The published descriptions of the feed formats, named in the feeds.
inline const QString kRss091Docs = QStringLiteral("http://backend.userland.com/stories/rss091");
inline const QString kRss200Docs = QStringLiteral("http://blogs.law.harvard.edu/tech/rss");

}  // namespace Addresses
