#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/internet.h"
#include "publish/ftp_upload.h"
#include "publish/internet_error_text.h"
#include "publish/log_maker.h"
#include "publish/log_registry.h"
#include "publish/parts_registry.h"
#include "publish/site_save.h"
#include "site/upload_list.h"
#include "core/ini_file.h"
#include "core/shared_state.h"
#include "tests/publish/publish_fixture.h"
#include "tests/support/full_disk.h"
#include "tests/support/local_servers.h"
#include "tests/support/scripted_prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMap>
#include <QTimer>
#include <memory>

using Publish::FtpUpload;

namespace {

// The password as the options window stores it.
QString scrambled(const QString& password) {
    QString out;
    for (qsizetype i = password.size() - 1; i >= 0; --i) out += QChar(password[i].unicode() + 1);
    return out;
}

class FtpUploadTest : public PublishFixture {
protected:
    void SetUp() override {
        PublishFixture::SetUp();
        setServer(server.port());
        IniFile::WriteIniString(iniFile(), "FTP", "ID", "quillby");
        IniFile::WriteIniString(iniFile(), "FTP", "Pass", scrambled("secret"));
        IniFile::WriteIniString(iniFile(), "FTP", "StartFolder", "www");
        IniFile::WriteIniString(iniFile(), "FTP", "PASV", "1");
        IniFile::WriteIniString(iniFile(), "FTP2", "SoundFile", "/sounds/done.wav");
    }
    void setServer(int port) {
        IniFile::WriteIniString(iniFile(), "FTP", "URL", QStringLiteral("127.0.0.1:%1").arg(port));
    }
    // A server that ignores letter case (as Windows servers do), serving
    // rootFolder, with its start folder and parts folder made; the upload goes to it.
    std::unique_ptr<LocalFtpServer> caseBlindServer(const TempFolder& rootFolder) {
        LocalFtpServer::Options options;
        options.ignoreCase = true;
        auto blind = std::make_unique<LocalFtpServer>(rootFolder.path(), options);
        if (blind->running()) setServer(blind->port());
        QDir().mkpath(rootFolder.path() + "www/RaravParts");
        return blind;
    }
    FtpUpload::Ending upload() {
        progress = RecordingProgress();
        Publish::UploadServices s = services();
        s.playSound = [this](const QString& f) { sounds << f; };
        s.ping = [this] { ++pings; };
        FtpUpload run(progress, s);
        return run.FTP_Execute();
    }
    QString remote(const QString& name) const { return root.file(name); }
    bool onServer(const QString& name) const { return QFile::exists(remote(name)); }
    // A month's site as the site save leaves it: pages listed in upload.tmp
    // and the parts folder filled.
    void saveSite(const QStringList& pages) {
        QStringList lines;
        for (const QString& p : pages) lines << page(sitePath(), p);
        writeList("upload.tmp", lines);
    }
    void sitePart(const QString& name, const QByteArray& bytes = "GIF89a\0\1", const QString& day = "2006/05/01") {
        site.write("RaravParts/" + name, bytes);
        addPart(name, day, 1);
    }

    TempFolder root;
    LocalFtpServer server{root.path()};
    RecordingProgress progress;
    QStringList sounds;
    int pings = 0;
};

}  // namespace

TEST_F(FtpUploadTest, UploadsTheSiteThenOnlyWhatChanged) {
    ASSERT_TRUE(server.running());
    saveSite({"index.htm", "index_01.htm", "2006_05_01.htm", "日記～五月.htm"});
    sitePart("a.gif");
    sitePart("b.gif");
    sitePart("背景.png", QByteArray("\x89PNG\r\n\x1a\n\0", 9), "ALL");
    ScopedPrompts prompts;
    prompts->expectMessage("フォルダ「www」が作成されていません。", Prompts::vbYes)
        .expectMessage("フォルダ「RaravParts」が作成されていません。", Prompts::vbYes);

    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    EXPECT_EQ(progress.caption, "FTP by Quillby");
    EXPECT_EQ(progress.title, "Successful");
    EXPECT_EQ(progress.body, "日記のアップロードに成功しました。");
    EXPECT_TRUE(progress.ok && progress.batsu);
    for (const char* name : {"index.htm", "index_01.htm", "2006_05_01.htm"}) EXPECT_TRUE(onServer(QStringLiteral("www/") + name));
    EXPECT_TRUE(onServer("www/日記～五月.htm"));
    EXPECT_EQ(root.read("www/RaravParts/背景.png"), QByteArray("\x89PNG\r\n\x1a\n\0", 9));
    EXPECT_TRUE(progress.texts.contains("ファイル「index.htm」をアップロード中。(0/4)"));
    EXPECT_TRUE(progress.texts.contains("ファイル「日記～五月.htm」のアップロードに成功しました。(4/4)"));
    EXPECT_TRUE(progress.texts.contains("ファイル「a.gif」をアップロードします。(0/3)"));
    EXPECT_TRUE(progress.texts.contains("ファイル「背景.png」のアップロードに成功しました。(3/3)"));
    EXPECT_EQ(progress.value, 3);
    for (const QVariantList& row : fileRows()) EXPECT_EQ(row[3].toInt(), 1) << row[0].toString().toStdString();
    EXPECT_EQ(user.read("uploadold.tmp"), user.read("upload.tmp"));
    EXPECT_TRUE(statuses.contains("Connected to 127.0.0.1:" + QString::number(server.port())));
    EXPECT_TRUE(statuses.contains("Change Directory www/RaravParts is Completed!"));
    EXPECT_TRUE(statuses.contains("Change Directory www/RaravParts/ is Completed!"));
    EXPECT_EQ(statuses.last(), "Uploading Files is Success!");
    EXPECT_EQ(sounds, QStringList{"/sounds/done.wav"});
    EXPECT_EQ(pointers, (QList<bool>{true, false}));
    EXPECT_EQ(pings, 0);

    // One new entry later: the new list goes up, then the old pages it no
    // longer holds are removed.
    statuses.clear();
    saveSite({"index.htm", "2006_05_02.htm"});
    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    EXPECT_FALSE(onServer("www/index_01.htm"));
    EXPECT_FALSE(onServer("www/日記～五月.htm"));
    EXPECT_TRUE(onServer("www/index.htm"));
    EXPECT_TRUE(onServer("www/2006_05_02.htm"));
    EXPECT_TRUE(statuses.contains("Deleting 日記～五月.htm is Completed!"));
    EXPECT_TRUE(statuses.contains("HTMLファイル以外にアップロード対象となるファイルはありません。"));
    EXPECT_TRUE(onServer("www/RaravParts/a.gif"));
    EXPECT_EQ(user.read("uploadold.tmp"), user.read("upload.tmp"));
}

