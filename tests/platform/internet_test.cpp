#include "platform/internet.h"
#include "tests/support/local_servers.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cerrno>
#include <gtest/gtest.h>

using namespace Internet;

namespace {

FtpLogin loginFor(const LocalServer& server, bool passive = true) {
    FtpLogin login;
    login.host = QStringLiteral("127.0.0.1");
    login.port = server.port();
    login.user = QStringLiteral("quillby");
    login.password = QStringLiteral("secret");
    login.passive = passive;
    login.connectTimeoutMs = 5000;
    login.receiveTimeoutMs = 5000;
    return login;
}

class FtpSessionTest : public ::testing::TestWithParam<bool> {};

}  // namespace

// The operations an upload uses, in both transfer modes, with a Japanese name
// that a CP932 server must receive intact.
TEST_P(FtpSessionTest, FoldersFilesAndJapaneseNames) {
    TempFolder root, local;
    LocalFtpServer server(root.path());
    ASSERT_TRUE(server.running());
    FtpSession ftp;
    ASSERT_TRUE(ftp.connect(loginFor(server, GetParam()))) << ftp.lastResponse().toStdString();

    EXPECT_FALSE(ftp.findFirst(QStringLiteral("www")));
    EXPECT_EQ(ftp.lastError(), Error::NoMoreFiles);
    ASSERT_TRUE(ftp.createDirectory(QStringLiteral("www")));
    // An empty folder lists nothing, as WinINet reported it.
    EXPECT_FALSE(ftp.findFirst(QStringLiteral("www")));
    EXPECT_EQ(ftp.lastError(), Error::NoMoreFiles);
    EXPECT_TRUE(ftp.folderExists(QStringLiteral("www")));
    EXPECT_FALSE(ftp.folderExists(QStringLiteral("www/none")));
    EXPECT_EQ(ftp.currentDirectory(), QString());
    ASSERT_TRUE(ftp.setCurrentDirectory(QStringLiteral("www")));
    EXPECT_EQ(ftp.currentDirectory(), QStringLiteral("www"));

    const QString page = local.write(QStringLiteral("p.htm"), "<p>a</p>\r\n<p>b</p>\r\n");
    const QString picture = local.write(QStringLiteral("x.gif"), QByteArray("GIF89a\r\n\0\xff", 10));
    const QString japanese = QStringLiteral("日記～一月.htm");
    ASSERT_TRUE(ftp.putFile(page, japanese, TransferType::Ascii)) << ftp.lastResponse().toStdString();
    ASSERT_TRUE(ftp.putFile(picture, QStringLiteral("x y#%.gif"), TransferType::Binary));
    EXPECT_TRUE(QFile::exists(root.path() + QStringLiteral("www/") + japanese)) << QDir(root.path() + QStringLiteral("www")).entryList(QDir::AllEntries | QDir::System | QDir::Hidden).join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(root.read(QStringLiteral("www/x y#%.gif")), QByteArray("GIF89a\r\n\0\xff", 10));
    EXPECT_TRUE(ftp.findFirst(japanese));
    EXPECT_TRUE(ftp.findFirst(QStringLiteral("x y#%.gif")));

    ASSERT_TRUE(ftp.createDirectory(QStringLiteral("RaravParts")));
    ASSERT_TRUE(ftp.setCurrentDirectory(QStringLiteral("RaravParts")));
    ASSERT_TRUE(ftp.putFile(picture, QStringLiteral("y.gif"), TransferType::Binary));
    ASSERT_TRUE(ftp.setCurrentDirectory(QStringLiteral("..")));
    EXPECT_EQ(ftp.currentDirectory(), QStringLiteral("www"));
    EXPECT_TRUE(QFile::exists(root.path() + QStringLiteral("www/RaravParts/y.gif")));

    ASSERT_TRUE(ftp.deleteFile(japanese));
    EXPECT_FALSE(QFile::exists(root.path() + QStringLiteral("www/") + japanese));
    EXPECT_FALSE(ftp.deleteFile(japanese));
    EXPECT_EQ(ftp.lastError(), Error::ExtendedError);
    EXPECT_TRUE(ftp.lastResponse().startsWith(QStringLiteral("550"))) << ftp.lastResponse().toStdString();
    EXPECT_FALSE(ftp.setCurrentDirectory(QStringLiteral("missing")));
    EXPECT_EQ(ftp.lastError(), Error::ExtendedError);
    EXPECT_EQ(ftp.currentDirectory(), QStringLiteral("www"));

    // Names that would smuggle a second command to the server are refused.
    EXPECT_FALSE(ftp.deleteFile(QStringLiteral("a\r\nRMD www")));
    EXPECT_EQ(ftp.lastError(), Error::InvalidOperation);
    // So are names CP932 cannot carry exactly, which would arrive as others
    // ("?.png" for both of two emoji names, 81 60 read as "～").
    for (const QString& name : {QStringLiteral("🍣.png"), QStringLiteral("🍔.png"), QStringLiteral("wave〜.htm")}) {
        EXPECT_FALSE(ftp.putFile(picture, name, TransferType::Binary)) << name.toStdString();
        EXPECT_EQ(ftp.lastError(), Error::InvalidOperation);
    }
    EXPECT_FALSE(ftp.setCurrentDirectory(QStringLiteral("café")));
    EXPECT_FALSE(QFile::exists(root.path() + QStringLiteral("www/?.png")));
    EXPECT_FALSE(ftp.putFile(local.file(QStringLiteral("none")), QStringLiteral("n.htm"), TransferType::Ascii));
    EXPECT_EQ(ftp.lastError(), Error::FileNotFound);
    EXPECT_EQ(Internet::lastError(), Error::FileNotFound);

    ftp.close();
    FtpSession again;
    ASSERT_TRUE(again.connect(loginFor(server)));
    ASSERT_TRUE(again.setCurrentDirectory(QStringLiteral("www/RaravParts")));
    ASSERT_TRUE(again.deleteFile(QStringLiteral("y.gif")));
    ASSERT_TRUE(again.setCurrentDirectory(QStringLiteral("..")));
    EXPECT_TRUE(again.removeDirectory(QStringLiteral("RaravParts")));
    EXPECT_FALSE(QDir(root.path() + QStringLiteral("www/RaravParts")).exists());
}

