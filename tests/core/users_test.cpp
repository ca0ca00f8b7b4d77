#include "core/pub_encrypt.h"
#include "core/user_list.h"
#include "platform/database.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

TEST(PubEncrypt, ScramblesLikeTheStoredFiles) {
    struct Case {
        const char* clear;
        const char* scrambled;
    };
    const Case cases[] = {
        {"", ""},
        {"abc", "dcb"},
        {"あい", "ぅぃ"},      // double-byte codes 0x82A0, 0x82A2 shifted by one
        {"Pass 1", "2!ttbQ"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PubEncrypt::EncryptString(QString::fromUtf8(c.clear)), QString::fromUtf8(c.scrambled)) << c.clear;
        EXPECT_EQ(PubEncrypt::DecryptString(QString::fromUtf8(c.scrambled)), QString::fromUtf8(c.clear)) << c.clear;
    }
}

TEST(PubEncrypt, RoundTripsAndRefusesWhatCannotBeStored) {
    for (const char* text : {"secret", "日記作成", "ｶﾀｶﾅ", "パスワード123", "!@#$ _"}) {
        const QString clear = QString::fromUtf8(text);
        EXPECT_TRUE(PubEncrypt::CanEncrypt(clear)) << text;
        EXPECT_EQ(PubEncrypt::DecryptString(PubEncrypt::EncryptString(clear)), clear) << text;
    }
    // The last half-width katakana shifts onto a lone lead byte; an emoji has
    // no CP932 code at all.
    EXPECT_FALSE(PubEncrypt::CanEncrypt(QStringLiteral("ﾟ")));
    EXPECT_FALSE(PubEncrypt::CanEncrypt(QStringLiteral("a😀")));
    // Scrambled, these become a line feed, a carriage return and a delete:
    // control characters that a settings file cannot carry as they are.
    for (const char* text : {"ab\tcd", "ab\fcd", "a~"})
        EXPECT_FALSE(PubEncrypt::CanEncrypt(QString::fromUtf8(text))) << text;
    // The wave dash and the yen sign read back as other characters.
    EXPECT_FALSE(PubEncrypt::CanEncrypt(QStringLiteral("a〜")));
    EXPECT_FALSE(PubEncrypt::CanEncrypt(QStringLiteral("¥100")));
}

// Every character accepted, in one password stored in a settings file with
// blanks at both ends: it reads back whole, and the file keeps one line for it.
TEST(PubEncrypt, EveryAcceptedPasswordReadsBackWhole) {
    QString everything = QStringLiteral(" ");
    for (uint c = 1; c <= 0xFFFF; ++c) {
        if (QChar::isSurrogate(c)) continue;
        const QString ch = QChar(char16_t(c));
        if (PubEncrypt::CanEncrypt(ch)) everything += ch;
    }
    everything += QLatin1Char(' ');
    ASSERT_GT(everything.size(), 7000);
    ASSERT_TRUE(PubEncrypt::CanEncrypt(everything));
    TempFolder t;
    const QString list = t.file(QStringLiteral("quillbyuser.ini"));
    UserList::addId(list, QStringLiteral("taro"));
    UserList::setPassword(list, QStringLiteral("taro"), everything);
    UserList::addId(list, QStringLiteral("jiro"));
    EXPECT_TRUE(UserList::checkLogin(list, QStringLiteral("taro"), everything));
    EXPECT_TRUE(UserList::userExists(list, QStringLiteral("jiro")));
}

