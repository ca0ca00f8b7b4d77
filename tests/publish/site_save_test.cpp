#include "platform/files.h"
#include "platform/runtime_error.h"
#include "publish/site_save.h"
#include "publish/site_save_ui.h"
#include "publish/upload_list_reader.h"
#include "core/rarav_ini.h"
#include "tests/site/site_fixture.h"
#include "tests/support/full_disk.h"
#include "tests/support/scripted_prompts.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>

TEST(SiteSaveName, HtmExtensionAddedOnlyWhenMissing) {
    struct Case { const char* name; const char* saved; } cases[] = {
        {"index", "index.htm"}, {"a.html", "a.html"}, {"a.htm", "a.htm"}, {"A.HTM", "A.HTM"}, {"a.txt", "a.txt.htm"}};
    for (const Case& c : cases) EXPECT_EQ(SiteSave::htmlFileName(QLatin1String(c.name)), QLatin1String(c.saved));
}

// The shell's state over the fixture's folders: Save HTML reads everything
// from there.
class SiteSave_ : public SiteFixture {
protected:
    Shell::SharedState saved;
    void SetUp() override {
        SiteFixture::SetUp();
        saved = Shell::state();
        Shell::SharedState& s = Shell::state();
        s.DataPath = ctx.dataPath;
        s.UserPath = ctx.userPath;
        s.MyPath = ctx.myPath;
        s.CustIniFile = ctx.custIni;
        s.FrameIniFile = ctx.frameIni;
        s.RSSIniFile = ctx.rssIni;
        s.HaloScanIniFile = ctx.haloScanIni;
        s.RaravIniFile = ctx.userPath + QStringLiteral("rarav.ini");
        s.FilePath = site;
        s.FileName = QStringLiteral("index");
        s.Today = QStringLiteral("2005/03/31");
        s.EnterDay = QStringLiteral("2005/03/30");
        design(QStringLiteral("[DayList]\nUse=1\nAddTitle=1\n"));
        entry("2005/03/30", 1, "公開");
        entry("2005/03/29", 1, "非公開", "晴", "日記", 1);
        sql(QStringLiteral("DELETE FROM FileDB;"
                           "INSERT INTO FileDB (FileName, Day) VALUES ('march.png', '2005/03/30');"
                           "INSERT INTO FileDB (FileName, Day) VALUES ('jan.png', '2005/01/02');"
                           "INSERT INTO FileDB (FileName, Day) VALUES ('style.css', 'ALL');"
                           "INSERT INTO FileDB (FileName, Day) VALUES ('gone.png', '2005/03/01');"));
        for (const char* f : {"march.png", "jan.png", "style.css"})
            tmp.write(QStringLiteral("data/RaravParts/") + QLatin1String(f), QByteArray("new ") + f);
    }
    void TearDown() override { Shell::state() = saved; }
};

TEST_F(SiteSave_, WritesTheSiteListAndPartsWithoutReplacingAny) {
    SiteSave::SaveHTMLFiles(Shell::state());
    EXPECT_EQ(Shell::state().FileName, QStringLiteral("index.htm"));
    const QString page = linesOf(site + QStringLiteral("index.htm")).join(QLatin1Char('\n'));
    EXPECT_TRUE(page.contains(QStringLiteral("公開")));
    EXPECT_FALSE(page.contains(QStringLiteral("非公開")));
    EXPECT_EQ(linesOf(ctx.userPath + QStringLiteral("upload.tmp")), QStringList{tmp.path() + QStringLiteral("site,index.htm")});
    for (const char* f : {"march.png", "jan.png", "style.css"})
        EXPECT_EQ(tmp.read(QStringLiteral("site/RaravParts/") + QLatin1String(f)), QByteArray("new ") + f) << f;
    EXPECT_FALSE(Files::exists(site + QStringLiteral("RaravParts/gone.png")));
    EXPECT_EQ(RaravIni::read(Shell::state().RaravIniFile, RaravIni::SaveFileName), QStringLiteral("index.htm"));
    EXPECT_EQ(RaravIni::read(Shell::state().RaravIniFile, RaravIni::SaveFilePath), site);

    // A site copy that differs from its source (cut short on a full disk,
    // or the registered file changed) is copied again.
    tmp.write(QStringLiteral("data/RaravParts/march.png"), "changed");
    tmp.write(QStringLiteral("site/RaravParts/style.css"), "");
    SiteSave::SaveHTMLFiles(Shell::state());
    EXPECT_EQ(tmp.read(QStringLiteral("site/RaravParts/march.png")), QByteArray("changed"));
    EXPECT_EQ(tmp.read(QStringLiteral("site/RaravParts/style.css")), QByteArray("new style.css"));
}

