#include "writing/html_tags.h"

namespace HtmlTags {

const QStringList& itemNames() {
    static const QStringList names{
        QStringLiteral("改行 <BR>"),          QStringLiteral("段落 <P>"),
        QStringLiteral("太字 <B>"),           QStringLiteral("斜体 <I>"),
        QStringLiteral("下線 <U>"),           QStringLiteral("取消線 <S>"),
        QStringLiteral("強調 <EM>"),          QStringLiteral("より強い強調 <STRONG>"),
        QStringLiteral("追加 <INS>"),         QStringLiteral("削除 <DEL>"),
        QStringLiteral("上付 <SUP>"),         QStringLiteral("下付 <SUB>"),
        QStringLiteral("文字色/大きさ <FONT>"), QStringLiteral("区切り線<HR>"),
        QStringLiteral("リスト <OL>/<UL>"),   QStringLiteral("短文引用 <Q>"),
        QStringLiteral("引用 <BLOCKQUOTE>"),  QStringLiteral("等幅 <TT>"),
        QStringLiteral("そのまま表示 <PRE>"), QStringLiteral("そのまま表示 <XMP>"),
    };
    return names;
}

Tag tag(int n, const QString& pTagAdd) {
    // Element names by list number; empty where the item opens a dialog.
    static const char* const kNames[] = {"BR", "P",  "B",  "I", "U",          "S",  "em",  "strong", "ins", "del",
                                         "SUP", "SUB", "",  "",  "",           "q", "BLOCKQUOTE", "TT", "PRE", "XMP"};
    if (n < 0 || n > 19) return {};
    const QString name = QString::fromLatin1(kNames[n]);
    if (name.isEmpty()) return {};
    if (n == 0) return {QStringLiteral("<BR>"), QString()};
    if (n == 1 && !pTagAdd.isEmpty()) return {QStringLiteral("<P ") + pTagAdd + QStringLiteral(">"), QStringLiteral("</P>")};
    return {QStringLiteral("<%1>").arg(name), QStringLiteral("</%1>").arg(name)};
}

QString wrap(const Tag& t, const QString& selected) { return t.opening + selected + t.closing; }

QString link(const QString& address, const QString& selected) {
    return QStringLiteral("<A HREF=\"") + address + QStringLiteral("\">") + selected + QStringLiteral("</A>");
}

}  // namespace HtmlTags
