#include "modal_helper.h"
#include "shell/frm_about.h"
#include "shell/frm_options.h"
#include "shell/frm_progress.h"
#include "shell/frm_user_manager.h"
#include "shell/main_menus.h"
#include "shell/main_window.h"
#include "shell/menu_table.h"
#include "writing/frm_calender.h"
#include "writing/frm_contents.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"
#include "platform/database.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSet>
#include <gtest/gtest.h>

namespace {

class MenusTest : public ::testing::Test {
protected:
    void SetUp() override {
        Shell::state() = Shell::SharedState();
        auto& s = Shell::state();
        s.MyPath = t.path();
        s.UserPath = t.path() + QStringLiteral("UserData/");
        s.DataPath = t.path() + QStringLiteral("data/");
        s.RaravIniFile = s.UserPath + QStringLiteral("rarav.ini");
        s.EnterDay = QStringLiteral("2026/12/10");
        t.writeText(QStringLiteral("UserData/rarav.ini"), QStringLiteral("[ALL]\nDataPath=") + s.DataPath + "\n");
        t.write(QStringLiteral("data/.keep"), "");
        makeDatabase(s.UserPath + QStringLiteral("rarav.mdb"));
        top = MDIFormTop::instance();
        Shell::hooks().navigateBrowser = [this](const QString& address) { navigated << address; };
    }
    void TearDown() override {
        delete top;
        Shell::state() = Shell::SharedState();
    }
    QAction* action(const char* name) { return top->menus->item(QString::fromLatin1(name)); }
    QString caption(const char* name) { return action(name)->text(); }
    void setLanguage(const QString& language) {
        t.writeText(QStringLiteral("UserData/rarav.ini"),
                    language.isNull() ? QStringLiteral("[ALL]\n") : QStringLiteral("[ALL]\nMenuLanguage=") + language);
        top->SetMenuBarString();
    }

    TempFolder t;
    ScopedPrompts p;
    MDIFormTop* top = nullptr;
    QStringList navigated;
    QString opened;
    QPlainTextEdit* body() { return frmContents::instance()->txtContents; }
    // Closes a modeless window of the program; false when none was open.
    bool closeTopLevel(const char* name) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if ((w->objectName() == QLatin1String(name) || QLatin1String(w->metaObject()->className()) == QLatin1String(name)) &&
                w->isVisible())
                return w->close();
        return false;
    }
    // The next modal dialog is noted by its class and closed at once.
    void closeNextDialog() {
        opened.clear();
        onNextModal<QDialog>([this](QDialog* d) {
            opened = QString::fromLatin1(d->metaObject()->className());
            d->reject();
        });
    }
};

TEST(MenuTable, HoldsEveryCaptionOfBothLanguages) {
    QSet<int> offsets;
    for (const Menus::Item& item : Menus::items())
        if (item.offset >= 0) offsets.insert(item.offset);
    QSet<int> expected;
    for (auto [from, to] : {std::pair{0, 27}, {30, 36}, {40, 46}, {50, 50}, {60, 61}, {70, 80}, {100, 110}})
        for (int i = from; i <= to; ++i) expected.insert(i);
    EXPECT_EQ(offsets, expected);
    for (int offset : expected) {
        EXPECT_FALSE(Menus::text(100 + offset).isEmpty()) << offset;
        EXPECT_FALSE(Menus::text(500 + offset).isEmpty()) << offset;
    }
    EXPECT_EQ(Menus::text(100 + 44), QStringLiteral("Quillby Works"));
    EXPECT_EQ(Menus::text(500 + 45), QStringLiteral("Quillby Worksソフトウェア開発日誌"));
}