// Writes that find no room: the save fails with a message naming the file,
// and the settings, the page, the list and the parts stay as they were.
TEST_F(SiteSave_, FullDiskFailsAndKeepsEveryOldFile) {
    SiteSave::SaveHTMLFiles(Shell::state());
    tmp.write(QStringLiteral("data/RaravParts/march.png"), "changed");
    entry("2005/03/31", 1, "新しい日記");
    Shell::state().FileName = QStringLiteral("index");
    const QStringList files = {QStringLiteral("user/rarav.ini"), QStringLiteral("site/index.htm"),
                               QStringLiteral("site/RaravParts/march.png")};
    const QByteArray oldList = tmp.read(QStringLiteral("user/upload.tmp"));
    QList<QByteArray> before;
    for (const QString& f : files) before << tmp.read(f);
    const bool failed = onFullDisk([] {
        try {
            SiteSave::SaveHTMLFiles(Shell::state());
            return false;
        } catch (const RuntimeError& e) {
            return e.description.contains(QLatin1Char('/'));
        }
    });
    EXPECT_TRUE(failed);
    for (qsizetype i = 0; i < files.size(); ++i) EXPECT_EQ(tmp.read(files[i]), before[i]) << files[i].toStdString();
    // The generator drops the old list before it starts; it is never left cut short.
    EXPECT_TRUE(!Files::exists(ctx.userPath + QStringLiteral("upload.tmp")) || tmp.read(QStringLiteral("user/upload.tmp")) == oldList);
    // Once there is room again, the differing copy is replaced.
    SiteSave::SaveHTMLFiles(Shell::state());
    EXPECT_EQ(tmp.read(QStringLiteral("site/RaravParts/march.png")), QByteArray("changed"));
}

// A site folder whose path CP932 cannot hold is saved, listed and remembered
// under its real path.
TEST_F(SiteSave_, SiteFolderWithAnAccentedName) {
    const QString cafe = tmp.file(QStringLiteral("café/"));
    ASSERT_TRUE(Files::makeFolder(cafe));
    Shell::state().FilePath = cafe;
    SiteSave::SaveHTMLFiles(Shell::state());
    EXPECT_TRUE(Files::exists(cafe + QStringLiteral("index.htm")));
    EXPECT_TRUE(Files::exists(cafe + QStringLiteral("RaravParts/style.css")));
    EXPECT_TRUE(tmp.read(QStringLiteral("user/upload.tmp")).startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(linesOf(ctx.userPath + QStringLiteral("upload.tmp")), QStringList{tmp.path() + QStringLiteral("café,index.htm")});
    EXPECT_EQ(RaravIni::read(Shell::state().RaravIniFile, RaravIni::SaveFilePath), cafe);
}

// The parts are looked up while the page is made, yet a list of parts that
// cannot be read fails the save only after the pages, as copying them did.
TEST_F(SiteSave_, UnreadablePartsFailAfterThePages) {
    sql(QStringLiteral("DROP TABLE FileDB;"));
    try {
        SiteSave::SaveHTMLFiles(Shell::state());
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, ErrorNumber::DatabaseError);
    }
    EXPECT_TRUE(linesOf(site + QStringLiteral("index.htm")).join(QLatin1Char('\n')).contains(QStringLiteral("公開")));
    EXPECT_TRUE(Files::exists(ctx.userPath + QStringLiteral("upload.tmp")));
    EXPECT_FALSE(Files::exists(Shell::state().RaravIniFile));
}