// Registering a parts file again with new content, as the user does after
// editing a picture, must put the new bytes on the server at the next upload.
TEST_F(FtpUploadTest, APartRegisteredAgainGoesUpWithTheNextUpload) {
    ASSERT_TRUE(server.running());
    QDir().mkpath(remote("www/RaravParts"));
    QDir().mkpath(sitePath() + "RaravParts");
    TempFolder pictures;
    Publish::ResistFile(pictures.write("a.gif", "GIF89a old"), "2006/05/01", 1);
    SiteSave::copyPartsFiles(Shell::state(), "2006/05");
    saveSite({"index.htm"});
    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    EXPECT_EQ(root.read("www/RaravParts/a.gif"), "GIF89a old");

    ScopedPrompts prompts;
    prompts->expectMessage("すでに登録済みのファイルです。\r\n上書きしますか？", Prompts::vbYes, Prompts::vbYesNo);
    Publish::ResistFile(pictures.write("edited/a.gif", "GIF89a new"), "2006/05/01", 1);
    SiteSave::copyPartsFiles(Shell::state(), "2006/05");
    saveSite({"index.htm"});
    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    EXPECT_EQ(root.read("www/RaravParts/a.gif"), "GIF89a new");
    EXPECT_EQ(fileRows("Uploaded"), (QList<QVariantList>{{1}}));
}

// The parts sent are recorded together at the end of the run; one registered
// again with new content while the run goes on stays pending, since what
// went up may be the old content.
TEST_F(FtpUploadTest, APartRegisteredAgainDuringTheRunStaysPending) {
    ASSERT_TRUE(server.running());
    QDir().mkpath(remote("www/RaravParts"));
    QDir().mkpath(sitePath() + "RaravParts");
    TempFolder pictures;
    Publish::ResistFile(pictures.write("a.gif", "GIF89a old"), "2006/05/01", 1);
    Publish::ResistFile(pictures.write("b.gif", "GIF89a b"), "2006/05/01", 1);
    SiteSave::copyPartsFiles(Shell::state(), "2006/05");
    saveSite({"index.htm"});

    class RegisterDuringRun : public RecordingProgress {
    public:
        QString newContent;
        bool done = false;
        void yield() override {
            if (done || !body.contains("「a.gif」のアップロードに成功しました")) return;
            done = true;
            Publish::ResistFile(newContent, "2006/05/01", 1);
            SiteSave::copyPartsFiles(Shell::state(), "2006/05");
        }
    } during;
    during.newContent = pictures.write("edited/a.gif", "GIF89a new");
    ScopedPrompts prompts;
    prompts->expectMessage("すでに登録済みのファイルです。\r\n上書きしますか？", Prompts::vbYes, Prompts::vbYesNo);
    ASSERT_EQ(FtpUpload(during, services()).FTP_Execute(), FtpUpload::Ending::Succeeded) << during.body.toStdString();
    ASSERT_TRUE(during.done);
    EXPECT_EQ(fileRows("FileName, Uploaded"), (QList<QVariantList>{{"a.gif", 0}, {"b.gif", 1}}));

    saveSite({"index.htm"});
    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    EXPECT_EQ(root.read("www/RaravParts/a.gif"), "GIF89a new");
    EXPECT_EQ(fileRows("Uploaded"), (QList<QVariantList>{{1}, {1}}));
}

// A server that ignores letter case (as Windows servers do) holds the new
// "index.htm" where the old "Index.htm" was: deleting the old name would
// delete the page just put.
TEST_F(FtpUploadTest, ATopPageRenamedByLetterCaseStaysOnACaseBlindServer) {
    TempFolder blindRoot;
    const auto blind = caseBlindServer(blindRoot);
    ASSERT_TRUE(blind->running());
    saveSite({"Index.htm", "Index_D.htm", "Index_C.htm", "Index_RSS091.xml", "gone.htm"});
    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();

    saveSite({"index.htm", "index_D.htm", "index_C.htm", "index_RSS091.xml"});
    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    const QStringList onServer = QDir(blindRoot.path() + "www").entryList(QDir::Files);
    for (const char* name : {"index.htm", "index_D.htm", "index_C.htm", "index_RSS091.xml"})
        EXPECT_TRUE(onServer.contains(QString::fromUtf8(name), Qt::CaseInsensitive)) << name;
    EXPECT_EQ(onServer.size(), 4) << onServer.join(' ').toStdString();
    EXPECT_EQ(progress.texts.filter("を削除しました。"), QStringList{"ファイル「gone.htm」を削除しました。"});
}

