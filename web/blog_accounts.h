#pragma once
// The user's blog accounts, BlogUserData.ini in the data folder: one section
// per blog, named as its description file. Missing keys read as "".
#include <QString>

namespace BlogAccounts {

QString file();
QString read(const QString& blog, const QString& key);
// False when the file could not be written.
bool write(const QString& blog, const QString& key, const QString& value);
// The stored password, unscrambled.
QString password(const QString& blog);
// Stores the password scrambled. False, with nothing written, when it holds a
// character the scrambling cannot carry (it could not be read back) or the
// write failed.
bool setPassword(const QString& blog, const QString& plain);

}  // namespace BlogAccounts

// The five keys the accounts window edits; ManagementURL is not among them.
struct BlogAccount {
    QString LoginID, Password, PostURL, NextURL, AccessURL;  // Password unscrambled

    static BlogAccount load(const QString& blog);
    // Writes all five keys, LoginID first; false when a write failed.
    bool save(const QString& blog) const;
};
