#include "platform/database.h"

#include "tests/support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(Database, BindsValuesAndReadsRows) {
    TempFolder t;
    const QString path = makeDatabase(t.file("rarav.mdb"));
    {
        Database db(path);
        // A quote in user text never reaches the SQL.
        db.exec("INSERT INTO Contents (Day, Number, Title, Private) VALUES (?, ?, ?, ?)",
                {"2024/01/05", 1, "it's \"quoted\"", true});
    }
    Database db(path, Database::Mode::ReadOnly);
    const Recordset rs = db.query("SELECT Day, Number, Title, Private, Genre FROM Contents WHERE Day Like ?",
                                  {"2024/01%"});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, "title"), QStringLiteral("it's \"quoted\""));
    EXPECT_EQ(rs.integer(0, "NUMBER"), 1);
    EXPECT_EQ(rs.integer(0, "Private"), 1);
    EXPECT_EQ(rs.text(0, "Genre"), QString());
    EXPECT_TRUE(db.tableExists("dbinfo"));
    EXPECT_FALSE(db.tableExists("Option"));
    EXPECT_EQ(db.scalar("SELECT VersionInfo FROM DBInfo").toInt(), 230);
}

// A title or body that starts with U+FEFF keeps it: it is text, not a mark.
TEST(Database, ALeadingByteOrderMarkIsPartOfTheText) {
    TempFolder t;
    const QString path = makeDatabase(t.file("rarav.mdb"));
    const QString title = QChar(0xFEFF) + QStringLiteral("日記");
    const QString body = QChar(0xFEFF) + QString(QChar(0xFEFF)) + QStringLiteral("〜");
    Database db(path);
    db.exec("INSERT INTO Contents (Day, Number, Title, Contents) VALUES (?, ?, ?, ?)", {"2024/01/05", 1, title, body});
    const Recordset rs = db.query("SELECT Title, Contents FROM Contents");
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, "Title"), title);
    EXPECT_EQ(rs.text(0, "Contents"), body);
}

TEST(Database, TransactionRollsBackWhenNotCommitted) {
    TempFolder t;
    const QString path = makeDatabase(t.file("rarav.mdb"));
    try {
        Database db(path);
        Transaction tx(db);
        db.exec("INSERT INTO LogDB (LogMonth, LogFileName) VALUES (?, ?)", {"2024/01", "a.htm"});
        db.exec("INSERT INTO NoSuchTable VALUES (1)");
        tx.commit();
        FAIL() << "the bad statement must throw";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, ErrorNumber::DatabaseError);
    }
    Database db(path);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM LogDB").toInt(), 0);
}

// A commit made to wait for what must come first (a list naming the pages
// it records written to the disk) does its writing meanwhile and takes
// effect only once that is done; when it fails, the change is undone as
// after a crash, and a reader coming next finds the database as it was.
TEST(Database, CommitTakesEffectOnlyWhenReady) {
    TempFolder t;
    const QString path = makeDatabase(t.file("rarav.mdb"));
    const auto logMonths = [&path] {
        return Database(path, Database::Mode::ReadOnly).scalar("SELECT group_concat(LogMonth) FROM LogDB").toString();
    };
    for (const bool ready : {true, false}) {
        bool asked = false;
        try {
            Database db(path);
            Transaction tx(db);
            db.exec("INSERT INTO LogDB (LogMonth, LogFileName) VALUES (?, 'a.htm')", {ready ? "2024/01" : "2024/02"});
            tx.commitWhen([&] {
                asked = true;
                // The commit is under way: its journal is still there.
                EXPECT_TRUE(QFile::exists(path + "-journal"));
                return ready;
            });
            EXPECT_TRUE(ready);
        } catch (const RuntimeError& e) {
            EXPECT_FALSE(ready);
            EXPECT_EQ(e.number, ErrorNumber::DatabaseError);
        }
        EXPECT_TRUE(asked);
        EXPECT_EQ(logMonths(), "2024/01");
    }
    EXPECT_FALSE(QFile::exists(path + "-journal"));
    Database db(path);
    EXPECT_EQ(db.scalar("PRAGMA integrity_check").toString(), "ok");
    db.exec("INSERT INTO LogDB (LogMonth, LogFileName) VALUES ('2024/03', 'c.htm')");
    EXPECT_EQ(logMonths(), "2024/01,2024/03");
}

// Another client may turn the database to a write-ahead log, where a commit
// removes no journal: there the commit waits before it begins.
TEST(Database, CommitOnAWriteAheadLogWaitsBeforeItBegins) {
    TempFolder t;
    const QString path = makeDatabase(t.file("rarav.mdb"));
    Database(path).scalar("PRAGMA journal_mode=WAL");
    for (const bool ready : {true, false}) {
        try {
            Database db(path);
            Transaction tx(db);
            const QString month = ready ? "2024/01" : "2024/02";
            db.exec("INSERT INTO LogDB (LogMonth, LogFileName) VALUES (?, ?)", {month, "a.htm"});
            tx.commitWhen([&] {
                EXPECT_EQ(Database(path, Database::Mode::ReadOnly)
                              .scalar("SELECT count(*) FROM LogDB WHERE LogMonth = ?", {month})
                              .toInt(),
                          0);
                return ready;
            });
            EXPECT_TRUE(ready);
        } catch (const RuntimeError&) {
            EXPECT_FALSE(ready);
        }
        EXPECT_EQ(Database(path).scalar("SELECT group_concat(LogMonth) FROM LogDB").toString(), "2024/01");
    }
}

