#include "core/file_names.h"
#include "core/shared_state.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNames, RefusesNamesThatLeaveTheFolderOrReplaceTheProgram) {
    TempFolder program;
    TempFolder other;
    Shell::state().MyPath = program.path();
    struct Case {
        const char* name;
        bool inProgramFolder;
        bool acceptable;
    };
    const Case cases[] = {
        {"photo.png", false, true},
        {"写真 1.png", false, true},
        {"a.b.c", false, true},
        {" spaced name .txt", false, true},
        {"...", false, true},
        {"寿司🍣.gif", true, true},
        {"", false, false},
        {".", false, false},
        {"..", false, false},
        {"../x.png", false, false},
        {"../../rarav.mdb", false, false},
        {"sub/x.png", false, false},
        {"a\\b", false, false},
        {"tab\there", false, false},
        {"line\nbreak", false, false},
        {"rarav.mdb", true, false},
        {"RARAV.MDB", true, false},
        {"Rarav", true, false},
        {"QuillbyUpTmp", true, false},
        {"update.txt", true, false},
        {"QuillbyUpdater", true, false},
        {"rarav.ini", true, false},
        {"rarav.mdb", false, true},
        {"Rarav", false, true},
    };
    for (const Case& c : cases) {
        const QString folder = c.inProgramFolder ? program.path() : other.path();
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(FileNames::isAcceptable(name, folder), c.acceptable) << c.name;
        // Whatever folder the state names, a name bound for the program
        // folder is judged as there.
        if (c.inProgramFolder || !c.acceptable) {
            Shell::state().MyPath = other.path();
            EXPECT_EQ(FileNames::programFolderRefusal(name).isEmpty(), c.acceptable) << c.name;
            Shell::state().MyPath = program.path();
        }
        if (!c.acceptable) {
            EXPECT_FALSE(FileNames::refusal(name, folder).isEmpty()) << c.name;
        }
    }
    Shell::state().MyPath.clear();
}

}  // namespace
