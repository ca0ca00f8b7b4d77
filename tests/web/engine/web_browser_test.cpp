#include "platform/codepage.h"
#include "platform/runtime_error.h"
#include "platform/web_browser.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wait_until.h"
#include "tests/web/engine/local_web_server.h"

#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

const char* const kFormPage = R"HTML(<html><head><meta charset="utf-8"><title>投稿</title></head><body>
<form name="login" action="/login" method="get">
  <input name="user"><input type="password" name="pass"><input type="submit" name="submit" value="login">
</form>
<form name="post" action="/posted" method="post">
  <input name="title"><textarea name="body"></textarea>
  <select name="genre" onchange="this.form.touched.value = 'yes'">
    <option value="diary">日記</option><option value="travel">旅行</option>
  </select>
  <input type="checkbox" name="draft"><input type="hidden" name="touched" value="no">
  <input type="submit" name="go" value="send">
</form>
<a href="/next">次へ</a> <a href="javascript:void(0)">送信</a>
</body></html>)HTML";

QString field(const QByteArray& formBody, const QString& name) {
    QString text = QString::fromLatin1(formBody);
    text.replace(QLatin1Char('+'), QStringLiteral("%20"));
    return QUrlQuery(text).queryItemValue(name, QUrl::FullyDecoded);
}

int errorNumber(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& e) {
        return e.number;
    }
    return 0;
}

}  // namespace

