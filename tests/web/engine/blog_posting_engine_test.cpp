#include "platform/files.h"
#include "platform/web_browser.h"
#include "core/shared_state.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wait_until.h"
#include "tests/web/engine/local_web_server.h"
#include "web/blog_accounts.h"
#include "web/blog_browser_page.h"
#include "web/blog_commands.h"
#include "web/blog_posting.h"
#include "web/frm_browser.h"

#include <QDir>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

const QByteArray kLoginPage = R"HTML(<html><head><meta charset="utf-8"></head><body>
<form action="/login" method="post">
  <input name="username"><input type="password" name="password"><input type="hidden" name="next">
  <input type="submit" name="login" value="login">
</form>
<form action="/search"><input name="title"></form></body></html>)HTML";

const QByteArray kPostingPage = R"HTML(<html><head><meta charset="utf-8"></head><body>
<form action="/confirm" method="post">
  <input name="title"><textarea name="body"></textarea>
  <select name="category"><option value="1">日記</option><option value="2">旅行</option></select>
  <input type="checkbox" name="draft" checked><input type="checkbox" name="allow_comments">
  <input type="checkbox" name="allow_pings">
  <input type="submit" name="post" value="post">
</form></body></html>)HTML";

const QByteArray kConfirmPage = R"HTML(<html><head><meta charset="utf-8"></head><body>
<form action="/done" method="post"><input type="submit" name="confirm" value="ok"></form></body></html>)HTML";

QString field(const QByteArray& formBody, const QString& name) {
    QString text = QString::fromLatin1(formBody);
    text.replace(QLatin1Char('+'), QStringLiteral("%20"));
    return QUrlQuery(text).queryItemValue(name, QUrl::FullyDecoded);
}

// The shipped sample description as the blog "Sample", the shipped converter
// settings, and a browser window; the accounts point at the local server.
struct EngineFixture {
    TempFolder dir;
    LocalWebServer server;
    std::unique_ptr<frmBrowser> browser;
    EngineFixture() {
        auto& s = Shell::state();
        s.MyPath = s.UserPath = s.DataPath = dir.path();
        s.RaravIniFile = dir.file(QStringLiteral("rarav.ini"));
        s.BlogIniFile = dir.file(QStringLiteral("Blog.ini"));
        s.FavoriteFolderPath = dir.path() + QStringLiteral("Favorites");
        QDir().mkpath(s.FavoriteFolderPath);
        QDir().mkpath(dir.path() + QStringLiteral("BlogTemplate"));
        Files::copyFile(QStringLiteral(RARAV_SOURCE_DIR "/dist/SampleBlog.blg"), dir.file(QStringLiteral("BlogTemplate/Sample.ini")));
        Files::copyFile(QStringLiteral(RARAV_SOURCE_DIR "/dist/HTML2TXT.ini"), dir.file(QStringLiteral("HTML2TXT.ini")));
        BlogAccounts::write(QStringLiteral("Sample"), QStringLiteral("PostURL"), server.url(QStringLiteral("/post")));
        BlogAccounts::write(QStringLiteral("Sample"), QStringLiteral("NextURL"), server.url(QStringLiteral("/post")));
        BlogAccounts::write(QStringLiteral("Sample"), QStringLiteral("LoginID"), QStringLiteral("me"));
        browser = std::make_unique<frmBrowser>();
        Shell::hooks().browserWindow = [this] { return browser.get(); };
    }
    ~EngineFixture() {
        browser.reset();
        Shell::state() = Shell::SharedState();
        Shell::hooks() = Shell::MainWindowHooks();
    }
    const LocalWebServer::Request* request(const QByteArray& path) const {
        for (const auto& r : server.requests)
            if (r.path == path) return &r;
        return nullptr;
    }
};

}  // namespace

TEST(BlogPostingEngine, LogsInPostsAndConfirmsThroughTheServicesPages) {
    EngineFixture f;
    f.server.page("/post", kLoginPage);
    f.server.page("/login", kPostingPage);
    f.server.page("/confirm", kConfirmPage);
    f.server.page("/done", "<html><body>ok</body></html>");
    BrowserBlogPage page(f.browser.get());
    const BlogEntry entry{QStringLiteral("2024/05/01分の日記[1/1]"), QStringLiteral("旅の記録"),
                          QStringLiteral("一行目<br>\n<b>二行目</b>"), QStringLiteral("旅行"), false};
    ScopedPrompts p;
    p->expectInput(QStringLiteral("サンプルブログパスワードを入れてください"), QStringLiteral("pw"));
    p->expectMessage(QStringLiteral("Blog投稿完了！"));
    EXPECT_EQ(BlogPosting(page).PostBlog(QStringLiteral("Sample"), entry), BlogPosting::Outcome::Posted);
    ASSERT_TRUE(waitUntil([&] { return f.server.requested("/done"); }));

    const auto* login = f.request("/login");
    ASSERT_TRUE(login);
    EXPECT_EQ(field(login->body, QStringLiteral("username")), QStringLiteral("me"));
    EXPECT_EQ(field(login->body, QStringLiteral("password")), QStringLiteral("pw"));
    EXPECT_EQ(field(login->body, QStringLiteral("next")), f.server.url(QStringLiteral("/post")));
    const auto* posted = f.request("/confirm");
    ASSERT_TRUE(posted);
    EXPECT_EQ(field(posted->body, QStringLiteral("title")), QStringLiteral("旅の記録"));
    EXPECT_FALSE(field(posted->body, QStringLiteral("body")).contains(QLatin1Char('<')));
    EXPECT_TRUE(field(posted->body, QStringLiteral("body")).contains(QStringLiteral("二行目")));
    EXPECT_EQ(field(posted->body, QStringLiteral("category")), QStringLiteral("2"));
    // Published, comments and pings on: the draft box cleared, the others set.
    EXPECT_FALSE(posted->body.contains("draft="));
    EXPECT_EQ(field(posted->body, QStringLiteral("allow_comments")), QStringLiteral("on"));
    EXPECT_EQ(field(posted->body, QStringLiteral("allow_pings")), QStringLiteral("on"));
}

TEST(BlogPostingEngine, GivesUpOnAPageThatNeverLoadsAndOpensThePublicPage) {
    EngineFixture f;
    f.server.hold("/post");
    f.server.page("/mine", "<html><body>my blog</body></html>");
    BrowserBlogPage page(f.browser.get());
    page.timeoutMs = 300;
    const BlogEntry entry{QStringLiteral("x"), QStringLiteral("t"), QStringLiteral("b"), QString(), false};
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("タイムアウト(60秒)です。"), Prompts::vbOK, Prompts::vbCritical);
    EXPECT_EQ(BlogPosting(page).PostBlog(QStringLiteral("Sample"), entry), BlogPosting::Outcome::TimedOut);

    BlogAccounts::write(QStringLiteral("Sample"), QStringLiteral("AccessURL"), f.server.url(QStringLiteral("/mine")));
    BlogCommands::ViewBlog(QStringLiteral("Sample"));
    EXPECT_TRUE(waitUntil([&] { return f.browser->WebBrowser->LocationURL() == f.server.url(QStringLiteral("/mine")); }));
}
