#include "platform/files.h"
#include "platform/profile.h"

#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

TEST(Profile, ReadsWithTheRulesTheWindowsRelyOn) {
    TempFolder t;
    const QString ini = t.writeText(QStringLiteral("a.ini"),
                                    QStringLiteral("; comment\n"
                                                   "[General]\n"
                                                   "  FindHistory =  1  \n"
                                                   "Quoted=\"  spaced  \"\n"
                                                   "Name=日本語の値\n"
                                                   "Num=12abc\n"
                                                   "Neg=-5\n"
                                                   "Word=abc\n"
                                                   "Empty=\n"
                                                   "Dup=first\n"
                                                   "Dup=second\n"
                                                   "[general]\n"
                                                   "Dup=other section\n"
                                                   "Late=only in the second\n"));
    struct Case {
        const char* section;
        const char* key;
        QString expected;
    };
    const Case strings[] = {
        {"GENERAL", "findhistory", QStringLiteral("1")},
        {"General", "Quoted", QStringLiteral("  spaced  ")},
        {"General", "Name", QStringLiteral("日本語の値")},
        {"General", "Dup", QStringLiteral("first")},
        {"General", "Missing", QStringLiteral("default")},
        {"General", "Late", QStringLiteral("default")},
        {"NoSection", "Name", QStringLiteral("default")},
    };
    for (const Case& c : strings)
        EXPECT_EQ(Profile::readString(ini, c.section, c.key, QStringLiteral("default")), c.expected) << c.key;

    EXPECT_EQ(Profile::readInt(ini, "General", "Num"), 12);
    EXPECT_EQ(Profile::readInt(ini, "General", "Neg"), -5);
    EXPECT_EQ(Profile::readInt(ini, "General", "Word", 7), 0);
    EXPECT_EQ(Profile::readInt(ini, "General", "Empty", 7), 7);
    EXPECT_EQ(Profile::readInt(ini, "General", "Missing", 1), 1);
    EXPECT_EQ(Profile::readInt(t.file("none.ini"), "General", "Num", 3), 3);
    EXPECT_EQ(Profile::readString(t.file("none.ini"), "A", "B", "d"), QStringLiteral("d"));
}

TEST(Profile, IntegersAreThirtyTwoBitAndStringsWhole) {
    TempFolder t;
    const QString ini = t.file("b.ini");
    const QString longValue = QStringLiteral("/home/ユーザー/") + QString(300, QLatin1Char('x'));
    ASSERT_TRUE(Profile::writeString(ini, "ParentForm", "Width", "40000"));
    ASSERT_TRUE(Profile::writeString(ini, "ALL", "DataPath", longValue));
    EXPECT_EQ(Profile::readInt(ini, "ParentForm", "Width"), 40000);
    EXPECT_EQ(Profile::readString(ini, "ALL", "DataPath"), longValue);
}

