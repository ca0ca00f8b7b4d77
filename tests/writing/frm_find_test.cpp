#include "platform/profile.h"
#include "tests/support/scripted_prompts.h"
#include "tests/writing/writing_fixture.h"
#include "writing/frm_find.h"
#include "writing/frm_prev_rarav_viewer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

class FindWindow : public WritingWindowTest {
protected:
    void TearDown() override {
        frmFind::unloadIfLoaded();
        // Windows closed by the tests are deleted later; let that happen
        // while the fixture's folder still exists.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WritingWindowTest::TearDown();
    }
    QString resultPage() const { return Shell::state().DataPath + QStringLiteral("Preview/findtmp.htm"); }
    int iniInt(const char* key) {
        return Profile::readInt(Shell::state().RaravIniFile, QStringLiteral("Find"), QString::fromLatin1(key), -1);
    }
};

}  // namespace

TEST_F(FindWindow, OpensEmptyWithTheBoxesOffAndTheGenresOfTheFile) {
    Files::writeText(Shell::state().DataPath + QStringLiteral("Genre.csv"), QStringLiteral("一般\r\n旅行\r\n"));
    open();
    calender->Btn_Find->click();
    ASSERT_TRUE(frmFind::exists());
    frmFind* w = frmFind::instance();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("検索条件の設定"));
    EXPECT_EQ(w->pos(), QPoint(0, 0));
    EXPECT_FALSE(w->chkTerm->isChecked());
    EXPECT_FALSE(w->txtStart->isEnabled());
    EXPECT_FALSE(w->txtEnd->isEnabled());
    EXPECT_FALSE(w->cmbGenre->isEnabled());
    ASSERT_EQ(w->cmbGenre->count(), 2);
    EXPECT_EQ(w->cmbGenre->itemText(1), QStringLiteral("旅行"));
    EXPECT_EQ(w->cmbGenre->currentIndex(), -1);

    // The boxes keep their texts while they are switched off and on.
    w->chkTerm->click();
    EXPECT_TRUE(w->txtStart->isEnabled());
    w->txtStart->setText(QStringLiteral("2005/1/5"));
    w->chkTerm->click();
    EXPECT_FALSE(w->txtEnd->isEnabled());
    EXPECT_EQ(w->txtStart->text(), QStringLiteral("2005/1/5"));
    w->chkGenre->click();
    EXPECT_TRUE(w->cmbGenre->isEnabled());

    // A second opening while it is open is the same window.
    calender->Btn_Find->click();
    EXPECT_EQ(frmFind::instance(), w);
}

TEST_F(FindWindow, WithoutGenreFileOffersOnlyGeneral) {
    frmFind* w = frmFind::instance();
    ASSERT_EQ(w->cmbGenre->count(), 1);
    EXPECT_EQ(w->cmbGenre->itemText(0), QStringLiteral("一般"));
}

TEST_F(FindWindow, RefusesIncompleteConditionsAndWritesNothing) {
    struct Case {
        const char* keyword;
        bool period;
        const char* start;
        const char* end;
        bool genre;
        const char* message;
    };
    const Case cases[] = {
        {"", true, "x", "y", true, "検索語が設定されていません。"},
        {"旅", true, "2005/13/1", "2005/1/1", false, "開始期間が正しく設定されていません。"},
        {"旅", true, "2005/1/1", "", false, "終了期間が正しく設定されていません。"},
        {"旅", true, "2005/1/6", "2005/1/5", false, "開始と終了期間が逆転しています。"},
        {"旅", true, "2005/1/5", "2005/1/5", true, "ジャンルが選択されていません。"},
        {"旅", false, "bad", "worse", true, "ジャンルが選択されていません。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        frmFind::showWindow();
        frmFind* w = frmFind::instance();
        w->txtFindWord->setText(QString::fromUtf8(c.keyword));
        if (c.period) w->chkTerm->click();
        w->txtStart->setText(QString::fromUtf8(c.start));
        w->txtEnd->setText(QString::fromUtf8(c.end));
        if (c.genre) w->chkGenre->click();
        {
            ScopedPrompts p;
            p->expectMessage(QString::fromUtf8(c.message));
            w->Btn_OK->click();
        }
        EXPECT_TRUE(frmFind::exists());
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->txtStart->text(), QString::fromUtf8(c.start));
        EXPECT_FALSE(Files::exists(resultPage()));
        EXPECT_TRUE(status.isEmpty());
        frmFind::unloadIfLoaded();
    }
}

TEST_F(FindWindow, StoresItsPositionOnEveryCloseAndOpensThereAgain) {
    frmFind::showWindow();
    frmFind* w = frmFind::instance();
    w->move(30, 20);
    w->txtFindWord->setText(QStringLiteral("旅"));
    w->Btn_Cancel->click();
    EXPECT_FALSE(frmFind::exists());
    EXPECT_EQ(iniInt("Left"), 450);
    EXPECT_EQ(iniInt("Top"), 300);
    EXPECT_FALSE(Files::exists(resultPage()));

    // A fresh window: stored place, empty inputs. The close box stores too.
    frmFind::showWindow();
    w = frmFind::instance();
    EXPECT_EQ(w->pos(), QPoint(30, 20));
    EXPECT_TRUE(w->txtFindWord->text().isEmpty());
    w->move(60, 10);
    w->close();
    EXPECT_FALSE(frmFind::exists());
    EXPECT_EQ(iniInt("Left"), 900);

    // A place far off this screen is brought back onto it.
    Profile::writeString(Shell::state().RaravIniFile, QStringLiteral("Find"), QStringLiteral("Left"), QStringLiteral("600000"));
    frmFind::showWindow();
    EXPECT_LT(frmFind::instance()->pos().x(), 2000);

    frmFind::unloadIfLoaded();
    EXPECT_FALSE(frmFind::exists());
    EXPECT_EQ(iniInt("Top"), 150);
}

// The search and the editor's earlier-years button tell the user when their
// page cannot be written, and open no viewer.
TEST_F(FindWindow, APageThatCannotBeWrittenIsReported) {
    Shell::state().DataPath = tmp.path() + QStringLiteral("missing/");
    frmFind::showWindow();
    frmFind* w = frmFind::instance();
    w->txtFindWord->setText(QStringLiteral("旅"));
    open();
    Shell::state().EnterDay = QStringLiteral("2006/05/03");
    {
        ScopedPrompts p;
        p->expectMessage(QStringLiteral("findtmp.htm"));
        p->expectMessage(QStringLiteral("oldtmp.htm"));
        w->Btn_OK->click();
        editor->picPrevRaravExist_Click();
    }
    EXPECT_TRUE(frmFind::exists());
    EXPECT_TRUE(status.isEmpty());
    EXPECT_FALSE(frmPrevRaravViewer::exists());
}