// Two pictures whose names differ only in letter case ("IMG_1.JPG" from the
// camera, "img_1.jpg" from an editor) are one file on such a server: the
// second would go up over the first, and the first entry would show the
// second picture. The second name is refused where it is registered, in
// whichever way it is registered, and the first picture arrives as it is.
TEST_F(FtpUploadTest, PartsWhoseNamesDifferOnlyInLetterCaseDoNotMeetOnACaseBlindServer) {
    TempFolder blindRoot;
    const auto blind = caseBlindServer(blindRoot);
    ASSERT_TRUE(blind->running());
    QDir().mkpath(sitePath() + "RaravParts");
    TempFolder pictures;
    Publish::ResistFile(pictures.write("IMG_1.JPG", "camera"), "2006/05/01", 1);
    const QString edited = pictures.write("edited/img_1.jpg", "edited");
    const std::function<void()> registrations[] = {
        [&] { Publish::ResistFile(edited, "2006/05/02", 1); },
        [&] { Publish::ResistFile(edited, "2006/05/01", 1); },
        [&] { Publish::ResistFile2(edited, "Img_1.jpg", "ALL", 0); },
    };
    for (const auto& registration : registrations) {
        try {
            registration();
            ADD_FAILURE() << "accepted";
        } catch (const RuntimeError& e) {
            EXPECT_TRUE(e.description.contains("IMG_1.JPG")) << e.description.toStdString();
        }
    }
    EXPECT_EQ(fileRows("FileName"), (QList<QVariantList>{{"IMG_1.JPG"}}));
    EXPECT_EQ(QDir(dataPath() + "RaravParts").entryList(QDir::Files), QStringList{"IMG_1.JPG"});

    SiteSave::copyPartsFiles(Shell::state(), "2006/05");
    saveSite({"index.htm"});
    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    EXPECT_EQ(QDir(blindRoot.path() + "www/RaravParts").entryList(QDir::Files), QStringList{"IMG_1.JPG"});
    EXPECT_EQ(blindRoot.read("www/RaravParts/IMG_1.JPG"), "camera");
}

// A registered name is a bare file name; one that is a path ("../x.gif", as
// another program may write it into the database) names a file outside the
// parts folders. Nothing of it is copied, sent, moved or deleted outside its
// folder: the site save passes it over, the upload fails naming it, the log
// maker reports it and leaves its row, and removing the registration deletes
// no file.
TEST_F(FtpUploadTest, ARegisteredNameThatIsAPathReachesNoFileOutsideItsFolder) {
    ASSERT_TRUE(server.running());
    QDir().mkpath(remote("www/RaravParts"));
    data.write("outside.gif", "a file of the data folder");
    data.write("RaravLog/outside.gif", "a file of the log folder");
    addPart("../outside.gif", "2006/04/03", 1);
    QDir().mkpath(sitePath() + "RaravParts");
    site.write("outside.gif", "a file of the site folder");

    SiteSave::copyPartsFiles(Shell::state(), "2006/04");
    EXPECT_EQ(site.read("outside.gif"), "a file of the site folder");

    saveSite({"index.htm"});
    ASSERT_EQ(upload(), FtpUpload::Ending::Failed) << progress.body.toStdString();
    EXPECT_TRUE(progress.body.contains("../outside.gif")) << progress.body.toStdString();
    EXPECT_FALSE(onServer("www/outside.gif"));
    EXPECT_EQ(fileRows("Uploaded"), (QList<QVariantList>{{0}}));

    ScopedPrompts prompts;
    prompts->expectMessage("../outside.gif", Prompts::vbOK);
    Publish::makeLog("2006", "4", [this](const QString& path, const QString&, int, bool, bool) {
        Files::writeText(path, "<p>log</p>", true);
        const QString folder = path.left(path.lastIndexOf('/'));
        Files::writeText(userPath() + "uplogtmp.tmp", folder + "," + path.mid(folder.size() + 1) + "\r\n");
    });
    EXPECT_EQ(data.read("outside.gif"), "a file of the data folder");
    EXPECT_EQ(data.read("RaravLog/outside.gif"), "a file of the log folder");
    EXPECT_FALSE(QFile::exists(sitePath() + "RaravLog/outside.gif"));
    EXPECT_EQ(fileRows("Logged"), (QList<QVariantList>{{0}}));

    Publish::removePartRegistration({"2006/04/03", 1, "../outside.gif"});
    EXPECT_TRUE(fileRows().isEmpty());
    EXPECT_EQ(data.read("outside.gif"), "a file of the data folder");
    EXPECT_TRUE(prompts->shown.filter("削除しますか").isEmpty()) << prompts->shown.join('|').toStdString();
}