TEST(Profile, WriteReplacesOneLineAndKeepsTheRest) {
    TempFolder t;
    const QString ini = t.write(QStringLiteral("c.ini"),
                                "; keep me\r\n[A]\r\nx=1\r\n; inside\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    ASSERT_TRUE(Profile::writeString(ini, "a", "X", "10"));
    ASSERT_TRUE(Profile::writeString(ini, "A", "new", "n"));
    ASSERT_TRUE(Profile::writeString(ini, "C", "w", "日本"));
    EXPECT_EQ(t.read("c.ini"),
              QByteArray("; keep me\r\n[A]\r\nX=10\r\n; inside\r\ny=2\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n[C]\r\nw=\x93\xFA\x96\x7B\r\n"));

    ASSERT_TRUE(Profile::deleteKey(ini, "A", "y"));
    EXPECT_EQ(Profile::readString(ini, "A", "y", "gone"), QStringLiteral("gone"));
    EXPECT_EQ(Profile::readString(ini, "B", "z"), QStringLiteral("3"));
    EXPECT_EQ(Profile::sectionNames(ini), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(Profile::keyNames(ini, "a"), (QStringList{"X", "new"}));
}

TEST(Profile, WriteCreatesTheFileButNotItsFolder) {
    TempFolder t;
    EXPECT_TRUE(Profile::writeString(t.file("new.ini"), "S", "k", "v"));
    EXPECT_EQ(Profile::readString(t.file("new.ini"), "s", "K"), QStringLiteral("v"));
    EXPECT_FALSE(Profile::writeString(t.file("missing/new.ini"), "S", "k", "v"));
}

// A settings file kept elsewhere through a symbolic link is written there and
// stays a link, also before the file it points to exists.
TEST(Profile, WritesGoThroughASymbolicLink) {
    TempFolder t;
    ASSERT_TRUE(QDir().mkpath(t.file("〜¥−🍣")));
    t.write("〜¥−🍣/rarav.ini", "[ALL]\r\nDataPath=/d/\r\n");
    ASSERT_TRUE(QFile::link(t.file("〜¥−🍣/rarav.ini"), t.file("rarav.ini")));
    ASSERT_TRUE(QFile::link(t.file("〜¥−🍣/Frame.ini"), t.file("Frame.ini")));
    for (const char* name : {"rarav.ini", "Frame.ini"}) {
        ASSERT_TRUE(Profile::writeString(t.file(name), "Frame", "Top", "〜¥−🍣")) << name;
        EXPECT_TRUE(QFileInfo(t.file(name)).isSymLink()) << name;
        EXPECT_EQ(Profile::readString(t.file(QStringLiteral("〜¥−🍣/") + name), "Frame", "Top"), QStringLiteral("〜¥−🍣"));
    }
    EXPECT_EQ(Profile::readString(t.file("rarav.ini"), "ALL", "DataPath"), QStringLiteral("/d/"));
}

// A pasted value holding line breaks would add keys or whole sections.
TEST(Profile, ValueWithALineBreakIsRefusedAndTheFileKept) {
    TempFolder t;
    const QByteArray before("[ALL]\r\nDataPath=/d/\r\n[Previous]\r\nID=taro\r\n");
    const QString ini = t.write(QStringLiteral("u.ini"), before);
    for (const char* value : {"nobody\r\n[mallory]\r\nID=mallory", "a\nb", "a\rb", "\n"}) {
        EXPECT_FALSE(Profile::writeString(ini, "Previous", "ID", value)) << value;
        EXPECT_FALSE(Profile::writeString(ini, "New", "ID", value)) << value;
        EXPECT_FALSE(Profile::writeString(ini, value, "ID", "x")) << value;
        EXPECT_FALSE(Profile::writeString(ini, "ALL", value, "x")) << value;
    }
    // Nor is a section written that the reader would not find again.
    for (const char* section : {"a]b", " blog", "blog "}) {
        EXPECT_FALSE(Profile::isSectionName(section)) << section;
        EXPECT_FALSE(Profile::writeString(ini, section, "k", "v")) << section;
    }
    EXPECT_EQ(t.read("u.ini"), before);
    EXPECT_TRUE(Profile::isSectionName("a[b c"));
    EXPECT_FALSE(Profile::writeString(t.file("n.ini"), "S", "k", "a\nb"));
    EXPECT_FALSE(QFile::exists(t.file("n.ini")));
}

// A program that writes settings into a FIFO for whoever opens it to read
// (and so releases a reader that waited there for a writer).
class FifoWriter {
public:
    FifoWriter(const QString& path, QByteArray text)
        : path_(QFile::encodeName(path)), text_(std::move(text)), thread_([this] { serve(); }) {}
    ~FifoWriter() {
        stop_ = true;
        // A reader that does not wait releases the writer's open.
        const int fd = ::open(path_.constData(), O_RDONLY | O_NONBLOCK);
        thread_.join();
        if (fd >= 0) ::close(fd);
    }

private:
    void serve() {
        // A reader gone before the write leaves a broken pipe, not a signal.
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
        while (!stop_) {
            const int fd = ::open(path_.constData(), O_WRONLY);
            if (fd < 0) return;
            if (!stop_ && ::write(fd, text_.constData(), size_t(text_.size())) < 0) {
            }
            ::close(fd);
        }
    }
    QByteArray path_, text_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A settings or text file that is a FIFO is no file to read: a read gives
// the default at once, without waiting for a writer, and a write fails,
// leaving the FIFO where it was.
TEST(Profile, AFifoInPlaceOfTheFileIsNeitherWaitedOnNorReplaced) {
    TempFolder t;
    const QString ini = t.file("rarav.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
    FifoWriter writer(ini, "[ALL]\r\nDataPath=/fifo/\r\n");
    EXPECT_EQ(Profile::readString(ini, "ALL", "DataPath", "default"), QStringLiteral("default"));
    EXPECT_EQ(Profile::sectionNames(ini), QStringList());
    EXPECT_FALSE(Profile::writeString(ini, "ALL", "DataPath", "/d/"));
    EXPECT_FALSE(Profile::deleteKey(ini, "ALL", "DataPath"));
    EXPECT_EQ(Files::readText(ini), QString());
    struct stat st;
    ASSERT_EQ(::lstat(QFile::encodeName(ini).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(Profile, AcceptsLfOnlyFiles) {
    TempFolder t;
    const QString ini = t.write(QStringLiteral("lf.ini"), "[S]\nk=v\n");
    EXPECT_EQ(Profile::readString(ini, "S", "k"), QStringLiteral("v"));
}

}  // namespace
