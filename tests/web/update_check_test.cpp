// The update check against an HTTP client serving from memory: what it
// offers, what it downloads and saves, how it fails, and the hand-over to the
// updater.
#include "web/update_check.h"

#include "core/update_descriptor.h"
#include "web/http_download.h"
#include "web/internet_http_source.h"

#include "core/ini_file.h"
#include "core/shared_state.h"
#include "tests/support/folder_snapshot.h"
#include "tests/support/local_servers.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"
#include "tests/web/fake_http_source.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QString kDescriptorAddress = "http://127.0.0.1:1/software/quillby/update.txt";
const QString kPatchAddress = "http://127.0.0.1:1/software/quillby/patch175.lzh";
const QString kReleaseAddress = "http://127.0.0.1:1/software/quillby/full180.lzh";

QByteArray descriptor(const char* patchFileName = "patch175.lzh") {
    return QByteArray("[Release]\r\nversion=1.8.0\r\nURL_Full=") + kReleaseAddress.toUtf8() +
           "\r\nFileName=full180.lzh\r\n[Patch]\r\nversion=1.7.5\r\nrequiredversion=1.6.0\r\nURL_Full=" +
           kPatchAddress.toUtf8() + "\r\nFileName=" + patchFileName + "\r\n";
}

// The main window as the check sees it, through its hooks.
struct MainWindow {
    QStringList status;
    std::optional<bool> updaterMenu;
    bool busy = false;
    bool ended = false;
    MainWindow() {
        auto& h = Shell::hooks();
        h.setStatusText = [this](const QString& t) { status << t; };
        h.setUpdaterMenuEnabled = [this](bool e) { updaterMenu = e; };
        h.setBusy = [this](bool b) { busy = b; };
        h.unloadMainWindow = [this] { ended = true; };
    }
    ~MainWindow() { Shell::hooks() = Shell::MainWindowHooks(); }
};

// An updater that records the name it was started under.
void writeFakeUpdater(const TempFolder& t) {
    const QString path = t.write("QuillbyUpdater", ("#!/bin/sh\necho \"$0\" > '" + t.file("started") + "'\n").toUtf8());
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
}

UpdateCheck::Environment environment(const TempFolder& t, FakeHttpSource& http, DownloadProgress* progress = nullptr) {
    UpdateCheck::Environment env;
    env.myPath = t.path();
    env.runningVersion = "1.7.0";
    env.descriptorAddress = kDescriptorAddress;
    env.http = &http;
    env.progress = progress;
    return env;
}

QString waitForStart(const TempFolder& t) {
    QDeadlineTimer deadline(10000);
    while (t.read("started").isEmpty() && !deadline.hasExpired()) QThread::msleep(20);
    return QString::fromUtf8(t.read("started")).trimmed();
}

TEST(UpdateCheck, ComparesVersionsNumberByNumber) {
    struct Case {
        const char *a, *b;
        int expected;
    };
    const Case cases[] = {
        {"1.10.0", "1.7.1", 1}, {"1.7", "1.7.0", 0}, {"2.0", "10.0", -1}, {"1.7.0", "1.7.0", 0},
        {"1.07", "1.7", 0},     {"1.7.5", "1.8", -1}, {"", "0", 0},       {"1.2b", "1.2a", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UpdateDescriptor::compareVersions(c.a, c.b), c.expected) << c.a << " " << c.b;
        EXPECT_EQ(UpdateDescriptor::compareVersions(c.b, c.a), -c.expected) << c.b << " " << c.a;
    }
}

