#include "core/rarav_ini.h"
#include "tests/support/scripted_prompts.h"
#include "tests/writing/writing_fixture.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QToolButton>

namespace {

const QString kDay = QStringLiteral("2006/05/03");
const QString kSwitch = QStringLiteral("更新されていますが、保存されていません。");

using CalenderWindow = WritingWindowTest;

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
    return list;
}

TEST_F(CalenderWindow, DayWithoutEntriesShowsBlankEntryOne) {
    open();
    editor->txtExtend->setPlainText(QStringLiteral("left over"));
    click(2006, 5, 3);
    EXPECT_EQ(items(editor->ComboNumber), QStringList{QStringLiteral("1")});
    EXPECT_EQ(editor->ComboNumberTag, QStringLiteral("1"));
    EXPECT_EQ(editor->txtExtend->toPlainText(), QString());
    EXPECT_EQ(editor->ComboWeather->currentText(), QStringLiteral("-"));
    EXPECT_EQ(editor->ComboGenre->currentText(), QStringLiteral("一般"));
    EXPECT_EQ(editor->ComboPrivate->currentIndex(), 0);
    EXPECT_TRUE(editor->txtTitle->isEnabled());
    EXPECT_FALSE(editor->ChangeYesNo);
    EXPECT_EQ(rows(kDay).size(), 0);
}

TEST_F(CalenderWindow, DayWithEntriesShowsTheHighestWithNullDefaults) {
    for (int n = 1; n <= 3; ++n) addRow(kDay, n, QStringLiteral("t%1").arg(n), QStringLiteral("c\r\n%1").arg(n));
    {
        Database db(Shell::state().databasePath());
        db.exec(QStringLiteral("UPDATE Contents SET Weather = NULL, Genre = NULL, Extend = NULL, Private = 1 "
                               "WHERE Number = 3"));
        db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title) VALUES ('2004/05/03', 1, 'old')"));
    }
    open();
    click(2006, 5, 3);
    EXPECT_EQ(items(editor->ComboNumber), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(editor->ComboNumber->currentText(), QStringLiteral("3"));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("2006/05/03分の日記[3/3]"));
    EXPECT_EQ(editor->txtTitle->text(), QStringLiteral("t3"));
    EXPECT_EQ(editor->txtContents->toPlainText(), QStringLiteral("c\n3"));
    EXPECT_EQ(editor->ComboWeather->currentText(), QStringLiteral("-"));
    EXPECT_EQ(editor->ComboGenre->currentText(), QStringLiteral("一般"));
    EXPECT_EQ(editor->ComboPrivate->currentText(), QStringLiteral("非公開"));
    EXPECT_FALSE(editor->picPrevRaravExist->isHidden());
    EXPECT_TRUE(editor->picPrevRaravExistNone->isHidden());
    click(2006, 5, 4);
    EXPECT_TRUE(editor->picPrevRaravExist->isHidden());
}

TEST_F(CalenderWindow, DateClickQuestionAnsweredBothWays) {
    open();
    click(2006, 5, 3);
    editor->txtTitle->setText(QStringLiteral("dropped"));
    {
        ScopedPrompts p;
        p->expectMessage(kSwitch, Prompts::vbNo, Prompts::vbYesNo);
        click(2006, 5, 4);
    }
    EXPECT_EQ(rows(kDay).size(), 0);
    EXPECT_EQ(Shell::state().EnterDay, QStringLiteral("2006/05/04"));
    editor->txtTitle->setText(QStringLiteral("kept"));
    {
        ScopedPrompts p;
        p->expectMessage(kSwitch, Prompts::vbYes);
        click(2006, 5, 3);
    }
    EXPECT_EQ(titles(QStringLiteral("2006/05/04")), QStringList{QStringLiteral("1:kept")});
    EXPECT_EQ(Shell::state().EnterDay, kDay);
}