TEST_F(MenusTest, CaptionsFollowTheMenuLanguage) {
    struct Case {
        QString language;
        bool english;
    };
    const Case cases[] = {{QStringLiteral("English"), true},
                          {QStringLiteral("Japanese"), false},
                          {QStringLiteral(""), false},
                          {QString(), false},
                          {QStringLiteral("english"), false}};
    for (const Case& c : cases) {
        setLanguage(c.language);
        const std::string why = "language: " + c.language.toStdString();
        EXPECT_EQ(caption("MnuFile"), c.english ? QStringLiteral("&File") : QStringLiteral("ファイル(&F)")) << why;
        EXPECT_EQ(caption("MnuSaveHTML"), c.english ? QStringLiteral("&Save HTML") : QStringLiteral("HTMLファイルに保存(&S)")) << why;
        EXPECT_EQ(caption("MnuSaveHTML_D"), caption("MnuSaveHTML")) << why;
        EXPECT_EQ(caption("mnuUndo"), c.english ? QStringLiteral("Undo") : QStringLiteral("元に戻す")) << why;
        EXPECT_EQ(caption("MnuQuillbyInfoBlog"), c.english ? QStringLiteral("Quillby Daily Information") : QStringLiteral("Quillby情報")) << why;
        // Items without a string keep their own caption in both languages.
        EXPECT_EQ(caption("MnuPING"), QStringLiteral("&PING")) << why;
        EXPECT_EQ(caption("MnuNoPlugin"), QStringLiteral("No Plugin")) << why;
        EXPECT_EQ(caption("mnuCopy"), QStringLiteral("コピー")) << why;
        EXPECT_EQ(caption("mnuInsertFromCB_ExchangedText"), QStringLiteral("HTMLに変換")) << why;
    }
}

TEST_F(MenusTest, TreeShortcutsAndStates) {
    EXPECT_EQ(top->menus->menu(QStringLiteral("MnuRaravTools"))->menuAction(), action("MnuRaravTools"));
    EXPECT_TRUE(top->menus->menu(QStringLiteral("MnuRaravTools"))->actions().contains(action("MnuFindRarav")));
    const std::pair<const char*, const char*> keys[] = {
        {"MnuSaveHTML", "Ctrl+S"}, {"MnuExit", "Ctrl+Q"}, {"MnuWriteRarav", "Ctrl+D"}, {"MnuSaveRarav", "Ctrl+U"},
        {"MnuFTPUp", "Ctrl+F"},    {"MnuBlogUp", "Ctrl+B"}, {"mnuUndo", "Ctrl+Z"},      {"mnuRedo", "Ctrl+Y"}};
    for (auto [name, key] : keys) EXPECT_EQ(action(name)->shortcut(), QKeySequence(QLatin1String(key))) << name;
    EXPECT_FALSE(action("MnuImportNoFunction")->isEnabled());
    EXPECT_FALSE(action("MnuNoPlugin")->isEnabled());
    EXPECT_FALSE(action("mnuContentsPopUp")->isVisible());
}

TEST_F(MenusTest, PluginFilesDecideWhatIsShown) {
    Startup::Plugins onlyTambour;
    onlyTambour.tambour = true;
    top->menus->applyStartupStates(onlyTambour, false, false);
    EXPECT_TRUE(action("MnuPING")->isVisible());
    EXPECT_FALSE(action("MnuNoPlugin")->isVisible());
    EXPECT_TRUE(action("MnuImportNoFunction")->isVisible());
    EXPECT_FALSE(action("MnuMTExport")->isVisible());
    EXPECT_FALSE(action("MnuQuillbyInfoDll")->isVisible());
    EXPECT_FALSE(action("MnuQuillbyUpdater")->isEnabled());
    EXPECT_FALSE(action("mnuQuillbyMemo")->isEnabled());

    Startup::Plugins brindle;
    brindle.brindle = true;
    top->menus->applyStartupStates(brindle, true, true);
    EXPECT_FALSE(action("MnuImportNoFunction")->isVisible());
    EXPECT_TRUE(action("MnuMTImport")->isVisible());
    EXPECT_FALSE(action("MnuPING")->isVisible());
    EXPECT_TRUE(action("MnuQuillbyUpdater")->isEnabled());
    EXPECT_TRUE(action("mnuQuillbyMemo")->isEnabled());
}

