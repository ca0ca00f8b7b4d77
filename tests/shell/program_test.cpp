// The built program itself, run as a user would: start, refuse a second
// copy, and shut down cleanly when asked to end.
#include "platform/database.h"
#include "core/ini_file.h"

#include "tests/support/temp_folder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QProcess* startProgram(const QString& myPath) {
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RARAV_HOME", myPath);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p->setProcessEnvironment(env);
    p->start(QStringLiteral(RARAV_BUILD_BIN "/Rarav"), {});
    return p;
}

TEST(Program, FirstStartSecondStartAndShutDown) {
    TempFolder t;
    const QString myPath = copyProgramFolder(t.path() + "prog");
    std::unique_ptr<QProcess> first(startProgram(myPath));
    ASSERT_TRUE(first->waitForStarted());
    const QString ini = myPath + "UserData/rarav.ini";
    // Start-up is done once the last settings-file key is written.
    QDeadlineTimer deadline(30000);
    while (IniFile::GetIniString(ini, "Blog", "IniFileName").isEmpty() && !deadline.hasExpired())
        QThread::msleep(50);
    ASSERT_FALSE(deadline.hasExpired()) << "start-up did not finish";
    EXPECT_EQ(IniFile::GetIniString(ini, "ALL", "DataPath"), myPath + "UserData/");
    EXPECT_GE(Database(myPath + "UserData/rarav.mdb").scalar("SELECT VersionInfo FROM DBInfo").toInt(), 220);

    std::unique_ptr<QProcess> second(startProgram(myPath));
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);

    first->terminate();
    ASSERT_TRUE(first->waitForFinished(20000));
    EXPECT_EQ(first->exitStatus(), QProcess::NormalExit);
    EXPECT_GT(IniFile::GetIniInt(ini, "ParentForm", "Width"), 0);
}

// The lock is taken before anything else; one left behind by a program that
// was killed must not keep the next start out.
TEST(Program, AStartAfterAKilledOneIsNotRefused) {
    TempFolder t;
    const QString myPath = copyProgramFolder(t.path() + "prog");
    const QString ini = myPath + "UserData/rarav.ini";
    auto startedUp = [&] {
        QDeadlineTimer deadline(30000);
        while (IniFile::GetIniString(ini, "Blog", "IniFileName").isEmpty() && !deadline.hasExpired())
            QThread::msleep(50);
        return !deadline.hasExpired();
    };
    std::unique_ptr<QProcess> first(startProgram(myPath));
    ASSERT_TRUE(startedUp()) << "start-up did not finish";
    first->kill();
    ASSERT_TRUE(first->waitForFinished(20000));
    ASSERT_TRUE(QFile::exists(myPath + "Rarav.lock"));

    ASSERT_TRUE(IniFile::WriteIniString(ini, "Blog", "IniFileName", QString()));
    std::unique_ptr<QProcess> second(startProgram(myPath));
    EXPECT_TRUE(startedUp()) << "the second start was refused";
    second->terminate();
    ASSERT_TRUE(second->waitForFinished(20000));
}

// The executable loads the program from the module beside it: a copy without
// it says what is missing instead of starting half a program, and leaves the
// program folder free.
TEST(Program, AnExecutableWithoutItsProgramModuleSaysSoAndLeavesTheFolderFree) {
    TempFolder t;
    const QString myPath = copyProgramFolder(t.path() + "prog");
    const QString bin = t.path() + "〜¥−🍣/bin/";
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QFile::copy(QStringLiteral(RARAV_BUILD_BIN "/Rarav"), bin + "Rarav"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RARAV_HOME", myPath);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(bin + "Rarav", {});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().contains("librarav_program.so"));
    QLockFile lock(myPath + "Rarav.lock");
    EXPECT_TRUE(lock.tryLock(0));
}

}  // namespace