// A box opened during a transfer and held open past the server's time-out
// (the upload's own "wait" box here) fails nothing: every file arrives and
// every parts file is marked uploaded.
TEST_F(FtpUploadTest, ABoxHeldOpenPastTheTimeOutFailsNoTransfer) {
    TempFolder slowRoot;
    LocalFtpServer::Options options;
    options.slowOn = "big.gif";
    LocalFtpServer slow(slowRoot.path(), options);
    ASSERT_TRUE(slow.running());
    setServer(slow.port());
    QDir().mkpath(slowRoot.path() + "www/RaravParts");
    saveSite({"index.htm", "index_01.htm"});
    const QByteArray picture(150 * 1024, 'p');
    sitePart("a.gif");
    sitePart("big.gif", picture);
    sitePart("c.gif");

    // The progress window lets events run; while big.gif goes up (the server
    // is slow to answer it) the user picks a menu command that shows its box
    // for 2 s.
    class BoxDuringTransfer : public RecordingProgress {
    public:
        int yieldsOnBig = 0;
        void yield() override {
            QCoreApplication::processEvents();
            if (body.contains("big.gif」をアップロードします") && ++yieldsOnBig == 2) Publish::RefuseDuringUpload();
        }
    } boxed;
    ScopedPrompts prompts;
    prompts->expectMessage("アップロード中です。", Prompts::vbOK);
    prompts->whilePrompting = [](const QString&) {
        QEventLoop held;
        QTimer::singleShot(2000, &held, &QEventLoop::quit);
        held.exec();
    };
    FtpUpload run(boxed, services());
    run.setReceiveTimeoutMs(1000);
    ASSERT_EQ(run.FTP_Execute(), FtpUpload::Ending::Succeeded) << boxed.body.toStdString();
    EXPECT_GE(boxed.yieldsOnBig, 2);
    EXPECT_EQ(QFile(slowRoot.path() + "www/RaravParts/big.gif").size(), picture.size());
    EXPECT_TRUE(QFile::exists(slowRoot.path() + "www/RaravParts/c.gif"));
    for (const QVariantList& row : fileRows("FileName, Uploaded")) EXPECT_EQ(row[1].toInt(), 1) << row[0].toString().toStdString();
}

// An empty old list names nothing to delete; a damaged one deletes nothing,
// is reported once and is replaced by the current list.
TEST_F(FtpUploadTest, AnEmptyOrDamagedOldListDeletesNothing) {
    ASSERT_TRUE(server.running());
    QDir().mkpath(remote("www"));
    root.write("www/stale.htm", "x");
    const QString note = "前回アップロードしたファイルの一覧(uploadold.tmp)が読めないため";
    for (const char* old : {"", "\r\n\r\n", "\"broken"}) {
        SCOPED_TRACE(old);
        user.write("uploadold.tmp", old);
        saveSite({"index.htm"});
        ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
        EXPECT_TRUE(progress.body.startsWith("日記のアップロードに成功しました。"));
        EXPECT_EQ(progress.body.contains(note), QByteArray(old).startsWith("\"")) << progress.body.toStdString();
        EXPECT_TRUE(onServer("www/stale.htm"));
        EXPECT_EQ(user.read("uploadold.tmp"), user.read("upload.tmp"));
        ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded);
        EXPECT_EQ(progress.body, "日記のアップロードに成功しました。");
    }
}

// A picture registered, or registered again with new content, for a month
// already made into a past log goes beside the log pages and up with the
// next upload, though no log page waits.
TEST_F(FtpUploadTest, APartOfAPastLogMonthReachesTheLogFolderOnTheServer) {
    ASSERT_TRUE(server.running());
    QDir().mkpath(remote("www/RaravLog/RaravParts"));
    QDir().mkpath(remote("www/RaravParts"));
    QDir().mkpath(sitePath() + "RaravLog");
    Database(databasePath()).exec("INSERT INTO LogDB (LogMonth, LogFileName) VALUES ('2006/04', '200604.htm')");
    saveSite({"index.htm"});
    TempFolder pictures;

    Publish::ResistFile(pictures.write("四月.gif", "GIF89a old"), "2006/04/03", 1);
    EXPECT_EQ(data.read("RaravLog/RaravParts/四月.gif"), "GIF89a old");
    EXPECT_EQ(site.read("RaravLog/RaravParts/四月.gif"), "GIF89a old");
    EXPECT_EQ(fileRows("Uploaded, Logged"), (QList<QVariantList>{{0, 1}}));
    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    EXPECT_EQ(root.read("www/RaravLog/RaravParts/四月.gif"), "GIF89a old");
    EXPECT_FALSE(onServer("www/RaravParts/四月.gif"));
    EXPECT_EQ(fileRows("Uploaded, Logged"), (QList<QVariantList>{{1, 1}}));

    ScopedPrompts prompts;
    prompts->expectMessage("すでに登録済みのファイルです。\r\n上書きしますか？", Prompts::vbYes, Prompts::vbYesNo);
    Publish::ResistFile(pictures.write("edited/四月.gif", "GIF89a new"), "2006/04/03", 1);
    EXPECT_EQ(site.read("RaravLog/RaravParts/四月.gif"), "GIF89a new");
    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    EXPECT_EQ(root.read("www/RaravLog/RaravParts/四月.gif"), "GIF89a new");
    EXPECT_EQ(fileRows("Uploaded, Logged"), (QList<QVariantList>{{1, 1}}));
}

// The list of the pages on the server cannot be replaced (the disk is full):
// the run fails, and the old list is kept, so that the next upload still
// removes the pages the site no longer holds.
TEST_F(FtpUploadTest, AnOldListThatCannotBeReplacedIsKept) {
    ASSERT_TRUE(server.running());
    QDir().mkpath(remote("www/RaravParts"));
    saveSite({"index.htm", "2006_05_01.htm", "2006_05_02.htm"});
    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    const QByteArray firstList = user.read("uploadold.tmp");

    saveSite({"index.htm", "2006_05_02.htm"});
    EXPECT_TRUE(onFullDisk([this] { return upload() == FtpUpload::Ending::Failed; }));
    EXPECT_EQ(user.read("uploadold.tmp"), firstList);

    saveSite({"index.htm"});
    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    EXPECT_EQ(QDir(remote("www")).entryList(QDir::Files), QStringList{"index.htm"});
}

