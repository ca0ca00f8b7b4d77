// The updater's window driven through its controls: which archive it applies,
// what it refuses, the backup and restore of the program, and the record of
// a finished update.
#include "updater/frm_quillby_updater.h"

#include "core/ini_file.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"
#include "tests/updater/lzh_fixture.h"

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

const char* kDescriptor =
    "[CurrentVersion]\r\nversion=1.7.0\r\n"
    "[Release]\r\nversion=1.8.0\r\nFileName=full.lzh\r\n"
    "[Patch]\r\nversion=1.7.5\r\nrequiredversion=1.7.0\r\nFileName=patch.lzh\r\n";

struct Folder {
    TempFolder t;
    QString ini;
    Folder() {
        qputenv("XDG_CONFIG_HOME", t.file("config").toUtf8());
        t.write("Rarav", "old program");
        QFile::setPermissions(t.file("Rarav"), QFile::permissions(t.file("Rarav")) | QFile::ExeOwner);
        ini = t.write("update.txt", kDescriptor);
    }
    ~Folder() { qunsetenv("XDG_CONFIG_HOME"); }
    int updated() const { return IniFile::GetIniInt(ini, "Update", "Updated"); }
};

void expectIdle(const QuillbyUpdater& w) {
    EXPECT_TRUE(w.Btn_Update->isEnabled());
    EXPECT_TRUE(w.Btn_Exit->isEnabled());
    EXPECT_TRUE(w.chkDelAfterUpdate->isEnabled());
}

TEST(QuillbyUpdater, LoadShowsVersionAndRecordsIt) {
    Folder f;
    QuillbyUpdater w;
    w.Form_Load(f.t.path());
    const QString version = QStringLiteral("%1.%2.%3").arg(RARAV_VERSION_MAJOR).arg(RARAV_VERSION_MINOR).arg(RARAV_VERSION_PATCH);
    EXPECT_EQ(w.windowTitle(), "Quillby Updater Version " + version);
    EXPECT_TRUE(w.chkDelAfterUpdate->isChecked());
    EXPECT_TRUE(w.statusText().startsWith("Quillby Updater Ver" + version + "\r\n"));
    EXPECT_TRUE(w.txtStatus->toPlainText().contains("is found!"));
    EXPECT_EQ(IniFile::GetIniString(f.t.file("config/Rarav.ini"), "Tools", "QuillbyUpdaterVersion"),
              QString(version).remove('.'));
}

TEST(QuillbyUpdater, FullReleaseWinsOverPatchAndIsMarkedDone) {
    Folder f;
    f.t.write("full.lzh", LzhFixture::archive({{"Rarav", "release program"}, {"readme.txt", "1.8.0"}}));
    f.t.write("patch.lzh", LzhFixture::archive({{"Rarav", "patched program"}}));
    QuillbyUpdater w;
    w.Form_Load(f.t.path());
    ScopedPrompts p;
    p->expectMessage("アップデートが成功しました。").expectMessage("Quillbyを起動しますか？", Prompts::vbNo);
    w.Btn_Update->click();

    EXPECT_EQ(f.t.read("Rarav"), "release program");
    EXPECT_TRUE(QFileInfo(f.t.file("Rarav")).isExecutable());
    EXPECT_EQ(f.t.read("Rarav.bak"), "old program");
    EXPECT_TRUE(QFileInfo(f.t.file("Rarav.bak")).isExecutable());
    EXPECT_FALSE(QFileInfo::exists(f.t.file("full.lzh")));  // deleted after the update
    EXPECT_TRUE(QFileInfo::exists(f.t.file("patch.lzh")));
    EXPECT_EQ(f.updated(), 1);
    EXPECT_TRUE(w.statusText().endsWith(
        "\r\n-----\r\nMode:Full\r\nFile:full.lzh\r\n現在のバージョン:1.7.0\r\n新しいバージョン:1.8.0\r\n"
        "...Rarav backuped.\r\n...now extracting.\r\n...update is successful.\r\n...patch file is deleted.\r\n"
        "Update is finished!\r\nQuillby is now Ver.1.8.0!\r\nアップデート成功！"))
        << w.statusText().toStdString();
    expectIdle(w);
}

