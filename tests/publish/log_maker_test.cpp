#include "platform/clock.h"
#include "platform/files.h"
#include "publish/frm_save_log.h"
#include "publish/log_maker.h"
#include "core/ini_file.h"
#include "core/shared_state.h"
#include "tests/publish/publish_fixture.h"
#include "tests/support/file_changes.h"
#include "tests/support/scripted_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

namespace {

class LogMakerTest : public PublishFixture {
protected:
    void SetUp() override {
        PublishFixture::SetUp();
        Clock::set(QDateTime(QDate(2006, 5, 20), QTime(10, 0)));
        Shell::hooks().saveTmpFile = [this] { ++previews; };
        Shell::hooks().navigateBrowser = [this](const QString& to) { shown << to; };
    }
    void TearDown() override {
        Clock::reset();
        PublishFixture::TearDown();
    }
    // Stands in for the month page generator: one page and its list.
    Publish::MonthPageWriter writer() {
        return [this](const QString& path, const QString& month, int mode, bool list, bool includePrivate) {
            calls << QStringLiteral("%1|%2|%3|%4|%5").arg(path, month).arg(mode).arg(list).arg(includePrivate);
            Files::writeText(path, "<p>" + month + "</p>", true);
            const QString folder = path.left(path.lastIndexOf('/'));
            const QString divided = path.left(path.size() - 4) + "_01.htm";
            Files::writeText(divided, "<p>divided</p>", true);
            Files::writeText(userPath() + "uplogtmp.tmp",
                             folder + "," + path.mid(folder.size() + 1) + "\r\n" + folder + "," +
                                 divided.mid(folder.size() + 1) + "\r\n");
        };
    }
    QList<QVariantList> logRows() {
        Database db(databasePath());
        return db.query("SELECT LogMonth, LogFileName FROM LogDB").rows;
    }
    QStringList calls, shown;
    int previews = 0;
};

}  // namespace

TEST_F(LogMakerTest, OpensOnThePreviousMonth) {
    for (const auto& [today, year, month] : {std::tuple{QDate(2006, 1, 9), "2005", "12"}, {QDate(2006, 5, 20), "2006", "4"}}) {
        Clock::set(QDateTime(today, QTime(9, 0)));
        frmSaveLog w(writer());
        EXPECT_EQ(w.windowTitle(), "Logファイル化");
        EXPECT_EQ(w.txtYear->text(), year);
        EXPECT_EQ(w.txtMonth->currentText(), month);
        w.txtMonth_DblClick();
        EXPECT_EQ(w.txtMonth->currentText(), month);
    }
}