TEST(UpdateCheck, ChoosesPatchReleaseOrNothing) {
    struct Case {
        const char *current, *required, *patch, *release;
        UpdateCheck::Offer::Kind kind;
        const char* version;
    };
    using O = UpdateCheck::Offer;
    const Case cases[] = {
        {"1.7.0", "1.6.0", "1.7.5", "1.8.0", O::Patch, "1.7.5"},  // the patch wins over a newer release
        {"1.7.0", "1.7.0", "1.7.5", "1.8.0", O::Release, "1.8.0"},  // equal to the required: no patch
        {"1.7.0", "1.7.0", "1.7.5", "1.7.0", O::Nothing, ""},
        {"1.7.0", "1.6.0", "1.7.0", "1.6.0", O::Nothing, ""},
        {"1.7.0", "1.6.0", "1.6.5", "1.7.1", O::Release, "1.7.1"},
        {"1.9.0", "1.6.0", "1.10.0", "1.10.0", O::Patch, "1.10.0"},
        {"1.10.0", "1.6.0", "1.9.0", "1.9.5", O::Nothing, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current + std::string(" ") + c.patch + " " + c.release);
        UpdateDescriptor::Contents d;
        d.currentVersion = c.current;
        d.requiredVersion = c.required;
        d.patchVersion = c.patch;
        d.releaseVersion = c.release;
        const UpdateCheck::Offer offer = UpdateCheck::choose(d);
        EXPECT_EQ(offer.kind, c.kind);
        EXPECT_EQ(offer.version, c.version);
    }
}

TEST(UpdateCheck, DownloadsTheOfferAndHandsOverToTheUpdater) {
    TempFolder t;
    MainWindow top;
    writeFakeUpdater(t);
    t.write("QuillbyUpTmp", "an old copy");
    t.write("update.txt", "[Update]\r\nUpdated=1\r\n");
    FakeHttpSource http;
    http.replies[kDescriptorAddress] = {HttpSource::Result::Complete, {descriptor().left(40), descriptor().mid(40)}};
    http.replies[kPatchAddress] = {HttpSource::Result::Complete, {"LZH-", "block-", "three"}};
    RecordedProgress progress;
    ScopedPrompts p;
    p->expectMessage("新しいバージョンが存在します(1.7.5)。\r\nダウンロードしますか？", Prompts::vbYes, Prompts::vbYesNo)
        .expectMessage("ダウンロードが完了しました。")
        .expectMessage("QuillbyUpdaterを起動しますか？\r\n(Quillbyは終了します。)", Prompts::vbYes);

    UpdateCheck::MnuUpdateCheck_Click(environment(t, http, &progress));

    EXPECT_EQ(http.connectTimeoutMs, 15000);
    EXPECT_EQ(http.receiveTimeoutMs, 30000);
    EXPECT_EQ(http.requested, QStringList({kDescriptorAddress, kPatchAddress}));
    // The server's descriptor replaces the local one, with the running version added.
    const QString ini = t.file("update.txt");
    EXPECT_EQ(IniFile::GetIniString(ini, "CurrentVersion", "version"), "1.7.0");
    EXPECT_EQ(IniFile::GetIniString(ini, "Patch", "FileName"), "patch175.lzh");
    EXPECT_EQ(IniFile::GetIniInt(ini, "Update", "Updated"), 0);
    EXPECT_EQ(t.read("patch175.lzh"), "LZH-block-three");

    const QString local = t.file("patch175.lzh");
    EXPECT_EQ(progress.title, "ダウンロード on HTTP");
    ASSERT_EQ(progress.texts.size(), 5);
    EXPECT_EQ(progress.texts[0], "ダウンロード中...\r\n" + local);
    EXPECT_TRUE(progress.texts[2].startsWith("ダウンロード中...\r\n" + local + "\r\n...10 bytes received(")) << progress.texts[2].toStdString();
    EXPECT_TRUE(progress.texts[4].startsWith("ダウンロード完了！\r\n" + local + "\r\n15bytes received("));
    EXPECT_TRUE(progress.texts[4].endsWith("kbps)."));
    EXPECT_TRUE(progress.finished);
    EXPECT_TRUE(top.status.contains("Openning Internet"));
    EXPECT_TRUE(top.status.contains("Downloading " + kPatchAddress + " is Succeeded!"));

    EXPECT_EQ(top.updaterMenu, true);
    EXPECT_FALSE(http.sessionOpen);
    EXPECT_FALSE(top.busy);
    EXPECT_TRUE(top.ended);
    EXPECT_EQ(waitForStart(t), t.file("QuillbyUpTmp"));
    EXPECT_EQ(t.read("QuillbyUpTmp"), t.read("QuillbyUpdater"));
}

