#include "web/blog_posting.h"

#include "platform/profile.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "core/file_names.h"
#include "core/shared_state.h"
#include "site/html2text.h"
#include "web/blog_accounts.h"
#include "web/blog_fields.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kSeeManual = QStringLiteral("URLの設定は、マニュアルもしくはホームページのBlog設定方法をご覧ください。");
const QString kAskAddress = QStringLiteral("投稿画面のURLを入力してください。");

bool running = false;

void stopWith(const QString& text, int icon = Prompts::vbCritical) { Prompts::MsgBox(text, icon); }

// A script link's host part is what follows its scheme ("submitAll()").
QString hostPart(const BlogLink& link) {
    if (!link.host.isEmpty()) return link.host;
    const int colon = link.href.indexOf(QLatin1Char(':'));
    return colon < 0 ? QString() : link.href.mid(colon + 1);
}

}  // namespace

BlogPosting::Outcome BlogPosting::PostBlog(const QString& BLOGTYPE, const BlogEntry& entry) {
    if (running) return Outcome::Busy;
    running = true;
    Outcome outcome = Outcome::Failed;
    try {
        outcome = run(BLOGTYPE, entry);
    } catch (const TimedOut&) {
        Shell::setStatusText(QStringLiteral("日記投稿失敗！"));
        Prompts::MsgBox(QStringLiteral("Blog投稿失敗！") + kCrLf + QStringLiteral("タイムアウト(60秒)です。"),
                        Prompts::vbCritical);
        outcome = Outcome::TimedOut;
    } catch (const std::exception&) {
        Shell::setStatusText(QStringLiteral("日記投稿失敗！"));
        Prompts::MsgBox(QStringLiteral("エラーが発生しました。") + kCrLf + QStringLiteral("Error_Code:") + stage_,
                        Prompts::vbCritical);
        outcome = Outcome::Failed;
    }
    running = false;
    return outcome;
}

