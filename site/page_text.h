#pragma once
// Pages are assembled in memory and written whole: a page is either complete
// on disk or left as it was, never half written.
#include <QByteArray>
#include <QString>

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
    QByteArray take();

private:
    void encodePending();
    QString pending_;
    QByteArray bytes_;
};
inline void line(PageBytes& out, const QString& text) { out.line(text); }

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
