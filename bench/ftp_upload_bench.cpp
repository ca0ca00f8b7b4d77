// Uploading a user's site to a local vsftpd, which stores what it receives:
// the program's upload against lftp's "mirror -R" of the same files into the
// same emptied folder. The site is of real size, 205 files and about 12 MB:
// a month page of 150 KB with four feeds, the five shipped weather pictures
// and 75 photographs of 30 to 80 KB as parts files, and 120 past-log pages of
// 40 to 90 KB. Each repetition is one whole upload, and the slowest run is
// reported beside the median so that a stall cannot hide.
//   build/bench/ftp_upload_bench
#include "bench/bench_support.h"
#include "platform/database.h"
#include "platform/files.h"
#include "publish/ftp_upload.h"
#include "core/ini_file.h"
#include "core/shared_state.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

constexpr int kLogPages = 120;
constexpr int kPictures = 75;
constexpr int kRuns = 15;
const char* const kShippedParts[] = {"Shinny.gif", "Cloudy.gif", "Rainy.gif", "Thunder.gif", "Snowy.gif"};

class NoProgress : public Publish::UploadProgress {
public:
    QString body;
    void setCaption(const QString&) override {}
    void setTitle(const QString&) override {}
    void setText(const QString& t) override { body = t; }
    QString text() const override { return body; }
    void setMaximum(int) override {}
    void setValue(int) override {}
    void setOkEnabled(bool) override {}
    void setEnableBatsuBtn(bool) override {}
    void yield() override {}
    void repaint() override {}
    void unload() override {}
};

// A page of about `size` bytes with CR LF line ends, as the site save writes it.
QByteArray pageBody(const QString& title, int size) {
    QByteArray body = "<html><head><title>" + title.toUtf8() + "</title></head><body>\r\n";
    while (body.size() < size) body += "<p>An entry of the diary, one line of the page.</p>\r\n";
    return body + "</body></html>\r\n";
}

// A photograph's worth of bytes that no transfer can compress.
QByteArray picture(int index, int size) {
    QByteArray bytes("\xFF\xD8\xFF\xE0", 4);
    bytes.reserve(size);
    quint32 x = 2463534242u + quint32(index);
    while (bytes.size() < size) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes.append(char(x & 0xFF));
    }
    return bytes;
}

struct Site {
    QTemporaryDir dir;
    QString user, site, log, root;
    QStringList sitePages, logLines;
    QProcess server;
    int port = 0;