// Every command, by what it visibly does.
TEST_F(MenusTest, EveryCommandReachesItsHandler) {
    QSet<QString> covered;

    // The shell's own commands, by what each visibly does.
    const QString home = QStringLiteral("https://quillby.example.jp/");
    struct Own {
        const char* item;
        std::function<void()> arrange;
        std::function<void()> check;
    };
    const QList<Own> own = {
        // No target yet: Save HTML asks for one (cancelled here).
        {"MnuSaveHTML", [&] { p->expectSaveFile(QString()); }, [] {}},
        {"MnuSaveHTMLAS", [&] { p->expectSaveFile(QString()); }, [] {}},
        {"MnuSaveHTML_D",
         [&] {
             Shell::state().FilePath = t.path() + QStringLiteral("site/");
             Shell::state().FileName = QStringLiteral("index.htm");
             t.write(QStringLiteral("site/.keep"), "");
         },
         [&] { EXPECT_TRUE(QFile::exists(t.path() + QStringLiteral("site/index.htm"))); }},
        {"MnuTextExport", [&] { closeNextDialog(); }, [&] { EXPECT_EQ(opened, QStringLiteral("frmExport")); }},
        {"MnuMakeLog", [&] { closeNextDialog(); }, [&] { EXPECT_EQ(opened, QStringLiteral("frmSaveLog")); }},
        {"ResistLogs", [&] { closeNextDialog(); }, [&] { EXPECT_EQ(opened, QStringLiteral("frmResistLogs")); }},
        {"ResistOtherFiles", [&] { closeNextDialog(); }, [&] { EXPECT_EQ(opened, QStringLiteral("frmResistFiles")); }},
        {"MnuCustomizeSelect", [&] { closeNextDialog(); },
         [&] { EXPECT_EQ(opened, QStringLiteral("frmCustomizeSelection")); }},
        {"MnuHTML2TXT",
         [&] {
             t.write(QStringLiteral("HTML2TXT.ini"), "[Setting]\r\n");
             closeNextDialog();
         },
         [&] { EXPECT_EQ(opened, QStringLiteral("frmHTML2TXTSetting")); }},
        {"MnuWriteRarav", [] {},
         [&] {
             EXPECT_EQ(Shell::state().EnterDay, QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
             EXPECT_TRUE(frmContents::instance()->isVisible());
         }},
        {"mnuAddRarav", [] {}, [&] { EXPECT_TRUE(frmContents::instance()->isVisible()); }},
        {"MnuSaveRarav", [&] { p->expectMessage(QStringLiteral("タイトルを入力してください！")); }, [] {}},
        {"mnuInsertURL", [] {}, [&] { EXPECT_FALSE(frmContents::instance()->ChangeYesNo); }},
        // The edit commands act on the editor's body.
        {"mnuCopy",
         [&] {
             body()->setPlainText(QStringLiteral("abc"));
             body()->selectAll();
         },
         [&] { EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("abc")); }},
        {"mnuCut", [&] { body()->selectAll(); }, [&] { EXPECT_EQ(body()->toPlainText(), QString()); }},
        {"mnuPaste", [] {}, [&] { EXPECT_EQ(body()->toPlainText(), QStringLiteral("abc")); }},
        {"mnuUndo", [] {}, [&] { EXPECT_EQ(body()->toPlainText(), QString()); }},
        {"mnuRedo", [] {},
         [&] {
             EXPECT_EQ(body()->toPlainText(), QStringLiteral("abc"));
             QGuiApplication::clipboard()->clear();
         }},
        {"mnuGetURL", [] {}, [] {}},
        // The clipboard is empty here: both insertions say so.
        {"mnuInsertFromCB_PlainText", [&] { p->expectMessage(QStringLiteral("クリップボードのデータが適切な形式ではありません。")); }, [] {}},
        {"mnuInsertFromCB_ExchangedText", [&] { p->expectMessage(QStringLiteral("クリップボードのデータが適切な形式ではありません。")); }, [] {}},
        {"MnuDeleteRarav", [&] { p->expectMessage(QStringLiteral("番目の日記を削除します。"), Prompts::vbNo); }, [] {}},
        // The upload reports in the progress window, not in a message box.
        {"MnuFTPUp", [] {},
         [&] {
             EXPECT_TRUE(frmProgress::instance()->txtText->toPlainText().contains(QStringLiteral("FTPのIDもしくはURL")));
             frmProgress::unload();
         }},
        // No blog is described in this fixture: the posting asks for the
        // addresses and stops at the empty entry; the pages stop at once.
        {"MnuBlogUp",
         [&] {
             p->expectInput(QStringLiteral("投稿画面のURL"), QString())
                 .expectInput(QStringLiteral("投稿画面のURL"), QString())
                 .expectMessage(QStringLiteral("タイトルもしくは本文が記入されていない"));
         },
         [] {}},
        {"MnuBlogView",
         [&] { p->expectInput(QStringLiteral("接続先URL"), QString()).expectMessage(QStringLiteral("中止します。")); },
         [] {}},
        {"MnuOpenBlogManagement", [] {}, [] {}},
        {"MnuOptimize",
         [&] {
             p->expectMessage(QStringLiteral("diarymdb.bak"), Prompts::vbNo)
                 .expectMessage(QStringLiteral("rarav.mdbの最適化を中止しました。"));
         },
         [] {}},
        {"MnuReConstructionGenre",
         [&] { p->expectMessage(QStringLiteral("完了！"), Prompts::vbOK, Prompts::vbOKOnly | Prompts::vbInformation); },
         [&] {
             EXPECT_TRUE(QFile::exists(Shell::state().DataPath + "Genre.csv"));
             EXPECT_EQ(top->statusPanel1->text(), QStringLiteral("ジャンルの再構成が完了しました。"));
         }},
        {"MnuUpdateCheck",
         [&] {
             qputenv("RARAV_UPDATE_URL", "http://127.0.0.1:9/update.txt");
             p->expectMessage(QStringLiteral("サーバーに接続できませんでした。"))
                 .expectMessage(QStringLiteral("update.txtの取得に失敗しました。"));
         },
         [] { qunsetenv("RARAV_UPDATE_URL"); }},
        {"MnuCustomize", [] {},
         [&] {
             QWidget* customize = nullptr;
             for (QWidget* w : QApplication::topLevelWidgets())
                 if (w->objectName() == QStringLiteral("frmCustomize") && w->isVisible()) customize = w;
             ASSERT_NE(customize, nullptr);
             customize->close();
         }},
        // The failed check above disabled the item; a descriptor would enable it.
        {"mnu_DiaryfromClipboard_UseFormattedText", [&] { p->expectMessage(QStringLiteral("クリップボード")); }, [] {}},
        {"mnu_DiaryfromClipboard_UsePlainText", [&] { p->expectMessage(QStringLiteral("クリップボード")); }, [] {}},
        {"mnuImportCust", [&] { p->expectOpenFile(QString()); },
         [&] { EXPECT_EQ(top->statusPanel1->text(), QStringLiteral("カスタマイズファイルの読み込みに失敗しました。")); }},
        {"mnuExportCust", [&] { closeNextDialog(); }, [&] { EXPECT_EQ(opened, QStringLiteral("frmExportCust")); }},
        {"mnuEnvironment", [&] { closeNextDialog(); }, [&] { EXPECT_EQ(opened, QStringLiteral("frmSetting")); }},
        {"mnuAddRaravFromZettik",
         [&] {
             p->expectMessage(QStringLiteral("保存しますか？"), Prompts::vbNo);
             closeNextDialog();
         }, [&] { EXPECT_EQ(opened, QStringLiteral("frmGetZettik")); }},
        {"MnuDeleteImportRarav", [] {}, [&] { EXPECT_TRUE(closeTopLevel("frmDeleteImportRarav")); }},
        {"MnuFindRarav", [] {}, [&] { EXPECT_TRUE(closeTopLevel("frmFind")); }},
        {"MnuViewOldRarav", [] {}, [&] { EXPECT_TRUE(closeTopLevel("frmPrevRaravViewer")); }},
        {"MnuMTExport", [&] { p->expectSaveFile(QString(), QStringLiteral("MovableType")); }, [] {}},
        {"MnuHTNExport", [&] { p->expectSaveFile(QString(), QStringLiteral("はてな")); }, [] {}},
        {"MnuMTImport", [&] { p->expectOpenFile(QString()); }, [] {}},
        {"MnuHTNImport", [&] { p->expectOpenFile(QString()); }, [] {}},
        // No plug-in library lies in the program folder here.
        {"MnuPING", [&] { p->expectMessage(QStringLiteral("Tambour.soを呼び出せませんでした。")); }, [] {}},
        {"MnuQuillbyInfo", [&] { p->expectMessage(QStringLiteral("QuillbyInfo.soを呼び出せませんでした。")); }, [] {}},
        {"mnuQuillbyMemo", [&] { p->expectMessage(QStringLiteral("が存在しません。")); }, [] {}},
        {"MnuTambourDll", [&] { p->expectMessage(QStringLiteral("Tambour.soを呼び出せませんでした。")); }, [] {}},
        {"MnuBrindleDll", [&] { p->expectMessage(QStringLiteral("Brindle.soを呼び出せませんでした。")); }, [] {}},
        {"MnuFescueDll", [&] { p->expectMessage(QStringLiteral("Fescue.soを呼び出せませんでした。")); }, [] {}},
        {"MnuQuillbyInfoDll", [&] { p->expectMessage(QStringLiteral("QuillbyInfo.soを呼び出せませんでした。")); }, [] {}},
        {"MnuQuillbyUpdater",
         [&] {
             action("MnuQuillbyUpdater")->setEnabled(true);
             p->expectMessage(QStringLiteral("Quillby Updaterが見つかりません。"));
         },
         [] {}},
        {"MnuPref", [&] { onNextModal<frmOptions>([](frmOptions* d) { d->Btn_Cancel->click(); }); }, [] {}},
        {"MnuUserManager", [&] { onNextModal<frmUserManager>([](frmUserManager* d) { d->Btn_OK->click(); }); }, [] {}},
        {"MnuAbout", [&] { onNextModal<frmAbout>([](frmAbout* d) { d->cmdOK->click(); }); }, [] {}},
        {"MnuCalender", [] {}, [&] { EXPECT_TRUE(top->calender()->isVisible()); }},
        {"MnuVertical", [] {},
         [&] {
             const QList<QMdiSubWindow*> windows = top->mdiArea->subWindowList();
             const QSize area = top->mdiArea->viewport()->size();
             ASSERT_FALSE(windows.isEmpty());
             for (int i = 0; i < windows.size(); ++i) {
                 const int width = area.width() / int(windows.size());
                 EXPECT_EQ(windows[i]->geometry(), QRect(i * width, 0, width, area.height()));
             }
         }},
        {"mnuStandard", [] {}, [&] { EXPECT_EQ(top->mdiArea->subWindowList().size(), 3); }},
        {"mnuLoadWndPos", [] {}, [&] { EXPECT_TRUE(navigated.last().endsWith(QStringLiteral("SimpleManual.htm"))); }},
        {"mnuSaveWndPos", [] {}, [&] { EXPECT_TRUE(t.read(QStringLiteral("UserData/rarav.ini")).contains("[Browser]")); }},
        // The preview page written by the site save above is shown.
        {"MnuBrowse", [] {}, [&] { EXPECT_TRUE(navigated.last().startsWith(Shell::state().DataPath + QStringLiteral("Preview/tmp.htm"))); }},
        {"MnuSimpleManual", [&] { p->expectMessage(QStringLiteral("マニュアルが見つかりません。")); }, [] {}},
        {"MnuManual", [&] { t.write(QStringLiteral("Manual.htm"), "<html></html>"); },
         [&] { EXPECT_EQ(navigated.last(), t.path() + QStringLiteral("Manual.htm")); }},
        {"MnuHP", [] {}, [&] { EXPECT_EQ(navigated.last(), home); }},
        {"MnuMyBlog", [] {}, [&] { EXPECT_EQ(navigated.last(), QStringLiteral("https://quillby.example.jp/diary/")); }},
        {"MnuQuillbyInfoBlog", [] {}, [&] { EXPECT_EQ(navigated.last(), QStringLiteral("https://quillby.example.jp/rarav/")); }},
        {"MnuRefreshURLHist", [&] { p->expectMessage(QStringLiteral("URL履歴を消去しますか？"), Prompts::vbNo); }, [] {}},
        {"MnuRefreshFindHist", [&] { p->expectMessage(QStringLiteral("検索履歴を消去しますか？"), Prompts::vbNo); }, [] {}},
        {"MnuExit", [] {}, [&] { EXPECT_FALSE(top->isVisible()); }},
    };
    top->show();
    for (const Own& c : own) {
        c.arrange();
        action(c.item)->trigger();
        c.check();
        EXPECT_TRUE(p->allAnswered()) << c.item;
        covered.insert(QLatin1String(c.item));
    }

    QSet<QString> commands;
    for (const MainMenus::Command& c : MainMenus::commands()) commands.insert(QLatin1String(c.item));
    EXPECT_EQ(covered, commands);
    // Every item that is neither a menu, a separator nor a placeholder has a
    // command.
    for (const Menus::Item& item : Menus::items()) {
        const QString name = QLatin1String(item.name);
        const bool isMenu = top->menus->menu(name) != nullptr;
        if (isMenu || (item.flags & (Menus::Separator | Menus::Disabled))) continue;
        EXPECT_TRUE(commands.contains(name)) << item.name;
    }
}

