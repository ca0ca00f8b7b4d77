#include "site/in_program_pages.h"

#include "platform/codepage.h"
#include "platform/database.h"
#include "platform/dates.h"
#include "platform/profile_cache.h"
#include "platform/search_index.h"
#include "core/ini_file.h"
#include "core/shared_state.h"
#include "site/diary_body.h"
#include "site/page_text.h"
#include "site/search_markup.h"

#include <algorithm>
#include <optional>
#include <vector>


namespace {

// The design-set values these pages borrow, read afresh on every call.
struct PageStyle {
    int addTitle = 0, useDayList = 0, htmlType = 0, tableBorder = 0, cellspacing = 0, tableWidth = 100;
    int showWeather = 0, showGenre = 0;
    QString textColor, backImage, backColor, tableBGColor, tBorderColor, titleBGColor, titleFTColor, dayBGColor,
        dayFTColor, contentsFTColor, contentsBGColor, dayContentsAlign, dayTitleAlign;

    static PageStyle read(const QString& ini) {
        auto text = [&](const char* section, const char* key) { return IniFile::GetIniString(ini, section, key); };
        auto number = [&](const char* section, const char* key) { return IniFile::GetIniInt(ini, section, key); };
        PageStyle s;
        s.addTitle = number("DayList", "AddTitle");
        s.useDayList = number("DayList", "Use");
        s.textColor = text("Body", "TextColor");
        s.backImage = text("Body", "BackImage");
        s.backColor = text("Body", "BackColor");
        s.htmlType = number("Contents", "HTMLType");
        s.tableBorder = number("Contents", "TableBorder");
        s.tableBGColor = text("Contents", "TableBGColor");
        s.cellspacing = number("Contents", "Cellspacing");
        s.tBorderColor = text("Contents", "TBorderColor");
        s.titleBGColor = text("Contents", "TitleBGColor");
        s.titleFTColor = text("Contents", "TitleFTColor");
        s.dayBGColor = text("Contents", "DayBGColor");
        s.dayFTColor = text("Contents", "DayFTColor");
        s.contentsFTColor = text("Contents", "ContentsFTColor");
        s.contentsBGColor = text("Contents", "ContentsBGColor");
        s.tableWidth = number("Contents", "TableWidth");
        if (s.tableWidth == 0) s.tableWidth = 100;
        s.dayContentsAlign = text("Contents", "DayContentsAlign");
        s.dayTitleAlign = text("General", "DayTitleAlign");
        s.showWeather = number("General", "Weather");
        s.showGenre = number("General", "Genre");
        return s;
    }
};

// Null and the empty text stay apart: a missing body, continuation, genre or
// weather adds nothing, an empty one still gets its marks.
struct Row {
    QString day, title, genre, weather, contents, extend;
    bool hasGenre = false, hasWeather = false, hasContents = false, hasExtend = false;
    int number = 0;
    qint64 rowid = 0;
};

QList<Row> rowsOf(const Recordset& rs) {
    const int day = rs.column(QStringLiteral("Day")), number = rs.column(QStringLiteral("Number")),
              title = rs.column(QStringLiteral("Title")), genre = rs.column(QStringLiteral("Genre")),
              weather = rs.column(QStringLiteral("Weather")), contents = rs.column(QStringLiteral("Contents")),
              extend = rs.column(QStringLiteral("Extend")), rowid = rs.column(QStringLiteral("rowid"));
    auto at = [](const QVariantList& row, int c) { return c < 0 ? QVariant() : row[c]; };
    QList<Row> rows;
    rows.reserve(rs.size());
    for (const QVariantList& values : rs.rows) {
        Row r;
        r.day = at(values, day).toString();
        r.number = at(values, number).toInt();
        r.rowid = at(values, rowid).toLongLong();
        const QVariant g = at(values, genre), w = at(values, weather), c = at(values, contents),
                       e = at(values, extend);
        r.title = at(values, title).toString();
        r.genre = g.toString();
        r.weather = w.toString();
        r.contents = c.toString();
        r.extend = e.toString();
        r.hasGenre = !g.isNull();
        r.hasWeather = !w.isNull();
        r.hasContents = !c.isNull();
        r.hasExtend = !e.isNull();
        rows << r;
    }
    return rows;
}

template <typename Page>
void writeHead(Page& page, const QString& title, const PageStyle& s) {
    line(page, QStringLiteral("<HTML lang=\"ja\"><HEAD><TITLE>%1</TITLE></HEAD>").arg(title));
    line(page, QStringLiteral("<BODY TEXT='%1' BGCOLOR='%2' background='%3'>").arg(s.textColor, s.backColor, s.backImage));
    // The built-in browser runs JavaScript only; the viewer closes itself when
    // the page asks for the Event:Close address.
    line(page, QStringLiteral("<p align=center><INPUT type=button name=Close value=\"Close Window\">\r\n"
                             "<SCRIPT type=\"text/javascript\">\r\n"
                             "document.getElementsByName(\"Close\")[0].onclick = function () {\r\n"
                             "location.href = \"Event:Close\";\r\n"
                             "};\r\n"
                             "</SCRIPT>\r\n"
                             "</p>"));
}

QString tableLine(const PageStyle& s) {
    return QStringLiteral("<TABLE BORDER=%1 BGCOLOR=\"%2\" CELLSPACING=%3 BORDERCOLOR=%4 width=%5%>")
        .arg(s.tableBorder)
        .arg(s.tableBGColor)
        .arg(s.cellspacing)
        .arg(s.tBorderColor)
        .arg(s.tableWidth);
}

// Like ignores the case of ASCII letters only: a keyword without them (and
// without a NUL, where Like's text ends) is found by Like exactly where it
// occurs as it stands, and SQLite's Like walks every character of an entry
// for a pattern that starts outside ASCII.
bool caseCannotMatter(const QString& keyword) {
    for (const QChar c : keyword) {
        const char16_t u = c.unicode();
        if (u == 0 || ((u | 0x20) >= u'a' && (u | 0x20) <= u'z')) return false;
    }
    return true;
}

// Text in SQLite's own order, that of UTF-8 bytes: code points, where UTF-16
// would put characters beyond the BMP before U+E000..U+FFFF.
int codePointCompare(QStringView a, QStringView b) {
    auto rank = [](char16_t c) -> uint { return c >= 0xE000 ? c - 0x800u : c >= 0xD800 ? c + 0x2000u : c; };
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x != y) return rank(x) < rank(y) ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// The rows newest day first, then by number. Sorted here, because SQLite's
// sorter copies whole entries, and to a file once they pass its memory; a
// day or number that is not text or integer (only a damaged table holds one)
// is left to SQLite's own ordering of mixed types.
QList<Row> newestFirst(Database& db, const QString& sql, const QVariantList& params) {
    const Recordset rs = db.query(sql, params);
    for (const QVariantList& r : rs.rows) {
        if (r[0].typeId() != QMetaType::QString || r[1].typeId() != QMetaType::LongLong ||
            r[1].toLongLong() != r[1].toInt())
            return rowsOf(db.query(sql + QStringLiteral(" ORDER BY Day DESC, Number"), params));
    }
    QList<Row> rows = rowsOf(rs);
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        const int days = codePointCompare(a.day, b.day);
        return days != 0 ? days > 0 : a.number < b.number;
    });
    return rows;
}

