#include "tests/support/scripted_prompts.h"
#include "tests/writing/writing_fixture.h"
#include "writing/frm_get_zettik.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

class GetZettikTest : public WritingWindowTest {
protected:
    void addMemo(const QString& title, const QString& memo, const QVariant& category, int isPass = 0) {
        Database db(Shell::state().databasePath());
        db.exec(QStringLiteral("INSERT INTO Memo (PublishTime, Title, Memo, Category, IsPass) VALUES "
                               "('2006/05/01 10:00:00', ?, ?, ?, ?)"),
                {title, memo, category, isPass});
    }
    static QStringList rows(QTreeWidget* list, int nameColumn, int lastColumn) {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = nameColumn; c <= lastColumn; ++c) cells << list->topLevelItem(i)->text(c);
            out << cells.join(QLatin1Char(':'));
        }
        return out;
    }
    static QStringList categories(frmGetZettik& w) { return rows(w.CatList, 0, 2); }
    static QStringList memoIds(frmGetZettik& w) { return rows(w.MemoList, 0, 0); }
    static void clickCategory(frmGetZettik& w, const QString& name) {
        const auto found = w.CatList->findItems(name, Qt::MatchExactly, frmGetZettik::CatName);
        ASSERT_EQ(1, found.size()) << name.toStdString();
        w.CatList->setCurrentItem(found.first());
    }
};

TEST_F(GetZettikTest, CategoriesAndMemosByWholeWord) {
    addMemo("一", "first\r\nline", "a b");
    addMemo("二", "second", "b", 1);  // protected memos are listed too
    addMemo("三", "third", QVariant());
    addMemo("四", "fourth", "[Import] ab");
    addMemo("五", "fifth", "B");
    frmGetZettik w;
    // Names in the order the grouped rows come, by category text.
    EXPECT_EQ(QStringLiteral("Zettikより日記を作成"), w.windowTitle());
    EXPECT_EQ(QStringList({"1:[ALL]:5", "2:[Find]:0", "3:[Import]:1", "4:B:1", "5:ab:1", "6:a:1", "7:b:2"}),
              categories(w));
    EXPECT_EQ(QStringList({"1", "2", "3", "4", "5"}), memoIds(w));
    EXPECT_TRUE(w.MemoList->isColumnHidden(frmGetZettik::MemoCategory));

    clickCategory(w, "b");
    EXPECT_EQ(QStringList({"1", "2"}), memoIds(w));
    clickCategory(w, "[Import]");
    EXPECT_EQ(QStringList({"4"}), memoIds(w));
    clickCategory(w, "[Find]");
    EXPECT_TRUE(memoIds(w).isEmpty());
    clickCategory(w, "a");
    EXPECT_EQ(QStringList({"1"}), memoIds(w));

    w.MemoList->setCurrentItem(w.MemoList->topLevelItem(0));
    EXPECT_EQ(QStringLiteral("1"), w.lblNo->text());
    EXPECT_EQ(QStringLiteral("一"), w.txtTitle->text());
    EXPECT_EQ(QStringLiteral("a b"), w.txtCategory->text());
    EXPECT_EQ(QStringLiteral("first\nline"), w.txtContents->toPlainText());
    w.txtTitle->setText(QStringLiteral("一（直した）"));
    w.Btn_OK->click();
    EXPECT_TRUE(w.IsOK);
    EXPECT_EQ(QStringLiteral("一（直した）"), w.stTitle);
    EXPECT_EQ(QStringLiteral("first\nline"), w.stContents);
}

TEST_F(GetZettikTest, EmptyTableAndOkWithoutAMemo) {
    frmGetZettik w;
    EXPECT_EQ(QStringList({"1:[ALL]:0", "2:[Find]:0", "3:[Import]:0"}), categories(w));
    EXPECT_TRUE(memoIds(w).isEmpty());
    EXPECT_EQ(QStringLiteral("-"), w.lblNo->text());
    w.Btn_OK_Click();
    EXPECT_TRUE(w.IsOK);
    EXPECT_TRUE(w.stTitle.isEmpty());
    EXPECT_TRUE(w.stContents.isEmpty());
}

TEST_F(GetZettikTest, NewEntryFromTheMemoPicked) {
    addMemo("メモの題", "本文\r\n二行目", "日記");
    open();
    click(2006, 5, 3);
    const auto drive = [](bool ok) {
        QTimer::singleShot(0, [ok] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* w = qobject_cast<frmGetZettik*>(top); w && w->isVisible()) {
                    w->MemoList->setCurrentItem(w->MemoList->topLevelItem(0));
                    (ok ? w->Btn_OK : w->Btn_Close)->click();
                }
        });
    };
    drive(false);
    frmGetZettik::MakeEntryFromMemo(*calender);
    EXPECT_TRUE(editor->txtTitle->text().isEmpty());
    EXPECT_FALSE(editor->ChangeYesNo);

    drive(true);
    frmGetZettik::MakeEntryFromMemo(*calender);
    EXPECT_EQ(QStringLiteral("メモの題"), editor->txtTitle->text());
    EXPECT_EQ(QStringLiteral("本文\n二行目"), editor->txtContents->toPlainText());
    EXPECT_TRUE(editor->ChangeYesNo);

    // The memo's text is not dropped silently: leaving asks; a failed save
    // keeps it, and the picker is not shown over it.
    refuseWrites();
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("保存"), Prompts::vbYes).expectMessage(QString());
    frmGetZettik::MakeEntryFromMemo(*calender);
    EXPECT_EQ(QStringLiteral("メモの題"), editor->txtTitle->text());
}

TEST_F(GetZettikTest, TheMemoTextIsTakenWithEveryCharacter) {
    const QString odd = QStringLiteral("a\u00A0b\u2028c〜¥−🍣");
    addMemo(QStringLiteral("題"), odd + QStringLiteral("\r\nline"), QStringLiteral("x"));
    frmGetZettik w;
    w.MemoList->setCurrentItem(w.MemoList->topLevelItem(0));
    w.Btn_OK->click();
    EXPECT_EQ(odd + QStringLiteral("\nline"), w.stContents);
}

// A memo of a few megabytes (a clipped page) is shown in the list by its
// beginning: the list drew the whole text in its cell, some five seconds at
// every repaint of the window. A click still shows, and OK still takes, every
// character.
TEST_F(GetZettikTest, ALongMemoIsListedByItsBeginningAndTakenWhole) {
    QString memo = QStringLiteral("🍣");
    for (int i = 0; memo.size() < 3'000'000; ++i) memo += QStringLiteral("%1行目のメモ〜¥−\r\n").arg(i);
    addMemo(QStringLiteral("長い"), memo, QStringLiteral("a"));
    frmGetZettik w;
    QTreeWidgetItem* row = w.MemoList->topLevelItem(0);
    ASSERT_TRUE(row);
    const QString shown = row->text(frmGetZettik::MemoContents);
    EXPECT_LE(shown.size(), 1000);
    EXPECT_TRUE(memo.startsWith(shown));
    EXPECT_GE(shown.size(), 100);
    w.MemoList->setCurrentItem(row);
    EXPECT_EQ(Files::toLf(memo), w.txtContents->toPlainText());
    w.Btn_OK->click();
    EXPECT_EQ(Files::toLf(memo), w.stContents);
}