    Site() {
        user = dir.path() + "/user/";
        site = dir.path() + "/site/";
        log = dir.path() + "/data/RaravLog/";
        root = dir.path() + "/server/";
        for (const QString& f : {user, site + "RaravParts", log + "RaravParts", root}) QDir().mkpath(f);
        for (const char* name : {"index.htm", "rss.xml", "rss2.xml", "atom.xml", "rdf.xml"}) {
            Files::writeAtomic(site + name, pageBody(name, qstrcmp(name, "index.htm") == 0 ? 150000 : 30000));
            sitePages << site + "," + name;
        }
        for (int i = 0; i < kLogPages; ++i) {
            const QString name = QStringLiteral("%1%2.htm").arg(2015 + i / 12).arg(i % 12 + 1, 2, 10, QLatin1Char('0'));
            Files::writeAtomic(log + name, pageBody(name, 40000 + (i * 7919) % 50000));
            logLines << log + "," + name;
        }
        QFile schema(QStringLiteral(RARAV_SOURCE_DIR "/dist/schema.sql"));
        schema.open(QIODevice::ReadOnly);
        Database db(user + "rarav.mdb", Database::Mode::Create);
        db.execScript(QString::fromUtf8(schema.readAll()));
        db.exec("DELETE FROM FileDB");
        QStringList parts;
        for (const char* gif : kShippedParts) {
            QFile::copy(QStringLiteral(RARAV_SOURCE_DIR "/dist/") + gif, site + "RaravParts/" + gif);
            parts << gif;
        }
        for (int i = 0; i < kPictures; ++i) {
            const QString name = QStringLiteral("photo%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
            Files::writeAtomic(site + "RaravParts/" + name, picture(i, 30000 + (i * 6007) % 50000));
            parts << name;
        }
        for (const QString& name : parts)
            db.exec("INSERT INTO FileDB (FileName, Day, Number) VALUES (?, ?, 1)", {name, "2024/12/01"});
        startServer();

        const QString ini = user + "rarav.ini";
        IniFile::WriteIniString(ini, "FTP", "ID", "anonymous");
        IniFile::WriteIniString(ini, "FTP", "Pass", "ufsdft");
        IniFile::WriteIniString(ini, "FTP", "URL", QStringLiteral("127.0.0.1:%1").arg(port));
        IniFile::WriteIniString(ini, "FTP", "PASV", "1");
        Shell::state().UserPath = user;
        Shell::state().RaravIniFile = ini;
    }
    ~Site() {
        server.kill();
        server.waitForFinished();
    }

    void startServer() {
        {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost, 0);
            port = probe.serverPort();
        }
        const QString config = dir.path() + "/vsftpd.conf";
        const QStringList lines{
            "listen=YES", "listen_ipv6=NO", "listen_address=127.0.0.1", QStringLiteral("listen_port=%1").arg(port),
            "background=NO", "run_as_launching_user=YES", "seccomp_sandbox=NO", "anonymous_enable=YES",
            "local_enable=NO", "no_anon_password=YES", "anon_root=" + root, "write_enable=YES",
            "anon_upload_enable=YES", "anon_mkdir_write_enable=YES", "anon_other_write_enable=YES",
            "anon_umask=022", "ascii_upload_enable=NO", "pasv_enable=YES", "pasv_address=127.0.0.1",
            "xferlog_enable=NO", "dirmessage_enable=NO", "max_per_ip=0", "max_clients=0"};
        Files::writeAtomic(config, (lines.join('\n') + '\n').toUtf8());
        server.setProgram("/usr/sbin/vsftpd");
        server.setArguments({config});
        server.setStandardOutputFile(QProcess::nullDevice());
        server.setStandardErrorFile(QProcess::nullDevice());
        server.start();
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, quint16(port));
            if (s.waitForConnected(200)) return;
            QThread::msleep(20);
        }
    }

    // The state after the site save and the log maker: nothing on the server,
    // every parts file pending, the lists written. The last run's files are
    // moved aside, not deleted: the server's file system would otherwise
    // search past every freed inode for each file it is sent next.
    void freshUpload() {
        BenchSupport::setAside(root + "www", dir.path());
        for (const char* f : {"www/RaravParts", "www/RaravLog/RaravParts"}) QDir().mkpath(root + f);
        QFile::remove(user + "uploadold.tmp");
        Files::writeText(user + "upload.tmp", sitePages.join("\r\n") + "\r\n");
        Files::writeText(user + "uploadlog.tmp", logLines.join("\r\n") + "\r\n");
        Database(user + "rarav.mdb").exec("UPDATE FileDB SET Uploaded = 0");
    }
    // One new entry after a complete upload: the month page and the feeds.
    void oneNewEntry() {
        Files::writeText(user + "upload.tmp", sitePages.join("\r\n") + "\r\n");
        QFile::remove(user + "uploadlog.tmp");
    }
    void upload(benchmark::State& state) {
        NoProgress progress;
        if (Publish::FtpUpload(progress, {}).FTP_Execute() != Publish::FtpUpload::Ending::Succeeded)
            state.SkipWithError(progress.body.toUtf8().constData());
    }
};

Site& site() {
    static Site s;
    return s;
}

void BM_FirstUpload(benchmark::State& state) {
    Site& s = site();
    IniFile::WriteIniString(s.user + "rarav.ini", "FTP", "StartFolder", "www");
    for (auto _ : state) {
        state.PauseTiming();
        s.freshUpload();
        state.ResumeTiming();
        s.upload(state);
    }
}

void BM_LftpMirror(benchmark::State& state) {
    Site& s = site();
    for (auto _ : state) {
        state.PauseTiming();
        s.freshUpload();
        state.ResumeTiming();
        // vsftpd running as its launching user does not change its root, so
        // the target must be relative to the log-on folder, as ours is:
        // "/www" would be the machine's own /www, filled by the first run and
        // merely compared by every later one.
        QProcess lftp;
        lftp.start("lftp", {"-u", "anonymous,x", "-p", QString::number(s.port), "-e",
                            "set ftp:passive-mode on; set net:max-retries 1; mirror -R " + s.site + " www; mirror -R " +
                                s.log + " www/RaravLog; quit",
                            "127.0.0.1"});
        if (!lftp.waitForFinished(120000) || lftp.exitCode() != 0)
            state.SkipWithError("lftp failed");
        else if (!QFileInfo::exists(s.root + "www/RaravLog/" + s.logLines.last().section(',', 1)))
            state.SkipWithError("lftp did not upload the site");
    }
}

void BM_UploadAfterOneNewEntry(benchmark::State& state) {
    Site& s = site();
    s.freshUpload();
    s.upload(state);
    for (auto _ : state) {
        state.PauseTiming();
        s.oneNewEntry();
        state.ResumeTiming();
        s.upload(state);
    }
}

#define RUNS(b) BENCHMARK(b)->UseRealTime()->Apply(BenchSupport::wholeRuns<kRuns>)
RUNS(BM_FirstUpload);
RUNS(BM_LftpMirror);
RUNS(BM_UploadAfterOneNewEntry);

}  // namespace

int main(int argc, char** argv) {
    BenchSupport::tuneAllocator();
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
