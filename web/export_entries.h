#pragma once
// Export of the entries of a period to text or HTML files: each entry fills a
// template of the data folder's ExportFormat/ and the filled copies go into
// one file or one file per entry.
#include <QList>
#include <QString>

class clsHTML2TEXT;

// One entry as the export reads it; a column without a value reads as "".
struct ExportRow {
    QString Day, Weather, Genre, Title, Contents;
};

namespace ExportTemplate {
// Replaces the markers in their fixed order, each wherever it occurs, so a
// value holding a later marker has that marker replaced too.
QString fill(const QString& templateText, const ExportRow& row, const QString& contents);
}  // namespace ExportTemplate

class clsExport {
public:
    QString eFormat = QStringLiteral("TEXT");  // "TEXT", "HTML" or a template's file name
    int Export = 1;                            // 1 one file, 2 one file per entry
    int FileNameFormat = 1;                    // per-entry files named 1 by day, 2 by title
    QString Extension;                         // of per-entry files of a user-defined format
    int Contents = 1;                          // 1 body converted to text, 2 as stored
    int Period = 1;                            // 1 range, 2 month, 3 one day
    QString Period1;                           // range start or the day; for a month the year
    QString Period2;                           // range end; for a month the month number
    QString SortDir = QStringLiteral("ASC");

    // The target: a file for one-file output, a folder otherwise.
    QString FileFullPath;

    // Asks for the target; true when one was chosen.
    bool GetFilePath();
    // Writes the output. False, after telling the user, when the converter
    // settings cannot be read (nothing is written then). A database that
    // cannot be read or a file that cannot be written throws RuntimeError;
    // files written before it stay.
    bool Execute();

    bool writesOneFile() const { return Period == 3 || Export == 1; }
    // The entries of the period in export order.
    QList<ExportRow> readEntries(const QString& databasePath) const;
    // A chosen file name with ".txt" or ".htm" added when it has neither
    // ending of its format.
    QString withFormatExtension(const QString& path) const;
    // The file one entry goes to in per-entry output.
    QString entryFilePath(const ExportRow& row) const;

private:
    QString templatePath() const;
    QString FillTemplate(const QString& templateText, const ExportRow& row, const clsHTML2TEXT& converter) const;
    void write(const QString& path, const QString& text) const;
};