BlogPosting::Outcome BlogPosting::run(const QString& blog, BlogEntry entry) {
    // Refused before the browser or the account file is touched.
    if (const QString refused = BlogDescription::nameRefusal(blog); !refused.isEmpty()) {
        stopWith(refused);
        return Outcome::Stopped;
    }
    page_.stop();
    stage_ = QStringLiteral("初期化エラー");
    const QString blogIni = Shell::state().BlogIniFile;
    status_ = Profile::readInt(blogIni, QStringLiteral("SIMPLE"), QStringLiteral("Status"), 1) != 0;
    acceptComment_ = Profile::readInt(blogIni, QStringLiteral("SIMPLE"), QStringLiteral("AcceptComment"), 1) != 0;
    acceptTrackBack_ = Profile::readInt(blogIni, QStringLiteral("SIMPLE"), QStringLiteral("AcceptTrackBack"), 1) != 0;
    pandBR_ = Profile::readInt(blogIni, QStringLiteral("PandBRTag"), QStringLiteral("Type"), 1);
    d_ = BlogDescription::read(BlogDescription::pathOf(blog));

    if (d_.PostURL == kBlogRequired) d_.PostURL = BlogAccounts::read(blog, QStringLiteral("PostURL"));
    if (d_.NextURL == kBlogRequired) d_.NextURL = BlogAccounts::read(blog, QStringLiteral("NextURL"));
    // A typed address serves later runs; this run goes on without it.
    auto askAddress = [&](const QString& address, const QString& key) {
        if (!address.isEmpty()) return;
        const QString answer = Prompts::InputBox(kAskAddress);
        if (!answer.isEmpty() && Prompts::refuseLineBreaks({answer})) BlogAccounts::write(blog, key, answer);
    };
    askAddress(d_.PostURL, QStringLiteral("PostURL"));
    askAddress(d_.NextURL, QStringLiteral("NextURL"));

    if (entry.caption == QStringLiteral("日記作成")) {
        stopWith(QStringLiteral("投稿する日記が選択されていません。日記の投稿を中止します。"));
        return Outcome::Stopped;
    }
    if (entry.title.isEmpty() || entry.body.isEmpty()) {
        stopWith(QStringLiteral("タイトルもしくは本文が記入されていないため、日記の投稿を中止します。"));
        return Outcome::Stopped;
    }
    if (d_.PostURL.isEmpty() || d_.PostURL == kBlogRequired) {
        stopWith(QStringLiteral("投稿URLの設定ができていないため日記の投稿を中止します。") + kCrLf + kSeeManual);
        return Outcome::Stopped;
    }
    if (d_.NextURL == kBlogRequired) {
        stopWith(QStringLiteral("URLの設定ができていないため日記の投稿を中止します。") + kCrLf + kSeeManual);
        return Outcome::Stopped;
    }
    if (entry.isPrivate &&
        Prompts::MsgBox(QStringLiteral("非公開になっていますが、Blogに投稿しますか？"), Prompts::vbYesNo) != Prompts::vbYes)
        return Outcome::Stopped;

    // The converter is a file of the program folder: a name with a folder
    // part is not read, and counts as a converter that cannot be read.
    const QString& converterName = d_.HTML2TXT;
    const bool inProgramFolder = converterName.isEmpty() || FileNames::isSingleName(converterName);
    clsHTML2TEXT converter;
    if (inProgramFolder && converter.Initialize(Shell::state().MyPath + converterName + QStringLiteral(".ini"))) {
        converter.SetValue(QStringLiteral("PBR"), QString::number(pandBR_));
        entry.body = converter.Execute(entry.body);
    } else {
        Prompts::MsgBox(QStringLiteral("Initializeファイル読み込みエラー") +
                            (inProgramFolder ? QString() : kCrLf + FileNames::refusal(converterName, Shell::state().MyPath)),
                        Prompts::vbCritical);
    }

    stage_ = QStringLiteral("Blog接続処理エラー");
    page_.navigate(d_.PostURL);
    Shell::setStatusText(d_.Blog + QStringLiteral("に接続中"));
    wait();

    stage_ = QStringLiteral("ログイン状態確認エラー");
    const bool needsLogin = !isPostingPage();
    stage_ = QStringLiteral("ログイントライエラー");
    if (needsLogin) logIn(blog);

    stage_ = QStringLiteral("ログイン状態確認エラー");
    if (!isPostingPage()) {
        stopWith(QStringLiteral("投稿画面にならないので、投稿を中止します"), Prompts::vbInformation);
        return Outcome::Stopped;
    }
    if (d_.Blog == QStringLiteral("アメーバブログ")) page_.click(BlogElement::link(25));

    stage_ = QStringLiteral("タイトル挿入エラー");
    BlogFields::setField(page_, d_.Title, d_.FORM_POST, entry.title, true);
    stage_ = QStringLiteral("本文挿入エラー");
    BlogFields::setField(page_, d_.Body, d_.FORM_POST, entry.body, true);
    stage_ = QStringLiteral("カテゴリ/ジャンル挿入エラー");
    BlogFields::chooseGenre(page_, d_, entry.genre);
    stage_ = QStringLiteral("公開設定エラー");
    BlogFields::applyChoice(page_, d_.UnderWrite, BlogFields::Stem::UnderWrite, status_, d_.FORM_POST);
    stage_ = QStringLiteral("コメント受け入れ設定エラー");
    BlogFields::applyChoice(page_, d_.AcceptComment, BlogFields::Stem::AcceptComment, acceptComment_, d_.FORM_POST);
    stage_ = QStringLiteral("トラックバック受け入れ設定エラー");
    BlogFields::applyChoice(page_, d_.AcceptPing, BlogFields::Stem::AcceptPing, acceptTrackBack_, d_.FORM_POST);

    stage_ = QStringLiteral("投稿ボタンクリックエラー");
    pressPost();
    wait();
    stage_ = QStringLiteral("確認画面クリックエラー");
    if (!d_.Confirm.value.isEmpty()) BlogFields::pressButton(page_, d_.Confirm, d_.FORM_CONFIRM);

    Shell::setStatusText(QStringLiteral("日記投稿完了！画像ファイルは手動でアップロードして下さい。"));
    Prompts::MsgBox(QStringLiteral("Blog投稿完了！") + kCrLf + QStringLiteral("画像ファイルは手動でアップロードしてください。"),
                    Prompts::vbInformation);
    return Outcome::Posted;
}

