#pragma once
// A user with a small database, export templates and converter settings,
// shared by the tests of the export, of its window and of the plug-in commands.
#include "platform/codepage.h"
#include "platform/database.h"
#include "core/shared_state.h"

#include "tests/support/temp_folder.h"

#include <QDir>
#include <gtest/gtest.h>

class ExportFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Shell::SharedState& s = Shell::state();
        s = Shell::SharedState();
        s.MyPath = t.path();
        s.UserPath = t.path() + "user/";
        s.DataPath = t.path() + "data/";
        s.RaravIniFile = s.UserPath + "rarav.ini";
        QDir().mkpath(s.UserPath);
        makeDatabase(s.databasePath());
        t.writeText("HTML2TXT.ini", "[GENERAL]\nMODE=TEXT\n");
        t.writeText("data/ExportFormat/TEXT.txt", "<--DAY--> <--TITLE--> [<--GENRE-->/<--WEATHER-->]\n<--CONTENTS-->");
        t.writeText("data/ExportFormat/HTML.txt", "<h2><--TITLE--></h2><--CONTENTS-->");
        t.writeText("data/ExportFormat/Blog.htm", "<p><--TITLE--></p>");
        QDir().mkpath(t.path() + "out");
    }
    void TearDown() override { Shell::state() = Shell::SharedState(); }

    void addEntry(const QString& day, int number, const QString& title, const QString& contents,
                  const QString& genre = "日記", const QString& weather = "晴") {
        Database(Shell::state().databasePath())
            .exec("INSERT INTO Contents (Day, Number, Title, Contents, Genre, Weather) VALUES (?, ?, ?, ?, ?, ?)",
                  {day, number, title, contents, genre, weather});
    }
    // The bytes of a written file as text, CP932 decoded, line breaks kept.
    QString out(const QString& name) const { return Codepage::decodeFile(t.read("out/" + name)); }

    TempFolder t;
};