const QString kTopLink = QStringLiteral("<DIV ALIGN=\"RIGHT\"><A HREF=\"#TOP\">top</A></DIV>");
const QString kPageEnd = QStringLiteral("</BODY></HTML>");
const QString kParts = QStringLiteral("/RaravParts");
const QString kLogged = QStringLiteral("/RaravLog");

QString highlightMark(const QString& keyword) {
    return QStringLiteral("<span style='font-style:italic;color:RED;background-color:YELLOW'>") + keyword +
           QStringLiteral("</span>");
}

struct SearchRequest {
    QString keyword;
    bool usePeriod = false;
    QString fromDay, toDay;
    bool useGenre = false;
    QString genre;
    QDate from, to;

    bool inPeriod(const QString& day) const {
        if (!usePeriod) return true;
        const auto d = Dates::parseDay(day);
        return d && *d >= from && *d <= to;
    }
};

template <typename Page>
void writeSearchHead(Page& page, const SearchRequest& q, const PageStyle& s) {
    writeHead(page, QStringLiteral("検索結果"), s);
    // The keyword is sought in the bodies' HTML as text: shown as it stands,
    // "<!--" or "<b" would take the page's markup with it.
    line(page, QStringLiteral("<p>キーワード：%1</p>").arg(q.keyword.toHtmlEscaped()));
    line(page, q.usePeriod ? QStringLiteral("<p>期間：%1～%2</p>").arg(q.fromDay, q.toDay) : QString());
    line(page, q.useGenre ? QStringLiteral("<p>ジャンル：%1</p><hr>").arg(q.genre) : QStringLiteral("<hr>"));
}