bool BlogPosting::isPostingPage() {
    if (!d_.LoginURL.isEmpty() && d_.LoginURL != kBlogNothing && page_.locationURL() == d_.LoginURL) return false;
    const int forms = page_.formCount();
    if (forms == 0 || d_.FORM_POST >= forms) return false;
    return d_.CheckObject.isEmpty() || page_.hasElement(BlogElement::inForm(d_.FORM_POST, d_.CheckObject));
}

void BlogPosting::logIn(const QString& blog) {
    if (d_.AutoLoginURL == QStringLiteral("FALSE") || d_.AutoLoginURL == QStringLiteral("FALSERENAVIGATE")) {
        page_.navigate(d_.LoginURL);
        wait();
    }
    QString id = BlogAccounts::read(blog, QStringLiteral("LoginID"));
    if (id.isEmpty()) {
        id = Prompts::InputBox(d_.Blog + QStringLiteral("ユーザー名を入れてください"));
        if (!id.isEmpty() && Prompts::refuseLineBreaks({id})) BlogAccounts::write(blog, QStringLiteral("LoginID"), id);
    }
    QString password = BlogAccounts::password(blog);
    if (password.isEmpty()) {
        password = Prompts::InputBox(d_.Blog + QStringLiteral("パスワードを入れてください"));
        // One the scrambling cannot carry is used for this run only.
        if (!password.isEmpty()) BlogAccounts::setPassword(blog, password);
    }
    BlogFields::setField(page_, d_.LoginID, d_.FORM_LOGIN, id);
    BlogFields::setField(page_, d_.Password, d_.FORM_LOGIN, password);
    if (!d_.Next.value.isEmpty() && d_.Next.value != kBlogNothing)
        BlogFields::setField(page_, d_.Next, d_.FORM_LOGIN, d_.NextURL);
    BlogFields::pressLogin(page_, d_.Login, d_.FORM_LOGIN);
    if (d_.LoginRedirect == QStringLiteral("TRUE")) {
        wait();
    } else if (d_.LoginRedirect == QStringLiteral("RENAVIGATE")) {
        wait();
        page_.navigate(d_.PostURL);
    }
    wait();
}

void BlogPosting::pressPost() {
    if (d_.Blog == QStringLiteral("Yahoo!ブログ")) {
        const QList<BlogLink> links = page_.links();
        for (int i = 0; i < links.size(); ++i) {
            if (hostPart(links[i]) != QStringLiteral("submitAll()")) continue;
            page_.click(BlogElement::link(i));
            return;
        }
        return;
    }
    if (!status_ && d_.UnderWrite.type == QStringLiteral("DRAFTCLICKNAME")) {
        page_.click(BlogElement::inForm(d_.FORM_POST, d_.UnderWrite.yes));
    } else if (!status_ && d_.UnderWrite.type == QStringLiteral("DRAFTCLICKINPUT")) {
        page_.click(BlogElement::byTag(QStringLiteral("INPUT"), BlogFields::indexOf(d_.UnderWrite.yes)));
    } else {
        BlogFields::pressButton(page_, d_.Post, d_.FORM_POST);
    }
}

void BlogPosting::wait() {
    if (!page_.waitDocumentComplete()) throw TimedOut{};
}