// A text file goes up with bare LF line ends, whatever mix it holds: a CR
// before an LF goes, a lone CR stays, and bytes outside ASCII pass as they
// are. (The test server drops a CR that ends a text file.)
TEST(FtpSessionText, LineEndsReachTheServerBare) {
    TempFolder root, local;
    LocalFtpServer server(root.path());
    ASSERT_TRUE(server.running());
    FtpSession ftp;
    ASSERT_TRUE(ftp.connect(loginFor(server))) << ftp.lastResponse().toStdString();
    QByteArray page;
    for (int i = 0; i < 20000; ++i) page += "<p>\x93\xfa\x8b\x4c</p>\r\n";
    const struct {
        const char* name;
        QByteArray sent, stored;
    } cases[] = {
        {"crlf.htm", "a\r\nb\r\n", "a\nb\n"},
        {"mixed.htm", "\r\na\rb\nc\r\r\nd", "\na\rb\nc\r\nd"},
        {"none.htm", "abc", "abc"},
        {"empty.htm", "", ""},
        {"crs.htm", "\r\r\rx", "\r\r\rx"},
        {"long.htm", page, QByteArray(page).replace("\r\n", "\n")},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.name);
        ASSERT_TRUE(ftp.putFile(local.write(name, c.sent), name, TransferType::Ascii)) << c.name;
        EXPECT_EQ(root.read(name), c.stored) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(PassiveAndActive, FtpSessionTest, ::testing::Values(true, false));

TEST(FtpSessionErrors, LogOnFailuresCarryTheirNumbers) {
    TempFolder root;
    LocalFtpServer server(root.path());
    ASSERT_TRUE(server.running());
    FtpSession ftp;

    FtpLogin wrong = loginFor(server);
    wrong.password = QStringLiteral("wrong");
    EXPECT_FALSE(ftp.connect(wrong));
    EXPECT_EQ(ftp.lastError(), Error::IncorrectPassword);
    EXPECT_TRUE(ftp.lastResponse().startsWith(QStringLiteral("530"))) << ftp.lastResponse().toStdString();

    FtpLogin unknown = loginFor(server);
    unknown.host = QStringLiteral("no-such-host.invalid");
    EXPECT_FALSE(ftp.connect(unknown));
    EXPECT_EQ(ftp.lastError(), Error::NameNotResolved);

    const int port = server.port();
    server.stop();
    FtpLogin refused = loginFor(server);
    refused.port = port;
    EXPECT_FALSE(ftp.connect(refused));
    EXPECT_EQ(ftp.lastError(), Error::CannotConnect);
}

TEST(HttpGet, ReadsInBlocksWithProgress) {
    TempFolder root;
    QByteArray body;
    for (int i = 0; i < 2500; ++i) body += char('a' + i % 26);
    root.write(QStringLiteral("update.txt"), body);
    LocalHttpServer server(root.path());
    ASSERT_TRUE(server.running());
    const QString base = QStringLiteral("http://127.0.0.1:%1/").arg(server.port());

    QList<int> sizes;
    QByteArray got;
    qint64 lastProgress = 0;
    const HttpResult r = httpGet(
        base + QStringLiteral("update.txt"),
        [&](const QByteArray& block) {
            sizes << int(block.size());
            got += block;
            return true;
        },
        [&](qint64 received, qint64) { lastProgress = received; });
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(got, body);
    EXPECT_EQ(sizes, (QList<int>{1024, 1024, 452}));
    EXPECT_EQ(lastProgress, 2500);

    const HttpResult stopped = httpGet(base + QStringLiteral("update.txt"), [](const QByteArray&) { return false; });
    EXPECT_FALSE(stopped.ok);

    const HttpResult missing = httpGet(base + QStringLiteral("none.txt"), [](const QByteArray&) { return true; });
    EXPECT_TRUE(missing.ok);
    EXPECT_EQ(missing.status, 404);

    const int port = server.port();
    server.stop();
    const HttpResult refused =
        httpGet(QStringLiteral("http://127.0.0.1:%1/update.txt").arg(port), [](const QByteArray&) { return true; });
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, Error::CannotConnect);
}

