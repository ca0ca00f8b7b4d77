#include "platform/file_threads.h"
#include "platform/files.h"

#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Descriptors open on files under folder, those already removed among them.
int openDescriptors(const QString& folder) {
    int n = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        char target[4096];
        const ssize_t size = ::readlink(QFile::encodeName(fds.filePath(fd)).constData(), target, sizeof target);
        n += size > 0 && QFile::decodeName(QByteArray(target, size)).startsWith(folder);
    }
    return n;
}

// Replaced and removed files are closed in the background, never more than
// a few dozen at a time, and none is left open once the closes ran out; each
// file holds its last bytes and nothing is left beside it.
TEST(FileThreads, ReplacementsLeaveNoDescriptorBehind) {
    TempFolder t;
    QDir().mkpath(t.file("〜¥−🍣"));
    const QString source = t.write("source.gif", "GIF89a");
    int most = 0;
    for (int round = 0; round < 40; ++round) {
        for (int page = 0; page < 5; ++page) {
            const QString path = t.file(QStringLiteral("〜¥−🍣/page%1.htm").arg(page));
            ASSERT_TRUE(Files::writeAtomic(path, QByteArray::number(round * 10 + page), Files::Sync::None));
            most = qMax(most, openDescriptors(t.path()));
        }
        ASSERT_TRUE(Files::copyFile(source, t.file("〜¥−🍣/part.gif")));
        ASSERT_TRUE(Files::writeAtomic(t.file("〜¥−🍣/list.tmp"), "list"));
        ASSERT_TRUE(Files::removeFile(t.file("〜¥−🍣/list.tmp")));
        most = qMax(most, openDescriptors(t.path()));
    }
    EXPECT_LE(most, 33);
    FileThreads::waitUntilClosed();
    EXPECT_EQ(openDescriptors(t.path()), 0);
    for (int page = 0; page < 5; ++page)
        EXPECT_EQ(t.read(QStringLiteral("〜¥−🍣/page%1.htm").arg(page)), QByteArray::number(390 + page));
    EXPECT_EQ(t.read("〜¥−🍣/part.gif"), QByteArray("GIF89a"));
    EXPECT_EQ(QDir(t.file("〜¥−🍣")).entryList(QDir::Files).size(), 6);
}

// Removing takes a link away, not what it points to; a name that is not
// there is reported.
TEST(FileThreads, RemovingTakesTheNameOnly) {
    TempFolder t;
    const QString target = t.write("target.tmp", "kept");
    ASSERT_TRUE(QFile::link(target, t.file("link.tmp")));
    EXPECT_TRUE(Files::removeFile(t.file("link.tmp")));
    EXPECT_FALSE(QFileInfo(t.file("link.tmp")).isSymLink());
    EXPECT_EQ(t.read("target.tmp"), QByteArray("kept"));
    EXPECT_TRUE(Files::removeFile(target));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_FALSE(Files::removeFile(target));
    EXPECT_FALSE(Files::removeFile(t.path()));
    EXPECT_TRUE(QFileInfo(t.path()).isDir());
}

// A sync reports any file or folder that could not be synced, wherever it
// stands in the list; a file that is not there has nothing to flush.
TEST(FileThreads, SyncReportsEveryFailureAndPassesOverMissingFiles) {
    TempFolder t;
    QStringList pages;
    for (int i = 0; i < 9; ++i) pages << t.write(QStringLiteral("site/index_%1.htm").arg(i), "page");
    const QString feed = t.write("site 🍣/index_ATOM.xml", "feed");
    const struct {
        const char* what;
        QStringList paths;
        bool synced;
    } cases[] = {
        {"nothing", {}, true},
        {"one page", {pages[0]}, true},
        {"pages in two folders", QStringList(pages) << feed, true},
        {"a page not there", QStringList(pages) << t.file("site/index_99.htm"), true},
        {"a file that cannot be synced", QStringList(pages.mid(0, 4)) << "/dev/null" << pages.mid(4), false},
        {"a folder that is a file", QStringList(pages) << pages[3] + "/index.htm", false},
        {"a folder not there", QStringList(pages) << t.file("gone/index.htm"), false},
    };
    for (const auto& c : cases) EXPECT_EQ(Files::syncFiles(c.paths), c.synced) << c.what;
}

// Several threads hand batches over at once: each task runs exactly once,
// and a batch is true only when all its tasks were.
TEST(FileThreads, BatchesFromSeveralThreadsRunEachTaskOnce) {
    std::vector<std::thread> callers;
    std::atomic<int> wrong{0};
    for (int caller = 0; caller < 4; ++caller) {
        callers.emplace_back([caller, &wrong] {
            for (int round = 0; round < 200; ++round) {
                const int count = 1 + (round + caller) % 11;
                const int failing = round % 3 == 0 ? round % count : -1;
                std::vector<std::atomic<int>> runs(count);
                const bool ok = FileThreads::runTogether(count, [&](int i) {
                    runs[i]++;
                    return i != failing;
                });
                if (ok != (failing < 0)) wrong++;
                for (const auto& r : runs) wrong += r != 1;
            }
        });
    }
    for (auto& c : callers) c.join();
    EXPECT_EQ(wrong, 0);
}

}  // namespace
