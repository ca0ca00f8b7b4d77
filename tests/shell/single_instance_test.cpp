#include "shell/single_instance.h"

#include "tests/support/temp_folder.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

TEST(SingleInstance, OneHolderPerProgramFolderUntilItLetsGo) {
    TempFolder t;
    auto first = SingleInstance::acquire(t.path());
    ASSERT_TRUE(first);
    EXPECT_FALSE(SingleInstance::acquire(t.path()));
    TempFolder other;
    EXPECT_TRUE(SingleInstance::acquire(other.path()));
    first.reset();
    EXPECT_FALSE(QFile::exists(t.file("Rarav.lock")));
    EXPECT_TRUE(SingleInstance::acquire(t.path()));
}

TEST(SingleInstance, ALockLeftByAProgramThatEndedIsTakenOver) {
    TempFolder t;
    QProcess gone;
    gone.start("true", {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    t.write("Rarav.lock", QByteArray::number(pid) + "\n" + QCoreApplication::applicationName().toUtf8() + "\n\n");
    EXPECT_TRUE(SingleInstance::acquire(t.path()));
}

TEST(SingleInstance, TheExecutableFolderIsKnownBeforeTheApplicationObject) {
    EXPECT_EQ(SingleInstance::executableFolder(""), QCoreApplication::applicationDirPath());
}

}  // namespace
