#include "web/search_sites.h"

#include "core/addresses.h"
#include "web/url_encode.h"

namespace SearchSites {

QStringList labels() {
    return {QStringLiteral("Google(日本語)"), QStringLiteral("Google (Web全体)"), QStringLiteral("Yahoo! Japan"),
            QStringLiteral("Infoseek"),       QStringLiteral("Goo"),              QStringLiteral("goo[英和辞典]"),
            QStringLiteral("goo[和英辞典]"),  QStringLiteral("goo[国語辞典]"),    QStringLiteral("Amazon")};
}

Hosts defaultHosts() {
    Hosts h;
    for (int i = 0; i < kCount; ++i) h.host[size_t(i)] = Addresses::kSearchHosts[i];
    h.shopSegment = Addresses::kShopSearchSegment;
    h.shopAffiliate = Addresses::kShopAffiliateId;
    return h;
}

QString queryAddress(int site, const QString& word, const Hosts& hosts) {
    if (site < 0 || site >= kCount) return QString();
    const QString& host = hosts.host[size_t(site)];
    QString plus = word;
    plus.replace(QLatin1Char(' '), QLatin1Char('+'));
    switch (site) {
    case 0:
        return host + QStringLiteral("/search?num=50&hl=ja&ie=Shift_JIS&oe=Shift_JIS&q=") +
               ModURLEncode::URLEncode(plus);
    case 1:
        return host + QStringLiteral("/search?num=50&hl=ja&q=") + plus;
    case 2:
        return host + QStringLiteral("/bin/search?p=") + ModURLEncodeEUC::URLEncodeEUC(plus);
    case 3:
        return host + QStringLiteral("/Titles?sv=JP&lk=noframes&rt=JG&svx=500&qt=") + plus;
    case 4:
        return host + QStringLiteral("/web.jsp?MT=") + ModURLEncodeEUC::URLEncodeEUC(plus) +
               QStringLiteral("&IE=euc");
    case 5:
        return host + QStringLiteral("/search.php?MT=") + word + QStringLiteral("&kind=ej");
    case 6:
        return host + QStringLiteral("/search.php?MT=") + ModURLEncode::URLEncode(word) + QStringLiteral("&kind=je");
    case 7:
        return host + QStringLiteral("/search.php?MT=") + ModURLEncode::URLEncode(word) + QStringLiteral("&kind=jn");
    default:
        return host + QStringLiteral("/exec/obidos/external-search/") + hosts.shopSegment +
               QStringLiteral("?mode=blended&tag=") + hosts.shopAffiliate + QStringLiteral("&field-keywords=") +
               ModURLEncodeUTF8::URLEncodeUTF8(word);
    }
}

}  // namespace SearchSites