TEST(UpdateCheck, FailuresAndRefusalsEndTheCheckAsTheyShould) {
    using R = HttpSource::Result;
    const QString offer = "新しいバージョンが存在します(1.7.5)。";
    const QString busyServer = "サーバーが混んでいる可能性もありますので、時間帯を変更してお試し下さい。";
    struct Case {
        const char* name;
        bool session = true;
        std::optional<QByteArray> descriptor;  // nullopt: cannot be opened
        R archive = R::Complete;
        const char* patchFileName = "patch175.lzh";
        bool updater = true;
        QList<QPair<QString, int>> prompts;
        bool menu = false;
        bool archiveSaved = false;
    };
    const Case cases[] = {
        {"no session", false, descriptor(), R::Complete, "patch175.lzh", true, {{"インターネットに接続できませんでした。", 1}}},
        {"descriptor unreachable", true, std::nullopt, R::Complete, "patch175.lzh", true,
         {{"サーバーに接続できませんでした。\r\n" + busyServer, 1}, {"update.txtの取得に失敗しました。", 1}}},
        {"descriptor empty", true, QByteArray(), R::Complete, "patch175.lzh", true,
         {{"update.txtをダウンロードできませんでした。\r\n" + busyServer, 1}, {"update.txtの取得に失敗しました。", 1}}},
        {"nothing new", true, "[Release]\r\nversion=1.7.0\r\n", R::Complete, "patch175.lzh", true,
         {{"確認しましたが、新しいバージョンはありませんでした。", 1}}},
        {"download declined", true, descriptor(), R::Complete, "patch175.lzh", true, {{offer, Prompts::vbNo}}, true},
        {"archive broken off", true, descriptor(), R::Broken, "patch175.lzh", true,
         {{offer, Prompts::vbYes}, {"update.txtをダウンロードできませんでした。", 1}, {"ダウンロードに失敗しました。", 1}}},
        {"archive name with a folder", true, descriptor("../patch175.lzh"), R::Complete, "../patch175.lzh", true,
         {{offer, Prompts::vbYes}, {"ダウンロードに失敗しました。", 1}}},
        {"updater missing", true, descriptor(), R::Complete, "patch175.lzh", false,
         {{offer, Prompts::vbYes}, {"ダウンロードが完了しました。", 1}, {"Quillby Updaterが見つかりません。", 1}}, true, true},
        {"updater declined", true, descriptor(), R::Complete, "patch175.lzh", true,
         {{offer, Prompts::vbYes}, {"ダウンロードが完了しました。", 1}, {"QuillbyUpdaterを起動しますか？", Prompts::vbNo}},
         true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder t;
        MainWindow top;
        if (c.updater) writeFakeUpdater(t);
        FakeHttpSource http;
        http.sessionAvailable = c.session;
        if (c.descriptor) http.replies[kDescriptorAddress] = {R::Complete, {*c.descriptor}};
        http.replies[kPatchAddress] = {c.archive, {"LZH-", "data"}};
        {
            ScopedPrompts p;
            for (const auto& [text, answer] : c.prompts) p->expectMessage(text, answer);
            UpdateCheck::MnuUpdateCheck_Click(environment(t, http));
        }
        EXPECT_EQ(top.updaterMenu, c.menu);
        EXPECT_EQ(QFileInfo::exists(t.file("patch175.lzh")), c.archiveSaved);
        EXPECT_FALSE(QFileInfo::exists(t.file("QuillbyUpTmp")));
        EXPECT_FALSE(top.ended);
        EXPECT_FALSE(http.sessionOpen);
        EXPECT_FALSE(top.busy);
    }
}

// An archive name from the server that is one of the program's own files, or
// leaves the program folder, is refused before any download: the program,
// the updater, the database and every other file stay byte-identical.
TEST(UpdateCheck, ArchiveNamesOfTheProgramsOwnFilesAreRefused) {
    for (const char* name : {"Rarav", "update.txt", "QuillbyUpdater", "QuillbyUpTmp", "rarav.mdb", "../patch.lzh"}) {
        SCOPED_TRACE(name);
        TempFolder t;
        MainWindow top;
        writeFakeUpdater(t);
        t.write("Rarav", "the program");
        t.write("QuillbyUpTmp", "the updater's copy");
        t.write("rarav.mdb", "the diary");
        auto before = folderSnapshot(t.path());
        FakeHttpSource http;
        http.replies[kDescriptorAddress] = {HttpSource::Result::Complete, {descriptor(name)}};
        http.replies[kPatchAddress] = {HttpSource::Result::Complete, {"LZH-", "data"}};
        {
            ScopedPrompts p;
            p->expectMessage("新しいバージョンが存在します(1.7.5)。", Prompts::vbYes)
                .expectMessage(QStringLiteral("ダウンロードに失敗しました。\r\n「%1」はファイル名に使えません。").arg(QString::fromUtf8(name)));
            UpdateCheck::MnuUpdateCheck_Click(environment(t, http));
        }
        EXPECT_EQ(http.requested, QStringList{kDescriptorAddress});
        EXPECT_EQ(top.updaterMenu, false);
        // update.txt is the descriptor just fetched, never the archive.
        EXPECT_EQ(IniFile::GetIniString(t.file("update.txt"), "Patch", "FileName"), name);
        auto after = folderSnapshot(t.path());
        after.remove("update.txt");
        EXPECT_EQ(after, before);
    }
}

TEST(UpdateCheck, UpdaterMenuRecordsTheVersionAndHandsOver) {
    TempFolder t;
    MainWindow top;
    t.write("update.txt", "[CurrentVersion]\r\nversion=1.6.0\r\n[Update]\r\nUpdated=0\r\n");
    FakeHttpSource http;
    {
        ScopedPrompts p;
        p->expectMessage("Quillby Updaterが見つかりません。");
        UpdateCheck::MnuQuillbyUpdater_Click(environment(t, http));
    }
    EXPECT_FALSE(top.ended);

    writeFakeUpdater(t);
    UpdateCheck::MnuQuillbyUpdater_Click(environment(t, http));
    EXPECT_EQ(IniFile::GetIniString(t.file("update.txt"), "CurrentVersion", "version"), "1.7.0");
    EXPECT_TRUE(top.ended);
    EXPECT_EQ(waitForStart(t), t.file("QuillbyUpTmp"));
    EXPECT_TRUE(http.requested.isEmpty());
}

}  // namespace