template <typename Page>
void writeListEnd(Page& page, bool listed) {
    // Hits that all lie outside the period list nothing either.
    if (!listed) line(page, QStringLiteral("検索結果0件。"));
    line(page, QStringLiteral("</div><hr>\r\n"));
}

QString anchorOf(const Row& r) { return QStringLiteral("%1_%2").arg(r.day).arg(r.number); }

SearchMarkup::Markup<QString> searchMarkup(const PageStyle& s, const QString& keyword) {
    return {s.htmlType,         s.addTitle,          s.showGenre,    s.dayTitleAlign,   s.titleFTColor,
            s.titleBGColor,     s.dayBGColor,        s.dayFTColor,   s.contentsFTColor, s.contentsBGColor,
            s.dayContentsAlign, tableLine(s),        keyword,        highlightMark(keyword), kParts,
            kLogged,            kTopLink};
}

// A row read with its texts as the page's text; anchor outlives it.
SearchMarkup::Hit<QStringView> hitOf(const Row& r, const PageStyle& s, const QString& anchor) {
    SearchMarkup::Hit<QStringView> h{r.day,      anchor,      r.title,     r.genre,
                                     r.contents, r.extend,    r.hasGenre,  r.hasExtend, QString()};
    // A weather word without a picture ("-", an empty or a foreign one)
    // shows no picture, as on the month pages.
    if (s.showWeather != 0 && r.hasWeather) h.icon = HTML3::weatherIcon(r.weather);
    return h;
}

// A search through the index for a keyword that Like and instr find alike,
// written from the texts as SQLite holds them: the days and numbers of the
// rows the index names are sorted first, then each row is read once, in the
// page's order, and its markup made and converted without a QString of its
// texts. The page's list, known only once every row has been read, goes
// before the entries.
class IndexedSearch {
public:
    IndexedSearch(Database& db, const SearchRequest& q, const PageStyle& s)
        : db_(db), q_(q), s_(s), bytes_(SearchMarkup::utf8(searchMarkup(s, q.keyword))) {}

    static bool applies(const SearchRequest& q, const PageStyle& s) {
        if (!caseCannotMatter(q.keyword) || !q.keyword.isValidUtf16() || (s.htmlType != 0 && s.htmlType != 1))
            return false;
        // Text the bytes would hold otherwise than the page's text does.
        const SearchMarkup::Markup<QString> m = searchMarkup(s, q.keyword);
        for (const QString* t : {&m.dayTitleAlign, &m.titleFTColor, &m.titleBGColor, &m.dayBGColor, &m.dayFTColor,
                                 &m.contentsFTColor, &m.contentsBGColor, &m.dayContentsAlign, &m.table})
            if (!t->isValidUtf16()) return false;
        return true;
    }