TEST_F(CalenderWindow, NewEntryAddsANumberWithoutWriting) {
    addRow(kDay, 1, QStringLiteral("a"));
    addRow(kDay, 2, QStringLiteral("b"));
    open();
    click(2006, 5, 3);
    calender->Btn_New_Click();
    EXPECT_EQ(items(editor->ComboNumber), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(editor->ComboNumber->currentText(), QStringLiteral("3"));
    EXPECT_EQ(editor->txtTitle->text(), QString());
    EXPECT_EQ(rows(kDay).size(), 2);
    editor->txtTitle->setText(QStringLiteral("c"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    EXPECT_EQ(titles(kDay), (QStringList{"1:a", "2:b", "3:c"}));

    // On a day without entries it is a click on that day.
    click(2006, 5, 4);
    calender->Btn_New_Click();
    EXPECT_EQ(items(editor->ComboNumber), QStringList{"1"});

    Shell::state().EnterDay.clear();
    calender->Btn_New_Click();
    EXPECT_EQ(status.last(), QStringLiteral("日付が選択されていないため日記の作成を中止しました。"));
}

TEST_F(CalenderWindow, DeleteRemovesTheShownEntryAndRenumbers) {
    addRow(kDay, 1, QStringLiteral("a"));
    addRow(kDay, 2, QStringLiteral("b"));
    addRow(kDay, 3, QStringLiteral("c"));
    open();
    click(2006, 5, 3);
    pickNumber(2);
    {
        ScopedPrompts p;
        p->expectMessage(QStringLiteral("2006/05/03の2番目の日記を削除します。"), Prompts::vbNo, Prompts::vbYesNo);
        calender->Btn_Delete_Click();
    }
    EXPECT_EQ(status.last(), QStringLiteral("日記の削除を中止しました。"));
    EXPECT_EQ(rows(kDay).size(), 3);

    // The month calendar moved by keyboard: the shown entry's day still counts.
    calender->Calender->setSelectedDate(QDate(2006, 5, 10));
    {
        ScopedPrompts p;
        p->expectMessage(QStringLiteral("2006/05/03の2番目"), Prompts::vbYes);
        calender->Btn_Delete_Click();
    }
    EXPECT_EQ(titles(kDay), (QStringList{"1:a", "2:c"}));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("日記作成"));
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(navigated, QStringList{Shell::state().DataPath + QStringLiteral("Preview/tmp.htm#2006/05/03")});
    EXPECT_EQ(status.last(), QStringLiteral("2006/05/03の日記を削除しました。"));

    ScopedPrompts p;
    p->expectMessage(QStringLiteral("削除する日記が選択されていないので、削除を中止します。"));
    calender->Btn_Delete_Click();
}

// An empty genre is a genre of its own (the pages show no genre name for it,
// and the genre list offers it as an empty line): an entry that holds one
// shows it, and an edit of its body keeps it.
TEST_F(CalenderWindow, AnEmptyGenreIsShownAndKept) {
    tmp.writeText(QStringLiteral("data/Genre.csv"), QStringLiteral("一般\r\n旅行\r\n"));
    {
        Database db(Shell::state().databasePath());
        db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Genre) VALUES (?, 1, 't', '')"), {kDay});
    }
    open();
    click(2006, 5, 3);
    EXPECT_EQ(editor->ComboGenre->currentText(), QString());
    typeText(editor->txtContents, QStringLiteral("x"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    Database db(Shell::state().databasePath());
    const QVariant genre = db.scalar(QStringLiteral("SELECT Genre FROM Contents WHERE Day = ?"), {kDay});
    EXPECT_FALSE(genre.isNull());
    EXPECT_EQ(genre.toString(), QString());

    // A new entry still starts with the list's first genre.
    calender->Btn_New_Click();
    EXPECT_EQ(editor->ComboGenre->currentText(), QStringLiteral("一般"));
}

// Another program (here the sqlite3 shell) that leaves Number to its default
// stores every entry of a day as number 1. Deleting the entry shown under
// that number removes that one alone; the others are numbered on and so
// come within reach.
TEST_F(CalenderWindow, DeleteOfADoubledNumberRemovesOnlyTheShownEntry) {
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"),
                {QStringLiteral("-bail"), Shell::state().databasePath(),
                 QStringLiteral("INSERT INTO Contents (Day, Title) VALUES ('2006/05/03', 'a'), ('2006/05/03', 'b'), "
                                "('2006/05/03', 'c');")});
    ASSERT_TRUE(shell.waitForFinished(30000));
    ASSERT_EQ(shell.exitCode(), 0);
    ASSERT_EQ(titles(kDay), (QStringList{"1:a", "1:b", "1:c"}));
    open();
    click(2006, 5, 3);
    ASSERT_EQ(editor->ComboNumber->currentText(), QStringLiteral("1"));
    ASSERT_EQ(editor->txtTitle->text(), QStringLiteral("a"));
    {
        ScopedPrompts p;
        p->expectMessage(QStringLiteral("2006/05/03の1番目の日記を削除します。"), Prompts::vbYes);
        calender->Btn_Delete_Click();
    }
    EXPECT_EQ(titles(kDay), (QStringList{"1:b", "2:c"}));
}

TEST_F(CalenderWindow, BlogRowListsDescriptionsAndKeepsTheChoice) {
    tmp.write(QStringLiteral("data/BlogTemplate/Hatena.ini"), "");
    tmp.write(QStringLiteral("data/BlogTemplate/ameba.INI"), "");
    tmp.write(QStringLiteral("data/BlogTemplate/readme.txt"), "");
    open();
    EXPECT_EQ(items(calender->cmbBlog), (QStringList{"ameba", "Hatena"}));
    EXPECT_EQ(calender->cmbBlog->currentText(), QStringLiteral("mixi"));
    EXPECT_EQ(items(calender->cmbBlogAction), (QStringList{"投稿", "閲覧", "管理"}));
    EXPECT_EQ(calender->Btn_BlogControl->toolTip(), QStringLiteral("mixiに投稿します"));
    calender->cmbBlog->setEditText(QStringLiteral("Hatena"));
    calender->cmbBlogAction->setCurrentIndex(2);
    calender->cmbBlogAction_Click();
    EXPECT_EQ(calender->Btn_BlogControl->toolTip(), QStringLiteral("Hatenaの管理画面を開きます"));
    // Each action hands the chosen blog to the main window's blog commands.
    QStringList calls;
    auto& h = Shell::hooks();
    h.postBlog = [&](const QString& blog) { calls << QStringLiteral("post ") + blog; };
    h.viewBlog = [&](const QString& blog) { calls << QStringLiteral("view ") + blog; };
    h.blogManagement = [&](const QString& blog) { calls << QStringLiteral("manage ") + blog; };
    for (int action : {2, 0, 1}) {
        calender->cmbBlogAction->setCurrentIndex(action);
        calender->Btn_BlogControl_Click();
    }
    EXPECT_EQ(calls, (QStringList{"manage Hatena", "post Hatena", "view Hatena"}));
    calender->Form_Unload();
    EXPECT_EQ(RaravIni::read(Shell::state().RaravIniFile, RaravIni::CalenderBlog), QStringLiteral("Hatena"));
}

}  // namespace

namespace {

// Numbers another program wrote that the number list cannot name: the entry
// the calendar shows is the one its save changes and its deletion removes.
TEST_F(CalenderWindow, AnEntryWithANumberOutsideTheListIsSavedAndDeletedItself) {
    const char* const numbers[] = {"0", "-2", "'x'", "2.5", "20060503123456"};
    for (const char* number : numbers) {
        SCOPED_TRACE(number);
        {
            Database db(Shell::state().databasePath());
            db.exec(QStringLiteral("DELETE FROM Contents"));
            db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title) VALUES ('2006/05/03', %1, 'odd')")
                        .arg(QLatin1String(number)));
        }
        open();
        click(2006, 5, 3);
        ASSERT_EQ(editor->txtTitle->text(), QStringLiteral("odd"));
        editor->txtTitle->setText(QStringLiteral("edited"));
        ASSERT_TRUE(editor->Btn1Click_ToolBar());
        ASSERT_EQ(rows(kDay).size(), 1);
        EXPECT_EQ(rows(kDay).text(0, QStringLiteral("Title")), QStringLiteral("edited"));
        {
            ScopedPrompts p;
            p->expectMessage(QStringLiteral("番目の日記を削除します。"), Prompts::vbYes);
            calender->Btn_Delete_Click();
        }
        EXPECT_EQ(rows(kDay).size(), 0);
        delete calender;
        calender = nullptr;
    }
}