TEST(WebBrowser, FillsAndSendsFormsAndFollowsLinks) {
    LocalWebServer server;
    server.page("/form", kFormPage);
    server.page("/posted", "<title>posted</title>");
    server.page("/login", "<title>logged in</title>");
    server.page("/next", "<title>next</title>");
    WebBrowserControl browser;
    int complete = 0;
    QObject::connect(&browser, &WebBrowserControl::DocumentComplete, [&] { ++complete; });

    browser.Navigate(server.url(QStringLiteral("/form")));
    ASSERT_TRUE(waitUntil([&] { return complete == 1; }));
    EXPECT_EQ(browser.LocationName(), QStringLiteral("投稿"));
    EXPECT_EQ(browser.formCount(), 2);
    EXPECT_TRUE(browser.hasForm(DomForm::named(QStringLiteral("post"))));
    EXPECT_FALSE(browser.hasForm(DomForm::at(2)));
    EXPECT_FALSE(browser.hasElement(DomElement::inForm(DomForm::at(1), QStringLiteral("nothing"))));
    EXPECT_EQ(browser.elementCount(QStringLiteral("INPUT")), 7);
    EXPECT_EQ(browser.tagName(DomElement::byTag(QStringLiteral("TEXTAREA"), 0)), QStringLiteral("TEXTAREA"));
    EXPECT_EQ(errorNumber([&] { browser.setValue(DomElement::inForm(DomForm::at(5), QStringLiteral("title")), {}); }),
              WebBrowserControl::kObjectRequired);
    EXPECT_EQ(errorNumber([&] { browser.click(DomElement::byTag(QStringLiteral("INPUT"), 99)); }),
              WebBrowserControl::kObjectRequired);

    const DomForm post = DomForm::at(1);
    browser.setValue(DomElement::inForm(post, QStringLiteral("title")), QStringLiteral("東京 & <test>"));
    browser.setValue(DomElement::byTag(QStringLiteral("TEXTAREA"), 0), QStringLiteral("本文\n二行目"));
    EXPECT_FALSE(browser.selectOptionByText(DomElement::firstNamed(QStringLiteral("genre")), QStringLiteral("なし")));
    EXPECT_EQ(browser.value(DomElement::inForm(post, QStringLiteral("touched"))), QStringLiteral("no"));
    EXPECT_TRUE(browser.selectOptionByText(DomElement::firstNamed(QStringLiteral("genre")), QStringLiteral("旅行")));
    EXPECT_EQ(browser.value(DomElement::firstNamed(QStringLiteral("genre"))), QStringLiteral("travel"));
    // The page's own script saw the change.
    EXPECT_EQ(browser.value(DomElement::inForm(post, QStringLiteral("touched"))), QStringLiteral("yes"));
    browser.setChecked(DomElement::inForm(post, QStringLiteral("draft")), true);
    EXPECT_TRUE(browser.isChecked(DomElement::inForm(post, QStringLiteral("draft"))));
    EXPECT_EQ(browser.value(DomElement::byTag(QStringLiteral("TEXTAREA"), 0)), QStringLiteral("本文\n二行目"));

    const QList<DomLink> links = browser.links();
    ASSERT_EQ(links.size(), 2);
    EXPECT_EQ(links[0].href, server.url(QStringLiteral("/next")));
    EXPECT_EQ(links[0].host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(links[0].text, QStringLiteral("次へ"));
    EXPECT_EQ(links[1].host, QString());

    browser.click(DomElement::inForm(DomForm::named(QStringLiteral("post")), QStringLiteral("go")));
    ASSERT_TRUE(waitUntil([&] { return complete == 2; }));
    EXPECT_EQ(browser.LocationName(), QStringLiteral("posted"));
    const LocalWebServer::Request sent = server.requests.last();
    EXPECT_EQ(sent.method, QByteArray("POST"));
    EXPECT_EQ(field(sent.body, QStringLiteral("title")), QStringLiteral("東京 & <test>"));
    EXPECT_EQ(field(sent.body, QStringLiteral("body")), QStringLiteral("本文\r\n二行目"));
    EXPECT_EQ(field(sent.body, QStringLiteral("genre")), QStringLiteral("travel"));
    EXPECT_EQ(field(sent.body, QStringLiteral("draft")), QStringLiteral("on"));
    EXPECT_EQ(field(sent.body, QStringLiteral("go")), QStringLiteral("send"));

    // Submitting sends the form without its buttons, even with a field named
    // "submit" hiding the form's own method.
    browser.Navigate(server.url(QStringLiteral("/form")));
    ASSERT_TRUE(waitUntil([&] { return complete == 3; }));
    browser.setValue(DomElement::inForm(DomForm::named(QStringLiteral("login")), QStringLiteral("user")),
                     QStringLiteral("me"));
    browser.submit(DomForm::at(0));
    ASSERT_TRUE(waitUntil([&] { return complete == 4; }));
    EXPECT_EQ(server.requests.last().path, QByteArray("/login?user=me&pass="));

    browser.Navigate(server.url(QStringLiteral("/form")));
    ASSERT_TRUE(waitUntil([&] { return complete == 5; }));
    browser.click(DomElement::link(0));
    ASSERT_TRUE(waitUntil([&] { return complete == 6; }));
    EXPECT_EQ(browser.LocationURL(), server.url(QStringLiteral("/next")));

    // A link that asks for a new window opens in this one.
    server.page("/blank", "<title>blank</title><a target=_blank href='/posted'>new</a>");
    browser.Navigate(server.url(QStringLiteral("/blank")));
    ASSERT_TRUE(waitUntil([&] { return complete == 7; }));
    browser.click(DomElement::link(0));
    ASSERT_TRUE(waitUntil([&] { return browser.LocationURL() == server.url(QStringLiteral("/posted")); }));

    // A page that does not answer in time fails the helper; its late answer
    // harms nothing, and the next helper works.
    browser.scriptTimeoutMs = 50;
    EXPECT_EQ(errorNumber([&] { browser.runScript(QStringLiteral("var t = Date.now(); while (Date.now() - t < 400) {}")); }),
              WebBrowserControl::kScriptFailed);
    browser.scriptTimeoutMs = 10000;
    EXPECT_EQ(browser.formCount(), 0);
}

TEST(WebBrowser, BeforeNavigateCancelsAndOnlyFinishedLoadsReport) {
    TempFolder dir;
    LocalWebServer server;
    const QString localPage =
        dir.write(QStringLiteral("viewer.htm"), "<title>local</title><a id=close href='Event:Close'>close</a>");
    server.page("/start", "<title>start</title><a id=close href='EVENT:CLOSE'>x</a><a id=blocked href='/blocked'>y</a>");
    server.page("/after", "<title>after</title>");
    server.hold("/slow");
    WebBrowserControl browser;
    int complete = 0;
    QObject::connect(&browser, &WebBrowserControl::DocumentComplete, [&] { ++complete; });
    QStringList asked;
    browser.BeforeNavigate = [&](const QString& url) {
        asked.append(url);
        return url.startsWith(QLatin1String("event:"), Qt::CaseInsensitive) || url.endsWith(QLatin1String("/blocked"));
    };

    browser.Navigate(localPage);
    ASSERT_TRUE(waitUntil([&] { return complete == 1; }));
    browser.click(DomElement::byId(QStringLiteral("close")));
    ASSERT_TRUE(waitUntil([&] { return asked.size() == 2; }));
    EXPECT_EQ(asked.last().toLower(), QStringLiteral("event:close"));

    browser.Navigate(server.url(QStringLiteral("/start")));
    ASSERT_TRUE(waitUntil([&] { return complete == 2; }));
    browser.click(DomElement::byId(QStringLiteral("close")));
    browser.click(DomElement::byId(QStringLiteral("blocked")));
    ASSERT_TRUE(waitUntil([&] { return asked.size() == 5; }));
    EXPECT_EQ(asked[3].toLower(), QStringLiteral("event:close"));

    // A stopped load reports nothing; the next finished one does, once.
    browser.Navigate(server.url(QStringLiteral("/slow")));
    ASSERT_TRUE(waitUntil([&] { return server.requested("/slow"); }));
    EXPECT_TRUE(browser.Busy());
    browser.Stop();
    browser.Navigate(server.url(QStringLiteral("/after")));
    // The page's title may reach the view a moment after its load is
    // reported; a report of the stopped load would still count a fourth.
    ASSERT_TRUE(waitUntil([&] { return complete >= 3 && browser.LocationName() == QLatin1String("after"); }));
    EXPECT_EQ(complete, 3);
    EXPECT_EQ(browser.LocationName(), QStringLiteral("after"));
    EXPECT_FALSE(browser.Busy());
    EXPECT_FALSE(server.requested("/blocked"));
    EXPECT_EQ(browser.LocationURL(), server.url(QStringLiteral("/after")));
}

TEST(WebBrowser, ReadsUndeclaredPagesAsShiftJisAndReloadsThePreviewAtANewAnchor) {
    TempFolder dir;
    LocalWebServer server;
    auto page = [](const QString& title) {
        return "<html><head><title>" + Codepage::fromUnicode(title) + "</title></head><body>" +
               "<a name='2024/05/01'>1</a><a name='2024/05/02'>2</a></body></html>";
    };
    server.page("/sjis", page(QStringLiteral("日記")), "text/html");
    const QString preview = dir.write(QStringLiteral("tmp.htm"), page(QStringLiteral("日記")));
    WebBrowserControl browser;
    int complete = 0;
    QObject::connect(&browser, &WebBrowserControl::DocumentComplete, [&] { ++complete; });

    browser.Navigate(preview + QStringLiteral("#2024/05/01"));
    ASSERT_TRUE(waitUntil([&] { return complete == 1; }));
    EXPECT_EQ(browser.LocationName(), QStringLiteral("日記"));
    EXPECT_TRUE(browser.LocationURL().endsWith(QLatin1String("tmp.htm#2024/05/01"))) << qPrintable(browser.LocationURL());

    // The preview is rewritten between visits: the new anchor shows the new page.
    dir.write(QStringLiteral("tmp.htm"), page(QStringLiteral("更新")));
    browser.Navigate(preview + QStringLiteral("#2024/05/02"));
    ASSERT_TRUE(waitUntil([&] { return complete == 2; }));
    EXPECT_EQ(browser.LocationName(), QStringLiteral("更新"));
    EXPECT_TRUE(browser.LocationURL().endsWith(QLatin1String("tmp.htm#2024/05/02"))) << qPrintable(browser.LocationURL());

    // Without an anchor the page is read again as well.
    dir.write(QStringLiteral("tmp.htm"), page(QStringLiteral("三回目")));
    browser.Navigate(preview);
    ASSERT_TRUE(waitUntil([&] { return complete == 3; }));
    EXPECT_EQ(browser.LocationName(), QStringLiteral("三回目"));

    browser.Navigate(server.url(QStringLiteral("/sjis")));
    ASSERT_TRUE(waitUntil([&] { return complete == 4; }));
    EXPECT_EQ(browser.LocationName(), QStringLiteral("日記"));
}

TEST(WebBrowser, AHeldControlLoadsTheLastAddressWhenStartedAndStartsWhenUsed) {
    LocalWebServer server;
    server.page("/first", "<title>first</title>");
    server.page("/last", "<title>last</title>");
    WebBrowserControl browser(nullptr, WebBrowserControl::Engine::Held);
    int complete = 0;
    QObject::connect(&browser, &WebBrowserControl::DocumentComplete, [&] { ++complete; });
    browser.resize(320, 240);
    browser.show();
    browser.Navigate(server.url(QStringLiteral("/first")));
    browser.Navigate(server.url(QStringLiteral("/last")));
    EXPECT_FALSE(waitUntil([&] { return server.requested("/first") || server.requested("/last"); }, 300));
    EXPECT_FALSE(browser.engineStarted());
    EXPECT_TRUE(browser.Busy());
    EXPECT_EQ(browser.LocationURL(), server.url(QStringLiteral("/last")));

    browser.startEngine();
    ASSERT_TRUE(waitUntil([&] { return complete == 1; }));
    EXPECT_EQ(browser.LocationName(), QStringLiteral("last"));
    EXPECT_FALSE(server.requested("/first"));
    EXPECT_FALSE(browser.Busy());

    // Stop forgets the address that waits; any use but Navigate and Stop
    // starts the engine.
    WebBrowserControl stopped(nullptr, WebBrowserControl::Engine::Held);
    stopped.Navigate(server.url(QStringLiteral("/first")));
    stopped.Stop();
    EXPECT_FALSE(stopped.Busy());
    EXPECT_EQ(stopped.LocationURL(), QString());
    stopped.GoBack();
    EXPECT_TRUE(stopped.engineStarted());
    EXPECT_FALSE(waitUntil([&] { return server.requested("/first"); }, 300));
}