// A past log made by mistake and removed with its files before it went up:
// the pending list no longer names the removed page, so that uploads are
// not refused for its missing file ever after; the other pages of the month
// still go up.
TEST_F(FtpUploadTest, APastLogRemovedWithItsFilesBeforeTheUploadDoesNotBlockIt) {
    ASSERT_TRUE(server.running());
    QDir().mkpath(remote("www/RaravLog"));
    saveSite({"index.htm"});
    const QString logFolder = dataPath() + "RaravLog/";
    writeList("uploadlog.tmp", {page(logFolder, "200604.htm"), page(logFolder, "200604_01.htm")});
    site.write("RaravLog/200604.htm", "<p>x</p>");
    Database(databasePath()).exec("INSERT INTO LogDB (LogMonth, LogFileName) VALUES ('2006/04', '200604.htm')");

    ScopedPrompts prompts;
    prompts->expectMessage("本当に削除しますか？", Prompts::vbYes)
        .expectMessage("ファイルも削除しますか？", Prompts::vbYes)
        .expectMessage("本当に削除しますか？", Prompts::vbYes);
    Publish::removeLogRegistration("200604.htm");
    ASSERT_FALSE(QFile::exists(logFolder + "200604.htm"));

    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    EXPECT_TRUE(onServer("www/RaravLog/200604_01.htm"));
    EXPECT_FALSE(onServer("www/RaravLog/200604.htm"));
    EXPECT_FALSE(QFile::exists(userPath() + "uploadlog.tmp"));
}

TEST_F(FtpUploadTest, RefusalsChangeNothing) {
    struct Case {
        const char* id;
        const char* url;
        bool list;
        bool pageMissing;
        const char* text;
    };
    const Case cases[] = {
        {"", "127.0.0.1", true, false, "FTPのIDもしくはURLが設定されていません。\r\n(FTP_ID or FTP_URL is not invalid.)"},
        {"quillby", "", true, false, "FTPのIDもしくはURLが設定されていません。"},
        {"quillby", "127.0.0.1", false, false, "アップロードするファイルのリストが存在しません。\r\n(Upload.tmp is not exist.)"},
        {"quillby", "127.0.0.1", true, true, "アップロードするファイルが存在しません。\r\n(gone.htm is not exist.)"},
    };
    for (const Case& c : cases) {
        IniFile::WriteIniString(iniFile(), "FTP", "ID", c.id);
        IniFile::WriteIniString(iniFile(), "FTP", "URL", c.url);
        QFile::remove(userPath() + "upload.tmp");
        if (c.list) saveSite({"index.htm"});
        if (c.pageMissing) {
            QStringList lines{page(sitePath(), "index.htm"), sitePath() + ",gone.htm"};
            writeList("upload.tmp", lines);
        }
        pointers.clear();
        EXPECT_EQ(upload(), FtpUpload::Ending::Refused) << c.text;
        EXPECT_TRUE(progress.body.startsWith(QString::fromUtf8(c.text))) << progress.body.toStdString();
        EXPECT_EQ(progress.title, "エラー");
        EXPECT_TRUE(progress.ok && progress.batsu);
        EXPECT_FALSE(progress.body.contains("不明なエラー"));
        if (QByteArray(c.id).isEmpty() || QByteArray(c.url).isEmpty()) {
            EXPECT_EQ(pointers, QList<bool>{false});  // never the hourglass
        }
        EXPECT_FALSE(QFile::exists(userPath() + "uploadold.tmp"));
    }
    EXPECT_TRUE(QDir(root.path()).isEmpty());
}

// The site save writes its list without a sync of its own: one that a power
// cut left empty is refused as damaged, and nothing is sent or deleted.
TEST_F(FtpUploadTest, AListAPowerCutEmptiedIsRefused) {
    ASSERT_TRUE(server.running());
    saveSite({"index.htm"});
    user.write("upload.tmp", "");
    EXPECT_EQ(upload(), FtpUpload::Ending::Refused);
    EXPECT_TRUE(progress.body.contains("upload.tmp")) << progress.body.toStdString();
    EXPECT_FALSE(QFile::exists(userPath() + "uploadold.tmp"));
    EXPECT_TRUE(QDir(root.path()).isEmpty());
}

