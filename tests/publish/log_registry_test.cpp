#include "platform/clock.h"
#include "publish/frm_resist_logs.h"
#include "publish/log_registry.h"
#include "core/ini_file.h"
#include "tests/publish/publish_fixture.h"
#include "tests/support/scripted_prompts.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

namespace {

class LogRegistryTest : public PublishFixture {
protected:
    QList<QVariantList> logRows() {
        Database db(databasePath());
        return db.query("SELECT LogMonth, LogFileName FROM LogDB ORDER BY rowid").rows;
    }
    QStringList listed(frmResistLogs& w) {
        QStringList lines;
        for (int i = 0; i < w.ResisterdList->count(); ++i) lines << w.ResisterdList->item(i)->text();
        return lines;
    }
    void resist(frmResistLogs& w, const QString& path, const QString& year, int monthIndex) {
        w.txtOpenFile->setText(path);
        w.txtYear->setText(year);
        w.cmbMonth->setCurrentIndex(monthIndex);
        w.Btn_Resist_Click();
    }
    bool inSite(const QString& name) { return QFile::exists(sitePath() + "RaravLog/" + name); }
    bool inData(const QString& name) { return QFile::exists(dataPath() + "RaravLog/" + name); }
    TempFolder pages;
};

}  // namespace

TEST(LogYearCheck, RefusesWhatIsNoYear) {
    const QString notNumber = "不正な文字が入力されました。半角数字を入力してください。";
    const QString negative = "不正な文字が入力されました。半角で西暦を入力してください。";
    const QString short4 = "不正な文字が入力されました。半角で4桁の西暦を入力してください。";
    const std::pair<const char*, QString> cases[] = {
        {"2005", ""}, {"99", short4}, {"999", short4}, {"-2005", negative}, {"abc", notNumber}, {"", notNumber},
        {"inf", notNumber},
    };
    for (const auto& [text, message] : cases) EXPECT_EQ(Publish::checkLogYear(text), message) << text;
}

TEST_F(LogRegistryTest, RegistersCopiesAndKeepsTheFirstMonth) {
    Clock::set(QDateTime(QDate(2007, 2, 1), QTime(8, 0)));
    frmResistLogs w;
    Clock::reset();
    EXPECT_EQ(w.windowTitle(), "Resist Rarav Logs");
    EXPECT_EQ(w.txtYear->text(), "2007");
    EXPECT_EQ(w.cmbMonth->currentText(), "");

    // The site folder has no log folder yet: it is made.
    resist(w, pages.write("march.htm", "march"), "2005", 2);
    resist(w, pages.write("nov.htm", "nov"), "2005", 10);
    EXPECT_EQ(logRows(), (QList<QVariantList>{{"2005/03", "march.htm"}, {"2005/11", "nov.htm"}}));
    EXPECT_TRUE(inSite("march.htm") && inData("march.htm"));
    EXPECT_EQ(listed(w), (QStringList{"2005/11 : nov.htm", "2005/03 : march.htm"}));
    EXPECT_EQ(IniFile::GetIniString(iniFile(), "ALL", "LogResistPath"), pages.path().chopped(1));

    ScopedPrompts prompts;
    prompts->expectMessage("すでに登録済みのファイルです。\r\n上書きしますか？", Prompts::vbYes);
    resist(w, pages.write("march.htm", "march again"), "2006", 5);
    EXPECT_EQ(site.read("RaravLog/march.htm"), "march again");
    EXPECT_EQ(data.read("RaravLog/march.htm"), "march again");
    EXPECT_EQ(logRows().first().first(), "2005/03");

    // From the data folder's log: only the site copy; overwriting it from
    // there copies nothing.
    data.write("RaravLog/dec.htm", "dec");
    resist(w, dataPath() + "RaravLog/dec.htm", "2005", 11);
    EXPECT_TRUE(inSite("dec.htm"));
    prompts->expectMessage("すでに登録済みのファイルです。", Prompts::vbYes)
        .expectMessage("同じフォルダの同じファイルを指定しました。", Prompts::vbOK);
    data.write("RaravLog/dec.htm", "dec changed");
    resist(w, dataPath() + "RaravLog/dec.htm", "2005", 11);
    EXPECT_EQ(site.read("RaravLog/dec.htm"), "dec");

    // A refused year registers nothing, even from the button.
    prompts->expectMessage("半角で4桁の西暦", Prompts::vbOK);
    resist(w, pages.write("bad.htm", "x"), "99", 0);
    prompts->expectMessage("4桁", Prompts::vbOK);
    resist(w, pages.file("bad.htm"), "20055", 0);
    EXPECT_EQ(logRows().size(), 3);
    // No month chosen: nothing.
    resist(w, pages.file("bad.htm"), "2005", -1);
    EXPECT_EQ(logRows().size(), 3);
}

