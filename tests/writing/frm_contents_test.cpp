#include "platform/codepage.h"
#include "platform/field_text.h"
#include "platform/prompts.h"
#include "tests/support/scripted_prompts.h"
#include "tests/writing/writing_fixture.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QToolButton>
#include <malloc.h>

namespace {

const QString kDay = QStringLiteral("2006/05/03");
const QString kSwitch = QStringLiteral("更新されていますが、保存されていません。");
const QString kTitleMissing = QStringLiteral("タイトルを入力してください！");
const QString kError = QStringLiteral("エラーが発生しました。");

using ContentsWindow = WritingWindowTest;

void select(QPlainTextEdit* field, int from, int to) {
    QTextCursor c = field->textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    field->setTextCursor(c);
}

TEST_F(ContentsWindow, OpensWithNoEntryAndBuildsTheGenreList) {
    open();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("日記作成"));
    EXPECT_FALSE(editor->txtTitle->isEnabled());
    for (int b : {1, 2, 4, 5, 6}) EXPECT_FALSE(editor->toolbarButton(b)->isEnabled()) << b;
    EXPECT_EQ(editor->toolbarButton(1)->objectName(), QStringLiteral("SaveToMDBOnly"));
    EXPECT_EQ(editor->ComboTag->count(), 20);
    EXPECT_EQ(editor->ComboGenre->itemText(0), QStringLiteral("一般"));
    EXPECT_TRUE(Files::exists(Shell::state().DataPath + QStringLiteral("Genre.csv")));
    EXPECT_FALSE(editor->ChangeYesNo);
}

TEST_F(ContentsWindow, WriteSaveAndReload) {
    open();
    click(2006, 5, 3);
    EXPECT_EQ(Shell::state().EnterDay, kDay);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("2006/05/03分の日記[1/1]"));
    editor->txtTitle->setText(QStringLiteral("題"));
    typeText(editor->txtContents, QStringLiteral("ab"));
    pressKey(editor->txtContents, Qt::Key_Return);
    typeText(editor->txtContents, QStringLiteral("c"));
    editor->ComboWeather->setCurrentIndex(1);
    editor->ComboPrivate->setCurrentIndex(1);
    EXPECT_TRUE(editor->ChangeYesNo);
    EXPECT_TRUE(editor->toolbarButton(1)->isEnabled());
    EXPECT_TRUE(editor->Btn1Click_ToolBar());

    EXPECT_FALSE(editor->ChangeYesNo);
    EXPECT_FALSE(editor->toolbarButton(1)->isEnabled());
    EXPECT_EQ(status.last(), QStringLiteral("2006/05/03の日記を保存しました。"));
    Recordset rs = rows(kDay);
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.integer(0, QStringLiteral("Number")), 1);
    EXPECT_EQ(rs.text(0, QStringLiteral("Contents")), QStringLiteral("ab\r\nc"));
    EXPECT_EQ(rs.text(0, QStringLiteral("PublishTime")), QStringLiteral("2006/05/03 12:34:56"));

    click(2006, 5, 4);
    EXPECT_EQ(editor->txtTitle->text(), QString());
    click(2006, 5, 3);
    EXPECT_EQ(editor->txtTitle->text(), QStringLiteral("題"));
    EXPECT_EQ(editor->txtContents->toPlainText(), QStringLiteral("ab\nc"));
    EXPECT_EQ(editor->ComboWeather->currentText(), QStringLiteral("晴"));
    EXPECT_EQ(editor->ComboPrivate->currentText(), QStringLiteral("非公開"));
    EXPECT_FALSE(editor->ChangeYesNo);

    // A second save updates the row and its time.
    Clock::set(QDateTime(QDate(2006, 5, 5), QTime(1, 2, 3)));
    editor->txtTitle->setText(QStringLiteral("題2"));
    pressKey(editor->txtTitle, Qt::Key_U, Qt::ControlModifier);
    rs = rows(kDay);
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, QStringLiteral("Title")), QStringLiteral("題2"));
    EXPECT_EQ(rs.text(0, QStringLiteral("PublishTime")), QStringLiteral("2006/05/05 01:02:03"));
}

