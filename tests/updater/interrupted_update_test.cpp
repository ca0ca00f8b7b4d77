// Updates that cannot finish: a file system that fills part-way, a kill at
// any step of putting the files in place, and the modes of added files.
#include "updater/lha_archive.h"
#include "updater/update_apply.h"

#include "platform/codepage.h"
#include "core/ini_file.h"
#include "core/update_journal.h"
#include "tests/support/folder_snapshot.h"
#include "tests/support/full_disk.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"
#include "tests/updater/lzh_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A program folder "prog" with a few files of an older version, and the
// release archive in it.
struct ProgramFolder {
    TempFolder t;
    QString prog;
    explicit ProgramFolder(const QList<LzhFixture::Member>& archive) {
        qputenv("XDG_CONFIG_HOME", t.file("config").toUtf8());
        prog = t.file("prog/");
        t.write("prog/Rarav", "old program");
        QFile::setPermissions(prog + "Rarav", QFile::permissions(prog + "Rarav") | QFile::ExeOwner);
        t.write("prog/dist/colorname.csv", "red,#FF0000\r\n");
        t.write("prog/Manual/index.htm", "old manual");
        t.write("prog/readme.txt", "1.7.0");
        t.write("prog/update.txt", "[CurrentVersion]\r\nversion=1.7.0\r\n[Release]\r\nversion=1.8.0\r\nFileName=full.lzh\r\n");
        t.write("prog/full.lzh", LzhFixture::archive(archive));
    }
    ~ProgramFolder() { qunsetenv("XDG_CONFIG_HOME"); }
    // The program folder without the descriptor, which a finished update marks.
    QMap<QString, QByteArray> files() const {
        auto all = folderSnapshot(prog);
        all.remove("update.txt");
        return all;
    }
    // What lies beside the program folder under a hidden name: no work folder may be left.
    QStringList hiddenBeside() const {
        return QDir(t.path()).entryList({".*"}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    int updated() const { return IniFile::GetIniInt(prog + "update.txt", "Update", "Updated"); }
};

const QList<LzhFixture::Member> kRelease = {
    {"Rarav", "release program"},        {"dist/colorname.csv", "new colours"},
    {"newdir/sub/new.txt", "added"},     {"Manual/index.htm", "new manual"},
    {"Manual/images/", "", "-lhd-"},     {"tool.sh", "#!/bin/sh\necho tool\n"},
    {"readme.txt", "1.8.0"},             {Codepage::fromUnicode("説明書/メモ 1%.txt"), "memo"},
};

int killAtStep = 0;
int lastStep = 0;
void killHere(int step) {
    lastStep = step;
    if (step == killAtStep) ::kill(::getpid(), SIGKILL);
}

// Runs the extraction in a child process; true when the child was killed.
bool extractInChild(const QString& archive, const QString& prog) {
    const pid_t child = fork();
    if (child == 0) {
        LhaArchive::setStepHook(&killHere);
        const int result = LhaArchive::extract(archive, prog);
        _exit(result == LhaArchive::Extracted ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

}  // namespace

// Killed after each step of putting files in place in turn (and after the
// commit): the next start leaves the folder wholly old, or wholly new once
// every file was in place, and removes the killed run's work folder.
TEST(InterruptedUpdate, KillAtEveryStepIsUndoneOrFinishedAtTheNextStart) {
    ProgramFolder reference(kRelease);
    LhaArchive::setStepHook(&killHere);
    killAtStep = 0;
    ASSERT_EQ(LhaArchive::extract(reference.prog + "full.lzh", reference.prog), LhaArchive::Extracted);
    LhaArchive::setStepHook(nullptr);
    const int steps = lastStep;
    ASSERT_GE(steps, 8);
    const auto updatedFiles = reference.files();

    for (int n = 1; n <= steps; ++n) {
        SCOPED_TRACE(n);
        ProgramFolder f(kRelease);
        const auto oldFiles = f.files();
        killAtStep = n;
        ASSERT_TRUE(extractInChild(f.prog + "full.lzh", f.prog));
        const auto outcome = UpdateJournal::recover(f.prog).outcome;
        if (n < steps) {
            EXPECT_EQ(outcome, UpdateJournal::Recovery::Undone);
            EXPECT_EQ(f.files(), oldFiles);
            EXPECT_NE(f.updated(), 1);
        } else {
            EXPECT_EQ(outcome, UpdateJournal::Recovery::Finished);
            EXPECT_EQ(f.files(), updatedFiles);
            EXPECT_EQ(f.updated(), 1);
        }
        EXPECT_EQ(f.hiddenBeside(), QStringList());
        EXPECT_EQ(UpdateJournal::recover(f.prog).outcome, UpdateJournal::Recovery::Nothing);
    }
}

// A kill from outside at a random moment of a larger update, then the
// updater started again: the folder is wholly old or wholly new, the backup
// holds the old program, and the update is applied whole.
TEST(InterruptedUpdate, RealKillAtARandomMomentThenTheUpdaterRunsAgain) {
    QList<LzhFixture::Member> many = kRelease;
    for (int i = 0; i < 300; ++i)
        many.append({QStringLiteral("Manual/page%1.htm").arg(i).toUtf8(), QByteArray(2000 + i, char('a' + i % 26))});
    ProgramFolder reference(many);
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(LhaArchive::extract(reference.prog + "full.lzh", reference.prog), LhaArchive::Extracted);
    const qint64 spanUs = qMax<qint64>(1000, clock.nsecsElapsed() / 1000);
    const auto updatedFiles = reference.files();

    for (int round = 0; round < 4; ++round) {
        ProgramFolder f(many);
        const auto oldFiles = f.files();
        const quint64 delayUs = QRandomGenerator::global()->bounded(quint64(spanUs));
        SCOPED_TRACE(delayUs);
        const pid_t child = fork();
        if (child == 0) _exit(LhaArchive::extract(f.prog + "full.lzh", f.prog) == LhaArchive::Extracted ? 0 : 1);
        QThread::usleep(delayUs);
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        const auto outcome = UpdateJournal::recover(f.prog).outcome;
        const auto now = f.files();
        EXPECT_TRUE(now == oldFiles || now == updatedFiles) << "outcome " << outcome;
        EXPECT_EQ(f.hiddenBeside(), QStringList());

        // The updater run that follows backs up the old program, never the
        // new one, and applies the update whole.
        const bool wasOld = now == oldFiles;
        ScopedPrompts p;
        p->expectMessage("アップデートが成功しました。");
        ASSERT_TRUE(Updater::applyUpdate(f.prog, false, [](const QString&) {}));
        EXPECT_EQ(f.t.read("prog/Rarav"), "release program");
        if (wasOld) {
            EXPECT_EQ(f.t.read("prog/Rarav.bak"), "old program");
        }
        EXPECT_EQ(f.t.read("prog/Manual/page299.htm"), QByteArray(2299, char('a' + 299 % 26)));
    }
}

// The next run of the updater finds the killed run's journal, undoes it
// first, and says so in its log.
TEST(InterruptedUpdate, TheUpdaterUndoesAKilledRunBeforeItsBackup) {
    ProgramFolder f(kRelease);
    killAtStep = 3;  // after the program was replaced
    ASSERT_TRUE(extractInChild(f.prog + "full.lzh", f.prog));
    ASSERT_EQ(f.t.read("prog/Rarav"), "release program");
    QString log;
    ScopedPrompts p;
    p->expectMessage("アップデートが成功しました。");
    ASSERT_TRUE(Updater::applyUpdate(f.prog, false, [&](const QString& text) { log += text; }));
    EXPECT_TRUE(log.startsWith("...the interrupted update was undone.\r\n")) << log.toStdString();
    EXPECT_EQ(f.t.read("prog/Rarav.bak"), "old program");
    EXPECT_EQ(f.t.read("prog/Rarav"), "release program");
    EXPECT_EQ(f.hiddenBeside(), QStringList());
}

// Files may grow only so far, as on a disk that fills during extraction:
// the small files before the large one are written, the large one fails.
// Nothing in the program folder changes (apart from the backup, which the
// update makes first) and the message names the file and the reason.
TEST(InterruptedUpdate, FileSystemThatFillsHalfWayChangesNothingAndSaysWhy) {
    ProgramFolder f({{"Rarav", "release program"},
                     {"dist/colorname.csv", "new colours"},
                     {"newdir/new.txt", "added"},
                     {"Manual/big.htm", QByteArray(64 * 1024, 'b')},
                     {"readme.txt", "1.8.0"}});
    const auto before = folderSnapshot(f.prog);
    const QString shownFile = f.t.file("shown.txt");
    const bool refused = onFullDisk(
        [&] {
            auto prompter = std::make_unique<ScriptedPrompter>();
            ScriptedPrompter* script = prompter.get();
            script->expectMessage("パッチファイルの解凍に失敗しました。");
            Prompts::install(std::move(prompter));
            const bool updated = Updater::applyUpdate(f.prog, true, [](const QString&) {});
            QFile out(shownFile);
            return out.open(QIODevice::WriteOnly) && out.write(script->shown.join('\n').toUtf8()) > 0 && out.flush() &&
                   !updated;
        },
        16 * 1024);
    EXPECT_TRUE(refused);
    auto after = folderSnapshot(f.prog);
    EXPECT_EQ(after.take("Rarav.bak"), "old program");
    EXPECT_EQ(after, before);
    EXPECT_EQ(f.hiddenBeside(), QStringList());
    const QString shown = QString::fromUtf8(f.t.read("shown.txt"));
    EXPECT_TRUE(shown.startsWith("パッチファイルの解凍に失敗しました。\r\nraravを復帰します。\r\n")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("big.htm」を書き込めませんでした。(" + QString::fromLocal8Bit(strerror(EFBIG)) + ")"))
        << shown.toStdString();
}

// Added files get the modes of the program's own files whatever the umask:
// programs 0755, other files and folders 0644 and 0755; a replaced file keeps
// its own mode.
TEST(InterruptedUpdate, AddedFilesGetTheModesOfTheProgramsFiles) {
    TempFolder t;
    t.write("prog/settings.ini", "old");
    QFile::setPermissions(t.file("prog/settings.ini"), QFile::ReadOwner | QFile::WriteOwner);
    t.write("full.lzh", LzhFixture::archive({{"Zettik", QByteArray("\x7f" "ELF\x02\x01\x01", 7) + QByteArray(100, '\0')},
                                             {"tools/run.sh", "#!/bin/sh\n"},
                                             {"dist/new.csv", "a,b\r\n"},
                                             {"settings.ini", "new"}}));
    const mode_t saved = ::umask(077);
    const int result = LhaArchive::extract(t.file("full.lzh"), t.file("prog/"));
    ::umask(saved);
    ASSERT_EQ(result, LhaArchive::Extracted);
    auto mode = [&](const char* name) {
        struct stat st{};
        ::stat(QFile::encodeName(t.file(name)).constData(), &st);
        return st.st_mode & 07777;
    };
    EXPECT_EQ(mode("prog/Zettik"), 0755u);
    EXPECT_EQ(mode("prog/tools/run.sh"), 0755u);
    EXPECT_EQ(mode("prog/tools"), 0755u);
    EXPECT_EQ(mode("prog/dist/new.csv"), 0644u);
    EXPECT_EQ(mode("prog/dist"), 0755u);
    EXPECT_EQ(mode("prog/settings.ini"), 0600u);
    EXPECT_EQ(t.read("prog/settings.ini"), "new");
}

// The program folder reached through a link to another disk (the per-user
// data folder moved to a larger one, say): the work folder lies where the
// files are, so that they can be renamed into place, and a killed run is
// found and undone there. Needs a second file system (the memory disk).
TEST(InterruptedUpdate, AProgramFolderLinkedFromAnotherDiskIsUpdatedAndRecovered) {
    QTemporaryDir elsewhere(QStringLiteral("/dev/shm/rarav-test-XXXXXX"));
    TempFolder here;
    struct stat a{}, b{};
    if (!elsewhere.isValid() || ::stat("/dev/shm", &a) != 0 ||
        ::stat(QFile::encodeName(here.path()).constData(), &b) != 0 || a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second file system";
    ProgramFolder f(kRelease);
    // The same program folder moved there, and a link left in its place.
    const QString real = elsewhere.path() + "/prog";
    ASSERT_EQ(std::system(QStringLiteral("cp -a '%1' '%2'").arg(f.prog.chopped(1), real).toUtf8().constData()), 0);
    const auto oldFiles = folderSnapshot(real + "/");
    const QString linked = here.file("prog");
    ASSERT_TRUE(QFile::link(real, linked));

    killAtStep = 3;
    ASSERT_TRUE(extractInChild(linked + "/full.lzh", linked + "/"));
    EXPECT_EQ(UpdateJournal::recover(linked + "/").outcome, UpdateJournal::Recovery::Undone);
    EXPECT_EQ(folderSnapshot(real + "/"), oldFiles);

    ScopedPrompts p;
    p->expectMessage("アップデートが成功しました。");
    ASSERT_TRUE(Updater::applyUpdate(linked + "/", false, [](const QString&) {}));
    EXPECT_EQ(here.read("prog/Rarav"), "release program");
    EXPECT_EQ(here.read("prog/Rarav.bak"), "old program");
    EXPECT_EQ(here.read("prog/Manual/index.htm"), "new manual");
    EXPECT_EQ(QDir(here.path()).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"prog"});
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"prog"});
}
