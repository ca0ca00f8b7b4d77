#include "platform/profile.h"
#include "core/pub_encrypt.h"
#include "core/shared_state.h"
#include "tests/support/folder_snapshot.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"
#include "tests/web/blog_fake_page.h"
#include "web/blog_accounts.h"
#include "web/blog_pages.h"
#include "web/blog_posting.h"

#include <gtest/gtest.h>

namespace {

// A data folder with one blog description "b" and the converter file "conv"
// in the program folder; the status line is recorded.
struct PostingFixture {
    TempFolder dir;
    QStringList status;
    BlogEntry entry{QStringLiteral("2024/05/01分の日記[1/1]"), QStringLiteral("題"), QStringLiteral("<b>本文</b>"),
                    QStringLiteral("旅行"), false};
    PostingFixture() {
        auto& s = Shell::state();
        s.MyPath = s.DataPath = dir.path();
        s.BlogIniFile = dir.file(QStringLiteral("Blog.ini"));
        dir.writeText(QStringLiteral("conv.ini"), QStringLiteral("[GENERAL]\nMODE=TEXT\n"));
        Shell::hooks().setStatusText = [this](const QString& text) { status.append(text); };
    }
    ~PostingFixture() {
        Shell::state() = Shell::SharedState();
        Shell::hooks() = Shell::MainWindowHooks();
    }
    // The first of duplicate keys wins, so simpleKeys override the rest.
    void describe(const QString& simpleKeys) {
        dir.writeText(QStringLiteral("BlogTemplate/b.ini"),
                      QStringLiteral("[General]\nBlog=テスト\n[Simple]\n") + simpleKeys +
                          QStringLiteral("HTML2TXT=conv\nNextURL=http://n/\nVALUE_Title=title\nVALUE_Body=body\n"
                                         "VALUE_Post=post\n"));
    }
    QString account(const char* key) { return BlogAccounts::read(QStringLiteral("b"), QLatin1String(key)); }
};

const QString kDone = QStringLiteral("Blog投稿完了！");

}  // namespace

TEST(BlogPosting, PostsByNamesThroughTheFirstFormWithoutLoginAndConvertsTheBody) {
    PostingFixture f;
    f.describe(QStringLiteral("PostURL=http://p/\n"));
    FakeBlogPage page;
    ScopedPrompts p;
    p->expectMessage(kDone, Prompts::vbOK, Prompts::vbInformation);
    EXPECT_EQ(BlogPosting(page).PostBlog(QStringLiteral("b"), f.entry), BlogPosting::Outcome::Posted);
    EXPECT_EQ(page.log, (QStringList{"stop", "nav http://p/", "wait", "set f0.title=題", "set f0.body=本文",
                                     "click f0.post", "wait"}));
    EXPECT_EQ(f.status, (QStringList{"テストに接続中", "日記投稿完了！画像ファイルは手動でアップロードして下さい。"}));
}

TEST(BlogPosting, AddressesAskedForAreStoredAndTheRunStopsWithoutOne) {
    PostingFixture f;
    f.describe(QStringLiteral("PostURL=Required\nNextURL=\n"));
    FakeBlogPage page;
    {
        ScopedPrompts p;
        p->expectInput(QStringLiteral("投稿画面のURLを入力してください。"), QStringLiteral("http://typed/"));
        p->expectInput(QStringLiteral("投稿画面のURLを入力してください。"), QString());
        p->expectMessage(QStringLiteral("投稿URLの設定ができていないため"), Prompts::vbOK, Prompts::vbCritical);
        EXPECT_EQ(BlogPosting(page).PostBlog(QStringLiteral("b"), f.entry), BlogPosting::Outcome::Stopped);
    }
    EXPECT_EQ(f.account("PostURL"), QStringLiteral("http://typed/"));
    EXPECT_FALSE(Profile::keyNames(BlogAccounts::file(), QStringLiteral("b")).contains(QStringLiteral("NextURL")));
    // The next run takes the stored address; an empty next-page address is
    // asked for again and does not stop it.
    page.log.clear();
    ScopedPrompts p;
    p->expectInput(QStringLiteral("投稿画面のURLを入力してください。"), QString());
    p->expectMessage(kDone);
    EXPECT_EQ(BlogPosting(page).PostBlog(QStringLiteral("b"), f.entry), BlogPosting::Outcome::Posted);
    EXPECT_EQ(page.log.value(1), QStringLiteral("nav http://typed/"));
}