TEST_F(ContentsWindow, SwitchingEntriesAsksToSave) {
    addRow(kDay, 1, QStringLiteral("one"), QStringLiteral("body1"));
    addRow(kDay, 2, QStringLiteral("two"), QStringLiteral("body2"));
    open();
    click(2006, 5, 3);
    EXPECT_EQ(editor->txtTitle->text(), QStringLiteral("two"));
    pickNumber(1);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("2006/05/03分の日記[1/2]"));

    {  // Yes: entry 1 keeps the edits, entry 2 is shown as stored.
        ScopedPrompts p;
        p->expectMessage(kSwitch, Prompts::vbYes, Prompts::vbYesNo);
        editor->txtTitle->setText(QStringLiteral("one edited"));
        pickNumber(2);
        EXPECT_EQ(titles(kDay), (QStringList{QStringLiteral("1:one edited"), QStringLiteral("2:two")}));
        EXPECT_EQ(editor->txtTitle->text(), QStringLiteral("two"));
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("2006/05/03分の日記[2/2]"));
        EXPECT_FALSE(editor->ChangeYesNo);
    }
    {  // No: the edits are dropped.
        ScopedPrompts p;
        p->expectMessage(kSwitch, Prompts::vbNo);
        editor->txtTitle->setText(QStringLiteral("two edited"));
        pickNumber(1);
        EXPECT_EQ(titles(kDay), (QStringList{QStringLiteral("1:one edited"), QStringLiteral("2:two")}));
        EXPECT_EQ(editor->txtContents->toPlainText(), QStringLiteral("body1"));
        EXPECT_FALSE(editor->ChangeYesNo);
    }
    {  // Yes with an empty title: nothing stored, and the editor stays.
        ScopedPrompts p;
        p->expectMessage(kSwitch, Prompts::vbYes).expectMessage(kTitleMissing);
        editor->txtTitle->clear();
        editor->txtContents->setPlainText(QStringLiteral("kept"));
        pickNumber(2);
        EXPECT_EQ(editor->ComboNumber->currentText(), QStringLiteral("1"));
        EXPECT_EQ(editor->txtContents->toPlainText(), QStringLiteral("kept"));
        EXPECT_TRUE(editor->ChangeYesNo);
        EXPECT_EQ(titles(kDay), (QStringList{QStringLiteral("1:one edited"), QStringLiteral("2:two")}));
    }
}

TEST_F(ContentsWindow, EmptyTitleIsRefusedAndBlanksPass) {
    open();
    click(2006, 5, 3);
    editor->txtContents->setPlainText(QStringLiteral("x"));
    {
        ScopedPrompts p;
        p->expectMessage(kTitleMissing, Prompts::vbOK, Prompts::vbCritical);
        EXPECT_FALSE(editor->Btn1Click_ToolBar());
    }
    EXPECT_TRUE(editor->ChangeYesNo);
    EXPECT_TRUE(editor->toolbarButton(1)->isEnabled());
    EXPECT_EQ(rows(kDay).size(), 0);
    editor->txtTitle->setText(QStringLiteral("  "));
    EXPECT_TRUE(editor->Btn1Click_ToolBar());
    EXPECT_EQ(rows(kDay).size(), 1);
}

TEST_F(ContentsWindow, FailedSaveKeepsTheRowAndTheEdits) {
    addRow(kDay, 1, QStringLiteral("stored"), QStringLiteral("old"));
    open();
    click(2006, 5, 3);
    refuseWrites();
    editor->txtTitle->setText(QStringLiteral("new title"));
    editor->txtContents->setPlainText(QStringLiteral("new body"));
    {
        ScopedPrompts p;
        p->expectMessage(kError, Prompts::vbOK, Prompts::vbInformation);
        EXPECT_FALSE(editor->Btn1Click_ToolBar());
        // The design's text, then the reason the database gave.
        ASSERT_EQ(p->shown.size(), 1);
        EXPECT_TRUE(p->shown[0].startsWith(QStringLiteral("エラーが発生しました。速やかに作者に問い合わせて下さい。\r\n")));
        EXPECT_TRUE(p->shown[0].endsWith(QStringLiteral("read-only"))) << p->shown[0].toStdString();
    }
    EXPECT_TRUE(editor->ChangeYesNo);
    EXPECT_EQ(editor->txtContents->toPlainText(), QStringLiteral("new body"));
    const Recordset rs = rows(kDay);
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, QStringLiteral("Title")), QStringLiteral("stored"));
    EXPECT_EQ(rs.text(0, QStringLiteral("Contents")), QStringLiteral("old"));
    {  // The day click's Yes fails too: the editor stays on the day.
        ScopedPrompts p;
        p->expectMessage(kSwitch, Prompts::vbYes).expectMessage(kError);
        click(2006, 5, 4);
    }
    EXPECT_EQ(Shell::state().EnterDay, kDay);
    EXPECT_EQ(editor->txtTitle->text(), QStringLiteral("new title"));
}

