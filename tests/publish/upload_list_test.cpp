// The upload lists as the generator writes them and the upload reads them:
// every folder and name reads back exactly, and the old program's lists stay
// readable.
#include "platform/codepage.h"
#include "platform/runtime_error.h"
#include "publish/upload_list_reader.h"
#include "site/upload_list.h"
#include "tests/support/full_disk.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(UploadListFormat, EveryFolderAndNameReadsBackExactly) {
    TempFolder t;
    const QStringList folders = {t.path() + "site", t.path() + "my,site", t.path() + "\"quoted\"",
                                 t.path() + " spaced ", t.path() + "日記,サイト", t.path() + "two\nlines"};
    const QStringList names = {"index.htm", "a,b.htm", ",lead.htm", "x\"y\".htm", "trail ", "2006,05,03.htm",
                               "lf\nname.htm", "cr\rname.htm", "crlf\r\nname.htm"};
    QStringList paths;
    for (const QString& f : folders)
        for (const QString& n : names) paths << f + "/" + n;
    const QString list = t.file("upload.tmp");
    UploadList::write(list, paths);

    const QList<Publish::UploadLine> lines = Publish::readUploadList(list);
    QStringList read;
    for (const Publish::UploadLine& l : lines) read << l.localPath();
    EXPECT_EQ(read, paths);
    // Lines the old program could read are written as it wrote them.
    // (In the list's encoding: CP932, or UTF-8 when the folder's path needs it.)
    EXPECT_TRUE(t.read("upload.tmp").startsWith(Codepage::encodeFile(t.path() + "site,index.htm\r\n")));
}

TEST(UploadListFormat, OldListsStayReadable) {
    TempFolder t;
    QDir().mkpath(t.path() + "my,site");
    t.write("my,site/index.htm", "<p>x</p>");
    struct Case {
        QString text;
        QString folder, name;
    };
    const Case cases[] = {
        {t.path() + "site,index.htm\r\n", t.path() + "site/", "index.htm"},
        // A comma in the folder: the split whose file exists.
        {t.path() + "my,site,index.htm\r\n", t.path() + "my,site/", "index.htm"},
        // A comma before the last "/" always belongs to the folder.
        {"/a,b/site,index.htm\r\n", "/a,b/site/", "index.htm"},
        // Nothing exists: the first comma after the last "/", as before.
        {"/x/p,q,r.htm\r\n", "/x/p/", "q,r.htm"},
        {"\"C:\\site\",\"index.htm\"\r\n", "C:/site/", "index.htm"},
        {"\"/site\",index.htm\n", "/site/", "index.htm"},
        {"\r\n /site , index.htm \r\n\r\n", "/site/", "index.htm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        t.writeText("old.tmp", c.text);
        const auto lines = Publish::readUploadList(t.file("old.tmp"));
        ASSERT_EQ(lines.size(), 1);
        EXPECT_EQ(lines[0].folder, c.folder);
        EXPECT_EQ(lines[0].name, c.name);
    }
}

// A list that lists nothing or breaks off inside quotes is damaged (a site
// save always lists its top page): reading it fails, never an empty success.
TEST(UploadListFormat, EmptyOrBrokenListsAreErrors) {
    TempFolder t;
    for (const char* text : {"", "\r\n\r\n", "\"/site,index.htm\r\n", "\"/site\",\"index.htm\r\n", "\"/site\"x,\"a\"\r\n"}) {
        SCOPED_TRACE(text);
        t.write("broken.tmp", text);
        EXPECT_THROW(Publish::readUploadList(t.file("broken.tmp")), RuntimeError);
    }
    EXPECT_THROW(Publish::readUploadList(t.file("missing.tmp")), RuntimeError);
}

// The pending list of past-log pages grows month by month: new lines are
// added at its end in its own encoding, each page once, and a line that the
// list's encoding cannot hold turns the whole list into UTF-8.
TEST(UploadListFormat, AppendingAddsEachPageOnceInTheListsEncoding) {
    TempFolder t;
    const QString list = t.file("uploadlog.tmp");
    // The folder is written as the list's encoding holds it: a temporary
    // folder's path may need UTF-8 from the start.
    const QString folder = t.path() + "log";
    UploadList::append(list, {t.path() + "log/1.htm", t.path() + "log/1.htm", t.path() + "log/日記.htm"});
    EXPECT_EQ(t.read("uploadlog.tmp"), Codepage::encodeFile(folder + ",1.htm\r\n" + folder + ",日記.htm\r\n"));

    // An old list whose last line has no line end keeps its bytes.
    t.write("uploadlog.tmp", Codepage::encodeFile(folder + ",0.htm"));
    UploadList::append(list, {t.path() + "log/0.htm", t.path() + "log/2.htm"});
    EXPECT_EQ(t.read("uploadlog.tmp"), Codepage::encodeFile(folder + ",0.htm\r\n" + folder + ",2.htm\r\n"));

    UploadList::append(list, {t.path() + "log/😀.htm", t.path() + "log/3.htm"});
    const QByteArray whole =
        QByteArray(Codepage::kByteOrderMark) + (folder + ",0.htm\r\n" + folder + ",2.htm\r\n" + folder + ",😀.htm\r\n" + folder + ",3.htm\r\n").toUtf8();
    EXPECT_EQ(t.read("uploadlog.tmp"), whole);
    UploadList::append(list, {t.path() + "log/日記.htm", t.path() + "log/3.htm"});
    EXPECT_EQ(t.read("uploadlog.tmp"), whole + (folder + ",日記.htm\r\n").toUtf8());

    // A disk that fills half-way through the new lines leaves the list as it
    // was, and the failure is reported.
    const QByteArray before = t.read("uploadlog.tmp");
    const QString why = QString::fromLocal8Bit(strerror(EFBIG));
    EXPECT_TRUE(onFullDisk([&] {
        try {
            UploadList::append(list, {t.path() + "log/4.htm"});
        } catch (const RuntimeError& e) {
            return e.description.contains("書き込めませんでした") && e.description.contains(list) &&
                   e.description.contains(why);
        }
        return false;
    }, long(before.size()) + 3));
    EXPECT_EQ(t.read("uploadlog.tmp"), before);

    // A list that is a symbolic link to a file not made yet: the first lines
    // make that file, and the link stays.
    const QString linked = t.file("linked.tmp");
    ASSERT_TRUE(QFile::link(t.file("〜¥−🍣.tmp"), linked));
    UploadList::append(linked, {t.path() + "log/5.htm"});
    EXPECT_TRUE(QFileInfo(linked).isSymLink());
    EXPECT_EQ(t.read("〜¥−🍣.tmp"), Codepage::encodeFile(folder + ",5.htm\r\n"));
}

}  // namespace
