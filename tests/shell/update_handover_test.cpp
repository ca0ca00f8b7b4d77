// The hand-over from the main program to the updater and back, with every
// program a real process and the windows their own: the update check runs
// against a local server, the finished progress window stays open, the old
// main program ends, the updater applies the archive, and the program it
// restarts runs.
#include "core/ini_file.h"
#include "tests/support/local_servers.h"
#include "tests/support/temp_folder.h"
#include "tests/updater/lzh_fixture.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

bool copyExecutable(const QString& from, const QString& to) {
    return QFile::copy(from, to) && QFile::setPermissions(to, QFile::permissions(from));
}

// The process holding the program folder's lock, 0 when none.
qint64 lockHolder(const QString& myPath) {
    QLockFile lock(myPath + "Rarav.lock");
    qint64 pid = 0;
    QString host, app;
    if (!lock.getLockInfo(&pid, &host, &app) || ::kill(pid_t(pid), 0) != 0) return 0;
    return app == "Rarav" ? pid : 0;
}

TEST(UpdateHandOver, TheOldProgramEndsAndTheUpdatedOneStarts) {
    TempFolder t, served;
    // A program folder as a user's home might hold it: characters CP932 reads
    // back as others, an emoji, a blank, and beside it a plain file named as
    // the text before the blank.
    t.write("Quillby 〜¥−🍣", "not a program");
    const QString prog = copyProgramFolder(t.path() + "Quillby 〜¥−🍣 x");
    ASSERT_TRUE(copyExecutable(RARAV_BUILD_BIN "/Rarav", prog + "Rarav"));
    ASSERT_TRUE(copyExecutable(RARAV_HANDOVER_DRIVERS "handover_updater_driver", prog + "QuillbyUpdater"));
    LocalHttpServer server(served.path());
    ASSERT_TRUE(server.running());
    const QString base = QStringLiteral("http://127.0.0.1:%1/software/quillby/").arg(server.port());
    served.write("software/quillby/update.txt",
                 ("[Release]\r\nversion=99.0.0\r\nURL_Full=" + base + "full.lzh\r\nFileName=full.lzh\r\n").toUtf8());
    served.write("software/quillby/full.lzh", LzhFixture::archive({{"Manual/handover.htm", "the new manual"}}));

    QProcess old;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RARAV_HOME", prog);
    env.insert("RARAV_UPDATE_URL", base + "update.txt");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HANDOVER_LOG", t.file("prompts.log"));
    old.setProcessEnvironment(env);
    // A file, not a pipe: the updater and the restarted program inherit the
    // output and must not die writing to it once the old program is gone.
    old.setStandardOutputFile(t.file("output.txt"));
    old.setStandardErrorFile(t.file("output.txt"), QIODevice::Append);
    old.start(RARAV_HANDOVER_DRIVERS "handover_main_driver", {});
    ASSERT_TRUE(old.waitForStarted());
    // The old program ends by itself once the updater is started.
    ASSERT_TRUE(old.waitForFinished(60000)) << t.read("prompts.log").toStdString();
    EXPECT_EQ(old.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(old.exitCode(), 0);

    // The updater applies the archive and restarts the program, which holds
    // the program folder's lock: it runs, rather than ending on the lock.
    qint64 restarted = 0;
    // The restarted program is ended with the test, as a user would end it.
    struct EndRestarted {
        qint64& pid;
        ~EndRestarted() {
            if (pid == 0) return;
            ::kill(pid_t(pid), SIGTERM);
            QDeadlineTimer ending(20000);
            while (::kill(pid_t(pid), 0) == 0 && !ending.hasExpired()) QThread::msleep(50);
        }
    } endRestarted{restarted};
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        restarted = lockHolder(prog);
        if (restarted && IniFile::GetIniInt(prog + "update.txt", "Update", "Updated") == 1) break;
        QThread::msleep(50);
    }
    const QString log = QString::fromUtf8(t.read("prompts.log"));
    ASSERT_NE(restarted, 0) << log.toStdString() << t.read("output.txt").toStdString();
    EXPECT_NE(restarted, old.processId());
    EXPECT_EQ(t.read("Quillby 〜¥−🍣 x/Manual/handover.htm"), "the new manual");
    EXPECT_TRUE(log.contains("Rarav: QuillbyUpdaterを起動しますか？ (Quillbyは終了します。) [progress window open, OK enabled]\n"))
        << log.toStdString();
    EXPECT_TRUE(log.contains("QuillbyUpdater: アップデートが成功しました。\nQuillbyUpdater: Quillbyを起動しますか？\n"))
        << log.toStdString();
    // Still running a moment later: start-up did not end on a held lock.
    QThread::msleep(500);
    EXPECT_EQ(lockHolder(prog), restarted);

}

}  // namespace