// A server that answers with an error page: the progress window ends with the
// failure, the user is told, and the file already there stays as it was.
TEST(UpdateCheck, AnErrorPageEndsTheDownloadAndWritesNothing) {
    TempFolder served, t;
    LocalHttpServer server(served.path());
    ASSERT_TRUE(server.running());
    MainWindow top;
    t.write("patch175.lzh", "the old archive");
    for (const int status : {404, 500}) {
        SCOPED_TRACE(status);
        InternetHttpSource http;
        ASSERT_TRUE(http.openSession(15000, 30000));
        RecordedProgress progress;
        ScopedPrompts p;
        p->expectMessage("update.txtをダウンロードできませんでした。", Prompts::vbOK, Prompts::vbCritical);
        const QString address = QStringLiteral("http://127.0.0.1:%1/status/%2/patch175.lzh").arg(server.port()).arg(status);
        EXPECT_EQ(UpdateDownload::HttpDownload(http, address, t.file("patch175.lzh"), &progress), 0);
        EXPECT_TRUE(progress.finished);
        ASSERT_FALSE(progress.texts.isEmpty());
        EXPECT_TRUE(progress.texts.last().startsWith("ダウンロード失敗")) << progress.texts.last().toStdString();
        EXPECT_EQ(t.read("patch175.lzh"), "the old archive");
        EXPECT_EQ(top.status.last(), "Can't download " + address);
    }
}