TEST_F(SiteSave_, FailureLeavesTheSettingsAlone) {
    Shell::state().FilePath = tmp.file(QStringLiteral("missing/"));
    EXPECT_THROW(SiteSave::SaveHTMLFiles(Shell::state()), RuntimeError);
    EXPECT_FALSE(Files::exists(Shell::state().RaravIniFile));
}

TEST_F(SiteSave_, SaveAsChoosesTheTargetOrChangesNothing) {
    Files::makeFolder(tmp.file(QStringLiteral("other")));
    {
        ScopedPrompts p;
        p->expectSaveFile(QString(), QStringLiteral("日記の書き出し..."));
        EXPECT_FALSE(SiteSaveUi::MnuSaveHTMLAS_Click());
    }
    EXPECT_EQ(Shell::state().FilePath, site);
    EXPECT_EQ(Shell::state().FileName, QStringLiteral("index"));
    {
        // A top page the server would receive as "caf?.htm" is refused where
        // it is named; a folder outside CP932 stays on this machine and is fine.
        ScopedPrompts p;
        p->expectSaveFile(tmp.file(QStringLiteral("other/café.htm")), QStringLiteral("日記の書き出し..."))
            .expectMessage(QStringLiteral("「café.htm」はサーバーに送れない文字（é）を含んでいます。"));
        EXPECT_FALSE(SiteSaveUi::MnuSaveHTMLAS_Click());
    }
    EXPECT_EQ(Shell::state().FileName, QStringLiteral("index"));
    {
        ScopedPrompts p;
        p->expectSaveFile(tmp.file(QStringLiteral("other/diary")), QStringLiteral("日記の書き出し..."));
        EXPECT_TRUE(SiteSaveUi::MnuSaveHTMLAS_Click());
    }
    EXPECT_EQ(Shell::state().FilePath, tmp.file(QStringLiteral("other/")));
    EXPECT_EQ(Shell::state().FileName, QStringLiteral("diary.htm"));
    EXPECT_TRUE(Files::exists(tmp.file(QStringLiteral("other/diary.htm"))));
    EXPECT_TRUE(Files::exists(tmp.file(QStringLiteral("other/RaravParts/style.css"))));
}

// The preview holds private entries at the day's anchor, and a preview that
// cannot be written is passed over quietly.
TEST_F(SiteSave_, PreviewIncludesPrivateEntriesAndIgnoresFailures) {
    SiteSaveUi::SaveTmpFile();
    const QString page = linesOf(ctx.dataPath + QStringLiteral("Preview/tmp.htm")).join(QLatin1Char('\n'));
    EXPECT_TRUE(page.contains(QStringLiteral("非公開")));
    EXPECT_TRUE(page.contains(QStringLiteral("<A Name=\"2005/03/30\"></A>")));
    EXPECT_FALSE(Files::exists(ctx.userPath + QStringLiteral("upload.tmp")));
    Shell::state().DataPath = tmp.file(QStringLiteral("missing/"));
    EXPECT_NO_THROW(SiteSaveUi::SaveTmpFile());
}

// With the site saved into the data folder and one page a day, the preview
// (private entries included) writes the same day-page names as the site, so
// it writes them in a folder of its own: no file of the upload list holds a
// private entry afterwards, and the preview still finds the pictures.
TEST_F(SiteSave_, ThePreviewNeverWritesIntoTheSiteItUploads) {
    frame(QStringLiteral("[Divide]\nRaravDivide=1\nRaravTerm=1\nRaravOnTop=0\nUseFileName2Day=1\n"));
    entry("2005/03/30", 2, "内緒の話", "晴", "日記", 1);
    Shell::state().FilePath = ctx.dataPath;
    SiteSave::SaveHTMLFiles(Shell::state());
    SiteSaveUi::SaveTmpFile();

    const QList<Publish::UploadLine> listed = Publish::readUploadList(ctx.userPath + QStringLiteral("upload.tmp"));
    QStringList names;
    for (const Publish::UploadLine& l : listed) {
        names << l.name;
        const QString text = linesOf(l.localPath()).join(QLatin1Char('\n'));
        EXPECT_TRUE(text.contains(QStringLiteral("公開"))) << l.name.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("内緒の話"))) << l.name.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("非公開"))) << l.name.toStdString();
    }
    EXPECT_EQ(names, (QStringList{"index.htm", "2005_03_30.htm"}));

    const QString preview = ctx.dataPath + QStringLiteral("Preview/");
    EXPECT_TRUE(linesOf(preview + QStringLiteral("2005_03_30.htm")).join(QLatin1Char('\n')).contains(QStringLiteral("内緒の話")));
    EXPECT_TRUE(linesOf(preview + QStringLiteral("tmp.htm")).join(QLatin1Char('\n')).contains(QStringLiteral("非公開")));
    EXPECT_EQ(tmp.read(QStringLiteral("data/Preview/RaravParts/march.png")), QByteArray("new march.png"));

    // Nor can the site be saved where the preview is written.
    Shell::state().FilePath = preview;
    EXPECT_THROW(SiteSave::SaveHTMLFiles(Shell::state()), RuntimeError);
    EXPECT_FALSE(Files::exists(preview + QStringLiteral("index.htm")));
}