// Each failure names its cause with the text of the error table, ends with
// the closing line, and leaves the previous list and the rows as they were.
TEST_F(FtpUploadTest, FailuresReportTheirCauseAndLoseNothing) {
    ASSERT_TRUE(server.running());
    saveSite({"index.htm", "drop.htm"});
    sitePart("a.gif");
    writeList("uploadold.tmp", {sitePath() + ",old.htm"});
    const QByteArray oldList = user.read("uploadold.tmp");

    TempFolder dropRoot;
    LocalFtpServer::Options dropping;
    dropping.dropOn = "drop.htm";
    LocalFtpServer droppingServer(dropRoot.path(), dropping);
    ASSERT_TRUE(droppingServer.running());
    QDir().mkpath(dropRoot.path() + "www");

    TempFolder closedRoot;
    LocalFtpServer closed(closedRoot.path());
    const int closedPort = closed.port();
    closed.stop();

    struct Case {
        const char* what;
        QString url;
        QString password;
        int code;
        const char* title;
    };
    const QString local = QStringLiteral("127.0.0.1:%1");
    const Case cases[] = {
        {"wrong password", local.arg(server.port()), "wrong", Internet::Error::IncorrectPassword, "エラー"},
        {"unknown host", "no-such-host.invalid", "secret", Internet::Error::NameNotResolved, "エラー"},
        {"refused", local.arg(closedPort), "secret", Internet::Error::CannotConnect, "エラー"},
        {"dropped", local.arg(droppingServer.port()), "secret", -1, "HTMLアップロードエラー"},
    };
    for (const Case& c : cases) {
        IniFile::WriteIniString(iniFile(), "FTP", "URL", c.url);
        IniFile::WriteIniString(iniFile(), "FTP", "Pass", scrambled(c.password));
        EXPECT_EQ(upload(), FtpUpload::Ending::Failed) << c.what;
        EXPECT_EQ(progress.title, QString::fromUtf8(c.title)) << c.what;
        EXPECT_TRUE(progress.body.endsWith("\r\n不明なエラーで終了しました。")) << c.what;
        if (c.code > 0) {
            EXPECT_TRUE(progress.body.contains(modWinInet::errorText(c.code, QString()))) << progress.body.toStdString();
            EXPECT_EQ(statuses.last(), "Can't connect to " + c.url);
        } else {
            // The server hung up during the second page: its table text is
            // in the status line and the window.
            const QString why = statuses.last();
            EXPECT_TRUE(why == modWinInet::errorText(Internet::Error::FtpDropped, QString()) ||
                        why == modWinInet::errorText(Internet::Error::ConnectionAborted, QString()) ||
                        why == modWinInet::errorText(Internet::Error::ConnectionReset, QString()))
                << why.toStdString();
            EXPECT_TRUE(progress.body.startsWith("その他のエラー(FileUpload)。\r\n(" + why + ")"));
            EXPECT_TRUE(QFile::exists(dropRoot.path() + "www/index.htm"));
        }
        EXPECT_TRUE(progress.ok && progress.batsu) << c.what;
        EXPECT_EQ(user.read("uploadold.tmp"), oldList) << c.what;
        EXPECT_EQ(fileRows("Uploaded").first().first().toInt(), 0) << c.what;
        EXPECT_TRUE(sounds.isEmpty());
    }
}

TEST_F(FtpUploadTest, PastLogPagesAndTheirPartsGoToTheLogFolder) {
    ASSERT_TRUE(server.running());
    QDir().mkpath(root.path() + "www/RaravLog/RaravParts");
    root.write("www/RaravLog/RaravParts/keep.txt", "x");
    IniFile::WriteIniString(iniFile(), "FTP2", "HTMLOnlyUpload", "1");
    IniFile::WriteIniString(iniFile(), "FTP", "PING", "1");
    saveSite({"index.htm", "a.htm", "b.htm", "c.htm", "d.htm"});
    sitePart("site.gif");  // not sent: pages only
    const QString logFolder = dataPath() + "RaravLog/";
    writeList("uploadlog.tmp", {page(logFolder, "200604.htm"), page(logFolder, "200604_01.htm")});
    root.write("www/RaravLog/200604.htm", "old");
    data.write("RaravLog/RaravParts/april.gif", "GIF89a-april");
    const qint64 april = addPart("april.gif", "2006/04/03", 1, false, true);
    data.write("RaravLog/RaravParts/back.gif", "GIF89a-back");  // site-wide, copied by the log maker
    addPart("back.gif", "ALL", 0);

    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    EXPECT_NE(root.read("www/RaravLog/200604.htm"), "old");
    EXPECT_TRUE(onServer("www/RaravLog/200604_01.htm"));
    EXPECT_EQ(root.read("www/RaravLog/RaravParts/april.gif"), "GIF89a-april");
    EXPECT_EQ(root.read("www/RaravLog/RaravParts/back.gif"), "GIF89a-back");
    EXPECT_FALSE(onServer("www/RaravParts/site.gif"));
    EXPECT_TRUE(progress.texts.contains("ファイル「200604_01.htm」のアップロードに成功しました。(2/2)"));
    EXPECT_TRUE(progress.texts.contains("ファイル「april.gif」のアップロードに成功しました。(1/1)"));
    EXPECT_FALSE(QFile::exists(userPath() + "uploadlog.tmp"));
    for (const QVariantList& row : fileRows("FileID, Uploaded"))
        EXPECT_EQ(row[1].toInt(), row[0].toLongLong() == april ? 1 : 0);
    EXPECT_EQ(progress.unloads, 1);
    EXPECT_EQ(pings, 1);
}

TEST_F(FtpUploadTest, AFailingLogPartKeepsThePendingList) {
    ASSERT_TRUE(server.running());
    saveSite({"index.htm"});
    const QString logFolder = dataPath() + "RaravLog/";
    writeList("uploadlog.tmp", {page(logFolder, "200604.htm")});
    data.write("RaravLog/RaravParts/a.gif", "a");
    addPart("a.gif", "2006/04/03", 1, false, true);
    addPart("missing.gif", "2006/04/04", 1, false, true);
    ScopedPrompts prompts;
    prompts->expectMessage("「www」", Prompts::vbYes)
        .expectMessage("「RaravLog」", Prompts::vbYes)
        .expectMessage("「RaravParts」", Prompts::vbYes);

    ASSERT_EQ(upload(), FtpUpload::Ending::Failed);
    EXPECT_EQ(progress.title, "エラー");
    EXPECT_TRUE(progress.body.startsWith("ファイル「missing.gif」のアップロードに失敗。\r\n"));
    EXPECT_TRUE(QFile::exists(userPath() + "uploadlog.tmp"));
    EXPECT_EQ(fileRows("Uploaded")[0][0].toInt(), 1);
    EXPECT_EQ(fileRows("Uploaded")[1][0].toInt(), 0);
}

