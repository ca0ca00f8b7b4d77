#pragma once
// Addresses of the outside world that the program names. Kept in one place so
// that a distributor can change them.
#include <QByteArray>
#include <QString>

namespace Addresses {

// The maker's pages shown from the Help menu.
inline const QString kHomePage = QStringLiteral("https://quillby.example.jp/");
inline const QString kProductInfoPage = QStringLiteral("https://quillby.example.jp/rarav/");
inline const QString kDeveloperDiary = QStringLiteral("https://quillby.example.jp/diary/");
inline const QString kLumenfoldPage = QStringLiteral("https://lumenfold.example.jp/");

// The product link that generated pages may carry.
inline const QString kProductLinkPage = kHomePage;

// The outside comment service that pages can carry: its scripts load from
// kCommentServiceBase + "/load/" + account, its badge is
// kCommentServiceBase + "/halolink.gif".
inline const QString kCommentServiceBase = QStringLiteral("http://www.haloscan.com");
inline const QString kCommentServiceHome = QStringLiteral("http://www.haloscan.com/");
// Where a user signs up for the comment service (the site settings window's link).
inline const QString kCommentServiceRegistration = kCommentServiceHome;
inline const QString kCommentServiceBadgeText = QStringLiteral("Weblog Commenting and Trackback by HaloScan.com");

// The update descriptor, "update.txt" in the update folder of the maker's
// server; RARAV_UPDATE_URL overrides the whole address (tests, mirrors).
inline QString updateUrl() {
    const QByteArray env = qgetenv("RARAV_UPDATE_URL");
    return env.isEmpty() ? QStringLiteral("http://quillby.example.jp/software/quillby/update.txt")
                         : QString::fromUtf8(env);
}

// Hosts of the browser's search sites, in the order of its site list, and the
// shop's fixed search path segment and affiliate identifier.
inline const QString kSearchHosts[9] = {
    QStringLiteral("http://www.google.co.jp"),      QStringLiteral("http://www.google.com"),
    QStringLiteral("http://search.yahoo.co.jp"),    QStringLiteral("http://www.infoseek.co.jp"),
    QStringLiteral("http://search.goo.ne.jp"),      QStringLiteral("http://dictionary.goo.ne.jp"),
    QStringLiteral("http://dictionary.goo.ne.jp"),  QStringLiteral("http://dictionary.goo.ne.jp"),
    QStringLiteral("http://www.amazon.co.jp"),
};
inline const QString kShopSearchSegment = QStringLiteral("249-0000000-0000000");
inline const QString kShopAffiliateId = QStringLiteral("rarav-22");

}  // namespace Addresses

namespace Addresses {

// The published descriptions of the feed formats, named in the feeds.
inline const QString kRss091Docs = QStringLiteral("http://backend.userland.com/stories/rss091");
inline const QString kRss200Docs = QStringLiteral("http://blogs.law.harvard.edu/tech/rss");

}  // namespace Addresses
