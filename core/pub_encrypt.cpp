#include "core/pub_encrypt.h"

#include "platform/codepage.h"

namespace PubEncrypt {
namespace {

// The character's CP932 code, one byte or a double-byte code; -1 when the
// character has no CP932 form.
int codeOf(const QString& ch) {
    const QByteArray bytes = Codepage::fromUnicode(ch);
    if (bytes == "?" && ch != QLatin1String("?")) return -1;
    if (bytes.size() == 1) return uchar(bytes[0]);
    if (bytes.size() == 2) return (uchar(bytes[0]) << 8) | uchar(bytes[1]);
    return -1;
}

// The character of a CP932 code; empty when the code names none.
QString charOf(int code) {
    if (code <= 0 || code > 0xFFFF) return QString();
    QByteArray bytes;
    if (code > 0xFF) bytes.append(char(code >> 8));
    bytes.append(char(code & 0xFF));
    const QString text = Codepage::toUnicode(bytes);
    if (text.size() != 1 || text[0] == QChar(0xFFFD)) return QString();
    return text;
}

QStringList characters(const QString& text) {
    QStringList out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size()) {
            out << text.mid(i, 2);
            ++i;
        } else {
            out << QString(text[i]);
        }
    }
    return out;
}

// A character that cannot shift is kept unchanged; CanEncrypt lets callers
// refuse such text before it is stored.
QString shifted(const QString& text, int delta) {
    QStringList chars = characters(text);
    QString out;
    for (int i = chars.size() - 1; i >= 0; --i) {
        const int code = codeOf(chars[i]);
        const QString moved = code < 0 ? QString() : charOf(code + delta);
        out += moved.isEmpty() ? chars[i] : moved;
    }
    return out;
}

}  // namespace

QString EncryptString(const QString& text) { return shifted(text, +1); }
QString DecryptString(const QString& text) { return shifted(text, -1); }

bool CanEncrypt(const QString& text) {
    for (const QString& ch : characters(text)) {
        const int code = codeOf(ch);
        if (code < 0) return false;
        const QString moved = charOf(code + 1);
        if (moved.isEmpty() || charOf(codeOf(moved) - 1) != ch) return false;
        // Tab becomes a line feed and form feed a carriage return: a settings
        // file cannot hold them, nor keep other control characters intact.
        if (moved.front().category() == QChar::Other_Control) return false;
    }
    return true;
}

}  // namespace PubEncrypt
