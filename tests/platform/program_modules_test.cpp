// The modules the program loads when it first needs them are found beside
// the executables of the build, as in a copied program folder, and a missing
// one is reported rather than taken for another.
#include "platform/program_modules.h"

#include "tests/support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(ProgramModules, EveryModuleIsFoundBesideTheProgramAndAMissingOneSaysWhy) {
    // The program and the browser engine are loaded by the program tests and
    // the browser tests; the sound module by nothing else.
    for (const char* file : {"librarav_program.so", "librarav_webengine.so", "librarav_sound.so"})
        EXPECT_EQ(ProgramModules::find(QStringLiteral(RARAV_BUILD_BIN), QString::fromLatin1(file)),
                  QStringLiteral(RARAV_BUILD_BIN "/") + QString::fromLatin1(file));
    QString problem;
    EXPECT_NE(ProgramModules::entry(QStringLiteral(RARAV_BUILD_BIN), QStringLiteral("librarav_sound.so"),
                                    "rarav_play_sound", &problem),
              nullptr)
        << problem.toStdString();

    // A folder without it, with names CP932 reads back as others: no module
    // of another folder is taken in its place.
    TempFolder t;
    const QString empty = t.path() + "〜¥−🍣";
    EXPECT_EQ(ProgramModules::find(empty, QStringLiteral("librarav_sound.so")), QString());
    problem.clear();
    EXPECT_EQ(ProgramModules::entry(empty, QStringLiteral("librarav_sound.so"), "rarav_play_sound", &problem), nullptr);
    EXPECT_TRUE(problem.contains(QStringLiteral("librarav_sound.so"))) << problem.toStdString();
}

}  // namespace