TEST(BlogPosting, StopsBeforeTheServiceForNoEntryEmptyFieldsAndPrivateEntries) {
    PostingFixture f;
    f.describe(QStringLiteral("PostURL=http://p/\n"));
    struct Case {
        const char* caption;
        const char* title;
        bool isPrivate;
        const char* message;  // nullptr: no message at all
    };
    const Case cases[] = {
        {"日記作成", "題", false, "投稿する日記が選択されていません。"},
        {"x", "", false, "タイトルもしくは本文が記入されていないため"},
        {"x", "題", true, nullptr},
    };
    for (const Case& c : cases) {
        FakeBlogPage page;
        BlogEntry entry = f.entry;
        entry.caption = QString::fromUtf8(c.caption);
        entry.title = QString::fromUtf8(c.title);
        entry.isPrivate = c.isPrivate;
        ScopedPrompts p;
        if (c.isPrivate) p->expectMessage(QStringLiteral("非公開になっていますが"), Prompts::vbNo, Prompts::vbYesNo);
        if (c.message) p->expectMessage(QString::fromUtf8(c.message), Prompts::vbOK, Prompts::vbCritical);
        EXPECT_EQ(BlogPosting(page).PostBlog(QStringLiteral("b"), entry), BlogPosting::Outcome::Stopped) << c.caption;
        EXPECT_EQ(page.log, QStringList{"stop"}) << c.caption;
    }
}

TEST(BlogPosting, MissingConverterPostsTheRawBodyAfterOneMessage) {
    PostingFixture f;
    f.describe(QStringLiteral("PostURL=http://p/\nHTML2TXT=none\n"));
    FakeBlogPage page;
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("Initializeファイル読み込みエラー"), Prompts::vbOK, Prompts::vbCritical);
    p->expectMessage(kDone);
    BlogPosting(page).PostBlog(QStringLiteral("b"), f.entry);
    EXPECT_TRUE(page.log.contains(QStringLiteral("set f0.body=<b>本文</b>")));
}

TEST(BlogPosting, LogsInWithTheAccountOrTypedAnswersAndWaitsAsTheRedirectSays) {
    PostingFixture f;
    f.describe(QStringLiteral("PostURL=http://p/\nLoginURL=http://login/\nFORM_LOGIN=1\nCheckObject=title\n"
                              "VALUE_LoginID=user\nVALUE_Password=2\nType_Password=INPUT\nVALUE_Next=next\n"
                              "Type_Login=SUBMIT\nLoginRedirect=TRUE\n"));
    FakeBlogPage page;
    page.forms = 2;
    page.location = QStringLiteral("http://login/");
    int waits = 0;
    page.onWait = [&] {
        if (++waits == 3) page.location = QStringLiteral("http://p/");  // the second load after the login
    };
    {
        ScopedPrompts p;
        p->expectInput(QStringLiteral("テストユーザー名を入れてください"), QStringLiteral("me"));
        p->expectInput(QStringLiteral("テストパスワードを入れてください"), QStringLiteral("pw"));
        p->expectMessage(kDone);
        EXPECT_EQ(BlogPosting(page).PostBlog(QStringLiteral("b"), f.entry), BlogPosting::Outcome::Posted);
    }
    EXPECT_EQ(page.log.mid(0, 9), (QStringList{"stop", "nav http://p/", "wait", "set f1.user=me", "set INPUT[2]=pw",
                                               "set f1.next=http://n/", "submit 1", "wait", "wait"}));
    EXPECT_EQ(f.account("LoginID"), QStringLiteral("me"));
    EXPECT_EQ(f.account("Password"), PubEncrypt::EncryptString(QStringLiteral("pw")));

    // A page that never becomes the posting page stops the run; the stored
    // account answers the login this time.
    page.log.clear();
    waits = -100;
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("投稿画面にならないので、投稿を中止します"), Prompts::vbOK, Prompts::vbInformation);
    page.location = QStringLiteral("http://login/");
    EXPECT_EQ(BlogPosting(page).PostBlog(QStringLiteral("b"), f.entry), BlogPosting::Outcome::Stopped);
    EXPECT_EQ(page.log.count(QStringLiteral("wait")), 3);
}