TEST_F(ContentsWindow, SavedGenresExtendTheList) {
    open();
    click(2006, 5, 3);
    editor->txtTitle->setText(QStringLiteral("t"));
    editor->ComboGenre->setCurrentText(QStringLiteral("旅行"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    EXPECT_EQ(editor->ComboGenre->currentText(), QStringLiteral("旅行"));
    EXPECT_FALSE(editor->ChangeYesNo);
    EXPECT_EQ(editor->ComboGenre->count(), 2);
    EXPECT_EQ(editor->ComboGenre->itemText(1), QStringLiteral("旅行"));
    EXPECT_EQ(tmp.read(QStringLiteral("data/Genre.csv")), Codepage::fromUnicode(QStringLiteral("一般\r\n旅行\r\n")));
}

TEST_F(ContentsWindow, UndoAndRedoInEachField) {
    open();
    click(2006, 5, 3);
    editor->txtTitle->setText(QStringLiteral("t"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    QPlainTextEdit* fields[] = {editor->txtContents, editor->txtExtend, editor->txtExcerpt};
    for (int tab = 0; tab < 3; ++tab) {
        editor->TabStrip1->setCurrentIndex(tab);
        QPlainTextEdit* f = fields[tab];
        typeText(f, QStringLiteral("abc"));
        editor->ChangeYesNo = false;
        // The title has nothing to do with it: commands follow the tab.
        editor->mnuUndo_Click();
        EXPECT_EQ(f->toPlainText(), QStringLiteral("ab"));
        EXPECT_EQ(f->textCursor().position(), 2);
        EXPECT_FALSE(f->textCursor().hasSelection());
        EXPECT_TRUE(editor->ChangeYesNo);
        pressKey(f, Qt::Key_Z, Qt::ControlModifier);
        editor->mnuUndo_Click();
        EXPECT_EQ(f->toPlainText(), QString());
        editor->mnuUndo_Click();
        EXPECT_EQ(f->toPlainText(), QString());
        for (int i = 0; i < 4; ++i) pressKey(f, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(f->toPlainText(), QStringLiteral("abc"));
        // Undo twice, type, undo: the text from before the two undos.
        editor->mnuUndo_Click();
        editor->mnuUndo_Click();
        typeText(f, QStringLiteral("X"));
        EXPECT_EQ(f->toPlainText(), QStringLiteral("aX"));
        editor->mnuUndo_Click();
        EXPECT_EQ(f->toPlainText(), QStringLiteral("abc")) << tab;
    }
    // Ctrl+Shift+Z is no undo; the other fields kept their text.
    EXPECT_EQ(editor->txtContents->toPlainText(), QStringLiteral("abc"));
    editor->InitUndoRedo();
    editor->mnuUndo_Click();
    editor->mnuRedo_Click();
    EXPECT_EQ(editor->txtExcerpt->toPlainText(), QStringLiteral("abc"));
}

TEST_F(ContentsWindow, EnterKeysInsertTags) {
    open();
    click(2006, 5, 3);
    QPlainTextEdit* f = editor->txtContents;
    typeText(f, QStringLiteral("a"));
    pressKey(f, Qt::Key_Return, Qt::ShiftModifier);
    pressKey(f, Qt::Key_Return, Qt::ControlModifier);
    pressKey(f, Qt::Key_Enter, Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_EQ(f->toPlainText(), QStringLiteral("a<BR>\n<P></P>\n\n"));
    EXPECT_TRUE(editor->ChangeYesNo);
}

TEST_F(ContentsWindow, TagsAndLinksGoToTheSelectedTab) {
    tmp.writeText(QStringLiteral("rarav.ini"), QStringLiteral("[RaravEditer]\r\nP_TagAdd=class=x\r\n"));
    open();
    click(2006, 5, 3);
    editor->TabStrip1->setCurrentIndex(1);
    editor->txtExtend->setPlainText(QStringLiteral("abc"));
    select(editor->txtExtend, 0, 3);
    editor->ComboTag->setCurrentIndex(2);
    editor->cToolbar_ButtonClick(QStringLiteral("InsertTag"));
    EXPECT_EQ(editor->txtExtend->toPlainText(), QStringLiteral("<B>abc</B>"));
    EXPECT_EQ(editor->txtExtend->textCursor().position(), 10);
    EXPECT_FALSE(editor->txtExtend->textCursor().hasSelection());
    editor->InsertHtmlTag(1);
    EXPECT_EQ(editor->txtExtend->toPlainText(), QStringLiteral("<B>abc</B><P class=x></P>"));

    editor->txtExtend->clear();
    browserAddress = QStringLiteral("http://example.jp/a");
    editor->Btn2Click_ToolBar();
    editor->txtExtend->insertPlainText(QStringLiteral(" "));
    browserAddress.clear();
    editor->txtExtend->insertPlainText(QStringLiteral("txt"));
    select(editor->txtExtend, int(editor->txtExtend->toPlainText().size()) - 3, int(editor->txtExtend->toPlainText().size()));
    editor->Btn2Click_ToolBar();
    EXPECT_EQ(editor->txtExtend->toPlainText(),
              QStringLiteral("<A HREF=\"http://example.jp/a\"></A> <A HREF=\"\">txt</A>"));
    EXPECT_EQ(editor->txtContents->toPlainText(), QString());
}

TEST_F(ContentsWindow, ClipboardCommandsOnEachTab) {
    open();
    click(2006, 5, 3);
    QClipboard* cb = QGuiApplication::clipboard();
    QPlainTextEdit* fields[] = {editor->txtContents, editor->txtExtend, editor->txtExcerpt};
    for (int tab = 0; tab < 3; ++tab) {
        editor->TabStrip1->setCurrentIndex(tab);
        QPlainTextEdit* f = fields[tab];
        f->setPlainText(QStringLiteral("hello world"));
        select(f, 6, 11);
        editor->Copy();
        EXPECT_EQ(cb->text(), QStringLiteral("world"));
        editor->Cut();
        EXPECT_EQ(f->toPlainText(), QStringLiteral("hello "));
        editor->Paste();
        EXPECT_EQ(f->toPlainText(), QStringLiteral("hello world"));

        cb->setText(QStringLiteral("xy"));
        select(f, 0, 5);
        editor->InsertFromCB_Text();
        EXPECT_EQ(f->toPlainText(), QStringLiteral("xyhello world"));
        EXPECT_FALSE(f->textCursor().hasSelection());
        select(f, 2, 7);
        editor->Paste();
        EXPECT_EQ(f->toPlainText(), QStringLiteral("xyxy world"));

        cb->setText(QStringLiteral("a\nb\n\nc"));
        f->clear();
        editor->InsertFromCB_Exchange();
        EXPECT_EQ(f->toPlainText(), QStringLiteral("<P>a<BR>\nb</P>\n<P>c</P>")) << tab;

        // No text on the clipboard: paste keeps the selection.
        cb->setImage(QImage(2, 2, QImage::Format_RGB32));
        f->setPlainText(QStringLiteral("keep"));
        select(f, 0, 4);
        editor->Paste();
        EXPECT_EQ(f->toPlainText(), QStringLiteral("keep"));
        // Copy with nothing selected empties the clipboard.
        select(f, 1, 1);
        editor->Copy();
        EXPECT_EQ(cb->text(), QString());
    }
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("クリップボードのデータが適切な形式ではありません。"), Prompts::vbOK,
                     Prompts::vbCritical);
    cb->clear();
    editor->InsertFromCB_Text();
    EXPECT_EQ(editor->txtExcerpt->toPlainText(), QStringLiteral("keep"));
}

TEST_F(ContentsWindow, FocusEnablesTheInsertCommands) {
    open();
    click(2006, 5, 3);
    editor->richField_GotFocus();
    EXPECT_FALSE(editor->toolbarButton(4)->isEnabled());
    editor->txtTitle->setText(QStringLiteral("t"));
    editor->toolbarButton(1)->setEnabled(false);
    editor->richField_GotFocus();
    for (int b : {1, 2, 4, 5, 6}) EXPECT_TRUE(editor->toolbarButton(b)->isEnabled()) << b;
    EXPECT_TRUE(editor->ComboTag->isEnabled());
    editor->txtTitle_GotFocus();
    EXPECT_FALSE(editor->toolbarButton(6)->isEnabled());
    EXPECT_FALSE(editor->ComboTag->isEnabled());
}

TEST_F(ContentsWindow, ChangesWhileLoadingMarkNothingButTheTitleTip) {
    open();
    click(2006, 5, 3);
    editor->Loading = true;
    editor->txtTitle->setText(QStringLiteral("tip"));
    editor->txtContents->setPlainText(QStringLiteral("x"));
    editor->Loading = false;
    EXPECT_FALSE(editor->ChangeYesNo);
    EXPECT_EQ(editor->txtTitle->toolTip(), QStringLiteral("tip"));
    editor->mnuUndo_Click();
    EXPECT_EQ(editor->txtContents->toPlainText(), QStringLiteral("x"));
    // Typing a genre is a change like any other.
    editor->ComboGenre->lineEdit()->setText(QStringLiteral("旅"));
    EXPECT_TRUE(editor->ChangeYesNo);
}

TEST_F(ContentsWindow, PreviewSavesThenShowsTheDay) {
    open();
    click(2006, 5, 3);
    editor->txtContents->setPlainText(QStringLiteral("x"));
    {
        ScopedPrompts p;
        p->expectMessage(kTitleMissing);
        editor->cToolbar_ButtonClick(QStringLiteral("SaveToMDB"));
    }
    EXPECT_EQ(rows(kDay).size(), 0);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(navigated, QStringList{Shell::state().DataPath + QStringLiteral("Preview/tmp.htm#2006/05/03")});
    EXPECT_EQ(status.last(), QStringLiteral("Webページ表示中..."));
}

TEST_F(ContentsWindow, CloseAsksOnceAndStaysWhenTheSaveFails) {
    open();
    click(2006, 5, 3);
    editor->txtContents->setPlainText(QStringLiteral("x"));
    {
        ScopedPrompts p;
        p->expectMessage(QStringLiteral("変更されています。保存しますか？"), Prompts::vbYes).expectMessage(kTitleMissing);
        EXPECT_FALSE(editor->close());
    }
    EXPECT_EQ(editor->txtContents->toPlainText(), QStringLiteral("x"));
    {
        ScopedPrompts p;
        p->expectMessage(QStringLiteral("変更されています。保存しますか？"), Prompts::vbNo);
        EXPECT_TRUE(editor->close());
    }
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("日記作成"));
    EXPECT_FALSE(editor->ChangeYesNo);
    EXPECT_TRUE(editor->close());
}

TEST_F(ContentsWindow, SecretKeyShowsItsMessage) {
    open();
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("ｷﾀ━━━━━━(ﾟ∀ﾟ)━━━━━━!!"), Prompts::vbOK, Prompts::vbInformation);
    pressKey(editor->ComboWeather, Qt::Key_0, Qt::ControlModifier | Qt::AltModifier);
    pressKey(editor->ComboWeather, Qt::Key_0, Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier);
}

}  // namespace

namespace {

TEST_F(ContentsWindow, FailedGenreRebuildLeavesChangeTrackingOn) {
    tmp.writeText(QStringLiteral("data/Genre.csv"), QStringLiteral("一般\r\n旅行\r\n"));
    open();
    click(2006, 5, 3);
    QFile::remove(Shell::state().databasePath());
    EXPECT_THROW(editor->MakeGenretxt(), RuntimeError);
    EXPECT_FALSE(editor->Loading);
    EXPECT_EQ(editor->ComboGenre->count(), 2);
    editor->txtTitle->setText(QStringLiteral("t"));
    EXPECT_TRUE(editor->ChangeYesNo);
}

}  // namespace

namespace {

// Text pasted from web pages and other programs carries no-break spaces and
// line separators; an edit elsewhere in the entry, an undo, or an entry
// started from a memo keeps each of them, and the characters that CP932
// holds one way only, exactly as stored.
TEST_F(ContentsWindow, EveryCharacterOfTheFieldsIsStoredAsItStood) {
    const QString odd = QStringLiteral("a\u00A0b\u2028c〜¥−🍣\tz\u3000");
    {
        Database db(Shell::state().databasePath());
        db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents, Extend, Excerpt, Weather, Genre) "
                               "VALUES (?, 1, ?, ?, ?, ?, ?, ?)"),
                {kDay, QStringLiteral("題") + odd, odd + QStringLiteral("\r\n2"), QStringLiteral("x") + odd,
                 odd, QStringLiteral("🍣"), QStringLiteral("〜¥−🍣")});
    }
    open();
    click(2006, 5, 3);
    typeText(editor->txtContents, QStringLiteral("k"));
    editor->mnuUndo_Click();
    editor->txtTitle->setText(editor->txtTitle->text() + QStringLiteral("!"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    Database db(Shell::state().databasePath());
    const Recordset rs = db.query(
        QStringLiteral("SELECT Title, Contents, Extend, Excerpt, Weather, Genre FROM Contents WHERE Day = ?"), {kDay});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, QStringLiteral("Title")), QStringLiteral("題") + odd + QStringLiteral("!"));
    EXPECT_EQ(rs.text(0, QStringLiteral("Contents")), odd + QStringLiteral("\r\n2"));
    EXPECT_EQ(rs.text(0, QStringLiteral("Extend")), QStringLiteral("x") + odd);
    EXPECT_EQ(rs.text(0, QStringLiteral("Excerpt")), odd);
    EXPECT_EQ(rs.text(0, QStringLiteral("Weather")), QStringLiteral("🍣"));
    EXPECT_EQ(rs.text(0, QStringLiteral("Genre")), QStringLiteral("〜¥−🍣"));
}

}  // namespace

