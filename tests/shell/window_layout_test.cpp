#include "shell/main_window.h"
#include "core/window_place.h"
#include "shell/window_layout.h"
#include "writing/frm_contents.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QMdiArea>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using WindowLayout::Place;

void expectPlace(const Place& actual, const Place& expected, const char* what) {
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.left, expected.left) << what;
    if (expected.width >= 0) {
        EXPECT_EQ(actual.width, expected.width) << what;
    }
    if (expected.height >= 0) {
        EXPECT_EQ(actual.height, expected.height) << what;
    }
}

// Twips as they come back from a window placed in whole pixels.
int viaPixels(int twips) { return WindowPlace::toTwips(WindowPlace::toPixels(twips)); }

TEST(WindowLayout, RestoreFallsBackToTheDefaults) {
    TempFolder t;
    const QString ini = t.writeText(QStringLiteral("rarav.ini"),
                                    QStringLiteral("[RaravEditer]\nHeight=0\nWidth=-5\n"
                                                   "[Browser]\nTop=0\nLeft=0\nWidth=3000\n"));
    const WindowLayout::Layout l = WindowLayout::restore(ini, 9000, 15000);
    expectPlace(l.calender, {0, 0, -1, -1}, "calendar");
    expectPlace(l.editor, {3250, 0, 4185, 9000 - 3260}, "editor");
    expectPlace(l.browser, {0, 0, 3000, 9000}, "browser");

    const WindowLayout::Layout s = WindowLayout::standard(9000, 15000);
    expectPlace(s.editor, {3210, 0, 4185, 9000 - 3210}, "standard editor");
    expectPlace(s.browser, {0, 4185, 15000 - 4185, 9000}, "standard browser");
    // A calendar that needs more room pushes the others down and right.
    const WindowLayout::Layout big = WindowLayout::standard(9000, 15000, QSize(4500, 3600));
    expectPlace(big.editor, {3600, 0, 4500, 9000 - 3600}, "editor below a larger calendar");
    expectPlace(big.browser, {0, 4500, 15000 - 4500, 9000}, "browser beside a larger calendar");
}

class LayoutWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Shell::state() = Shell::SharedState();
        auto& s = Shell::state();
        s.MyPath = t.path();
        s.DataPath = t.path();
        s.RaravIniFile = t.file(QStringLiteral("rarav.ini"));
        top = MDIFormTop::instance();
        top->resize(1200, 800);
        top->show();
        Shell::hooks().navigateBrowser = [this](const QString& address) { navigated << address; };
    }
    void TearDown() override {
        delete top;
        Shell::state() = Shell::SharedState();
    }
    TempFolder t;
    ScopedPrompts p;
    MDIFormTop* top = nullptr;
    QStringList navigated;
};

TEST_F(LayoutWindowTest, StandardFillsTheClientArea) {
    top->mnuStandard_Click();
    const QSize c = top->clientSizeTwips();
    const WindowLayout::Layout l = top->currentLayout();
    expectPlace(l.calender, {0, 0, -1, -1}, "calendar");
    // The editor starts where the calendar's lower row ends, never above it.
    const int below = std::max(3210, l.calender.top + l.calender.height);
    // The column is wide enough for the calendar and for every editor tab.
    const int editorLeast = WindowPlace::toTwips(frmContents::instance()->parentWidget()->minimumSizeHint().width());
    const int beside = std::max({4185, l.calender.width, editorLeast});
    expectPlace(l.editor, {below, 0, beside, c.height() - below}, "editor");
    expectPlace(l.browser, {0, beside, c.width() - beside, c.height()}, "browser");
    EXPECT_EQ(navigated, QStringList({t.path() + QStringLiteral("SimpleManual.htm")}));

    t.write(QStringLiteral("Preview/tmp.htm"), "<html></html>");
    top->mnuStandard_Click();
    EXPECT_EQ(navigated.last(), t.path() + QStringLiteral("Preview/tmp.htm"));
}

TEST_F(LayoutWindowTest, SavedLayoutComesBackInTwips) {
    // Restore with nothing saved: the older defaults, rounded down to pixels.
    top->mnuLoadWndPos_Click();
    const QSize c = top->clientSizeTwips();
    WindowLayout::Layout l = top->currentLayout();
    expectPlace(l.editor, {viaPixels(3250), 0, 4185, viaPixels(c.height() - 3260)}, "default editor");
    expectPlace(l.browser, {0, 4185, viaPixels(c.width() - 4225), c.height()}, "default browser");

    WindowLayout::Layout moved;
    moved.calender = {150, 300, -1, -1};
    moved.editor = {3000, 0, 4500, 6000};
    moved.browser = {0, 4500, 9000, 7500};
    top->applyLayout(moved);
    top->mnuSaveWndPos_Click();
    const QByteArray ini = t.read(QStringLiteral("rarav.ini"));
    EXPECT_TRUE(ini.contains("[RaravEditer]\r\nTop=3000\r\nLeft=0\r\nHeight=6000\r\nWidth=4500")) << ini.constData();

    top->mnuStandard_Click();
    top->mnuLoadWndPos_Click();
    l = top->currentLayout();
    expectPlace(l.calender, moved.calender, "calendar");
    expectPlace(l.editor, moved.editor, "editor");
    expectPlace(l.browser, moved.browser, "browser");
}

TEST_F(LayoutWindowTest, ATinyMainWindowDoesNotBreakTheLayout) {
    top->resize(200, 120);
    top->mnuStandard_Click();
    top->mnuLoadWndPos_Click();
    EXPECT_EQ(top->currentLayout().browser.left, 4185);
}

}  // namespace
