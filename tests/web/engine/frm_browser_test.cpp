#include "platform/profile.h"
#include "platform/web_browser.h"
#include "core/shared_state.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wait_until.h"
#include "tests/web/engine/local_web_server.h"
#include "web/frm_browser.h"

#include <QComboBox>
#include <QDir>
#include <gtest/gtest.h>

namespace {

// A user folder with rarav.ini and a favourites folder, installed as the
// shared state for one test; the status line is recorded.
struct BrowserFixture {
    TempFolder dir;
    QStringList status;
    BrowserFixture() {
        auto& s = Shell::state();
        s.UserPath = dir.path();
        s.DataPath = dir.path();
        s.RaravIniFile = dir.file(QStringLiteral("rarav.ini"));
        s.FavoriteFolderPath = dir.path() + QStringLiteral("Favorites");
        QDir().mkpath(s.FavoriteFolderPath);
        Shell::hooks().setStatusText = [this](const QString& text) { status.append(text); };
    }
    ~BrowserFixture() {
        Shell::state() = Shell::SharedState();
        Shell::hooks() = Shell::MainWindowHooks();
    }
    void ini(const char* key, const QString& value) {
        Profile::writeString(Shell::state().RaravIniFile, QStringLiteral("Browser"), QLatin1String(key), value);
    }
    QStringList lines(const QString& name) {
        return QString::fromLatin1(dir.read(name)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list.append(box->itemText(i));
    return list;
}

}  // namespace

TEST(frmBrowser, HistoriesAndSearchSiteAreLoadedAndSavedAsTheSettingsSay) {
    BrowserFixture f;
    f.ini("FindHistory", QStringLiteral("1"));
    f.ini("URLHistory", QStringLiteral("2"));
    QString words;
    for (int i = 1; i <= 50; ++i) words += QStringLiteral("w%1\n").arg(i);
    f.dir.writeText(QStringLiteral("FindHist.txt"), words);
    f.dir.writeText(QStringLiteral("URLHist.txt"), QStringLiteral("http://kept.example/\n"));

    frmBrowser window;
    EXPECT_EQ(window.cmbFindSite->currentIndex(), 0);
    EXPECT_EQ(window.cmbFindSite->currentText(), QStringLiteral("Google(日本語)"));
    ASSERT_EQ(window.cmbFind->count(), 30);
    EXPECT_EQ(window.cmbFind->itemText(29), QStringLiteral("w30"));  // the first thirty lines
    EXPECT_EQ(window.cmbURL->count(), 0);  // URLHistory 2: not loaded

    // Words enter the list on Enter only, exactly and once. No site chosen:
    // nothing is opened, but the word is kept.
    window.cmbFindSite->setCurrentIndex(-1);
    window.cmbFind->setEditText(QStringLiteral("ABC"));
    window.cmbFind_KeyDown(65);
    EXPECT_EQ(window.cmbFind->count(), 30);
    for (const char* word : {"ABC", "abc", "ABC", ""}) {
        window.cmbFind->setEditText(QLatin1String(word));
        window.cmbFind_KeyDown(13);
    }
    EXPECT_EQ(items(window.cmbFind).mid(30), (QStringList{"ABC", "abc"}));
    EXPECT_EQ(f.status.last(), QStringLiteral("Webページ表示中..."));
    EXPECT_TRUE(window.WebBrowser->LocationURL().isEmpty());
    window.cmbURL->addItem(QStringLiteral("http://new.example/"));

    window.cmbFindSite->setCurrentIndex(3);
    window.Form_Unload();
    const QStringList saved = f.lines(QStringLiteral("FindHist.txt"));
    ASSERT_EQ(saved.size(), 32);
    EXPECT_EQ(saved.first(), QStringLiteral("w1"));
    EXPECT_EQ(saved.last(), QStringLiteral("abc"));
    EXPECT_EQ(f.lines(QStringLiteral("URLHist.txt")), QStringList{"http://kept.example/"});
    EXPECT_EQ(Profile::readString(Shell::state().RaravIniFile, QStringLiteral("Browser"), QStringLiteral("FindSite")),
              QStringLiteral("3"));

    // A stored site outside the list selects none at the next load.
    f.ini("FindSite", QStringLiteral("12"));
    window.Form_Load();
    EXPECT_EQ(window.cmbFindSite->currentIndex(), -1);
    EXPECT_EQ(window.cmbFind->itemText(29), QStringLiteral("w30"));  // the two new words stay past the first thirty
}

TEST(frmBrowser, FavouritesAndAddressBoxOpenPagesThatEnterTheHistoryWhenLoaded) {
    BrowserFixture f;
    LocalWebServer server;
    server.page("/fav", "<title>お気に入り</title>");
    f.ini("FavoriteSort", QStringLiteral("1"));
    f.ini("URLHistory", QStringLiteral("1"));
    const QString root = Shell::state().FavoriteFolderPath;
    QDir().mkpath(root + QStringLiteral("/Sub"));
    f.dir.write(QStringLiteral("Favorites/Page.url"),
                "[InternetShortcut]\r\nURL=" + server.url(QStringLiteral("/fav")).toLatin1() + "\r\n");
    f.dir.write(QStringLiteral("Favorites/Empty.url"), "[InternetShortcut]\r\n");

    frmBrowser window;
    EXPECT_EQ(items(window.CmbFavorite), (QStringList{"Sub", "Empty", "Page"}));
    EXPECT_EQ(window.CmbFavoriteTag, root);
    auto choose = [&](const QString& text) {
        window.CmbFavorite->setCurrentIndex(window.CmbFavorite->findText(text));
        window.CmbFavorite_Click();
    };
    choose(QStringLiteral("Sub"));
    EXPECT_EQ(window.CmbFavoriteTag, root + QStringLiteral("/Sub"));
    EXPECT_EQ(items(window.CmbFavorite), QStringList{".."});
    choose(QStringLiteral(".."));
    EXPECT_EQ(window.CmbFavoriteTag, root);
    choose(QStringLiteral("Empty"));  // no address: stays
    EXPECT_TRUE(f.status.isEmpty());

    choose(QStringLiteral("Page"));
    EXPECT_EQ(f.status.last(), QStringLiteral("Webページ表示中..."));
    EXPECT_EQ(window.cmbURL->count(), 0);  // not before the page has loaded
    ASSERT_TRUE(waitUntil([&] { return window.bDocumentComplete; }));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Browser / お気に入り"));
    EXPECT_EQ(window.cmbURL->currentText(), server.url(QStringLiteral("/fav")));
    EXPECT_EQ(f.status.last(), QStringLiteral("Webページ表示完了！"));
    EXPECT_EQ(items(window.cmbURL), QStringList{server.url(QStringLiteral("/fav"))});

    // The address box reaches a page the same way; an address already listed
    // is not listed twice.
    window.bDocumentComplete = false;
    window.cmbURL->setEditText(server.url(QStringLiteral("/fav")));
    window.cmbURL_KeyDown(13);
    ASSERT_TRUE(waitUntil([&] { return window.bDocumentComplete; }));
    EXPECT_EQ(window.cmbURL->count(), 1);

    window.close();
    EXPECT_FALSE(window.isLoaded());
    EXPECT_EQ(f.lines(QStringLiteral("URLHist.txt")), QStringList{server.url(QStringLiteral("/fav"))});
}