    // The number of entries written; -1, with nothing written, when a day or
    // number of the rows is of a kind that only SQLite's ordering takes, or
    // a text is no UTF-8 text.
    int write(const QString& path, const QString& match) {
        const std::vector<qint64> named = rowsNamedBy(match);
        const bool many = named.size() > kFewCandidates;
        const qint64 spanned = many ? rowsSpanned() : 0;
        // Mapped, the file costs a fault for every stretch of sixteen pages
        // that a row lies in; read, a call for every page. Rows run about two
        // to a page, so mapping saves only where the rows named are about
        // half the table: for fewer it took twice as long.
        std::optional<MappedReads> mapped;
        if (many && qint64(named.size()) * 2 >= spanned) mapped.emplace(db_);
        if (!sortCandidates(named, many, spanned)) return -1;
        // Whether every text is text or missing, asked once for the row.
        QString sql = QStringLiteral(
            "SELECT Title, Genre, Contents, Extend, Weather, typeof(Title) IN ('text', 'null') "
            "AND typeof(Genre) IN ('text', 'null') AND typeof(Contents) IN ('text', 'null') "
            "AND typeof(Extend) IN ('text', 'null') AND typeof(Weather) IN ('text', 'null')");
        QVariantList params{qint64(0)};
        if (q_.useGenre) {
            sql += QStringLiteral(", Genre Like ?2 Escape '\\'");
            params << Sql::escapeLike(q_.genre);
        }
        Database::Cursor row(db_, sql + QStringLiteral(" FROM Contents WHERE rowid = ?1"));
        row.bind(params);

        // Room in front of the entries for the page's head and list, which
        // are known only once every row has been read.
        Utf8PageBytes entries(kHeadRoom + qsizetype(candidates_.size()) * kListLineRoom, many,
                              [m = bytes_, marked = QByteArray()](QByteArrayView body, QByteArray& out) mutable {
                                  SearchMarkup::appendMarkedUp(out, m, body, marked);
                              });
        QByteArray list;
        bool listed = false;
        int count = 0;
        for (const Candidate& c : candidates_) {
            const QByteArrayView day(days_.constData() + c.dayAt, c.dayLength);
            if (q_.usePeriod && !q_.inPeriod(QString::fromLatin1(day))) continue;
            row.bind(1, c.rowid);
            if (!row.next()) continue;
            // A text of another kind is shown as QVariant makes it text.
            if (row.integer(5) == 0) return -1;
            if (!holdsKeyword(row)) continue;
            appendHitOf(row, c, day, list, entries);
            entries.itemDone();
            listed = true;
            ++count;
        }

        QString text;
        writeSearchHead(text, q_, s_);
        QByteArray front = Codepage::fromUnicodeCrLf(text, Codepage::Fallback::NumericReference);
        if (s_.useDayList != 0) {
            if (!Codepage::appendUtf8CrLf(front, list, Codepage::Fallback::NumericReference)) return -1;
            text.resize(0);
            writeListEnd(text, listed);
            Codepage::appendCrLf(front, text, Codepage::Fallback::NumericReference);
        }
        SearchMarkup::write(entries.text(), kPageEnd, "\r\n");
        QByteArray page;
        if (!entries.take(front, page)) return -1;
        writePage(path, page);
        return count;
    }

private:
    struct Candidate {
        qint64 rowid;
        int number;
        qsizetype dayAt, dayLength;  // in days_
    };

    // Past this many rows named by the index, the page is converted on a
    // thread of its own (and the file may be read mapped); for fewer,
    // setting these up would take longer than they save.
    static constexpr size_t kFewCandidates = 512;
    // Room for the head and for a list line of each row the index names;
    // a longer list is copied in front of the entries instead.
    static constexpr qsizetype kHeadRoom = 16 * 1024, kListLineRoom = 192;

    std::vector<qint64> rowsNamedBy(const QString& match) {
        std::vector<qint64> named;
        Database::Cursor fts(db_, QStringLiteral("SELECT rowid FROM ContentsPairs WHERE ContentsPairs MATCH ?"));
        fts.bind({match});
        while (fts.next()) named.push_back(fts.integer(0));
        std::sort(named.begin(), named.end());
        return named;
    }

    // The rows of Contents from the first to the last, found in the table's
    // tree without reading it.
    qint64 rowsSpanned() {
        return db_
            .scalar(QStringLiteral(
                "SELECT (SELECT max(rowid) FROM Contents) - (SELECT min(rowid) FROM Contents) + 1"))
            .toLongLong();
    }