TEST_F(LogMakerTest, MakesTheMonthAndMovesItsParts) {
    data.write("RaravParts/april.gif", "april");     // this month only: moved
    data.write("RaravParts/shared.gif", "shared");   // also used in May: copied, stays
    data.write("RaravParts/twice.gif", "twice");     // two rows this month: stays
    data.write("RaravParts/back.gif", "back");       // every page: copied
    addPart("april.gif", "2006/04/03", 1, true);
    addPart("shared.gif", "2006/04/04", 1, true);
    addPart("shared.gif", "2006/05/02", 1, true);
    addPart("twice.gif", "2006/04/05", 1);
    addPart("twice.gif", "2006/04/30", 2);
    addPart("lost.gif", "2006/04/06", 1);
    addPart("back.gif", "ALL", 0);
    addPart("may.gif", "2006/05/01", 1);
    Files::writeText(userPath() + "uploadlog.tmp", dataPath() + "RaravLog,200603.htm\r\n");

    frmSaveLog w(writer());
    w.txtYear->setText("2006");
    w.txtMonth->setEditText("4");
    w.chkAutoUpdate->setChecked(true);
    ScopedPrompts prompts;
    prompts->expectMessage("04月分として登録されたファイル[lost.gif]が見つかりません。\r\n[UserData\\RaravParts]", Prompts::vbOK)
        .expectMessage("Logファイル化しました。", Prompts::vbOK);
    w.Btn_Save_Click();

    const QString page = dataPath() + "RaravLog/200604.htm";
    EXPECT_EQ(calls, QStringList{page + "|2006/04|2|1|0"});
    EXPECT_TRUE(QFile::exists(sitePath() + "RaravLog/200604.htm"));
    EXPECT_TRUE(QFile::exists(sitePath() + "RaravLog/200604_01.htm"));
    const QString dataLog = dataPath() + "RaravLog";
    EXPECT_EQ(Files::readText(userPath() + "uploadlog.tmp"),
              dataLog + ",200603.htm\r\n" + dataLog + ",200604.htm\r\n" + dataLog + ",200604_01.htm\r\n");
    for (const char* name : {"april.gif", "shared.gif", "twice.gif", "back.gif"}) {
        EXPECT_TRUE(QFile::exists(dataPath() + "RaravLog/RaravParts/" + name)) << name;
        EXPECT_TRUE(QFile::exists(sitePath() + "RaravLog/RaravParts/" + name)) << name;
    }
    EXPECT_FALSE(QFile::exists(dataPath() + "RaravParts/april.gif"));
    for (const char* name : {"shared.gif", "twice.gif", "back.gif"}) EXPECT_TRUE(QFile::exists(dataPath() + "RaravParts/" + name));
    EXPECT_FALSE(QFile::exists(dataPath() + "RaravLog/RaravParts/may.gif"));
    const QList<QVariantList> rows = fileRows("FileName, Uploaded, Logged");
    EXPECT_EQ(rows[0], (QVariantList{"april.gif", 0, 1}));
    for (int i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i][2].toInt(), 0) << rows[i][0].toString().toStdString();
    EXPECT_EQ(rows[1][1].toInt(), 1);
    EXPECT_EQ(logRows(), (QList<QVariantList>{{"2006/04", "200604.htm"}}));
    EXPECT_TRUE(statuses.contains("2006/04の日記をLog化しました。"));
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(shown, QStringList{dataPath() + "Preview/tmp.htm#2006/05/10"});
    EXPECT_EQ(w.result(), QDialog::Accepted);

    // The same month again, typed with its zero: no second LogDB row.
    frmSaveLog again(writer());
    again.txtYear->setText("2006");
    again.txtMonth->setEditText("04");
    prompts->expectMessage("lost.gif", Prompts::vbOK).expectMessage("Logファイル化しました。", Prompts::vbOK);
    again.Btn_Save_Click();
    EXPECT_EQ(logRows().size(), 1);
}

// A month made again before an upload, and a month after it: each page
// waits in the pending list once, after what was already there.
TEST_F(LogMakerTest, PagesWaitForTheUploadOnceEach) {
    const QString dataLog = dataPath() + "RaravLog";
    Files::writeText(userPath() + "uploadlog.tmp", dataLog + ",200604.htm\r\n");
    for (const char* month : {"4", "4", "5"}) Publish::makeLog("2006", month, writer());
    EXPECT_EQ(Files::readText(userPath() + "uploadlog.tmp"), dataLog + ",200604.htm\r\n" + dataLog +
                                                                 ",200604_01.htm\r\n" + dataLog + ",200605.htm\r\n" +
                                                                 dataLog + ",200605_01.htm\r\n");
}

// The parts of every page are copied into the log folders again whenever
// the file in the parts folder or a copy has changed since the last month,
// also in place with its size and date kept, and in a site folder whose name
// CP932 cannot hold.
TEST_F(LogMakerTest, EveryPagePartsChangedBetweenMonthsAreCopiedAgain) {
    Shell::state().FilePath = sitePath() + "サイト〜¥−🍣/";
    const QString source = data.write("RaravParts/back.gif", "GIF89a-back");
    addPart("back.gif", "ALL", 0);
    const QString dataCopy = dataPath() + "RaravLog/RaravParts/back.gif";
    const QString siteCopy = Shell::state().FilePath + "RaravLog/RaravParts/back.gif";
    const auto copies = [&] { return QStringList{Files::readText(dataCopy), Files::readText(siteCopy)}; };

    Publish::makeLog("2006", "1", writer());
    EXPECT_EQ(copies(), QStringList({"GIF89a-back", "GIF89a-back"}));
    ASSERT_TRUE(waitForTheClockPast(siteCopy));
    Publish::makeLog("2006", "2", writer());

    ASSERT_TRUE(overwriteKeepingDate(source, "GIF89a-BACK"));
    Publish::makeLog("2006", "3", writer());
    EXPECT_EQ(copies(), QStringList({"GIF89a-BACK", "GIF89a-BACK"}));

    ASSERT_TRUE(waitForTheClockPast(siteCopy));
    Publish::makeLog("2006", "4", writer());
    ASSERT_TRUE(overwriteKeepingDate(siteCopy, "GIF89a-edit"));
    Publish::makeLog("2006", "5", writer());
    EXPECT_EQ(copies(), QStringList({"GIF89a-BACK", "GIF89a-BACK"}));
}