// The entry shown is deleted, not the row that has taken its number since
// another program deleted it and numbered the day anew; nor one that took the
// number of a new entry not yet saved.
TEST_F(CalenderWindow, DeleteLeavesARowThatTookTheShownNumber) {
    addRow(kDay, 1, QStringLiteral("a"));
    addRow(kDay, 2, QStringLiteral("b"));
    addRow(kDay, 3, QStringLiteral("c"));
    open();
    click(2006, 5, 3);
    pickNumber(2);
    Database(Shell::state().databasePath())
        .execScript(QStringLiteral("DELETE FROM Contents WHERE Number = 2; UPDATE Contents SET Number = 2 WHERE Number = 3;"));
    {
        ScopedPrompts p;
        p->expectMessage(QStringLiteral("2006/05/03の2番目の日記を削除します。"), Prompts::vbYes);
        calender->Btn_Delete_Click();
    }
    EXPECT_EQ(titles(kDay), (QStringList{"1:a", "2:c"}));

    click(2006, 5, 3);
    calender->Btn_New_Click();
    addRow(kDay, 3, QStringLiteral("imported"));
    {
        ScopedPrompts p;
        p->expectMessage(QStringLiteral("2006/05/03の3番目の日記を削除します。"), Prompts::vbYes);
        calender->Btn_Delete_Click();
    }
    EXPECT_EQ(titles(kDay), (QStringList{"1:a", "2:c", "3:imported"}));
}

}  // namespace

namespace {

// A number far above the day's others (a plug-in that numbers by date or by
// an id of its own) is listed as itself: the list ran from 1 to it, which
// for 20060503 filled the box with twenty million items, and for the
// largest numbers never ended.
TEST_F(CalenderWindow, ANumberFarAboveTheOthersIsListedAsItself) {
    addRow(kDay, 1, QStringLiteral("a"));
    addRow(kDay, 1000000, QStringLiteral("far"));
    open();
    click(2006, 5, 3);
    EXPECT_EQ(items(editor->ComboNumber), (QStringList{"1", "2", "1000000"}));
    EXPECT_EQ(editor->txtTitle->text(), QStringLiteral("far"));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("2006/05/03分の日記[1000000/1000000]"));
    pickNumber(1);
    EXPECT_EQ(editor->txtTitle->text(), QStringLiteral("a"));

    calender->Btn_New_Click();
    EXPECT_EQ(items(editor->ComboNumber), (QStringList{"1", "2", "1000000", "1000001"}));
    EXPECT_EQ(editor->ComboNumber->currentText(), QStringLiteral("1000001"));
    editor->txtTitle->setText(QStringLiteral("new"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    EXPECT_EQ(titles(kDay), (QStringList{"1:a", "1000000:far", "1000001:new"}));
}

}  // namespace
