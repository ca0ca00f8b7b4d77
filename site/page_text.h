#pragma once
// Pages are assembled in memory and written whole: a page is either complete
// on disk or left as it was, never half written.
#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

struct PageOut {
    QString path;
    QString text;
};

// Every item of a page ends with CR LF.
inline void line(QString& out, const QString& text) {
    out += text;
    out += QLatin1String("\r\n");
}

// A page of megabytes (a search that finds every entry) taken to its bytes a
// piece at a time, so that the whole page is never held twice over; the
// bytes are those writePage would write of the whole text.
class PageBytes {
public:
    // Every item ends with CR LF; a piece ends only after one, so no line end
    // is cut in two.
    void line(const QString& text);
    // Items that already end with CR LF each.
    void lines(const QString& text);
    QByteArray take();

private:
    static constexpr qsizetype kPiece = 64 * 1024;
    void encodePending();
    QString pending_;
    QByteArray bytes_;
};
inline void line(PageBytes& out, const QString& text) { out.line(text); }

// A page made as UTF-8 (from texts as the database holds them) and taken to
// its bytes a piece at a time on a thread of its own, while the next pieces
// are made; inline where the process has only one processor to run on.
// Spans of the text can be left for a function to rewrite on that thread
// (the marking up of an entry's body).
class Utf8PageBytes {
public:
    using Rewrite = std::function<void(QByteArrayView span, QByteArray& out)>;
    // frontRoom: bytes kept free before the page for what goes in front of
    // it once the page is done (take()). lengthy: the page is long enough for
    // a thread to be worth starting. rewrite appends what stands for a span.
    Utf8PageBytes(qsizetype frontRoom, bool lengthy, Rewrite rewrite = {});
    ~Utf8PageBytes();
    Utf8PageBytes(const Utf8PageBytes&) = delete;
    Utf8PageBytes& operator=(const Utf8PageBytes&) = delete;

    // The text being filled; every item in it ends with CR LF.
    QByteArray& text() { return filling_.text; }
    // text()[from, to) is to be rewritten; spans come in order, and an item
    // holds its spans whole.
    void rewriteSpan(qsizetype from, qsizetype to) { filling_.spans.push_back({from, to}); }
    // After each item: the text goes to be converted once it is long enough.
    void itemDone() {
        if (filling_.text.size() >= kPiece) handOver();
    }
    // front and the page's bytes after it; false when some of the text was
    // not well-formed UTF-8 (or memory ran out converting it).
    bool take(const QByteArray& front, QByteArray& page);

private:
    struct Piece {
        QByteArray text;
        std::vector<std::pair<qsizetype, qsizetype>> spans;
    };
    static constexpr qsizetype kPiece = 128 * 1024;
    struct Worker;
    void handOver();
    Piece filling_;
    std::unique_ptr<Worker> worker_;
};

// CP932, characters outside it as numeric character references. Throws
// RuntimeError when the file cannot be written (folder missing, no right).
void writePage(const QString& path, const QString& text);
void writePage(const QString& path, const QByteArray& bytes);

// The path up to, not including, its last "."; the page names of a month
// are built on it.
QString pathBase(const QString& path);
// The file name without its folder and without the text from its last ".".
QString fileBase(const QString& path);
// At least two digits: 1 -> "01", 100 -> "100".
QString twoDigits(int n);
// The day with "/" made "_": "2005/03/14" -> "2005_03_14".
QString dayFileStem(const QString& day);
