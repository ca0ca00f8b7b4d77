#include "tests/support/temp_folder.h"
#include "web/favorites.h"
#include "web/favorites_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QByteArray shortcut(const QByteArray& url) { return "[InternetShortcut]\r\nURL=" + url + "\r\n"; }

QStringList texts(const QList<FavoriteItem>& items) {
    QStringList out;
    for (const FavoriteItem& item : items) out.append(item.text);
    return out;
}

}  // namespace

TEST(Favorites, SortedListingPutsFoldersFirstWithoutRegardToCase) {
    TempFolder dir;
    const QString root = dir.path() + QStringLiteral("Favorites");
    QDir().mkpath(root + QStringLiteral("/b"));
    QDir().mkpath(root + QStringLiteral("/A"));
    dir.write(QStringLiteral("Favorites/z.url"), shortcut("http://z.example/"));
    dir.write(QStringLiteral("Favorites/Y.url"), shortcut("http://y.example/"));
    dir.write(QStringLiteral("Favorites/memo.txt"), "text");
    dir.write(QStringLiteral("Favorites/X.URL"), shortcut("http://x.example/"));
    dir.write(QStringLiteral("Favorites/.hidden.url"), shortcut("http://h.example/"));

    const QList<FavoriteItem> items = Favorites::listFavorites(root, root, true);
    // A plain file and a capital ".URL" are folders, under their full names.
    EXPECT_EQ(texts(items), (QStringList{"A", "b", "memo.txt", "X.URL", "Y", "z"}));
    EXPECT_EQ(items[0].key, QStringLiteral("1Key"));
    EXPECT_EQ(items[0].tag, QStringLiteral("Folder"));
    EXPECT_EQ(items[0].picture, FavoriteItem::FolderPicture);
    EXPECT_EQ(items[3].tag, QStringLiteral("Folder"));
    EXPECT_EQ(items[4].tag, QStringLiteral("http://y.example/"));
    EXPECT_EQ(items[4].picture, FavoriteItem::ShortcutPicture);
    EXPECT_EQ(items[5].key, QStringLiteral("6Key"));

    // Directory order lists the same entries, without "..".
    QStringList unsorted = texts(Favorites::listFavorites(root, root, false));
    unsorted.sort();
    EXPECT_EQ(unsorted, (QStringList{"A", "X.URL", "Y", "b", "memo.txt", "z"}));
}

TEST(Favorites, SubFoldersLeadBackToTheRootAndOddPathsListSafely) {
    TempFolder dir;
    const QString root = dir.path() + QStringLiteral("Favorites");
    QDir().mkpath(root + QStringLiteral("/Sub"));
    dir.write(QStringLiteral("Favorites/plain.txt"), "text");

    EXPECT_TRUE(Favorites::listFavorites(root + QStringLiteral("/Sub"), root, true).size() == 1);
    const QList<FavoriteItem> sub = Favorites::listFavorites(root + QStringLiteral("/Sub"), root, false);
    ASSERT_EQ(sub.size(), 1);
    EXPECT_EQ(sub[0].text, QStringLiteral(".."));
    EXPECT_EQ(sub[0].tag, root);
    EXPECT_EQ(sub[0].key, QStringLiteral("1Key"));

    // A plain file chosen as a folder: only the way back.
    EXPECT_EQ(texts(Favorites::listFavorites(root + QStringLiteral("/plain.txt"), root, true)), QStringList{".."});
    // No root at all lists nothing, never the working folder.
    EXPECT_TRUE(Favorites::listFavorites(QString(), QString(), true).isEmpty());
    QDir().mkpath(dir.path() + QStringLiteral("Empty"));
    EXPECT_TRUE(Favorites::listFavorites(dir.path() + QStringLiteral("Empty"), dir.path() + QStringLiteral("Empty"), true)
                    .isEmpty());
}

TEST(Favorites, ShortcutAddressIsCutAt255Characters) {
    TempFolder dir;
    const QByteArray longUrl = "http://example.jp/" + QByteArray(300, 'a');
    const QString path = dir.write(QStringLiteral("long.url"), shortcut(longUrl));
    EXPECT_EQ(Favorites::GetShortcutURL(path), QString::fromLatin1(longUrl.left(255)));
    EXPECT_EQ(Favorites::GetShortcutURL(dir.write(QStringLiteral("none.url"), "[Other]\r\nURL=x\r\n")), QString());
    EXPECT_EQ(Favorites::GetShortcutURL(dir.file(QStringLiteral("missing.url"))), QString());
}

TEST(Favorites, SortIsStableAndIgnoresCase) {
    EXPECT_EQ(Favorites::SortStrings({"b", "B", "a", "C"}), (QStringList{"a", "b", "B", "C"}));
    EXPECT_EQ(Favorites::SortStrings({"B", "b"}), (QStringList{"B", "b"}));
}

TEST(Favorites, FolderIsUnderTheProgramNameOnceAndNeverCreated) {
    TempFolder home;
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    const QString oldApp = QCoreApplication::applicationName(), oldOrg = QCoreApplication::organizationName();
    qputenv("XDG_DATA_HOME", QDir::cleanPath(home.path()).toUtf8());
    // The program names the organisation as itself.
    QCoreApplication::setApplicationName(QStringLiteral("Rarav"));
    QCoreApplication::setOrganizationName(QStringLiteral("Rarav"));
    const QString folder = FavoritesFolder::GetFavoritesFolder();
    QCoreApplication::setApplicationName(oldApp);
    QCoreApplication::setOrganizationName(oldOrg);
    qputenv("XDG_DATA_HOME", oldData);
    EXPECT_EQ(QDir::cleanPath(home.path()) + QStringLiteral("/Rarav/Favorites"), folder);
    EXPECT_FALSE(QFileInfo::exists(QDir::cleanPath(home.path()) + QStringLiteral("/Rarav")));
    EXPECT_TRUE(Favorites::listFavorites(folder, folder, true).isEmpty());
}