// A refused Save As is not remembered: the next Save HTML goes where the
// site was saved before.
TEST_F(SiteSave_, ARefusedSaveAsKeepsThePreviousTarget) {
    const QString preview = ctx.dataPath + QStringLiteral("Preview/");
    ASSERT_TRUE(Files::makeFolder(preview));
    {
        ScopedPrompts p;
        p->expectSaveFile(preview + QStringLiteral("index.htm"), QStringLiteral("日記の書き出し..."));
        EXPECT_THROW(SiteSaveUi::MnuSaveHTMLAS_Click(), RuntimeError);
    }
    EXPECT_EQ(Shell::state().FilePath, site);
    EXPECT_EQ(Shell::state().FileName, QStringLiteral("index"));
    EXPECT_NO_THROW(SiteSaveUi::SaveHTMLFiles());
    EXPECT_TRUE(Files::exists(site + QStringLiteral("index.htm")));
    EXPECT_FALSE(Files::exists(preview + QStringLiteral("index.htm")));
}

// A page that is a symbolic link is saved through it: the link stays and
// its target holds the new page.
TEST_F(SiteSave_, APageThatIsASymbolicLinkIsWrittenThroughIt) {
    ASSERT_TRUE(Files::makeFolder(tmp.file(QStringLiteral("elsewhere 〜¥−🍣"))));
    tmp.write(QStringLiteral("elsewhere 〜¥−🍣/index.htm"), "old page");
    ASSERT_TRUE(QFile::link(QStringLiteral("../elsewhere 〜¥−🍣/index.htm"), site + QStringLiteral("index.htm")));
    SiteSave::SaveHTMLFiles(Shell::state());
    EXPECT_EQ(QFileInfo(site + QStringLiteral("index.htm")).symLinkTarget(),
              tmp.file(QStringLiteral("elsewhere 〜¥−🍣/index.htm")));
    EXPECT_TRUE(linesOf(tmp.file(QStringLiteral("elsewhere 〜¥−🍣/index.htm"))).join(QLatin1Char('\n')).contains(QStringLiteral("公開")));
    EXPECT_TRUE(QDir(tmp.file(QStringLiteral("elsewhere 〜¥−🍣"))).entryList(QDir::Files) == QStringList{"index.htm"});
}

// A run killed while writing a page leaves its temporary file; the next save
// removes it and nothing else.
TEST_F(SiteSave_, ATemporaryPageLeftByAKilledRunIsRemoved) {
    tmp.write(QStringLiteral("site/index.htm.~k3x9q1"), "half a page");
    tmp.write(QStringLiteral("site/index_RSS200.xml.~a1"), "<rss");
    tmp.write(QStringLiteral("site/notes.txt.~1"), "the user's");
    tmp.write(QStringLiteral("site/index.htm~"), "an editor's backup");
    SiteSave::SaveHTMLFiles(Shell::state());
    EXPECT_EQ(QDir(site).entryList(QDir::Files), (QStringList{"index.htm", "index.htm~", "notes.txt.~1"}));
}
