#pragma once
// CP932, the Japanese ANSI code page that every stored text file uses.
// glibc's CP932 table is used on purpose: SHIFT_JIS turns 0x5C into a yen sign
// and has no NEC rows, and ICU refuses the wave dash and minus that input
// methods produce.
#include <QByteArray>
#include <QString>

namespace Codepage {

// What to write for a character that CP932 cannot hold.
enum class Fallback {
    Question,          // "?" (settings files, lists, CSV)
    NumericReference,  // "&#x1F600;" (pages and text blocks)
};

QByteArray fromUnicode(const QString& text, Fallback fallback = Fallback::Question);
// Bytes that are not valid CP932 become U+FFFD; nothing is dropped silently.
QString toUnicode(const QByteArray& bytes);

}  // namespace Codepage
