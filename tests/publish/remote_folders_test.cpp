#include "platform/internet.h"
#include "publish/internet_error_text.h"
#include "publish/remote_folders.h"
#include "tests/support/local_servers.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Publish;

TEST(InternetErrorText, TableAndFallbacks) {
    const std::pair<int, const char*> cases[] = {
        {0, "アイテムがありません。"},
        {18, "ファイルがありません。"},
        {12007, "サーバー名が認識出来ません。"},
        {12014, "パスワードが違います。"},
        {12032, "再試行する必要があります。"},
        {12043, "The application is posting data to a sever that is not secure."},
        {12111, "FTPセッションが切断されました。"},
        {12171, "セキュリティチェックの為、失敗しました。"},
        {12035, "その他のエラー(&H2F03)"},
        {12100, "その他のエラー(&H2F44)"},
        {-1, "その他のエラー(&HFFFFFFFF)"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(modWinInet::errorText(code, "ignored"), QString::fromUtf8(text)) << code;
    EXPECT_EQ(modWinInet::errorText(12003, "530 Login incorrect."), "530 Login incorrect.");
    EXPECT_EQ(modWinInet::errorText(12003, ""), "");
    EXPECT_EQ(modWinInet::errorText(12003, QString("550 x") + QChar(0) + "junk"), "550 x");
    EXPECT_EQ(modWinInet::errorText(12003, QString(300, 'a')).size(), 255);

    Internet::setLastError(12003, "421 Too many users.");
    EXPECT_EQ(modWinInet::GetInternetErrorText(), "421 Too many users.");
}

namespace {

// A connection whose listing fails the way a dropped session does.
class DroppingConnection : public Internet::FtpConnection {
public:
    bool connect(const Internet::FtpLogin&) override { return true; }
    bool findFirst(const QString&) override { return false; }
    bool listNames(QStringList&) override { return false; }
    bool deleteFile(const QString&) override { return false; }
    bool createDirectory(const QString&) override { return false; }
    bool removeDirectory(const QString&) override { return false; }
    bool setCurrentDirectory(const QString&) override { return false; }
    bool folderExists(const QString&) override { return false; }
    bool putFile(const QString&, const QString&, Internet::TransferType) override { return false; }
    void close() override {}
    int lastError() const override { return Internet::Error::FtpDropped; }
    QString lastResponse() const override { return {}; }
};

class RemoteFoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.running());
        Internet::FtpLogin login;
        login.host = "127.0.0.1";
        login.port = server.port();
        login.user = "quillby";
        login.password = "secret";
        ASSERT_TRUE(ftp.connect(login));
    }
    StatusFn status = [this](const QString& t) { statuses << t; };
    TempFolder root;
    LocalFtpServer server{root.path()};
    Internet::FtpSession ftp;
    QStringList statuses;
};

}  // namespace

TEST_F(RemoteFoldersTest, ExistingFoldersNeedNoQuestion) {
    root.write("full/index.htm", "x");
    QDir().mkpath(root.path() + "empty");
    ScopedPrompts prompts;  // none expected
    EXPECT_TRUE(CheckFtpFolder("full", ftp, status));
    EXPECT_EQ(statuses.last(), "Checking Folder \"full\" !");
    // An existing empty folder lists nothing, yet is no missing folder.
    EXPECT_TRUE(CheckFtpFolder("empty", ftp, status));
}

TEST_F(RemoteFoldersTest, MissingFolderIsCreatedOnlyWhenTheUserAgrees) {
    ScopedPrompts prompts;
    prompts->expectMessage("フォルダ「www」が作成されていません。\r\n作成しますか？", Prompts::vbNo, Prompts::vbYesNo)
        .expectMessage("フォルダは作成しませんでした。\r\n日記保存先に「www」フォルダをご自分で作成して下さい。",
                       Prompts::vbOK, Prompts::vbInformation);
    EXPECT_FALSE(CheckFtpFolder("www", ftp, status));
    EXPECT_FALSE(QDir(root.path() + "www").exists());

    prompts->expectMessage("フォルダ「www」", Prompts::vbYes);
    EXPECT_TRUE(CheckFtpFolder("www", ftp, status));
    EXPECT_EQ(statuses.last(), "Making Folder Successful!");
    EXPECT_TRUE(QDir(root.path() + "www").exists());
}

TEST_F(RemoteFoldersTest, ChangeDirectoryTexts) {
    QDir().mkpath(root.path() + "public/RaravParts");
    QDir().mkpath(root.path() + "www");
    EXPECT_TRUE(ChangeFtpDirectory("", "www", ftp, status));
    EXPECT_EQ(statuses, (QStringList{"Moving to www", "Change Directory www is Completed!"}));
    ASSERT_TRUE(ftp.setCurrentDirectory("/public/RaravParts"));
    statuses.clear();
    EXPECT_TRUE(ChangeFtpDirectory("public/RaravParts/", "..", ftp, status));
    EXPECT_EQ(statuses, (QStringList{"Moving to public/RaravParts/", "Change Directory public/RaravParts/ is Completed!"}));

    ScopedPrompts prompts;
    prompts->expectMessage("ディレクトリ変更ができませんでした。\r\nサーバーが混んでいる可能性もありますので、時間帯を変更してお試し下さい。",
                           Prompts::vbOK, Prompts::vbCritical);
    EXPECT_FALSE(ChangeFtpDirectory("", "none", ftp, status));
    EXPECT_TRUE(statuses.last().startsWith("550")) << statuses.last().toStdString();
}

TEST(RemoteFolders, ListingErrorsShowTheirText) {
    DroppingConnection dropped;
    QStringList statuses;
    ScopedPrompts prompts;
    prompts->expectMessage("FTPセッションが切断されました。", Prompts::vbOK, Prompts::vbCritical);
    EXPECT_FALSE(CheckFtpFolder("www", dropped, [&](const QString& t) { statuses << t; }));
    EXPECT_EQ(statuses.last(), "FTPセッションが切断されました。");
}