namespace {

// A genre is one line of the genre list: one pasted with a line break would
// split into other genres there and be appended again at every save, and the
// search could never choose it. The save is refused with a message and the
// edits stay.
TEST_F(ContentsWindow, AGenrePastedWithALineBreakIsRefused) {
    open();
    click(2006, 5, 3);
    const QByteArray listBefore = tmp.read(QStringLiteral("data/Genre.csv"));
    editor->txtTitle->setText(QStringLiteral("t"));
    QGuiApplication::clipboard()->setText(QStringLiteral("旅行\r\n食事"));
    editor->ComboGenre->lineEdit()->selectAll();
    editor->ComboGenre->lineEdit()->paste();
    {
        ScopedPrompts p;
        p->expectMessage(Prompts::kLineBreakRefused, Prompts::vbOK, Prompts::vbExclamation);
        EXPECT_FALSE(editor->Btn1Click_ToolBar());
    }
    EXPECT_EQ(rows(kDay).size(), 0);
    EXPECT_EQ(tmp.read(QStringLiteral("data/Genre.csv")), listBefore);
    EXPECT_TRUE(editor->ChangeYesNo);
    EXPECT_EQ(editor->ComboGenre->currentText(), QStringLiteral("旅行\r\n食事"));
}

}  // namespace