TEST_F(MenusTest, ClearingAHistoryAsksDeletesAndConfirms) {
    t.write(QStringLiteral("UserData/FindHist.txt"), "word\r\n");
    p->expectMessage(QStringLiteral("検索履歴を消去しますか？"), Prompts::vbNo, Prompts::vbYesNo);
    action("MnuRefreshFindHist")->trigger();
    EXPECT_TRUE(QFile::exists(t.path() + QStringLiteral("UserData/FindHist.txt")));
    p->expectMessage(QStringLiteral("検索履歴を消去しますか？"), Prompts::vbYes)
        .expectMessage(QStringLiteral("検索履歴を消去しました。"));
    action("MnuRefreshFindHist")->trigger();
    EXPECT_FALSE(QFile::exists(t.path() + QStringLiteral("UserData/FindHist.txt")));
    // A missing file still asks and confirms.
    p->expectMessage(QStringLiteral("URL履歴を消去しますか？"), Prompts::vbYes)
        .expectMessage(QStringLiteral("URL履歴を消去しました。"));
    action("MnuRefreshURLHist")->trigger();
}

TEST_F(MenusTest, ImportsReportTheirOutcome) {
    p->expectOpenFile(QString()).expectMessage(QStringLiteral("クリップボード"));
    action("mnuImportCust")->trigger();
    EXPECT_EQ(top->statusPanel1->text(), QStringLiteral("カスタマイズファイルの読み込みに失敗しました。"));
    // An import that reports nothing imported shows no preview.
    action("mnu_DiaryfromClipboard_UsePlainText")->trigger();
    EXPECT_TRUE(navigated.isEmpty());
    // The design-set choice ends with the preview at the selected day.
    onNextModal<QDialog>([](QDialog* d) { d->reject(); });
    action("MnuCustomizeSelect")->trigger();
    EXPECT_EQ(navigated, QStringList({t.path() + QStringLiteral("data/Preview/tmp.htm#2026/12/10")}));
    EXPECT_EQ(top->statusPanel1->text(), QStringLiteral("Webページ表示中..."));
}