TEST(QuillbyUpdater, PatchForTheRequiredVersionIsAppliedAndKeptWhenAsked) {
    Folder f;
    f.t.write("patch.lzh", LzhFixture::archive({{"Rarav", "patched program"}}));
    QFile::remove(f.t.file("Rarav"));  // no program: no backup, yet the log line stays
    QuillbyUpdater w;
    w.Form_Load(f.t.path());
    w.chkDelAfterUpdate->setChecked(false);
    ScopedPrompts p;
    p->expectMessage("アップデートが成功しました。").expectMessage("Quillbyを起動しますか？", Prompts::vbNo);
    w.Btn_Update->click();

    EXPECT_EQ(f.t.read("Rarav"), "patched program");
    EXPECT_FALSE(QFileInfo::exists(f.t.file("Rarav.bak")));
    EXPECT_TRUE(QFileInfo::exists(f.t.file("patch.lzh")));
    EXPECT_TRUE(w.statusText().contains("Mode:Patch\r\nFile:patch.lzh\r\n現在のバージョン:1.7.0\r\n新しいバージョン:1.7.5\r\n"
                                        "...Rarav backuped.\r\n"));
    EXPECT_FALSE(w.statusText().contains("patch file is deleted"));
}

TEST(QuillbyUpdater, RefusesWhenNothingCanBeApplied) {
    struct Case {
        const char* name;
        const char* descriptor;  // nullptr: no update.txt at all
        const char* message;
    };
    const Case cases[] = {
        {"no update.txt", nullptr, "パッチが全く存在しません。"},
        {"archive named but absent", "[Patch]\r\nFileName=other.lzh\r\n", "パッチが全く存在しません。"},
        {"name outside the folder", "[Patch]\r\nFileName=../patch.lzh\r\n", "パッチが全く存在しません。"},
        {"patch too new", "[CurrentVersion]\r\nversion=1.6.9\r\n[Patch]\r\nrequiredversion=1.7.0\r\nFileName=patch.lzh\r\n",
         "現在のバージョンが1.7.0以上である必要があります。\r\nフルバージョンのファイルをお使い下さい。"},
        {"versions compared number by number",
         "[CurrentVersion]\r\nversion=1.9.0\r\n[Patch]\r\nrequiredversion=1.10.0\r\nFileName=patch.lzh\r\n",
         "現在のバージョンが1.10.0以上である必要があります。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Folder f;
        f.t.write("prog/patch.lzh", LzhFixture::archive({{"Rarav", "patched program"}}));
        f.t.write("patch.lzh", LzhFixture::archive({{"Rarav", "patched program"}}));
        f.t.write("prog/Rarav", "old program");
        const QString myPath = f.t.file("prog/");
        if (c.descriptor) f.t.write("prog/update.txt", c.descriptor);
        QuillbyUpdater w;
        w.Form_Load(myPath);
        ScopedPrompts p;
        p->expectMessage(c.message);
        w.Btn_Update->click();
        EXPECT_EQ(f.t.read("prog/Rarav"), "old program");
        EXPECT_FALSE(QFileInfo::exists(myPath + "Rarav.bak"));
        EXPECT_NE(IniFile::GetIniInt(myPath + "update.txt", "Update", "Updated"), 1);
        expectIdle(w);
    }
}

TEST(QuillbyUpdater, FailedExtractionKeepsTheProgram) {
    Folder f;
    f.t.write("full.lzh", "not an archive");
    QuillbyUpdater w;
    w.Form_Load(f.t.path());
    ScopedPrompts p;
    p->expectMessage("パッチファイルの解凍に失敗しました。\r\nraravを復帰します。");
    w.Btn_Update->click();
    EXPECT_EQ(f.t.read("Rarav"), "old program");
    EXPECT_TRUE(QFileInfo(f.t.file("Rarav")).isExecutable());
    EXPECT_TRUE(QFileInfo::exists(f.t.file("full.lzh")));
    EXPECT_NE(f.updated(), 1);
    EXPECT_TRUE(w.statusText().endsWith("...now extracting.\r\n...update is not successful.\r\n\r\n"
                                        "...we copied \"Rarav.bak\" to \"Rarav\""));
    expectIdle(w);
}

// The third file of the archive cannot be put in place (a folder holds its
// name): the two before it are put back, and the program is whole.
TEST(QuillbyUpdater, ArchiveThatFailsPartWayChangesNoProgramFile) {
    Folder f;
    f.t.write("dist/colorname.csv", "red,#FF0000\r\n");
    f.t.write("Manual/index.htm", "manual");
    f.t.write("full.lzh", LzhFixture::archive({{"Rarav", "release program"},
                                               {"dist/colorname.csv", "new colours"},
                                               {"Manual", "a file"},
                                               {"new.txt", "new"}}));
    const QByteArray program = f.t.read("Rarav");
    QuillbyUpdater w;
    w.Form_Load(f.t.path());
    ScopedPrompts p;
    p->expectMessage("パッチファイルの解凍に失敗しました。\r\nraravを復帰します。");
    w.Btn_Update->click();
    EXPECT_EQ(f.t.read("Rarav"), program);
    EXPECT_TRUE(QFileInfo(f.t.file("Rarav")).isExecutable());
    EXPECT_EQ(f.t.read("dist/colorname.csv"), "red,#FF0000\r\n");
    EXPECT_EQ(f.t.read("Manual/index.htm"), "manual");
    EXPECT_FALSE(QFileInfo::exists(f.t.file("new.txt")));
    EXPECT_NE(f.updated(), 1);
    expectIdle(w);
}

// A backup that cannot be written stops the update before anything changes,
// and the message says so, with the reason the system gave.
TEST(QuillbyUpdater, BackupThatCannotBeWrittenIsReportedWithItsReason) {
    Folder f;
    f.t.write("Rarav", QByteArray(256 * 1024, 'p'));
    f.t.write("full.lzh", LzhFixture::archive({{"Rarav", "release program"}}));
    QuillbyUpdater w;
    w.Form_Load(f.t.path());
    ScopedPrompts p;
    p->expectMessage("プログラムのバックアップ「Rarav.bak」を書き込めませんでした。\r\n", Prompts::vbOK,
                     Prompts::vbCritical);
    {
        // Files may grow no larger than 64 KiB, as on a nearly full disk; the
        // signal the limit raises is ignored so that the write fails instead.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 64 * 1024;
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        w.Btn_Update->click();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    }
    ASSERT_EQ(p->shown.size(), 1);
    EXPECT_TRUE(p->shown[0].contains(QString::fromLocal8Bit(strerror(EFBIG)))) << p->shown[0].toStdString();
    EXPECT_TRUE(p->shown[0].endsWith("アップデートを中止しました。プログラムは変更されていません。"));
    EXPECT_EQ(f.t.read("Rarav"), QByteArray(256 * 1024, 'p'));
    EXPECT_FALSE(QFileInfo::exists(f.t.file("Rarav.bak")));
    EXPECT_TRUE(QFileInfo::exists(f.t.file("full.lzh")));
    EXPECT_NE(f.updated(), 1);
    EXPECT_TRUE(w.statusText().endsWith("...Rarav could not be backuped.\r\n"));
    expectIdle(w);
}

TEST(QuillbyUpdater, RestartStartsTheProgramAndCloses) {
    Folder f;
    const QString marker = f.t.file("started");
    f.t.write("full.lzh", LzhFixture::archive({{"Rarav", ("#!/bin/sh\necho yes > '" + marker + "'\n").toUtf8()}}));
    QuillbyUpdater w;
    w.Form_Load(f.t.path());
    w.show();
    ScopedPrompts p;
    p->expectMessage("アップデートが成功しました。").expectMessage("Quillbyを起動しますか？", Prompts::vbYes);
    w.Btn_Update->click();
    EXPECT_FALSE(w.isVisible());
    QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(marker) && !deadline.hasExpired()) QThread::msleep(20);
    EXPECT_TRUE(QFileInfo::exists(marker));
}

}  // namespace