// Without libcurl the program still starts, and a transfer fails with a
// message naming the library instead of ending the program. The library is
// loaded at the first transfer, so the case runs in a child of this test
// program whose library path finds a broken libcurl.so.4 first.
TEST(InternetWithoutLibcurl, TransfersFailNamingTheLibrary) {
    if (qEnvironmentVariableIsSet("RARAV_TEST_BROKEN_CURL")) {
        FtpSession ftp;
        FtpLogin login;
        login.host = QStringLiteral("127.0.0.1");
        login.port = 1;
        EXPECT_FALSE(ftp.connect(login));
        EXPECT_NE(ftp.lastError(), Error::None);
        EXPECT_TRUE(ftp.lastResponse().contains(QStringLiteral("libcurl.so.4"))) << ftp.lastResponse().toStdString();
        const HttpResult r = httpGet(QStringLiteral("http://127.0.0.1:1/"), [](const QByteArray&) { return true; });
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(lastResponse().contains(QStringLiteral("libcurl を読み込めません"))) << lastResponse().toStdString();
        return;
    }
    TempFolder libs;
    libs.write(QStringLiteral("libcurl.so.4"), QByteArray("not a library"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("RARAV_TEST_BROKEN_CURL"), QStringLiteral("1"));
    env.insert(QStringLiteral("LD_LIBRARY_PATH"), libs.path());
    child.setProcessEnvironment(env);
    child.start(QFile::decodeName(program_invocation_name),
                {QStringLiteral("--gtest_filter=InternetWithoutLibcurl.TransfersFailNamingTheLibrary")});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray out = child.readAllStandardOutput() + child.readAllStandardError();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << out.constData();
    EXPECT_EQ(child.exitCode(), 0) << out.constData();
    EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.constData();
}