// The title box of the plain import: Cancel abandons the entry, on a day
// with an entry (after Yes to overwriting it) as on a free one; an empty OK
// stores the text with an empty title.
TEST_F(MenusTest, PlainClipboardImportStoresNothingWhenTheTitleIsCancelled) {
    const QString database = Shell::state().databasePath();
    const auto rows = [&] {
        Database db(database);
        QStringList list;
        for (const QVariantList& row :
             db.query(QStringLiteral("SELECT Day, Number, Title, Contents FROM Contents ORDER BY Day, Number")).rows)
            list << row[0].toString() + QLatin1Char('|') + row[1].toString() + QLatin1Char('|') + row[2].toString() +
                        QLatin1Char('|') + row[3].toString();
        return list;
    };
    struct Case {
        const char* name;
        bool dayHasEntry;
        bool cancel;
        QStringList after;
    };
    const QString old = QStringLiteral("2005/01/04|1|古い題|古い本文");
    const QString typedDay = QStringLiteral("2005/01/04|1||貼った本文");
    const Case cases[] = {
        {"cancelled over an entry", true, true, {old}},
        {"cancelled on a free day", false, true, {}},
        {"empty over an entry", true, false, {typedDay}},
        {"empty on a free day", false, false, {typedDay}},
    };
    QGuiApplication::clipboard()->setText(QStringLiteral("貼った本文"));
    for (const Case& c : cases) {
        {
            Database db(database);
            db.exec(QStringLiteral("DELETE FROM Contents"));
            if (c.dayHasEntry)
                db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents) "
                                       "VALUES ('2005/01/04', 1, '古い題', '古い本文')"));
        }
        navigated.clear();
        p->expectInput(QStringLiteral("年を入力"), "2005")
            .expectInput(QStringLiteral("月を入力"), "01")
            .expectInput(QStringLiteral("日を入力"), "04");
        if (c.dayHasEntry) p->expectMessage(QStringLiteral("上書きしますか？"), Prompts::vbYes);
        if (c.cancel) {
            p->expectInputCancel(QStringLiteral("タイトルを入力してください。"));
        } else {
            p->expectInput(QStringLiteral("タイトルを入力してください。"), QString())
                .expectMessage(QStringLiteral("読み込み完了!\r\n2005/01/04"));
        }
        action("mnu_DiaryfromClipboard_UsePlainText")->trigger();
        EXPECT_TRUE(p->allAnswered()) << c.name;
        EXPECT_EQ(c.after, rows()) << c.name;
        EXPECT_EQ(c.cancel, navigated.isEmpty()) << c.name;
    }
}