    bool sortCandidates(const std::vector<qint64>& named, bool many, qint64 spanned) {
        // The order of text days written in ASCII (without the "%" that the
        // anchor's text would take for a place to fill) and of numbers that
        // fit an int is known here; others are left to SQLite.
        auto take = [this](const Database::Cursor& c, qint64 rowid) {
            if (c.type(0) != Database::Cursor::Type::Text || c.type(1) != Database::Cursor::Type::Integer)
                return false;
            const QByteArrayView day = c.text(0);
            for (const char ch : day)
                if (uchar(ch) >= 0x80 || ch == '%') return false;
            const qint64 number = c.integer(1);
            if (number != int(number)) return false;
            candidates_.push_back({rowid, int(number), days_.size(), day.size()});
            days_.append(day);
            return true;
        };
        // Where the rows named are a good part of the table, the days and
        // numbers of all its rows are read from the day index, which takes
        // far fewer pages than looking each one up in the table.
        if (many && qint64(named.size()) * 16 >= spanned) {
            Database::Cursor all(db_, QStringLiteral("SELECT Day, Number, rowid FROM Contents"));
            while (all.next()) {
                const qint64 rowid = all.integer(2);
                if (std::binary_search(named.begin(), named.end(), rowid) && !take(all, rowid)) return false;
            }
        } else {
            Database::Cursor one(db_, QStringLiteral("SELECT Day, Number FROM Contents WHERE rowid = ?"));
            for (const qint64 rowid : named) {
                one.bind(1, rowid);
                if (one.next() && !take(one, rowid)) return false;
            }
        }
        // Newest day first, then by number; rows alike in both in the order
        // of the table.
        std::sort(candidates_.begin(), candidates_.end(), [this](const Candidate& a, const Candidate& b) {
            const int days = QByteArrayView(days_.constData() + a.dayAt, a.dayLength)
                                 .compare(QByteArrayView(days_.constData() + b.dayAt, b.dayLength));
            if (days != 0) return days > 0;
            return a.number != b.number ? a.number < b.number : a.rowid < b.rowid;
        });
        return true;
    }

    // The search's conditions on the row: instr on a title and body that are
    // text is a search of their UTF-8 bytes.
    bool holdsKeyword(const Database::Cursor& row) {
        if (q_.useGenre && row.integer(6) == 0) return false;
        const QByteArrayView keyword = bytes_.keyword;
        return SearchMarkup::find(row.text(0), keyword, 0) >= 0 || SearchMarkup::find(row.text(2), keyword, 0) >= 0;
    }

    // A row whose texts are all text or missing (a null view).
    void appendHitOf(const Database::Cursor& row, const Candidate& c, QByteArrayView day, QByteArray& list,
                     Utf8PageBytes& entries) {
        anchor_.resize(0);
        SearchMarkup::write(anchor_, day, "_", QByteArray::number(c.number));
        const QByteArrayView genre = row.text(1), extend = row.text(3), weather = row.text(4);
        SearchMarkup::Hit<QByteArrayView> h{day,         anchor_,     row.text(0),     genre,
                                            row.text(2), extend,      !genre.isNull(), !extend.isNull(), QString()};
        if (s_.showWeather != 0 && !weather.isNull()) h.icon = HTML3::weatherIcon(Codepage::utf8Text(weather));
        if (s_.useDayList != 0) SearchMarkup::appendListLine(list, bytes_, h);
        // The body is marked up where the page is converted.
        SearchMarkup::appendHit(entries.text(), bytes_, h, [&](QByteArray& out) {
            const qsizetype at = out.size();
            SearchMarkup::appendJoinedBody(out, h);
            entries.rewriteSpan(at, out.size());
        });
    }

    Database& db_;
    const SearchRequest& q_;
    const PageStyle& s_;
    const SearchMarkup::Markup<QByteArray> bytes_;
    std::vector<Candidate> candidates_;
    QByteArray days_;
    QByteArray anchor_;
};

}  // namespace