TEST_F(FtpUploadTest, ASecondUploadCannotStartDuringARun) {
    saveSite({"index.htm"});
    IniFile::WriteIniString(iniFile(), "FTP", "StartFolder", "");
    FtpUpload::Ending inner = FtpUpload::Ending::Succeeded;
    bool refused = false;
    RecordingProgress second;
    Publish::UploadServices s = services();
    s.setStatusText = [&](const QString& t) {
        if (t != "Checking...") return;
        inner = FtpUpload(second, {}).FTP_Execute();
        refused = Publish::RefuseDuringUpload();  // what Save HTML and the log maker ask
    };
    ScopedPrompts prompts;
    prompts->expectMessage("アップロード中です。終わってから実行してください。", Prompts::vbOK, Prompts::vbExclamation);
    EXPECT_TRUE(FtpUpload(progress, s).FTP_Execute() == FtpUpload::Ending::Succeeded);
    EXPECT_EQ(inner, FtpUpload::Ending::AlreadyRunning);
    EXPECT_TRUE(refused);
    EXPECT_FALSE(Publish::FtpUploadRunning());
    EXPECT_FALSE(Publish::RefuseDuringUpload());
}

TEST_F(FtpUploadTest, AStartFolderTheUserWillNotCreateEndsTheRun) {
    ASSERT_TRUE(server.running());
    saveSite({"index.htm"});
    ScopedPrompts prompts;
    prompts->expectMessage("フォルダ「www」が作成されていません。", Prompts::vbNo)
        .expectMessage("フォルダは作成しませんでした。", Prompts::vbOK);
    EXPECT_EQ(upload(), FtpUpload::Ending::Failed);
    EXPECT_EQ(progress.title, "ディレクトリの移動");
    EXPECT_EQ(progress.body, "wwwへ移動失敗\r\n不明なエラーで終了しました。");
    EXPECT_FALSE(QFile::exists(userPath() + "uploadold.tmp"));
    EXPECT_TRUE(QDir(root.path()).isEmpty());
}

// A site folder and page names holding commas, listed by the generator's
// writer, reach the server whole, parts file included.
TEST_F(FtpUploadTest, ASiteFolderWithACommaIsUploaded) {
    ASSERT_TRUE(server.running());
    IniFile::WriteIniString(iniFile(), "FTP", "StartFolder", "");
    const QString folder = sitePath() + "my,site/";
    page(folder, "index.htm");
    page(folder, "2006,05,03.htm");
    site.write("my,site/RaravParts/a.gif", "GIF89a-a");
    addPart("a.gif", "2006/05/01", 1);
    UploadList::write(userPath() + "upload.tmp", {folder + "index.htm", folder + "2006,05,03.htm"});
    ScopedPrompts prompts;
    prompts->expectMessage("フォルダ「RaravParts」が作成されていません。", Prompts::vbYes);

    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    EXPECT_TRUE(onServer("index.htm"));
    EXPECT_TRUE(onServer("2006,05,03.htm"));
    EXPECT_EQ(root.read("RaravParts/a.gif"), "GIF89a-a");
}

// A list that cannot be read (empty after a failed write, or broken off) ends
// the run as a refusal that names it, before anything is sent.
TEST_F(FtpUploadTest, AnUnreadableListIsAFailureNotAnEmptySuccess) {
    ASSERT_TRUE(server.running());
    for (const char* text : {"", "\"" }) {
        SCOPED_TRACE(text);
        user.write("upload.tmp", text);
        EXPECT_EQ(upload(), FtpUpload::Ending::Refused);
        EXPECT_EQ(progress.title, "エラー");
        EXPECT_TRUE(progress.body.startsWith("アップロードするファイルのリストが読めません。")) << progress.body.toStdString();
        EXPECT_FALSE(progress.texts.contains("日記のアップロードに成功しました。"));
        EXPECT_TRUE(progress.ok && progress.batsu);
        EXPECT_FALSE(QFile::exists(userPath() + "uploadold.tmp"));
    }
    EXPECT_TRUE(QDir(root.path()).isEmpty());
}

namespace {

// The same upload against vsftpd, which stores ASCII uploads as they arrive:
// what lands on the server can be compared byte for byte with the site.
class VsftpdUploadTest : public FtpUploadTest {
protected:
    void SetUp() override {
        FtpUploadTest::SetUp();
        IniFile::WriteIniString(iniFile(), "FTP", "ID", LocalVsftpdServer::user());
        for (const char* folder : {"www/RaravParts", "www/RaravLog/RaravParts"}) QDir().mkpath(vsRoot.path() + folder);
    }
    // Every file below the local folder, as "name" -> bytes.
    static QMap<QString, QByteArray> filesOf(const QString& folder) {
        QMap<QString, QByteArray> files;
        for (const QString& name : QDir(folder).entryList(QDir::Files)) {
            QFile f(folder + name);
            f.open(QIODevice::ReadOnly);
            files[name] = f.readAll();
        }
        return files;
    }
    TempFolder vsRoot;
};

}  // namespace

