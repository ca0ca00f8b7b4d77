#pragma once
// The browser's search sites: their labels in list order and the query
// address each builds from a search word.
#include <QString>
#include <QStringList>
#include <array>

namespace SearchSites {

constexpr int kCount = 9;

QStringList labels();

// The sites' hosts and the shop's fixed parts; configuration, not code.
struct Hosts {
    std::array<QString, kCount> host;
    QString shopSegment;
    QString shopAffiliate;
};
// The hosts the program ships with.
Hosts defaultHosts();

// The address for the word at the site of that list index; "" for an index
// outside the list (no site selected). Some sites take the word unescaped, as
// typed: the browser then escapes it as it does any typed address.
QString queryAddress(int site, const QString& word, const Hosts& hosts = defaultHosts());

}  // namespace SearchSites
