// The windows as a user first meets them: every control in sight at the size
// each window opens with, prompts above the window that asked, nothing that
// writes to the database while it is rebuilt, and nothing left when the main
// window closes. Pictures of each window are saved when RARAV_SCREENSHOT_DIR
// names a folder (run under Xvfb with a window manager and -platform xcb).
#include "design/design_preview.h"
#include "design/frm_customize.h"
#include "design/frm_html_browser.h"
#include "design/frm_setting.h"
#include "platform/clock.h"
#include "platform/prompts_qt.h"
#include "shell/main_menus.h"
#include "shell/main_window.h"
#include "shell/single_instance.h"
#include "core/rarav_ini.h"
#include "site/frm_html2txt_setting.h"
#include "writing/frm_calender.h"
#include "writing/frm_contents.h"
#include "writing/frm_delete_import_rarav.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QThread>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

void settle() {
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

QString describe(const QWidget* w) {
    return QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
}

// The visible controls of a window that reach past its edges. What a scroll
// area shows is left out (it scrolls), except the child windows of the
// main window's area, which must lie inside it.
QStringList outside(QWidget* window) {
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isWindow() || !w->isVisibleTo(window)) continue;
        bool scrolled = false;
        for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
            const auto* area = qobject_cast<QAbstractScrollArea*>(p->parentWidget());
            if (area && p == area->viewport() && !qobject_cast<QMdiArea*>(p->parentWidget())) scrolled = true;
            if (p->isWindow()) scrolled = true;
        }
        if (scrolled) continue;
        const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
        if (!window->rect().contains(r))
            out << describe(w) + QStringLiteral(" at %1,%2 %3x%4 in %5x%6")
                                     .arg(r.x())
                                     .arg(r.y())
                                     .arg(r.width())
                                     .arg(r.height())
                                     .arg(window->width())
                                     .arg(window->height());
    }
    return out;
}

// Every tab drawn whole, without scroll arrows.
void expectAllTabs(QTabBar* bar, const char* what) {
    for (int i = 0; i < bar->count(); ++i)
        EXPECT_TRUE(bar->rect().contains(bar->tabRect(i))) << what << " tab " << bar->tabText(i).toStdString();
    for (QToolButton* arrow : bar->findChildren<QToolButton*>())
        EXPECT_FALSE(arrow->isVisible()) << what << " shows scroll arrows";
}

void picture(QWidget* window, const char* name) {
    const QString folder = qEnvironmentVariable("RARAV_SCREENSHOT_DIR");
    if (folder.isEmpty()) return;
    settle();
    // The whole screen, so that the window manager's frames show too.
    QScreen* screen = window->screen();
    EXPECT_TRUE(screen->grabWindow(0).save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png")));
}

// The program started in a fresh copy of its folder, as on a first start:
// the standard layout of the shipped settings.
class FirstStart : public ::testing::Test {
protected:
    void SetUp() override {
        Shell::state() = Shell::SharedState();
        Shell::state().MyPath = copyProgramFolder(t.path() + "prog");
        Clock::set(QDateTime(QDate(2024, 3, 15), QTime(9, 0)));
        top = MDIFormTop::instance();
        ASSERT_TRUE(top->MDIForm_Load());
        settle();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != top && w->isVisible()) w->close();
        delete MDIFormTop::instance();
        Shell::state() = Shell::SharedState();
        Clock::reset();
    }
    QMdiSubWindow* frameOf(QWidget* child) {
        for (QMdiSubWindow* f : top->mdiArea->subWindowList())
            if (f->widget() == child) return f;
        return nullptr;
    }
    void activate(QWidget* w) {
        w->activateWindow();
        settle();
    }

    TempFolder t;
    ScopedPrompts p;
    MDIFormTop* top = nullptr;
};

TEST_F(FirstStart, EveryControlOfTheMainWindowIsInSight) {
    EXPECT_EQ(outside(top), QStringList());
    QMdiSubWindow* calender = frameOf(top->calender());
    QMdiSubWindow* editor = frameOf(frmContents::instance());
    ASSERT_TRUE(calender && editor);
    for (QMdiSubWindow* f : top->mdiArea->subWindowList()) EXPECT_EQ(outside(f), QStringList()) << describe(f->widget()).toStdString();
    // The calendar's lower row is neither cut off nor under the editor.
    EXPECT_FALSE(calender->geometry().intersects(editor->geometry()));
    for (QWidget* w : {static_cast<QWidget*>(top->calender()->Label1), static_cast<QWidget*>(top->calender()->cmbBlog),
                       static_cast<QWidget*>(top->calender()->Btn_BlogControl)})
        EXPECT_TRUE(w->isVisible()) << describe(w).toStdString();

    frmContents* e = frmContents::instance();
    for (const char* name : {"InsertURL", "InsertImg", "InsertTag"}) {
        QAction* a = e->cToolbar->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        QWidget* button = e->cToolbar->widgetForAction(a);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(button->isVisible()) << name;
    }
    for (QToolButton* b : e->cToolbar->findChildren<QToolButton*>()) {
        if (b->objectName() == QLatin1String("qt_toolbar_ext_button")) {
            EXPECT_FALSE(b->isVisible()) << "» shown";
        }
    }
    expectAllTabs(e->TabStrip1, "editor");

    // The tag list opens 15 rows high.
    while (e->ComboTag->count() < 30) e->ComboTag->addItem(QStringLiteral("<TAG%1>").arg(e->ComboTag->count()));
    e->ComboTag->showPopup();
    settle();
    QAbstractItemView* rows = e->ComboTag->view();
    const int row = rows->sizeHintForRow(0);
    EXPECT_NEAR(rows->viewport()->height(), 15 * row, row / 2 + 1);
    e->ComboTag->hidePopup();
    picture(top, "main_first_layout");
}

