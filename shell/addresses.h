#pragma once
// Addresses of the outside world that the program names. Kept in one place so
// that a distributor can change them.
#include <QByteArray>
#include <QString>

namespace Addresses {

// The maker's pages shown from the Help menu.
inline const QString kHomePage = QStringLiteral("https://quillby.example.jp/");
inline const QString kProductInfoPage = QStringLiteral("https://quillby.example.jp/rarav/");

// The update descriptor; RARAV_UPDATE_URL overrides it (tests, mirrors).
inline QString updateUrl() {
    const QByteArray env = qgetenv("RARAV_UPDATE_URL");
    return env.isEmpty() ? QStringLiteral("http://quillby.example.jp/update/update.txt") : QString::fromUtf8(env);
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
