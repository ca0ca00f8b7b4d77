#include "writing/genre_list.h"

#include "platform/database.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/runtime_error.h"

namespace GenreList {

namespace {

QString fileText(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return text;
}

void writeLines(const QString& csvPath, const QStringList& lines) {
    if (!Files::writeText(csvPath, fileText(lines)))
        throw RuntimeError(ErrorNumber::PathNotFound, QStringLiteral("Genre.csv cannot be written: ") + csvPath);
}

}  // namespace

QStringList read(const QString& csvPath) {
    if (!Files::exists(csvPath)) return {};
    QString text = Files::toLf(Files::readText(csvPath));
    if (text.isEmpty()) return {};
    // A line end closes a line; it does not begin an empty one.
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text.split(QLatin1Char('\n'));
}

QStringList rebuild(const QString& csvPath, const QString& databasePath) {
    QStringList lines{QStringLiteral("一般")};
    {
        Database db(databasePath, Database::Mode::ReadOnly);
        // The old database compared genres without regard to letter case, so
        // "Travel" and "travel" make one line. A genre a plug-in stored as
        // bytes is the same genre as its text.
        const Recordset rs = db.query(QStringLiteral(
            "SELECT CAST(Genre AS TEXT) AS Name FROM Contents WHERE Genre IS NOT NULL AND CAST(Genre AS TEXT) <> ? "
            "GROUP BY Name COLLATE NOCASE ORDER BY Name COLLATE NOCASE"),
                                      {QStringLiteral("一般")});
        for (const auto& row : rs.rows) {
            // A genre with a line break would split into genres no entry has.
            const QString genre = row.at(0).toString();
            if (!Profile::holdsLineBreak(genre)) lines << genre;
        }
    }
    writeLines(csvPath, lines);
    return lines;
}

bool append(const QString& csvPath, const QString& genre) {
    if (Profile::holdsLineBreak(genre)) return false;
    QStringList lines = read(csvPath);
    if (lines.contains(genre)) return false;
    lines << genre;
    writeLines(csvPath, lines);
    return true;
}

}  // namespace GenreList