TEST_F(FirstStart, SettingsWindowsShowEveryTab) {
    frmHTML2TXTSetting converter(top);
    converter.Form_Load();
    converter.show();
    settle();
    EXPECT_EQ(outside(&converter), QStringList());
    expectAllTabs(converter.TabStrip1, "converter");
    picture(&converter, "converter_settings");
    converter.close();

    frmSetting site(top);
    site.Form_Load();
    site.show();
    settle();
    EXPECT_EQ(outside(&site), QStringList());
    expectAllTabs(site.TabStrip1->tabBar(), "site settings");
    picture(&site, "site_settings");
    site.close();
}

TEST_F(FirstStart, CustomizationWindowAndItsPreviewStandEqualAndPromptsOpenAboveIt) {
    RaravIni::write(Shell::state().RaravIniFile, RaravIni::CustomizeRealTime, 1);
    auto* customize = new frmCustomize;
    customize->Form_Load();
    settle();
    frmHTMLBrowser* preview = customize->previewWindow();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->height(), customize->height());
    EXPECT_TRUE(customize->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(preview->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(outside(customize), QStringList());
    picture(customize, "customize_with_preview");

    // The question of the window that stays on top opens above it, not
    // behind it with the main window.
    activate(customize);
    p->expectMessage(QStringLiteral("保存しますか"), Prompts::vbNo);
    customize->MarkChanged();
    customize->Btn_Cancel->click();
    ASSERT_EQ(p->owners.size(), 1);
    EXPECT_EQ(p->owners.value(0), customize);
}

// The input box of 新規 closes before its message opens; until the window
// beneath it is active again, no window is, and the message still belongs to
// the customisation window, which stands over the screen's centre.
TEST_F(FirstStart, AMessageAfterAClosedInputBoxOpensAboveTheWindowThatAsked) {
    auto* customize = new frmCustomize;
    customize->Form_Load();
    const QRect screen = customize->screen()->availableGeometry();
    customize->move(screen.center() - QPoint(customize->width() / 2, customize->height() / 2));
    activate(customize);
    p->whilePrompting = [&](const QString& text) {
        if (!text.contains(QStringLiteral("新しいカスタマイズセットの名前"))) return;
        auto* input = new QWidget(customize, Qt::Dialog);
        input->show();
        activate(input);
        delete input;
        settle();
    };
    p->expectInput(QStringLiteral("新しいカスタマイズセットの名前"), QStringLiteral("新"))
        .expectMessage(QStringLiteral("新しいカスタマイズセットを作成しました。"));
    customize->Btn_New->click();
    EXPECT_EQ(QApplication::activeWindow(), nullptr);
    ASSERT_EQ(p->owners.size(), 2);
    EXPECT_EQ(p->owners.value(0), customize);
    EXPECT_EQ(p->owners.value(1), customize);
}

TEST_F(FirstStart, PromptsOfTheMainWindowOpenAboveIt) {
    activate(top);
    p->expectMessage(QStringLiteral("完了！"));
    top->menus->item(QStringLiteral("MnuReConstructionGenre"))->trigger();
    EXPECT_EQ(p->owners.value(0), top);
}

TEST_F(FirstStart, NothingWritesWhileTheDatabaseIsRebuilt) {
    frmDeleteImportRarav* deletion = frmDeleteImportRarav::showWindow();
    settle();
    QStringList disabledWhile;
    p->whilePrompting = [&](const QString& text) {
        if (text.contains(QStringLiteral("完了")) && !deletion->isEnabled()) disabledWhile << text;
    };
    p->expectMessage(QStringLiteral("最適化しますか"), Prompts::vbYes)
        .expectMessage(QStringLiteral("最適化は完了しました"));
    top->menus->item(QStringLiteral("MnuOptimize"))->trigger();
    EXPECT_EQ(disabledWhile.size(), 1);
    EXPECT_TRUE(deletion->isEnabled());
    EXPECT_TRUE(top->isEnabled());
}

// Closing the main window, by its close box or at the system's request,
// waits while the database is rebuilt: closed at once, the program let go of
// its folder, and a second start could write entries into the file that the
// rebuilt one then replaced.
TEST_F(FirstStart, TheProgramDoesNotEndWhileTheDatabaseIsRebuilt) {
    bool openDuring = false, secondCouldStart = true;
    QTimer::singleShot(0, top, [&] {
        top->windowHandle()->close();
        openDuring = top->isVisible();
        secondCouldStart = SingleInstance::acquire(Shell::state().MyPath) != nullptr;
    });
    p->expectMessage(QStringLiteral("最適化しますか"), Prompts::vbYes)
        .expectMessage(QStringLiteral("データベースを更新しています。"), Prompts::vbOK, Prompts::vbExclamation)
        .expectMessage(QStringLiteral("最適化は完了しました"));
    top->menus->item(QStringLiteral("MnuOptimize"))->trigger();
    EXPECT_TRUE(openDuring);
    EXPECT_FALSE(secondCouldStart);
    EXPECT_TRUE(top->close());
}

TEST_F(FirstStart, ClosingTheMainWindowClosesEveryWindow) {
    QPointer<frmDeleteImportRarav> deletion = frmDeleteImportRarav::showWindow();
    settle();
    ASSERT_TRUE(deletion->isVisible());
    EXPECT_TRUE(top->close());
    settle();
    EXPECT_TRUE(!deletion || !deletion->isVisible());
    QStringList open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) open << describe(w);
    // With no window left the event loop ends, and the program with it.
    EXPECT_EQ(open, QStringList());
}

}  // namespace