TEST(BlogPosting, DraftButtonTimeOutAndFailuresAreReportedByStage) {
    PostingFixture f;
    f.describe(QStringLiteral("PostURL=http://p/\nType_UnderWrite=DRAFTCLICKNAME\nVALUE_UnderWrite_Yes=save\n"
                              "VALUE_Confirm=1\nType_Confirm=INPUT\n"));
    Profile::writeString(Shell::state().BlogIniFile, QStringLiteral("SIMPLE"), QStringLiteral("Status"), QStringLiteral("0"));
    FakeBlogPage page;
    {
        ScopedPrompts p;
        p->expectMessage(kDone);
        BlogPosting(page).PostBlog(QStringLiteral("b"), f.entry);
        EXPECT_EQ(page.log.mid(5), (QStringList{"click f0.save", "wait", "click INPUT[1]"}));
    }
    page.log.clear();
    page.missing = {QStringLiteral("f0.body")};
    {
        ScopedPrompts p;
        p->expectMessage(QStringLiteral("エラーが発生しました。\r\nError_Code:本文挿入エラー"), Prompts::vbOK,
                         Prompts::vbCritical);
        EXPECT_EQ(BlogPosting(page).PostBlog(QStringLiteral("b"), f.entry), BlogPosting::Outcome::Failed);
    }
    page.timesOut = true;
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("Blog投稿失敗！\r\nタイムアウト(60秒)です。"), Prompts::vbOK, Prompts::vbCritical);
    EXPECT_EQ(BlogPosting(page).PostBlog(QStringLiteral("b"), f.entry), BlogPosting::Outcome::TimedOut);
    EXPECT_EQ(f.status.last(), QStringLiteral("日記投稿失敗！"));
}

TEST(BlogPages, AddressesAreAskedForOnceAndAnEmptyAnswerStopsTheCommand) {
    PostingFixture f;
    f.describe(QStringLiteral("ManageURL=Required\n"));
    {
        ScopedPrompts p;
        p->expectInput(QStringLiteral("接続先URLを入力してください。"), QString());
        p->expectMessage(QStringLiteral("中止します。"), Prompts::vbOK, Prompts::vbCritical);
        EXPECT_FALSE(BlogPages::managementAddress(QStringLiteral("b")));
        EXPECT_TRUE(f.account("ManagementURL").isEmpty());
        p->expectInput(QStringLiteral("接続先URLを入力してください。"), QStringLiteral("http://manage/"));
        EXPECT_EQ(BlogPages::managementAddress(QStringLiteral("b")), QStringLiteral("http://manage/"));
        // Without a description the public page still comes from the account.
        p->expectInput(QStringLiteral("接続先URLを入力してください。"), QStringLiteral("http://"));
        EXPECT_EQ(BlogPages::publicAddress(QStringLiteral("none")), QStringLiteral("http://"));
    }
    ScopedPrompts p;  // no more prompts
    EXPECT_EQ(BlogPages::managementAddress(QStringLiteral("b")), QStringLiteral("http://manage/"));
    EXPECT_EQ(BlogPages::publicAddress(QStringLiteral("none")), QStringLiteral("http://"));
    f.describe(QStringLiteral("ManageURL=http://fixed/\n"));
    EXPECT_EQ(BlogPages::managementAddress(QStringLiteral("b")), QStringLiteral("http://fixed/"));
}