TEST(UserList, LoginIsExactAboutNamesAndPasswords) {
    TempFolder t;
    const QString list = t.writeText(QStringLiteral("quillbyuser.ini"),
                                     QStringLiteral("[taro]\nID=taro\nPass=dcb\n"
                                                    "[Hanako]\nID=hanako\nPass=dcb\n"
                                                    "[empty]\nID=empty\nPass=\n"
                                                    "[Previous]\nID=Previous\n"));
    struct Case {
        const char* user;
        const char* password;
        bool accepted;
    };
    const Case cases[] = {
        {"taro", "abc", true},   {"taro", "ABC", false}, {"TARO", "abc", false}, {"Hanako", "abc", false},
        {"hanako", "abc", false}, {"empty", "", true},   {"empty", "x", false},  {"nobody", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UserList::checkLogin(list, QString::fromUtf8(c.user), QString::fromUtf8(c.password)), c.accepted)
            << c.user << "/" << c.password;
    EXPECT_EQ(UserList::users(list), QStringList({QStringLiteral("taro"), QStringLiteral("empty")}));
}

TEST(UserList, DeletingKeepsTheFolderKey) {
    TempFolder t;
    const QString list = t.file(QStringLiteral("quillbyuser.ini"));
    UserList::addId(list, QStringLiteral("taro"));
    UserList::setPassword(list, QStringLiteral("taro"), QStringLiteral("abc"));
    UserList::setUserFolder(list, QStringLiteral("taro"), QStringLiteral("/data/taro"));
    EXPECT_EQ(UserList::userFolder(t.path(), QStringLiteral("taro")), QStringLiteral("/data/taro/"));
    UserList::removeUser(list, QStringLiteral("taro"));
    EXPECT_FALSE(UserList::userExists(list, QStringLiteral("taro")));
    EXPECT_TRUE(UserList::users(list).isEmpty());
    EXPECT_EQ(UserList::userFolder(t.path(), QStringLiteral("taro")), QStringLiteral("/data/taro/"));
    EXPECT_EQ(UserList::userFolder(t.path(), QStringLiteral("jiro")), t.path() + QStringLiteral("jiro/"));
}

TEST(UserList, MovingSingleUserDataBacksUpAndPointsTheUserAtItsFolder) {
    TempFolder t;
    t.writeText(QStringLiteral("UserData/rarav.ini"), QStringLiteral("[ALL]\nDataPath=/old/\nMenuLanguage=English\n"));
    t.write(QStringLiteral("rarav.mdb"), "single db");  // no UserData copy: the program folder's one
    t.writeText(QStringLiteral("taro/rarav.ini"), QStringLiteral("[ALL]\nDataPath=/taro-old/\n"));
    t.write(QStringLiteral("taro/rarav.mdb"), "taro db");
    const QString d = t.path() + QStringLiteral("taro/");
    ASSERT_TRUE(UserList::moveSingleUserData(t.path(), d));
    EXPECT_EQ(t.read(QStringLiteral("taro/rarav.mdb")), QByteArray("single db"));
    EXPECT_EQ(t.read(QStringLiteral("taro/rarav_BackUp.mdb")), QByteArray("taro db"));
    EXPECT_TRUE(t.read(QStringLiteral("taro/rarav_BackUp.ini")).contains("/taro-old/"));
    const QByteArray ini = t.read(QStringLiteral("taro/rarav.ini"));
    EXPECT_TRUE(ini.contains("MenuLanguage=English"));
    EXPECT_TRUE(ini.contains(("DataPath=" + d).toUtf8()));
    EXPECT_TRUE(ini.contains(("IniFileName=" + d + "Customize/Customize.ini").toUtf8()));
    EXPECT_TRUE(ini.contains(("IniFileName=" + d + "Blog.ini").toUtf8()));
    EXPECT_FALSE(ini.contains("[RSS]"));
}

// A user's files kept elsewhere through symbolic links stay linked: the moved
// data lands where the links point, after the backups.
TEST(UserList, MovingIntoLinkedFilesReplacesWhatTheyPointTo) {
    TempFolder t;
    t.writeText(QStringLiteral("UserData/rarav.ini"), QStringLiteral("[ALL]\nMenuLanguage=English\n"));
    t.write(QStringLiteral("UserData/rarav.mdb"), "single db");
    t.writeText(QStringLiteral("〜¥−🍣/rarav.ini"), QStringLiteral("[ALL]\nDataPath=/taro-old/\n"));
    t.write(QStringLiteral("〜¥−🍣/rarav.mdb"), "taro db");
    const QString d = t.path() + QStringLiteral("taro/");
    QDir().mkpath(d);
    for (const QString& name : {QStringLiteral("rarav.ini"), QStringLiteral("rarav.mdb")})
        ASSERT_TRUE(QFile::link(t.file(QStringLiteral("〜¥−🍣/") + name), d + name));
    ASSERT_TRUE(UserList::moveSingleUserData(t.path(), d));
    for (const QString& name : {QStringLiteral("rarav.ini"), QStringLiteral("rarav.mdb")})
        EXPECT_TRUE(QFileInfo(d + name).isSymLink()) << name.toStdString();
    EXPECT_EQ(t.read(QStringLiteral("〜¥−🍣/rarav.mdb")), QByteArray("single db"));
    EXPECT_EQ(t.read(QStringLiteral("taro/rarav_BackUp.mdb")), QByteArray("taro db"));
    EXPECT_TRUE(t.read(QStringLiteral("taro/rarav_BackUp.ini")).contains("/taro-old/"));
    const QByteArray ini = t.read(QStringLiteral("〜¥−🍣/rarav.ini"));
    EXPECT_TRUE(ini.contains("MenuLanguage=English"));
    EXPECT_TRUE(ini.contains(("DataPath=" + d).toUtf8()));
}

// Another client (here the sqlite3 shell, while a connection of the program
// keeps the log from being folded at its close) has turned both diaries to a
// write-ahead log and left rows there: the moved diary carries them, its
// backup carries the user's, and the user's log is not played into the
// moved one.
TEST(UserList, MovingCarriesWhatAnotherClientLeftInAWriteAheadLog) {
    TempFolder t;
    const QString d = t.path() + QStringLiteral("taro/");
    auto sqlite3 = [](const QString& file, const QString& sql) {
        QProcess shell;
        shell.start("sqlite3", {"-bail", file, sql});
        EXPECT_TRUE(shell.waitForFinished(30000));
        EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
        return QString::fromUtf8(shell.readAllStandardOutput()).trimmed();
    };
    const struct {
        QString file, first, late;
    } diaries[] = {{t.path() + QStringLiteral("UserData/rarav.mdb"), QStringLiteral("single"), QStringLiteral("〜¥−🍣")},
                   {d + QStringLiteral("rarav.mdb"), QStringLiteral("taro"), QStringLiteral("taro-late")}};
    for (const auto& diary : diaries) {
        QDir().mkpath(QFileInfo(diary.file).path());
        sqlite3(diary.file, "PRAGMA journal_mode=WAL; CREATE TABLE T (x); INSERT INTO T VALUES ('" + diary.first + "');");
        EXPECT_EQ(Database(diary.file).scalar("SELECT count(*) FROM T").toInt(), 1);
        sqlite3(diary.file, "INSERT INTO T VALUES ('" + diary.late + "');");
        ASSERT_GT(QFileInfo(diary.file + "-wal").size(), 0);
    }
    ASSERT_TRUE(UserList::moveSingleUserData(t.path(), d));
    EXPECT_EQ(sqlite3(d + "rarav.mdb", "PRAGMA quick_check; SELECT group_concat(x) FROM T;"),
              QStringLiteral("ok\nsingle,〜¥−🍣"));
    EXPECT_EQ(sqlite3(d + "rarav_BackUp.mdb", "SELECT group_concat(x) FROM T;"), QStringLiteral("taro,taro-late"));
}

TEST(UserList, MovingWithoutSingleUserDataDeletesNothing) {
    TempFolder t;
    t.write(QStringLiteral("taro/rarav.mdb"), "taro db");
    const QString d = t.path() + QStringLiteral("taro/");
    ASSERT_TRUE(UserList::moveSingleUserData(t.path(), d));
    EXPECT_EQ(t.read(QStringLiteral("taro/rarav.mdb")), QByteArray("taro db"));
    EXPECT_FALSE(QFile::exists(d + QStringLiteral("rarav_BackUp.mdb")));
    EXPECT_TRUE(t.read(QStringLiteral("taro/rarav.ini")).contains(("DataPath=" + d).toUtf8()));
}

// A user whose folder is one the program already uses would have the move of
// the single-user data, or the user's own saves, replace that folder's files.
TEST(UserList, NamesWhoseFolderTheProgramUsesAreRefused) {
    TempFolder t;
    const QString my = t.path();
    const QString data = my + QStringLiteral("UserData/");
    QDir().mkpath(data);
    UserList::addId(UserList::fileIn(my), QStringLiteral("taro"));
    UserList::setUserFolder(UserList::fileIn(my), QStringLiteral("taro"), my + QStringLiteral("hanako"));
    QFile::link(data, my + QStringLiteral("〜¥−🍣"));  // a link to the single-user folder
    struct Case {
        const char* name;
        const char* because;  // a piece of the message, or "" when the name is taken
    };
    for (const Case& c : {Case{"UserData", "Quillbyが使っている"}, Case{"userdata", "Quillbyが使っている"},
                          Case{"Rarav", "Quillbyが使っている"}, Case{"RaravParts", "Quillbyが使っている"},
                          Case{"Customize", "Quillbyが使っている"}, Case{"〜¥−🍣", "Quillbyが使っている"},
                          Case{"hanako", "ユーザー「taro」のフォルダ"}, Case{"jiro", ""}, Case{"ユーザー〜", ""}}) {
        const QString why = UserList::newUserRefusal(my, data, QString::fromUtf8(c.name));
        if (*c.because)
            EXPECT_TRUE(why.contains(QString::fromUtf8(c.because))) << c.name << ": " << why.toStdString();
        else
            EXPECT_EQ(why, QString()) << c.name;
    }
    // A data folder of the user's own choosing is in use as well.
    EXPECT_FALSE(UserList::newUserRefusal(my, my + QStringLiteral("diary/"), QStringLiteral("diary")).isEmpty());
}

// Moving the single-user data into the folder it lies in would back it up,
// remove it and then copy from what was removed: refused, nothing changes.
TEST(UserList, MovingSingleUserDataIntoItsOwnFolderIsRefused) {
    TempFolder t;
    t.writeText(QStringLiteral("UserData/rarav.ini"), QStringLiteral("[ALL]\nDataPath=/old/\n"));
    t.write(QStringLiteral("UserData/rarav.mdb"), "single db");
    for (const QString& folder : {t.path() + QStringLiteral("UserData/"), t.path() + QStringLiteral("UserData"), t.path()}) {
        EXPECT_FALSE(UserList::singleUserMoveRefusal(t.path(), folder).isEmpty()) << folder.toStdString();
        EXPECT_FALSE(UserList::moveSingleUserData(t.path(), folder)) << folder.toStdString();
    }
    EXPECT_EQ(t.read(QStringLiteral("UserData/rarav.mdb")), QByteArray("single db"));
    EXPECT_EQ(t.read(QStringLiteral("UserData/rarav.ini")), QByteArray("[ALL]\r\nDataPath=/old/\r\n"));
    EXPECT_FALSE(QFile::exists(t.file(QStringLiteral("UserData/rarav_BackUp.ini"))));
}

}  // namespace