// The month is recorded, and its parts moved, only once the list names its
// pages: when the list cannot be written, a copy for the site fails before
// it or the month's entries cannot be read, the month stays unrecorded and
// its part where it was.
TEST_F(LogMakerTest, AMonthWhosePagesAreNotListedIsNotRecorded) {
    const QString part = data.write("RaravParts/april.gif", "april");
    addPart("april.gif", "2006/04/03", 1);
    const QString list = userPath() + "uploadlog.tmp";
    const QString sitePage = sitePath() + "RaravLog/200604.htm";
    struct Case {
        const char* what;
        QString blocked;  // made a folder, so that it cannot be written
    };
    for (const Case& c : {Case{"list", list}, Case{"site copy", sitePage}}) {
        QFile::remove(c.blocked);
        ASSERT_TRUE(QDir().mkpath(c.blocked + "/x"));
        EXPECT_THROW(Publish::makeLog("2006", "4", writer()), RuntimeError) << c.what;
        EXPECT_TRUE(logRows().isEmpty()) << c.what;
        EXPECT_TRUE(QFile::exists(part)) << c.what;
        EXPECT_EQ(fileRows("Logged"), QList<QVariantList>{{0}}) << c.what;
        EXPECT_FALSE(QFileInfo(list).isFile()) << c.what;
        ASSERT_TRUE(QDir(c.blocked).removeRecursively());
    }
    // An entry no page can hold: the month cannot be read for its page.
    Database(databasePath()).exec("INSERT INTO Contents (Day, Number) VALUES ('2006/04/4', 1)");
    EXPECT_THROW(Publish::makeLog("2006", "4", writer()), RuntimeError);
    EXPECT_TRUE(logRows().isEmpty());
    EXPECT_TRUE(QFile::exists(part));
    EXPECT_EQ(fileRows("Logged"), QList<QVariantList>{{0}});
    EXPECT_FALSE(QFileInfo(list).isFile());
    Database(databasePath()).exec("DELETE FROM Contents WHERE Day = '2006/04/4'");
    Publish::makeLog("2006", "4", writer());
    EXPECT_EQ(logRows(), (QList<QVariantList>{{"2006/04", "200604.htm"}}));
    EXPECT_FALSE(QFile::exists(part));
    EXPECT_EQ(fileRows("Logged"), QList<QVariantList>{{1}});
    EXPECT_TRUE(QFileInfo(list).isFile());
}

// A page left half-written in the site's log folder by a killed run is
// removed by the next month, also when the folder was made again since.
TEST_F(LogMakerTest, HalfWrittenPagesInTheSiteLogFolderAreRemoved) {
    const QString siteLog = sitePath() + "RaravLog/";
    for (const char* month : {"4", "5"}) {
        site.write("RaravLog/200603.htm.~k3x9q1", "half a page");
        site.write("RaravLog/notes.txt", "the user's");
        Publish::makeLog("2006", month, writer());
        EXPECT_FALSE(QFile::exists(siteLog + "200603.htm.~k3x9q1")) << month;
        EXPECT_TRUE(QFile::exists(siteLog + "notes.txt")) << month;
        ASSERT_TRUE(QDir(siteLog).removeRecursively());
    }
}

TEST_F(LogMakerTest, RefusesYearsAndMonthsThatNameNoMonth) {
    for (const auto& [year, month] : {std::pair{"06", "4"}, {"../x", "4"}, {"2006", "13"}, {"2006", "0"},
                                     {"2006", "1/"}, {"", "4"}, {"abcd", "4"}}) {
        frmSaveLog w(writer());
        w.txtYear->setText(year);
        w.txtMonth->setEditText(month);
        ScopedPrompts prompts;
        prompts->expectMessage("", Prompts::vbOK);
        w.Btn_Save_Click();
        EXPECT_TRUE(calls.isEmpty()) << year << "/" << month;
        EXPECT_TRUE(logRows().isEmpty());
    }
    EXPECT_EQ(Publish::checkLogMonth("2006", "12"), "");
}

TEST_F(LogMakerTest, StoresItsPositionInTwips) {
    frmSaveLog w(writer());
    w.move(30, 20);
    w.reject();
    EXPECT_EQ(IniFile::GetIniInt(iniFile(), "Log", "Left"), 30 * 15);
    EXPECT_EQ(IniFile::GetIniInt(iniFile(), "Log", "Top"), 20 * 15);
}
