#pragma once
// CP932, the Japanese ANSI code page of every stored text file that it can
// hold; a file holding any other character is UTF-8 after a byte-order mark.
// glibc's CP932 table is used on purpose: SHIFT_JIS turns 0x5C into a yen sign
// and has no NEC rows, and ICU refuses the wave dash and minus that input
// methods produce.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace Codepage {

// What to write for a character that CP932 cannot hold: one it lacks, or one
// whose bytes read back as another character (the wave dash, the yen sign).
enum class Fallback {
    Question,          // "?" for one it lacks, the one-way bytes for the other
                       // (addresses; remote names checked with holdsExactly)
    NumericReference,  // "&#x1F600;", "&#x301C;" (pages and text blocks)
};

// lossless, when given, tells whether the bytes read back as exactly the text.
QByteArray fromUnicode(const QString& text, Fallback fallback = Fallback::Question, bool* lossless = nullptr);
// The same with every line end (CR LF, LF or a lone CR) written as CR LF, in
// the same pass: pages run to megabytes.
QByteArray fromUnicodeCrLf(const QString& text, Fallback fallback, bool* lossless = nullptr);
// fromUnicodeCrLf appended to out, for a text converted a piece at a time.
void appendCrLf(QByteArray& out, const QString& text, Fallback fallback);
// The same of text given as UTF-8, without its QString: false, and out as it
// was, when the bytes are not well-formed UTF-8 (where a decoder's
// replacements would decide what the text is).
bool appendUtf8CrLf(QByteArray& out, QByteArrayView utf8, Fallback fallback);
// Bytes that are not valid CP932 become U+FFFD; nothing is dropped silently.
// valid, when given, tells whether every byte was valid.
QString toUnicode(const QByteArray& bytes, bool* valid = nullptr);

// Whether the text's CP932 bytes read back as exactly the text.
bool holdsExactly(const QString& text);
// The characters of text that CP932 lacks or holds one way only, each once,
// in order of first appearance (for a message naming them).
QString charactersNotHeld(const QString& text);

// A whole text file: CP932 when CP932 holds the whole text, so that files the
// old program wrote stay byte-identical; otherwise UTF-8 after a byte-order
// mark, so that no character is lost.
QByteArray encodeFile(const QString& text);
// Reads what encodeFile wrote: UTF-8 (mark dropped) after a byte-order mark,
// CP932 otherwise; UTF-16 after its own mark, as another editor saved it.
QString decodeFile(const QByteArray& bytes);
bool hasByteOrderMark(const QByteArray& bytes);
inline constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
// UTF-8 bytes as text, a leading U+FEFF kept as a character of the text.
QString utf8Text(QByteArrayView bytes);

// UTF-16 after its byte-order mark, as editors on Windows save "Unicode":
// FF FE for little-endian, FE FF for big-endian; no CP932 text starts so.
enum class Utf16 { None, LittleEndian, BigEndian };
Utf16 utf16MarkOf(QByteArrayView bytes);
// UTF-16 bytes (the mark left off) as text: half a surrogate pair, or a
// byte left over at the end, becomes U+FFFD, and valid, when given, tells so.
QString utf16Text(QByteArrayView bytes, Utf16 order, bool* valid = nullptr);
QByteArray utf16Bytes(QStringView text, Utf16 order);

}  // namespace Codepage
