#pragma once
// Where the generator finds its settings: the active design set, the site
// settings files, the data, program and user folders and the database. The
// generator reads every value afresh through these on every call and keeps
// nothing, so that a change made in page design shows on the next page.
#include <QString>

struct SiteContext {
    QString custIni;      // the active design set
    QString frameIni;     // Frame.ini
    QString rssIni;       // RSS.ini
    QString haloScanIni;  // HaloScan.ini
    QString dataPath;     // ends in "/"; holds Customize/ and RaravParts/
    QString myPath;       // program folder, ends in "/"; holds JS_Log.txt
    QString userPath;     // ends in "/"; holds the upload lists
    QString databasePath;

    // The main window's folders and settings files.
    static SiteContext fromShell();

    int design(const char* section, const char* key) const;
    QString designText(const char* section, const char* key) const;
    int frame(const char* section, const char* key) const;
    QString frameText(const char* section, const char* key) const;
    int haloScanOn() const;
    QString haloScanUser() const;

    // The text block named by a design-set key: Customize/<name>.htm in the
    // data folder, "" when the name is empty, is no single file name of that
    // folder, or the file is missing.
    QString textBlock(const char* section, const char* key) const;
    QString jsLog() const;  // the drop-down list's script, "" when missing
};
