#include "core/c_execute.h"
#include "core/file_dialogs.h"
#include "core/path_parts.h"
#include "core/text_file.h"
#include "core/search_path.h"

#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(PathParts, PathHelpers) {
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
        const char* extension;
        const char* withoutExtension;
    };
    const Case cases[] = {
        {"/a/b.txt", "/a", "b.txt", "txt", "/a/b"},
        {"/b.txt", "", "b.txt", "txt", "/b"},
        {"b.txt", "", "b.txt", "txt", "b"},
        {"/a/", "/a", "", "", "/a/"},
        {"/a/b.tar.gz", "/a", "b.tar.gz", "gz", "/a/b.tar"},
        // Kept: callers pass file names, so a dotted folder only matters here.
        {"/a.b/c", "/a.b", "c", "", "/a"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PathParts::GetFolderPath(c.path), QString::fromUtf8(c.folder)) << c.path;
        EXPECT_EQ(PathParts::GetFileName(c.path), QString::fromUtf8(c.name)) << c.path;
        EXPECT_EQ(PathParts::GetExtension(c.path), QString::fromUtf8(c.extension)) << c.path;
        EXPECT_EQ(PathParts::RemoveExtension(c.path), QString::fromUtf8(c.withoutExtension)) << c.path;
    }
}

TEST(TextFile, ReadTextFileCutsAtNulAndNeverFails) {
    TempFolder t;
    t.write("nul.txt", QByteArray("\x93\xFA\x8B\x4C", 4) + QByteArray(1, '\0') + "after");
    t.write("empty.txt", "");
    EXPECT_EQ(TextFile::ReadTextFile(t.file("nul.txt")), QStringLiteral("日記"));
    EXPECT_EQ(TextFile::ReadTextFile(t.file("empty.txt")), QString());
    EXPECT_EQ(TextFile::ReadTextFile(t.file("none.txt")), QString());
    EXPECT_EQ(TextFile::ReadTextFile(QString()), QString());
}

TEST(Dialogs, SaveFilterConversion) {
    const QChar nul(0);
    const QString oneChoice = QStringLiteral("TEXT Files(*.txt)") + nul + QStringLiteral("*txt") + nul + nul;
    EXPECT_EQ(FileDialogs::ConvertSaveFilter("TEXT Files(*.txt)|*txt|"), oneChoice);
    EXPECT_EQ(FileDialogs::ConvertSaveFilter("TEXT Files(*.txt)|*txt"), oneChoice);
    EXPECT_EQ(FileDialogs::ConvertSaveFilter(""), QString(nul));
    EXPECT_EQ(FileDialogs::ConvertSaveFilter("x"), QString(nul));
    EXPECT_EQ(Prompts::qtFilter(oneChoice), QStringLiteral("TEXT Files(*.txt) (*txt)"));
}

TEST(Dialogs, CancelGivesEmptyAndChoiceGivesThePath) {
    ScopedPrompts p;
    p->expectOpenFile("", "ファイルを開く").expectSaveFile("/tmp/x.htm").expectFolder("/tmp/data/", "フォルダ");
    EXPECT_EQ(FileDialogs::ShowOpenDialog(QStringLiteral("All") + QChar(0) + "*.*" + QChar(0), "/tmp"), QString());
    FileDialogs::SaveDialogInfo info;
    info.Filter = "HTML|*.htm|";
    info.DialogTitle = "保存";
    EXPECT_TRUE(FileDialogs::ShowSaveDialogEx(info));
    EXPECT_EQ(info.FileName, QStringLiteral("/tmp/x.htm"));
    EXPECT_EQ(info.FileTitle, QStringLiteral("x.htm"));
    EXPECT_EQ(FileDialogs::BrowseFolder("フォルダの選択"), QStringLiteral("/tmp/data"));
}

// A program ends at the first blank that ends a program; a plain file that
// cannot be run (one a command line split at a blank once wrote beside a home
// folder "〜¥−🍣 x", say) does not end it there.
TEST(cExecute, SplitsAtTheFirstBlankThatEndsAProgram) {
    TempFolder t;
    const auto executable = [&](const QString& name) {
        const QString path = t.write(name, "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    };
    const QString spaced = executable("my tools/run me");
    const QString besidePlainFile = executable("〜¥−🍣 x/run");
    t.write("〜¥−🍣", "not a program");
    const QString besideProgram = executable("tool b/run");
    const QString prefixProgram = executable("tool");
    struct Case {
        QString line, program, parameters;
    };
    const Case cases[] = {
        {"sh -c true", "sh", "-c true"},
        {spaced + " --flag x", spaced, "--flag x"},
        {besidePlainFile, besidePlainFile, ""},
        {besidePlainFile + " --flag", besidePlainFile, "--flag"},
        {besideProgram, prefixProgram, "b/run"},
        {"nosuchprogram", "nosuchprogram", ""},
        {" sh -c true", " sh -c true", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        QString program, parameters;
        cExecute::SplitCommandLine(c.line, program, parameters);
        EXPECT_EQ(program, c.program);
        EXPECT_EQ(parameters, c.parameters);
    }
}

TEST(cExecute, StartsAndWaits) {
    TempFolder t;
    cExecute run;
    // Quoted for the shell: the temporary folder's path may hold blanks.
    EXPECT_TRUE(run.ShellX("sh -c \"echo done > '" + t.file("out.txt") + "'\"", 1, true));
    EXPECT_EQ(t.read("out.txt"), QByteArray("done\n"));
    EXPECT_FALSE(run.ShellX(t.file("missing-program"), 1, false));

    // A program whose folder has a blank starts, even where the text before
    // the blank names a plain file.
    const QString program = t.write("〜¥−🍣 x/write", "#!/bin/sh\necho \"$1\" > \"$(dirname \"$0\")/out.txt\"\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    t.write("〜¥−🍣", "not a program");
    EXPECT_TRUE(run.ShellX(program, 1, true));
    EXPECT_EQ(t.read("〜¥−🍣 x/out.txt"), QByteArray("\n"));
    EXPECT_TRUE(run.ShellX(program + " 寿司", 1, true));
    EXPECT_EQ(t.read("〜¥−🍣 x/out.txt"), QByteArray("寿司\n"));
    EXPECT_EQ(t.read("〜¥−🍣"), QByteArray("not a program"));
}

TEST(SearchPath, FindsTheFolderOfAProgram) {
    QString folder;
    ASSERT_TRUE(SearchPath::FindFileOnPath("sh", folder));
    EXPECT_TRUE(folder.endsWith('/'));
    EXPECT_TRUE(QFile::exists(folder + "sh"));
    EXPECT_FALSE(SearchPath::FindFileOnPath("no-such-file-anywhere", folder));
    EXPECT_TRUE(folder.isEmpty());
}

}  // namespace