TEST_F(LogRegistryTest, ANameTheServerCannotHoldIsRefused) {
    frmResistLogs w;
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("「200501〜.htm」はサーバーに送れない文字（〜）を含んでいます。"), Prompts::vbOK,
                     Prompts::vbCritical);
    resist(w, pages.write("200501〜.htm", "jan"), "2005", 1);
    EXPECT_TRUE(logRows().isEmpty());
    EXPECT_FALSE(inSite("200501〜.htm") || inData("200501〜.htm"));
}

TEST_F(LogRegistryTest, RemovesTheRowThenOffersTheCopies) {
    data.write("RaravLog/a.htm", "a");
    site.write("RaravLog/a.htm", "a");
    data.write("RaravLog/b.htm", "b");
    {
        Database db(databasePath());
        db.exec("INSERT INTO LogDB (LogMonth, LogFileName) VALUES ('2005/01', 'a.htm'), ('2005/02', 'b.htm')");
    }
    frmResistLogs w;
    ScopedPrompts prompts;
    prompts->expectMessage("本当に削除しますか？", Prompts::vbYes)
        .expectMessage("ファイルも削除しますか？", Prompts::vbNo);
    w.ResisterdList->setCurrentRow(1);  // 2005/01 : a.htm
    w.BtnDelete_Click();
    EXPECT_EQ(listed(w), QStringList{"2005/02 : b.htm"});
    EXPECT_TRUE(inData("a.htm") && inSite("a.htm"));

    prompts->expectMessage("本当に削除しますか？", Prompts::vbYes)
        .expectMessage("ファイルも削除しますか？", Prompts::vbYes)
        .expectMessage("本当に削除しますか？", Prompts::vbYes)
        .expectMessage("ファイルがありませんでした。", Prompts::vbOK);
    w.ResisterdList->setCurrentRow(0);
    w.BtnDelete_Click();
    EXPECT_FALSE(inData("b.htm"));
    EXPECT_TRUE(logRows().isEmpty());
    ASSERT_EQ(prompts->shown.size(), 6);
}

// A row another program wrote with a path for its name names no copy in the
// log folders: removing it deletes nothing outside them, and no file is
// offered for deletion.
TEST_F(LogRegistryTest, RemovingARowNamedByAPathDeletesNoFileOutsideTheLogFolders) {
    data.write("outside.htm", "a page of the data folder");
    site.write("outside.htm", "a page of the site folder");
    Database(databasePath()).exec("INSERT INTO LogDB (LogMonth, LogFileName) VALUES ('2005/03', '../outside.htm')");
    frmResistLogs w;
    ScopedPrompts prompts;
    prompts->expectMessage("本当に削除しますか？", Prompts::vbYes);
    w.ResisterdList->setCurrentRow(0);
    w.BtnDelete_Click();
    EXPECT_TRUE(logRows().isEmpty());
    EXPECT_EQ(data.read("outside.htm"), "a page of the data folder");
    EXPECT_EQ(site.read("outside.htm"), "a page of the site folder");
    EXPECT_EQ(prompts->shown.size(), 1) << prompts->shown.join('|').toStdString();
}