TEST_F(MenusTest, BrowserShowsThePreviewWhenItExists) {
    t.write(QStringLiteral("data/Preview/tmp.htm"), "<html></html>");
    action("MnuBrowse")->trigger();
    EXPECT_EQ(navigated.last(), t.path() + QStringLiteral("data/Preview/tmp.htm"));
}

TEST_F(MenusTest, AboutLinksCloseTheWindowAndOpenThePages) {
    onNextModal<frmAbout>([](frmAbout* d) {
        // The program's icon beside its name.
        EXPECT_FALSE(d->picIcon->pixmap().isNull());
        d->lblURL_Click();
    });
    action("MnuAbout")->trigger();
    onNextModal<frmAbout>([](frmAbout* d) { d->PictURL_Lumenfold_Click(); });
    action("MnuAbout")->trigger();
    EXPECT_EQ(navigated, QStringList({QStringLiteral("https://quillby.example.jp/"),
                                      QStringLiteral("https://lumenfold.example.jp/")}));
}

TEST_F(MenusTest, HiddenCreditsAnswerOnlyTheLeftButtonAtTheirColumn) {
    p->expectMessage(QStringLiteral("左クリックで表示"), Prompts::vbOK, Prompts::vbOKOnly);
    // Pressed on the picture box of the main window, where the user finds them.
    top->show();
    ASSERT_GE(top->Picture1->width(), 518);
    const auto press = [&](Qt::MouseButton button, double x) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(x, 2), top->Picture1->mapToGlobal(QPointF(x, 2)), button,
                      button, Qt::NoModifier);
        QApplication::sendEvent(top->Picture1, &e);
    };
    press(Qt::LeftButton, 516.4);
    press(Qt::RightButton, 516);
    press(Qt::LeftButton, 515);
    press(Qt::LeftButton, 517);
    EXPECT_EQ(p->owners.value(0), top);
}

}  // namespace
