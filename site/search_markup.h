#pragma once
// The markup of a search page's hits, written alike into the page's text
// (QString) and into the UTF-8 bytes of the entries as SQLite holds them
// (QByteArray): the same characters, searched and copied in either form, so
// that both give the page the same bytes.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstring>
#include <tuple>
#include <utility>

namespace SearchMarkup {

// Where what is sought first lies in text at or after from; -1 when nowhere.
inline qsizetype find(QStringView text, QStringView what, qsizetype from) { return text.indexOf(what, from); }
qsizetype find(QByteArrayView text, QByteArrayView what, qsizetype from);
inline qsizetype find(QStringView text, char c, qsizetype from) { return text.indexOf(QLatin1Char(c), from); }
inline qsizetype find(QByteArrayView text, char c, qsizetype from) {
    if (from >= text.size()) return -1;
    const void* at = std::memchr(text.data() + from, c, size_t(text.size() - from));
    return at ? static_cast<const char*>(at) - text.data() : -1;
}
inline bool isChar(QStringView text, qsizetype i, char c) { return text[i] == QLatin1Char(c); }
inline bool isChar(QByteArrayView text, qsizetype i, char c) { return text[i] == c; }

inline QStringView viewOf(const QString& text) { return text; }
inline QByteArrayView viewOf(const QByteArray& bytes) { return bytes; }
template <typename Out>
using ViewOf = decltype(viewOf(Out()));

inline void add(QString& out, QStringView text) { out.append(text); }
// QByteArray::append takes the general path of an insert.
inline void add(QByteArray& out, QByteArrayView bytes) {
    const qsizetype at = out.size();
    out.resize(at + bytes.size());
    std::memcpy(out.data() + at, bytes.data(), size_t(bytes.size()));
}

// The parts of write(): markup written in the source (UTF-8), texts of the
// page's own kind, and texts of the program (a picture's file name).
template <size_t n>
void part(QString& out, const char (&utf8)[n]) {
    out.append(QString::fromUtf8(utf8, n - 1));
}
template <size_t n>
void part(QByteArray& out, const char (&utf8)[n]) {
    add(out, QByteArrayView(utf8, n - 1));
}
inline void part(QString& out, QStringView text) { out.append(text); }
inline void part(QString& out, const QString& text) { out.append(text); }
inline void part(QByteArray& out, QByteArrayView bytes) { add(out, bytes); }
inline void part(QByteArray& out, const QByteArray& bytes) { add(out, bytes); }
inline void part(QByteArray& out, const QString& text) { add(out, text.toUtf8()); }

template <typename Out, typename... Parts>
void write(Out& out, const Parts&... parts) {
    (part(out, parts), ...);
}

// The text between two tags from pos on: [start, end).
template <typename View>
std::pair<qsizetype, qsizetype> textFrom(View html, qsizetype pos) {
    const qsizetype n = html.size();
    while (pos < n && isChar(html, pos, '<')) {
        const qsizetype close = find(html, '>', pos);
        pos = close < 0 ? n : close + 1;
    }
    const qsizetype end = pos < n ? find(html, '<', pos) : n;
    return {pos, end < 0 ? n : end};
}

template <typename View>
bool isReferenceChar(View text, qsizetype i) {
    const auto c = text[i];
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '#';
}

// Whether a cut before html[pos] falls inside a character reference
// ("&amp;", "&#160;", "&#x301C;") of the text [start, end): after its "&"
// and up to its ";". Names run short; a long word is not walked through.
template <typename View>
bool cutsReference(View html, qsizetype start, qsizetype end, qsizetype pos) {
    constexpr qsizetype kLongest = 40;
    if (pos <= start || pos >= end) return false;
    qsizetype amp = pos - 1;
    while (amp > start && pos - amp < kLongest && !isChar(html, amp, '&') && isReferenceChar(html, amp)) --amp;
    if (!isChar(html, amp, '&')) return false;
    qsizetype semicolon = pos;
    while (semicolon < end && semicolon - amp < kLongest && isReferenceChar(html, semicolon)) ++semicolon;
    return semicolon < end && semicolon > amp + 1 && isChar(html, semicolon, ';');
}

// Each place where the keyword lies whole within the text between tags, from
// left to right, marked. The keyword is sought through the whole of html at
// once, and a place found in a tag, or running into one, passed over; so is
// one that would cut a character reference, which the page would then show
// as its letters.
template <typename Out, typename View>
void appendHighlighted(Out& out, View html, View keyword, View mark) {
    const qsizetype n = html.size(), m = keyword.size();
    auto [textStart, textEnd] = textFrom(html, 0);
    qsizetype copied = 0, from = 0;
    for (qsizetype at = find(html, keyword, from); at >= 0; at = find(html, keyword, from)) {
        while (at >= textEnd && textEnd < n) std::tie(textStart, textEnd) = textFrom(html, textEnd);
        if (at < textStart) {
            from = textStart;
        } else if (at + m > textEnd || cutsReference(html, textStart, textEnd, at) ||
                   cutsReference(html, textStart, textEnd, at + m)) {
            from = at + 1;
        } else {
            add(out, html.sliced(copied, at - copied));
            add(out, mark);
            copied = from = at + m;
        }
    }
    add(out, html.sliced(copied));
}

// parts made to point into the past-log folder, unless logged stands before
// it already.
template <typename Out, typename View>
void appendPointedToLog(Out& out, View html, View parts, View logged) {
    qsizetype from = 0;
    for (qsizetype at = find(html, parts, 0); at >= 0; at = find(html, parts, at + parts.size())) {
        add(out, html.sliced(from, at - from));
        const bool already = at >= logged.size() && html.sliced(at - logged.size(), logged.size()) == logged;
        if (!already) add(out, logged);
        add(out, parts);
        from = at + parts.size();
    }
    add(out, html.sliced(from));
}

// What a search page writes of each hit beside the hit's own texts, in the
// kind of string it is written in.
template <typename Out>
struct Markup {
    int htmlType = 0, addTitle = 0, showGenre = 0;
    Out dayTitleAlign, titleFTColor, titleBGColor, dayBGColor, dayFTColor, contentsFTColor, contentsBGColor,
        dayContentsAlign, table, keyword, mark, parts, logged, topLink;
};

inline Markup<QByteArray> utf8(const Markup<QString>& m) {
    auto u = [](const QString& text) { return text.toUtf8(); };
    return {m.htmlType,          m.addTitle,           m.showGenre,         u(m.dayTitleAlign),   u(m.titleFTColor),
            u(m.titleBGColor),   u(m.dayBGColor),      u(m.dayFTColor),     u(m.contentsFTColor), u(m.contentsBGColor),
            u(m.dayContentsAlign), u(m.table),         u(m.keyword),        u(m.mark),            u(m.parts),
            u(m.logged),         u(m.topLink)};
}

// One hit's texts; a missing genre or continuation is left out, an empty one
// is not.
template <typename View>
struct Hit {
    View day, anchor, title, genre, contents, extend;
    bool hasGenre = false, hasExtend = false;
    QString icon;  // the weather picture shown, "" for none
};

template <typename Out>
void appendListLine(Out& out, const Markup<Out>& m, const Hit<ViewOf<Out>>& h) {
    write(out, "<a href=\"#", h.anchor, "\">", h.day, "</a>　");
    if (m.showGenre != 0 && h.hasGenre) write(out, "[", h.genre, "]　");
    if (m.addTitle == 1) write(out, h.title);
    write(out, "<br>\r\n");
}

// The body with its continuation, as it stands.
template <typename Out>
void appendJoinedBody(Out& out, const Hit<ViewOf<Out>>& h) {
    write(out, h.contents);
    if (h.hasExtend) write(out, "\r\n<br>", h.extend);
}

// A body with the keyword marked in its text and the parts pointed into the
// past-log folder; marked is scratch room.
template <typename Out>
void appendMarkedUp(Out& out, const Markup<Out>& m, ViewOf<Out> body, Out& marked) {
    if (!m.keyword.isEmpty() && find(body, viewOf(m.keyword), 0) >= 0) {
        marked.resize(0);
        appendHighlighted(marked, body, viewOf(m.keyword), viewOf(m.mark));
        body = viewOf(marked);
    }
    appendPointedToLog(out, body, viewOf(m.parts), viewOf(m.logged));
}

// A hit's entry in the layout of htmlType 0 (a heading and a block) or 1 (a
// table); writeBody(out) writes the body in its place.
template <typename Out, typename WriteBody>
void appendHit(Out& out, const Markup<Out>& m, const Hit<ViewOf<Out>>& h, WriteBody&& writeBody) {
    const bool genreShown = m.showGenre != 0 && h.hasGenre;
    const bool weatherShown = !h.icon.isEmpty();
    if (m.htmlType == 0) {
        write(out, "<H3 ALIGN=", m.dayTitleAlign, " STYLE=\"COLOR:", m.titleFTColor, ";BACKGROUND:", m.titleBGColor,
              "\">");
        if (genreShown) write(out, "[", h.genre, "]");
        write(out, "<A NAME=\"", h.anchor, "\">", h.title, "(", h.day, ")</A>");
        if (weatherShown) write(out, "<IMG SRC=\"./RaravParts/", h.icon, "\">");
        write(out, "</H3>\r\n<DIV STYLE=\"COLOR:", m.contentsFTColor, ";BACKGROUND:", m.contentsBGColor, "\" align=",
              m.dayContentsAlign, ">\r\n");
        writeBody(out);
        write(out, "\r\n</DIV>\r\n", m.topLink, "\r\n");
        return;
    }
    write(out, "<DIV ALIGN=", m.dayContentsAlign, ">\r\n", m.table, "\r\n<TR><TD ALIGN=", m.dayTitleAlign,
          " BGCOLOR=", m.titleBGColor, " WIDTH=100%><A NAME=\"", h.anchor, "\"><FONT COLOR=", m.titleFTColor, ">",
          h.title, "</FONT></TD>");
    if (genreShown)
        write(out, "<TD ALIGN=RIGHT BGCOLOR=", m.dayBGColor, "><FONT COLOR=", m.dayFTColor, "><NOBR>[", h.genre,
              "]</NOBR></FONT></TD>");
    write(out, "<TD ALIGN=RIGHT BGCOLOR=", m.dayBGColor, "><FONT COLOR=", m.dayFTColor, ">", h.day,
          "</a></FONT></TD>");
    if (weatherShown)
        write(out, "<TD width=16pt BGCOLOR=", m.dayBGColor, "><IMG SRC=\"./RaravParts/", h.icon, "\"></TD>");
    const char span[] = {char('2' + (weatherShown ? 1 : 0) + (genreShown ? 1 : 0)), 0};
    write(out, "</TR>\r\n<TR><TD COLSPAN=", span, " BGCOLOR=", m.contentsBGColor, "><FONT COLOR=", m.contentsFTColor,
          ">");
    writeBody(out);
    write(out, "</FONT></TD></TR>\r\n</TABLE></DIV>\r\n", m.topLink, "<BR>\r\n");
}

}  // namespace SearchMarkup
