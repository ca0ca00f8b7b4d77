#include "writing/find_conditions.h"

#include "platform/dates.h"

namespace FindConditions {

QString check(const Input& in) {
    if (in.keyword.isEmpty()) return QStringLiteral("検索語が設定されていません。");
    if (in.usePeriod) {
        const auto start = Dates::parseDay(in.start);
        if (!start)
            return QStringLiteral("開始期間が正しく設定されていません。\r\n(YYYY/MM/DD形式で入力して下さい)");
        const auto end = Dates::parseDay(in.end);
        if (!end) return QStringLiteral("終了期間が正しく設定されていません。\r\n(YYYY/MM/DD形式で入力して下さい)");
        if (*end < *start) return QStringLiteral("開始と終了期間が逆転しています。\r\n(正しい期間を入力し直して下さい)");
    }
    if (in.useGenre && in.genreIndex < 0)
        return QStringLiteral("ジャンルが選択されていません。\r\n(ジャンルを選択して下さい)");
    return QString();
}

bool isEventAddress(const QString& address) {
    return address.left(6).compare(QLatin1String("EVENT:"), Qt::CaseInsensitive) == 0;
}

bool isCloseEvent(const QString& address) {
    return isEventAddress(address) && address.mid(6).compare(QLatin1String("CLOSE"), Qt::CaseInsensitive) == 0;
}

}  // namespace FindConditions