// A blog name typed into the calendar's blog box, or stored for it, names a
// file of BlogTemplate/ only: one with a folder part would read a description
// from anywhere, and a pasted line break names no description at all.
TEST(BlogPosting, BlogNamesThatAreNoSingleFileNameAreRefusedBeforeAnythingHappens) {
    PostingFixture f;
    f.describe(QStringLiteral("PostURL=http://p/\nManageURL=http://manage/\n"));
    f.dir.writeText(QStringLiteral("x.ini"), QStringLiteral("[Simple]\nPostURL=http://outside/\nManageURL=Required\n"
                                                             "VALUE_Title=t\nVALUE_Body=b\nVALUE_Post=p\n"));
    struct Case {
        const char* blog;
        const char* message;
    };
    const Case cases[] = {
        {"../x", "「../x」はファイル名に使えません。「/」や「\\」を含まない名前にして下さい。"},
        {"../BlogTemplate/b", "「../BlogTemplate/b」はファイル名に使えません。"},
        {"..\\x", "「/」や「\\」を含まない名前にして下さい。"},
        {"b\r\n", "制御文字を含んでいます。"},
        {"..", "「..」はファイル名に使えません。"},
    };
    const auto before = folderSnapshot(f.dir.path());
    for (const Case& c : cases) {
        const QString blog = QString::fromUtf8(c.blog);
        FakeBlogPage page;
        ScopedPrompts p;
        p->expectMessage(QString::fromUtf8(c.message), Prompts::vbOK, Prompts::vbCritical);
        EXPECT_EQ(BlogPosting(page).PostBlog(blog, f.entry), BlogPosting::Outcome::Stopped) << c.blog;
        EXPECT_TRUE(page.log.isEmpty()) << c.blog;
        p->expectMessage(QString::fromUtf8(c.message), Prompts::vbOK, Prompts::vbCritical);
        EXPECT_FALSE(BlogPages::managementAddress(blog)) << c.blog;
        EXPECT_TRUE(p->allAnswered()) << c.blog;
    }
    EXPECT_EQ(folderSnapshot(f.dir.path()), before) << "no account written";
    EXPECT_TRUE(f.status.isEmpty());

    // The name the blog list holds goes on as before.
    FakeBlogPage page;
    ScopedPrompts p;
    p->expectMessage(kDone);
    EXPECT_EQ(BlogPosting(page).PostBlog(QStringLiteral("b"), f.entry), BlogPosting::Outcome::Posted);
    EXPECT_EQ(BlogPages::managementAddress(QStringLiteral("b")), QStringLiteral("http://manage/"));
}

// The converter a description names is a file of the program folder: a name
// with a folder part is not read, and the body goes up unconverted as it does
// when the converter file is missing.
TEST(BlogPosting, ConverterNamedOutsideTheProgramFolderIsNotRead) {
    PostingFixture f;
    Shell::state().MyPath = f.dir.file(QStringLiteral("program/"));
    f.dir.writeText(QStringLiteral("program/conv.ini"), QStringLiteral("[GENERAL]\nMODE=TEXT\n"));
    f.dir.writeText(QStringLiteral("outside.ini"), QStringLiteral("[GENERAL]\nMODE=TEXT\n"));
    f.describe(QStringLiteral("PostURL=http://p/\nHTML2TXT=../outside\n"));
    FakeBlogPage page;
    {
        ScopedPrompts p;
        p->expectMessage(QStringLiteral("Initializeファイル読み込みエラー\r\n「../outside」はファイル名に使えません。"),
                         Prompts::vbOK, Prompts::vbCritical);
        p->expectMessage(kDone);
        EXPECT_EQ(BlogPosting(page).PostBlog(QStringLiteral("b"), f.entry), BlogPosting::Outcome::Posted);
    }
    EXPECT_TRUE(page.log.contains(QStringLiteral("set f0.body=<b>本文</b>")));

    // The converter of the program folder is still found by its name.
    f.describe(QStringLiteral("PostURL=http://p/\n"));
    page.log.clear();
    ScopedPrompts p;
    p->expectMessage(kDone);
    BlogPosting(page).PostBlog(QStringLiteral("b"), f.entry);
    EXPECT_TRUE(page.log.contains(QStringLiteral("set f0.body=本文")));
}