// A slow server: the window keeps handling events while the archive trickles
// in, the progress window shows as soon as the server answers, the rate is
// timed from there, and a second check (or the hand-over) clicked meanwhile
// is refused instead of nesting inside the first.
TEST(UpdateCheck, ASlowDownloadKeepsTheWindowResponsiveAndRefusesASecondCheck) {
    TempFolder served, t;
    LocalHttpServer server(served.path());
    ASSERT_TRUE(server.running());
    const QString base = QStringLiteral("http://127.0.0.1:%1/").arg(server.port());
    constexpr int pauseMs = 200;
    const QByteArray archive(2048, 'L');  // two blocks, each after a pause
    served.write("software/quillby/full180.lzh", archive);
    served.write("software/quillby/update.txt",
                 ("[Release]\r\nversion=1.8.0\r\nURL_Full=" + base + QStringLiteral("slow/%1/").arg(pauseMs) +
                  "software/quillby/full180.lzh\r\nFileName=full180.lzh\r\n")
                     .toUtf8());
    MainWindow top;
    writeFakeUpdater(t);
    InternetHttpSource http;
    RecordedProgress progress;
    UpdateCheck::Environment env;
    env.myPath = t.path();
    env.runningVersion = "1.7.0";
    env.descriptorAddress = base + "software/quillby/update.txt";
    env.http = &http;
    env.progress = &progress;

    int ticks = 0, ticksAtStart = -1, ticksAtFirstBlock = -1;
    bool clickedAgain = false;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        if (ticksAtStart < 0 && !progress.texts.isEmpty()) ticksAtStart = ticks;
        if (ticksAtFirstBlock < 0 && progress.texts.size() > 1) ticksAtFirstBlock = ticks;
        if (ticksAtStart >= 0 && !clickedAgain) {
            clickedAgain = true;
            UpdateCheck::MnuUpdateCheck_Click(env);
            UpdateCheck::MnuQuillbyUpdater_Click(env);
        }
    });
    timer.start();
    const QString refusal = "アップデートを確認しています。終わるまでお待ちください。";
    ScopedPrompts p;
    p->expectMessage("新しいバージョンが存在します(1.8.0)。", Prompts::vbYes)
        .expectMessage(refusal)
        .expectMessage(refusal)
        .expectMessage("ダウンロードが完了しました。")
        .expectMessage("QuillbyUpdaterを起動しますか？", Prompts::vbNo);
    UpdateCheck::MnuUpdateCheck_Click(env);
    timer.stop();

    EXPECT_EQ(t.read("full180.lzh"), archive);
    EXPECT_FALSE(top.ended);
    // The pauses took at least 2 x 200 ms; the window ran its timer all along.
    EXPECT_GE(ticks, 10);
    ASSERT_GE(ticksAtStart, 0);
    EXPECT_GE(ticksAtFirstBlock - ticksAtStart, 3) << "the progress window came only with the first block";
    // Timed from the answer, 2048 bytes took about 400 ms (41 kbps); timed
    // from the first block, about 200 ms (82 kbps).
    const QString last = progress.texts.last();
    ASSERT_TRUE(last.startsWith("ダウンロード完了！")) << last.toStdString();
    const QString rate = last.section("bytes received(", 1).section("kbps", 0, 0);
    EXPECT_LT(rate.toDouble(), 2048.0 * 8 / (1.5 * pauseMs)) << last.toStdString();
    EXPECT_FALSE(QFileInfo::exists(t.file("QuillbyUpTmp")));
}