// Connections and statements are kept between operations, yet each one
// reads the file now at the path, in its layout now.
TEST(Database, EachOperationReadsTheFileNowAtThePath) {
    TempFolder t;
    const QString path = t.file("rarav.mdb"), other = t.file("new.mdb");
    for (const auto& [file, value] : {std::pair{path, 1}, {other, 2}}) {
        Database db(file, Database::Mode::Create);
        db.execScript(QStringLiteral("CREATE TABLE T (x INTEGER); INSERT INTO T VALUES (%1);").arg(value));
    }
    const QString select = QStringLiteral("SELECT * FROM T");
    EXPECT_EQ(Database(path, Database::Mode::ReadOnly).scalar(select).toInt(), 1);
    EXPECT_EQ(Database(path).scalar(select).toInt(), 1);

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(other, path));
    EXPECT_EQ(Database(path, Database::Mode::ReadOnly).scalar(select).toInt(), 2);
    Database(path).exec(QStringLiteral("ALTER TABLE T ADD COLUMN y TEXT DEFAULT 'new'"));
    EXPECT_EQ(Database(path, Database::Mode::ReadOnly).query(select).columns, (QStringList{"x", "y"}));
    EXPECT_EQ(Database(path).query(select).rows, (QList<QVariantList>{{2, "new"}}));

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_THROW(Database(path, Database::Mode::ReadOnly), RuntimeError);
}

TEST(Database, MissingFileIsAnErrorUnlessCreating) {
    TempFolder t;
    EXPECT_THROW(Database(t.file("none.mdb")), RuntimeError);
    Database created(t.file("new.mdb"), Database::Mode::Create);
    EXPECT_FALSE(created.tableExists("Contents"));
}

TEST(Database, LikeEscapeTakesUserWildcardsLiterally) {
    TempFolder t;
    const QString path = makeDatabase(t.file("rarav.mdb"));
    Database db(path);
    db.exec("INSERT INTO Contents (Day, Title) VALUES ('2024/01/01', '100% done')");
    db.exec("INSERT INTO Contents (Day, Title) VALUES ('2024/01/02', '100 percent')");
    const QString pattern = QStringLiteral("%") + Sql::escapeLike("100%") + QStringLiteral("%");
    EXPECT_EQ(db.scalar("SELECT count(*) FROM Contents WHERE Title Like ? Escape '\\'", {pattern}).toInt(), 1);
}

// A cursor reads each value where SQLite holds it, of every kind, and runs
// again with one parameter bound anew; reads through the mapped file see
// the same rows.
TEST(Database, CursorReadsValuesInPlaceAndRunsAgainForEachKey) {
    TempFolder t;
    const QString path = makeDatabase(t.file("〜¥−🍣.mdb"));
    Database db(path);
    db.exec("INSERT INTO Contents (rowid, Day, Title, Number, Extend) VALUES (7, '2024/01/05', '猫😀', 12, x'00ff')");
    db.exec("INSERT INTO Contents (rowid, Day, Title, Number, Extend) VALUES (9, '2024/01/06', '', 1.5, NULL)");
    const MappedReads mapped(db);
    Database::Cursor c(db, "SELECT Title, Number, Extend, ? FROM Contents WHERE rowid = ?");
    c.bind({QStringLiteral("引数"), 7});
    ASSERT_TRUE(c.next());
    using Type = Database::Cursor::Type;
    EXPECT_EQ(c.type(0), Type::Text);
    EXPECT_EQ(c.text(0), QByteArrayView("猫😀"));
    EXPECT_EQ(c.type(1), Type::Integer);
    EXPECT_EQ(c.integer(1), 12);
    EXPECT_EQ(c.type(2), Type::Blob);
    EXPECT_EQ(c.value(2), QVariant(QByteArray("\x00\xff", 2)));
    EXPECT_EQ(c.value(3), QVariant(QStringLiteral("引数")));
    EXPECT_FALSE(c.next());
    for (const qint64 key : {9, 8, 7}) {
        c.bind(2, key);
        ASSERT_EQ(c.next(), key != 8) << key;
        if (key == 8) continue;
        EXPECT_EQ(c.value(3), QVariant(QStringLiteral("引数")));  // kept from the first binding
        EXPECT_EQ(c.type(2), key == 9 ? Type::Null : Type::Blob);
    }
    EXPECT_EQ(c.type(1), Type::Integer);
    c.bind(2, 9);
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c.type(0), Type::Text);
    EXPECT_TRUE(c.text(0).isEmpty());
    EXPECT_FALSE(c.text(0).isNull());  // empty, not missing
    EXPECT_TRUE(c.text(2).isNull());
    EXPECT_EQ(c.type(1), Type::Real);
    EXPECT_EQ(c.value(1), QVariant(1.5));
}

}  // namespace
