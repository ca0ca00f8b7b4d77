#pragma once
// The small text forms of the feeds: escaping, the UTF-8 bytes, the entry
// summary and the date forms.
#include <QByteArray>
#include <QDateTime>
#include <QString>

class clsHTML2TEXT;

namespace FeedText {

// "&", "<" and ">" as entities, and characters that XML 1.0 cannot hold at
// all (control characters, unpaired surrogates) dropped, so that no stored
// text can make a feed ill-formed.
QString EscapeXml(const QString& text);
// EscapeXml and '"' as "&quot;", for attribute values in double quotes.
QString escapeAttribute(const QString& text);
// UTF-8 without byte-order mark; a surrogate pair is one 4-byte sequence.
QByteArray ToUTF8Bytes(const QString& text);

// The body converted by the feed rules, with its CR LF pairs removed (a lone
// CR or LF stays); not yet escaped.
QString summaryText(const clsHTML2TEXT& converter, const QString& contents);
// The first 250 UTF-16 units, one fewer when the cut would split a pair.
QString cutSummary(const QString& summary);

// "Sun, 15 May 2005 09:05:03 +0900": English names as RFC 822 wants, the
// offset that the machine's zone has at that local time.
QString mailDate(const QDateTime& local);
// "2005-05-15T09:05:03+09:00".
QString stamp(const QDateTime& local);
// The stored save time "yyyy/mm/dd hh:nn:ss"; entries that have none (clipboard
// imports) or an unreadable one count as saved at the start of their day.
QDateTime publishTimeOf(const QString& publishTime, const QString& day);

}  // namespace FeedText
