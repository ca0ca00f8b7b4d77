// The only tests of the folder that start the browser engine.
#include "platform/profile.h"
#include "platform/runtime_error.h"
#include "platform/web_browser.h"
#include "tests/support/wait_until.h"
#include "tests/writing/writing_fixture.h"
#include "writing/frm_find.h"
#include "writing/frm_prev_rarav_viewer.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

class ViewerWindow : public WritingWindowTest {
protected:
    void TearDown() override {
        frmPrevRaravViewer::unloadIfLoaded();
        frmFind::unloadIfLoaded();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        WritingWindowTest::TearDown();
    }
    QString ini(const char* key) {
        return Profile::readString(Shell::state().RaravIniFile, QStringLiteral("PrevRaravViewer"),
                                   QString::fromLatin1(key));
    }
    // The titles of the pages the viewer finished loading.
    void watch(frmPrevRaravViewer* viewer) {
        QObject::connect(viewer->WebBrowser, &WebBrowserControl::DocumentComplete, viewer,
                         [this, viewer] { loaded << viewer->WebBrowser->LocationName(); });
    }
    bool showsPage(const QString& title) {
        return waitUntil([&] { return loaded.contains(title); });
    }
    QStringList loaded;
};

}  // namespace

TEST_F(ViewerWindow, ShowsTheSameDayAndClosesByThePagesButton) {
    addRow(QStringLiteral("2004/05/03"), 1, QStringLiteral("二年前"));
    addRow(QStringLiteral("2006/05/03"), 1, QStringLiteral("今日"));
    open();
    Shell::state().EnterDay = QStringLiteral("2006/05/03");
    editor->picPrevRaravExist_Click();

    ASSERT_TRUE(frmPrevRaravViewer::exists());
    QPointer<frmPrevRaravViewer> viewer = frmPrevRaravViewer::instance();
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("過去の日記"));
    // No stored place: 5000 x 5000 twips at the top-left corner.
    EXPECT_EQ(viewer->pos(), QPoint(0, 0));
    EXPECT_EQ(viewer->size(), QSize(5000 / 15, 5000 / 15));
    watch(viewer);
    ASSERT_TRUE(showsPage(QStringLiteral("05/03の日記")));

    // Event addresses are never loaded; only "close" closes.
    for (const char* address : {"EVENT:", "event:open", "EVENTS.htm"}) {
        bool cancel = false;
        viewer->WebBrowser_BeforeNavigate2(QString::fromLatin1(address), cancel);
        EXPECT_EQ(cancel, QByteArray(address) != "EVENTS.htm") << address;
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(viewer->isVisible());

    viewer->move(20, 10);
    viewer->resize(400, 300);
    // The click closes the window whose page would answer it: the helper
    // still reports the click as done.
    viewer->WebBrowser->click(DomElement::firstNamed(QStringLiteral("Close")));
    ASSERT_TRUE(waitUntil([&] { return viewer.isNull(); }));
    EXPECT_FALSE(frmPrevRaravViewer::exists());
    EXPECT_EQ(ini("Top"), QStringLiteral("150"));
    EXPECT_EQ(ini("Left"), QStringLiteral("300"));
    EXPECT_EQ(ini("Height"), QStringLiteral("4500"));
    EXPECT_EQ(ini("Width"), QStringLiteral("6000"));
}

TEST_F(ViewerWindow, SearchResultsKeepTheirCaptionWhenTheViewerIsReused) {
    Profile::writeString(Shell::state().RaravIniFile, QStringLiteral("PrevRaravViewer"), QStringLiteral("Height"),
                         QStringLiteral("3000"));
    addRow(QStringLiteral("2005/05/03"), 1, QStringLiteral("旅行"), QStringLiteral("京都へ"));
    addRow(QStringLiteral("2005/05/04"), 1, QStringLiteral("雨"), QStringLiteral("家で"));
    frmFind::showWindow();
    frmFind::instance()->txtFindWord->setText(QStringLiteral("京都"));
    frmFind::instance()->Btn_OK->click();

    EXPECT_FALSE(frmFind::exists());
    EXPECT_TRUE(Files::exists(Shell::state().DataPath + QStringLiteral("Preview/findtmp.htm")));
    ASSERT_EQ(status, QStringList{QStringLiteral("検索結果(キーワード京都で1件見つかりました)")});
    ASSERT_TRUE(frmPrevRaravViewer::exists());
    frmPrevRaravViewer* viewer = frmPrevRaravViewer::instance();
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("検索結果(1件見つかりました)"));
    EXPECT_EQ(viewer->size(), QSize(5000 / 15, 3000 / 15));
    watch(viewer);
    ASSERT_TRUE(showsPage(QStringLiteral("検索結果")));

    open();
    Shell::state().EnterDay = QStringLiteral("2006/05/03");
    editor->picPrevRaravExist_Click();
    EXPECT_EQ(frmPrevRaravViewer::instance(), viewer);
    EXPECT_TRUE(showsPage(QStringLiteral("05/03の日記")));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("検索結果(1件見つかりました)"));
}
