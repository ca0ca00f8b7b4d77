#include "site/colors.h"

#include "platform/codepage.h"
#include "platform/runtime_error.h"
#include "core/shared_state.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace Colors {

namespace {

bool isHexDigits(QStringView text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F'))) return false;
    }
    return !text.isEmpty();
}

// The first two fields of one CSV line; quotes around a field are dropped
// (a doubled quote inside stands for one), blanks around an unquoted field
// are trimmed.
QStringList firstTwoFields(const QString& line) {
    QStringList fields;
    qsizetype i = 0;
    while (fields.size() < 2 && i <= line.size()) {
        while (i < line.size() && (line[i] == QLatin1Char(' ') || line[i] == QLatin1Char('\t'))) ++i;
        QString field;
        if (i < line.size() && line[i] == QLatin1Char('"')) {
            ++i;
            while (i < line.size()) {
                if (line[i] == QLatin1Char('"')) {
                    if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            const qsizetype comma = line.indexOf(QLatin1Char(','), i);
            i = comma < 0 ? line.size() + 1 : comma + 1;
        } else {
            const qsizetype comma = line.indexOf(QLatin1Char(','), i);
            field = line.mid(i, comma < 0 ? -1 : comma - i).trimmed();
            i = comma < 0 ? line.size() + 1 : comma + 1;
        }
        fields << field;
    }
    return fields;
}

}  // namespace

QString ColorToHex(quint32 value) {
    const auto hex2 = [](quint32 byte) { return QStringLiteral("%1").arg(byte & 0xFF, 2, 16, QLatin1Char('0')).toUpper(); };
    return hex2(value) + hex2(value >> 8) + hex2(value >> 16);
}

int HexToColor(const QString& hex) {
    if (hex.size() != 6 || !isHexDigits(hex)) {
        throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("型が一致しません。(%1)").arg(hex));
    }
    const auto byteAt = [&hex](int at) { return hex.mid(at, 2).toInt(nullptr, 16); };
    return byteAt(0) + 256 * byteAt(2) + 65536 * byteAt(4);
}

QString LookupColorName(QString text) {
    return LookupColorName(std::move(text), Shell::state().MyPath + QStringLiteral("colorname.csv"));
}

QString LookupColorName(QString text, const QString& colorNameFile) {
    text = text.toLower();
    const bool isNumber = text.startsWith(QLatin1Char('#'));
    if (isNumber) {
        const QStringView digits = QStringView(text).mid(1);
        if (digits.size() > 8 || !isHexDigits(digits)) return QStringLiteral("Error");
    }
    QFile file(colorNameFile);
    if (!file.open(QIODevice::ReadOnly)) {
        throw RuntimeError(ErrorNumber::FileNotFound,
                           QStringLiteral("ファイルが見つかりません。(%1)").arg(colorNameFile));
    }
    const QString content = Codepage::decodeFile(file.readAll());
    const QStringList lines = content.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty()) continue;
        const QStringList fields = firstTwoFields(line);
        if (fields.size() < 2) continue;
        const QString& name = fields[0];
        const QString& number = fields[1];
        if (isNumber ? number.toLower() == text : name.toLower() == text) return isNumber ? name : number;
    }
    return QStringLiteral("Nothing");
}

QStringList ColorNames(const QString& colorNameFile) {
    QFile file(colorNameFile);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList names;
    const QString content = Codepage::decodeFile(file.readAll());
    for (const QString& line : content.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        if (line.trimmed().isEmpty()) continue;
        const QStringList fields = firstTwoFields(line);
        if (fields.size() == 2) names << fields[0];
    }
    return names;
}

}  // namespace Colors