namespace HTML0 {

void MakeSameDayPage(const QString& PagePath, const QString& Day) {
    ProfileCache::Operation settingsRead;
    const auto& state = Shell::state();
    const PageStyle s = PageStyle::read(state.CustIniFile);
    const QString monthDay = Day.right(6);  // "/MM/DD" of a stored day
    Database db(state.databasePath(), Database::Mode::ReadOnly);
    const QList<Row> rows = rowsOf(db.query(
        QStringLiteral("SELECT * FROM Contents WHERE Day Like ? Escape '\\' AND Day <> ? ORDER BY Day DESC, Number"),
        {QStringLiteral("%") + Sql::escapeLike(monthDay), Day}));

    QString page;
    writeHead(page, Day.mid(5, 5) + QStringLiteral("の日記"), s);
    if (s.useDayList != 0) {
        for (const Row& r : rows) {
            if (s.addTitle == 1)
                line(page, QStringLiteral("<a href=\"#%1\">%1</a>　%2<br>").arg(r.day, r.title));
            else
                line(page, QStringLiteral("<a href=\"#%1\">%1</a><br>").arg(r.day));
        }
        if (rows.isEmpty()) line(page, QStringLiteral("以前の同じ日の日記はありません。"));
        line(page, QStringLiteral("</div><hr>\r\n"));
    }
    for (const Row& r : rows) {
        if (s.htmlType == 0) {
            line(page, QStringLiteral("<H3 ALIGN=%1 STYLE=\"COLOR:%2;BACKGROUND:%3\"><A NAME=\"%4\">%5(%4)</A></H3>")
                          .arg(s.dayTitleAlign, s.titleFTColor, s.titleBGColor, r.day, r.title));
            line(page, QStringLiteral("<DIV STYLE=\"COLOR:%1;BACKGROUND:%2\" align=%3>")
                          .arg(s.contentsFTColor, s.contentsBGColor, s.dayContentsAlign));
            if (r.hasContents) line(page, r.contents);
            if (r.hasExtend) {
                line(page, QStringLiteral("<BR>"));
                line(page, r.extend);
            }
            line(page, QStringLiteral("</DIV>"));
            line(page, kTopLink);
        } else if (s.htmlType == 1) {
            line(page, QStringLiteral("<DIV ALIGN=%1>").arg(s.dayContentsAlign));
            line(page, tableLine(s));
            line(page, QStringLiteral("<TR><TD ALIGN=%1 BGCOLOR=%2><A NAME=\"%3\"><FONT COLOR=%4>%5</FONT></TD>"
                                     "<TD ALIGN=RIGHT BGCOLOR=%6><FONT COLOR=%7>%3</a></FONT></TD></TR>")
                          .arg(s.dayTitleAlign, s.titleBGColor, r.day, s.titleFTColor, r.title, s.dayBGColor,
                               s.dayFTColor));
            line(page, QStringLiteral("<TR><TD COLSPAN=2 BGCOLOR=%1><FONT COLOR=%2>%3")
                          .arg(s.contentsBGColor, s.contentsFTColor, r.contents));
            line(page, !r.hasExtend ? QStringLiteral("</FONT></TD></TR>")
                                         : QStringLiteral("<br>%1</FONT></TD></TR>").arg(r.extend));
            line(page, QStringLiteral("</TABLE></DIV>"));
            line(page, kTopLink + QStringLiteral("<BR>"));
        }
    }
    line(page, QStringLiteral("</BODY></HTML>"));
    writePage(PagePath, page);
}

QString HighlightKeyword(const QString& html, const QString& keyword) {
    if (keyword.isEmpty() || !html.contains(keyword)) return html;
    QString out;
    out.reserve(html.size());
    SearchMarkup::appendHighlighted(out, QStringView(html), QStringView(keyword), QStringView(highlightMark(keyword)));
    return out;
}

QString PointPartsToLog(const QString& html) {
    if (!html.contains(kParts)) return html;
    QString out;
    SearchMarkup::appendPointedToLog(out, QStringView(html), QStringView(kParts), QStringView(kLogged));
    return out;
}

int MakeSearchResultPage(const QString& PagePath, const QString& Keyword, bool UsePeriod, const QString& FromDay,
                         const QString& ToDay, bool UseGenre, const QString& Genre) {
    ProfileCache::Operation settingsRead;
    SearchRequest q{Keyword, UsePeriod, FromDay, ToDay, UseGenre, Genre, {}, {}};
    if (UsePeriod) {
        const auto f = Dates::parseDay(FromDay);
        const auto t = Dates::parseDay(ToDay);
        if (!f || !t) throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("日付が正しくありません。"));
        q.from = *f;
        q.to = *t;
    }
    const auto& state = Shell::state();
    const PageStyle s = PageStyle::read(state.CustIniFile);
    Database db(state.databasePath(), Database::Mode::ReadOnly);
    const QString match = SearchIndex::matchQuery(Keyword);
    // The index narrows the search only where it holds what the snapshot
    // reads: another client may write between its update and the snapshot.
    std::optional<ReadSnapshot> snapshot(std::in_place, db);
    bool indexed = !match.isEmpty() && SearchIndex::isCurrent(db);
    if (!match.isEmpty() && !indexed) {
        snapshot.reset();
        const bool updated = SearchIndex::ready(db);
        snapshot.emplace(db);
        indexed = updated && SearchIndex::isCurrent(db);
    }
    if (indexed && IndexedSearch::applies(q, s)) {
        const int count = IndexedSearch(db, q, s).write(PagePath, match);
        if (count >= 0) return count;
    }

