#include "core/browser_pages.h"

#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// The pages' "./RaravParts/" and "./RaravLog/" addresses reach the data
// folder's files, also after the data folder moved.
TEST(BrowserPages, PrepareLinksTheDataFoldersPicturesAndLogs) {
    TempFolder t;
    const QString data = t.path() + "data/";
    t.write("data/RaravParts/cat.png", "cat");
    ASSERT_TRUE(BrowserPages::prepare(data));
    EXPECT_EQ(BrowserPages::folder(data), data + "Preview/");
    EXPECT_EQ(t.read("data/Preview/RaravParts/cat.png"), "cat");
    t.write("data/RaravLog/200604.htm", "log");  // made later by the log maker
    EXPECT_EQ(t.read("data/Preview/RaravLog/200604.htm"), "log");
    EXPECT_TRUE(BrowserPages::prepare(data));  // again: nothing to do

    ASSERT_TRUE(QDir().rename(t.path() + "data", t.path() + "moved"));
    const QString moved = t.path() + "moved/";
    EXPECT_TRUE(BrowserPages::prepare(moved));
    EXPECT_EQ(t.read("moved/Preview/RaravParts/cat.png"), "cat");

    // A data folder that is missing is not made.
    EXPECT_FALSE(BrowserPages::prepare(data));
    EXPECT_FALSE(QFileInfo::exists(data));
}

TEST(BrowserPages, TheSiteFolderIsNeverThePreviewFolder) {
    TempFolder t;
    const QString data = t.path() + "data/";
    ASSERT_TRUE(QDir().mkpath(data));
    ASSERT_TRUE(BrowserPages::prepare(data));
    EXPECT_TRUE(BrowserPages::isFolderOf(data + "Preview/", data));
    EXPECT_TRUE(BrowserPages::isFolderOf(data + "Preview", data));
    EXPECT_TRUE(BrowserPages::isFolderOf(data + "x/../Preview/", data));
    EXPECT_FALSE(BrowserPages::isFolderOf(data, data));
    EXPECT_FALSE(BrowserPages::isFolderOf(t.path() + "site/", data));
    EXPECT_FALSE(BrowserPages::isFolderOf(QString(), data));
}

}  // namespace
