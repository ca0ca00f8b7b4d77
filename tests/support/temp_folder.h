#pragma once
// A fresh folder for one test, and helpers to make small fixtures in it.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempFolder {
public:
    TempFolder();
    // The folder with a trailing "/".
    QString path() const;
    QString file(const QString& name) const { return path() + name; }
    // Writes bytes (creating sub-folders) and returns the full path.
    QString write(const QString& name, const QByteArray& bytes) const;
    // Writes text with CR LF as the program writes its text files: CP932 when
    // that holds it, else UTF-8 after a byte-order mark (a temporary folder's
    // path may hold characters CP932 lacks).
    QString writeText(const QString& name, const QString& text) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir_;
};

// A copy of the build's program folder (executables excluded) in a fresh
// temporary folder, for tests of start-up.
QString copyProgramFolder(const QString& target);
// A new database made from the shipped schema.
QString makeDatabase(const QString& path);