TEST_F(VsftpdUploadTest, EveryFileArrivesByteForByte) {
    LocalVsftpdServer vsftpd(vsRoot.path());
    ASSERT_TRUE(vsftpd.running());
    setServer(vsftpd.port());
    // Pages as the site save writes them: CR LF line ends, CP932 text.
    const QByteArray body = Codepage::fromUnicode("<html>\r\n<p>日記～</p>\r\n\r\n</html>\r\n");
    QStringList lines;
    for (const char* name : {"index.htm", "2006_05_01.htm", "index_01.htm", "rss.xml"}) {
        site.write(name, body + name);
        lines << listLine(sitePath(), name);
    }
    writeList("upload.tmp", lines);
    sitePart("a.gif", QByteArray("GIF89a\r\n\n\r\0\xff", 12));
    const QString logFolder = dataPath() + "RaravLog/";
    data.write("RaravLog/200604.htm", body + "april");
    writeList("uploadlog.tmp", {listLine(logFolder, "200604.htm")});
    data.write("RaravLog/RaravParts/april.gif", QByteArray("GIF\r\n\x1a\n", 7));
    addPart("april.gif", "2006/04/03", 1, false, true);

    ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    const auto local = filesOf(sitePath());
    EXPECT_EQ(filesOf(vsRoot.path() + "www/"), local);
    EXPECT_EQ(filesOf(vsRoot.path() + "www/RaravParts/"), filesOf(sitePath() + "RaravParts/"));
    EXPECT_EQ(filesOf(vsRoot.path() + "www/RaravLog/"), filesOf(logFolder));
    EXPECT_EQ(filesOf(vsRoot.path() + "www/RaravLog/RaravParts/"), filesOf(logFolder + "RaravParts/"));
}

// A page the server refuses ends the run with the previous site whole on the
// server, the previous list kept and no parts file marked that did not go.
TEST_F(VsftpdUploadTest, ARefusedPageLeavesThePreviousSiteStanding) {
    {
        LocalVsftpdServer vsftpd(vsRoot.path());
        ASSERT_TRUE(vsftpd.running());
        setServer(vsftpd.port());
        saveSite({"index.htm", "2006_05_01.htm", "index_01.htm"});
        ASSERT_EQ(upload(), FtpUpload::Ending::Succeeded) << progress.body.toStdString();
    }
    const auto before = filesOf(vsRoot.path() + "www/");
    const QByteArray oldList = user.read("uploadold.tmp");

    struct Case {
        const char* what;
        const char* refused;
        bool logPage;
        const char* title;
    };
    const Case cases[] = {
        {"a page", "2006_05_02.htm", false, "HTMLアップロードエラー"},
        {"a past-log page", "200604.htm", true, "ログ：ファイルのアップロード"},
    };
    for (const Case& c : cases) {
        LocalVsftpdServer::Options options;
        options.refuse = c.refused;
        LocalVsftpdServer vsftpd(vsRoot.path(), options);
        ASSERT_TRUE(vsftpd.running());
        setServer(vsftpd.port());
        saveSite({"index.htm", "2006_05_02.htm", "2006_05_03.htm"});
        sitePart("new.gif");
        if (c.logPage) {
            writeList("uploadold.tmp", {listLine(sitePath(), "index.htm"), listLine(sitePath(), "2006_05_02.htm"),
                                        listLine(sitePath(), "2006_05_03.htm")});
            saveSite({"index.htm", "2006_05_03.htm"});
            writeList("uploadlog.tmp", {page(dataPath() + "RaravLog/", "200604.htm")});
        }
        EXPECT_EQ(upload(), FtpUpload::Ending::Failed) << c.what;
        EXPECT_EQ(progress.title, QString::fromUtf8(c.title)) << c.what;
        // The closing line, and the server's refusal where the text lacked it.
        EXPECT_TRUE(progress.body.contains("\r\n不明なエラーで終了しました。")) << progress.body.toStdString();
        EXPECT_TRUE(progress.body.contains("550 ")) << progress.body.toStdString();
        if (c.logPage) {
            EXPECT_TRUE(QFile::exists(userPath() + "uploadlog.tmp"));
            EXPECT_TRUE(progress.body.endsWith(")")) << progress.body.toStdString();
        } else {
            for (auto it = before.cbegin(); it != before.cend(); ++it)
                EXPECT_TRUE(QFile::exists(vsRoot.file("www/" + it.key()))) << it.key().toStdString();
            EXPECT_EQ(user.read("uploadold.tmp"), oldList);
            for (const QVariantList& row : fileRows("Uploaded")) EXPECT_EQ(row[0].toInt(), 0);
        }
        EXPECT_FALSE(QFile::exists(vsRoot.file("www/" + QString::fromUtf8(c.refused))));
    }
}

// A refused log-on shows what the server said, unless the password was wrong.
TEST_F(VsftpdUploadTest, RefusedLogOnsSayWhy) {
    LocalVsftpdServer vsftpd(vsRoot.path());
    ASSERT_TRUE(vsftpd.running());
    ASSERT_TRUE(server.running());
    saveSite({"index.htm"});
    struct Case {
        int port;
        const char* id;
        const char* password;
        const char* reason;
    };
    const Case cases[] = {
        {server.port(), "quillby", "wrong", "(パスワードが違います。)"},
        {vsftpd.port(), "quillby", "secret", "(530 This FTP server is anonymous only.)"},
    };
    for (const Case& c : cases) {
        setServer(c.port);
        IniFile::WriteIniString(iniFile(), "FTP", "ID", c.id);
        IniFile::WriteIniString(iniFile(), "FTP", "Pass", scrambled(c.password));
        EXPECT_EQ(upload(), FtpUpload::Ending::Failed);
        EXPECT_EQ(progress.body, QStringLiteral("FTPサーバーへの接続失敗。\r\n(FTP Connect Error.)\r\n") +
                                     QString::fromUtf8(c.reason) + QStringLiteral("\r\n不明なエラーで終了しました。"));
    }
}