    // The list needs the rows in order before the first text is written: they
    // are found and sorted without their texts, and each text is read when
    // its turn comes, so that a word in every entry never has them all in
    // memory. The title, short, is tried first.
    QString sql = QStringLiteral("SELECT Day, Number, Title, Genre, rowid FROM Contents WHERE ");
    QVariantList params;
    if (caseCannotMatter(Keyword)) {
        sql += QStringLiteral("(instr(Title, ?1) > 0 OR instr(Contents, ?1) > 0)");
        params << Keyword;
    } else {
        sql += QStringLiteral("(Title Like ?1 Escape '\\' OR Contents Like ?1 Escape '\\')");
        params << QStringLiteral("%") + Sql::escapeLike(Keyword) + QStringLiteral("%");
    }
    if (UseGenre) {
        sql += QStringLiteral(" AND Genre Like ?2 Escape '\\'");
        params << Sql::escapeLike(Genre);
    }
    // The index only narrows the rows; the conditions above decide.
    if (indexed) {
        sql += QStringLiteral(" AND rowid IN (SELECT rowid FROM ContentsPairs WHERE ContentsPairs MATCH ?%1)")
                   .arg(params.size() + 1);
        params << match;
    }
    const QList<Row> rows = newestFirst(db, sql, params);
    const QString textsOfRow = QStringLiteral("SELECT Contents, Extend, Weather FROM Contents WHERE rowid = ?");

    // The page of a word in every entry runs to megabytes.
    PageBytes page;
    const SearchMarkup::Markup<QString> markup = searchMarkup(s, Keyword);
    QString text;
    writeSearchHead(page, q, s);
    if (s.useDayList != 0) {
        bool listed = false;
        for (const Row& r : rows) {
            if (!q.inPeriod(r.day)) continue;
            listed = true;
            text.resize(0);
            const QString anchor = anchorOf(r);
            SearchMarkup::appendListLine(text, markup, hitOf(r, s, anchor));
            page.lines(text);
        }
        writeListEnd(page, listed);
    }

    QString joined, marked;  // room kept from one hit to the next
    int count = 0;
    for (Row r : rows) {
        if (!q.inPeriod(r.day) || (s.htmlType != 0 && s.htmlType != 1)) continue;
        db.forEach(textsOfRow, {r.rowid}, [&r](const QVariantList& v) {
            r.contents = v[0].toString();
            r.extend = v[1].toString();
            r.weather = v[2].toString();
            r.hasContents = !v[0].isNull();
            r.hasExtend = !v[1].isNull();
            r.hasWeather = !v[2].isNull();
        });
        text.resize(0);
        const QString anchor = anchorOf(r);
        const SearchMarkup::Hit<QStringView> h = hitOf(r, s, anchor);
        SearchMarkup::appendHit(text, markup, h, [&](QString& out) {
            joined.resize(0);
            SearchMarkup::appendJoinedBody(joined, h);
            SearchMarkup::appendMarkedUp(out, markup, joined, marked);
        });
        page.lines(text);
        ++count;
    }
    line(page, kPageEnd);
    writePage(PagePath, page.take());
    return count;
}

}  // namespace HTML0