namespace {

// Another program (the sqlite3 shell, a plug-in) changes the day while one of
// its entries is open here. The save writes the row the fields were read
// from, wherever that row's number now is; it never writes into a row that
// has taken the shown number meanwhile. An entry whose row is gone, and a new
// one whose number another row has taken, are added under a free number,
// which the number box then shows.
TEST_F(ContentsWindow, ASaveWritesTheRowTheEntryWasReadFrom) {
    const auto otherProgram = [this](const QString& script) {
        Database(Shell::state().databasePath()).execScript(script);
    };
    addRow(kDay, 1, QStringLiteral("a"));
    addRow(kDay, 2, QStringLiteral("b"));
    addRow(kDay, 3, QStringLiteral("c"));
    open();
    click(2006, 5, 3);

    // Entry 2 deleted there and the day numbered anew: c is now number 2.
    pickNumber(2);
    otherProgram(QStringLiteral("DELETE FROM Contents WHERE Number = 2; UPDATE Contents SET Number = 2 WHERE Number = 3;"));
    editor->txtTitle->setText(QStringLiteral("b edited"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    EXPECT_EQ(titles(kDay), (QStringList{"1:a", "2:c", "3:b edited"}));
    EXPECT_EQ(editor->ComboNumber->currentText(), QStringLiteral("3"));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("2006/05/03分の日記[3/3]"));
    editor->txtTitle->setText(QStringLiteral("b again"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    EXPECT_EQ(titles(kDay), (QStringList{"1:a", "2:c", "3:b again"}));

    // The open entry renumbered there: its own row takes the edits.
    click(2006, 5, 3);
    otherProgram(QStringLiteral("DELETE FROM Contents WHERE Number = 1; UPDATE Contents SET Number = Number - 1;"));
    editor->txtTitle->setText(QStringLiteral("b moved"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    EXPECT_EQ(titles(kDay), (QStringList{"1:c", "2:b moved"}));

    // The open entry's text changed there: the later save stands, in that row.
    click(2006, 5, 3);
    otherProgram(QStringLiteral("UPDATE Contents SET Contents = 'theirs' WHERE Number = 2;"));
    editor->txtContents->setPlainText(QStringLiteral("mine"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    EXPECT_EQ(titles(kDay), (QStringList{"1:c", "2:b moved"}));
    EXPECT_EQ(rows(kDay).text(1, QStringLiteral("Contents")), QStringLiteral("mine"));

    // The table written anew there, every row under another rowid.
    click(2006, 5, 3);
    otherProgram(QStringLiteral("CREATE TEMP TABLE copied AS SELECT * FROM Contents ORDER BY Number DESC;"
                                "DELETE FROM Contents; INSERT INTO Contents SELECT * FROM copied;"));
    editor->txtTitle->setText(QStringLiteral("b kept"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    EXPECT_EQ(titles(kDay), (QStringList{"1:c", "2:b kept"}));

    // A new entry whose number an import takes before it is saved.
    calender->Btn_New_Click();
    ASSERT_EQ(editor->ComboNumber->currentText(), QStringLiteral("3"));
    otherProgram(QStringLiteral("INSERT INTO Contents (Day, Number, Title) VALUES ('2006/05/03', 3, 'imported');"));
    editor->txtTitle->setText(QStringLiteral("mine"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    EXPECT_EQ(titles(kDay), (QStringList{"1:c", "2:b kept", "3:imported", "4:mine"}));
    EXPECT_EQ(editor->ComboNumber->currentText(), QStringLiteral("4"));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("2006/05/03分の日記[4/4]"));
}

}  // namespace

namespace {

qint64 heapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return qint64(m.uordblks) + qint64(m.hblkhd);
}

// An entry of a few megabytes (a whole blog brought in by a plug-in): each
// keystroke kept another copy of the whole body for undo, so a paragraph
// typed into it took hundreds of megabytes and a longer session all the
// memory there was. Undo and redo still give back each text exactly.
TEST_F(ContentsWindow, TypingIntoALongEntryKeepsOnlyTheChanges) {
    QString body;
    for (int i = 0; body.size() < 2'000'000; ++i)
        body += QStringLiteral("%1行目の本文です。 no-break\u00a0space and more text to fill the line.\r\n").arg(i);
    addRow(kDay, 1, QStringLiteral("long"), body);
    open();
    click(2006, 5, 3);
    const QString shown = FieldText::of(editor->txtContents);
    QTextCursor c = editor->txtContents->textCursor();
    c.setPosition(1000);
    editor->txtContents->setTextCursor(c);

    const qint64 before = heapInUse();
    QString typed;
    for (int round = 0; round < 3; ++round) typed += QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789");
    typeText(editor->txtContents, typed);
    EXPECT_LT(heapInUse() - before, 64 * 1024 * 1024);

    const auto withTyped = [&](qsizetype n) { return shown.left(1000) + typed.left(n) + shown.mid(1000); };
    for (int i = 0; i < 3; ++i) editor->mnuUndo_Click();
    EXPECT_EQ(FieldText::of(editor->txtContents), withTyped(typed.size() - 3));
    EXPECT_EQ(editor->txtContents->textCursor().position(), 1000 + typed.size() - 3);
    editor->mnuRedo_Click();
    EXPECT_EQ(FieldText::of(editor->txtContents), withTyped(typed.size() - 2));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    EXPECT_EQ(rows(kDay).text(0, QStringLiteral("Contents")), Files::toCrLf(withTyped(typed.size() - 2)));
}

}  // namespace

namespace {

// The editor's side of the rule above: a body another program stored with
// bytes that are not UTF-8, and with bare line feeds, keeps its bytes when
// only the title is edited.
TEST_F(ContentsWindow, AnUneditedBodyWithUnreadableBytesIsKept) {
    {
        Database db(Shell::state().databasePath());
        db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents) VALUES "
                               "('2006/05/03', 1, 't', CAST(X'82A00A82A2' AS TEXT))"));
    }
    open();
    click(2006, 5, 3);
    editor->txtTitle->setText(QStringLiteral("new"));
    ASSERT_TRUE(editor->Btn1Click_ToolBar());
    Database db(Shell::state().databasePath());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT hex(Contents) FROM Contents")).toString(), QStringLiteral("82A00A82A2"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT Title FROM Contents")).toString(), QStringLiteral("new"));
}

}  // namespace
