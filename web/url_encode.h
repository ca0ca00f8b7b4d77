#pragma once
// Query-string encoders of the search box, one per character set that the
// search sites expect. Letters, digits and "@*-._" stay, a space becomes "+",
// every other byte becomes "%" and two capital hex digits.
#include <QString>

namespace ModURLEncode {
// Shift_JIS (CP932) bytes. The trail byte of a two-byte character is escaped
// even when it is a letter. Characters CP932 cannot hold are sent as "?".
QString URLEncode(const QString& text);
}  // namespace ModURLEncode

namespace ModURLEncodeEUC {
// EUC-JP bytes, reached through CP932: half-width katakana get the "%8E"
// prefix, two-byte characters the Shift_JIS to EUC-JP arithmetic. Pairs of
// the user-defined rows (lead byte 0xF0 and above) have no EUC-JP form and
// are escaped byte by byte.
QString URLEncodeEUC(const QString& text);
}  // namespace ModURLEncodeEUC

namespace ModURLEncodeUTF8 {
// UTF-8 bytes; a surrogate pair becomes one four-byte sequence.
QString URLEncodeUTF8(const QString& text);
}  // namespace ModURLEncodeUTF8
