// Uploading a 200-file site to a local FTP server: the program's upload
// against lftp's "mirror -R" of the same folder to the same server.
//   build/bench/ftp_upload_bench --benchmark_min_time=1
#include "platform/database.h"
#include "platform/files.h"
#include "publish/ftp_upload.h"
#include "shell/module4.h"
#include "shell/shared_state.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

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

struct Site {
    QTemporaryDir dir;
    QString user, site, root;
    QProcess server;
    int port = 0;

    Site() {
        user = dir.path() + "/user/";
        site = dir.path() + "/site";
        root = dir.path() + "/server/";
        QDir().mkpath(user);
        QDir().mkpath(site + "/RaravParts");
        QDir().mkpath(root);
        QStringList lines;
        const QByteArray body = QByteArray("<p>") + QByteArray(4000, 'x') + "</p>\r\n";
        for (int i = 0; i < 200; ++i) {
            const QString name = QStringLiteral("2006_05_%1.htm").arg(i, 3, 10, QLatin1Char('0'));
            Files::writeAtomic(site + "/" + name, body);
            lines << site + "," + name;
        }
        Files::writeText(user + "upload.tmp", lines.join("\r\n") + "\r\n");
        QFile schema(QStringLiteral(RARAV_SOURCE_DIR "/dist/schema.sql"));
        schema.open(QIODevice::ReadOnly);
        Database db(user + "rarav.mdb", Database::Mode::Create);
        db.execScript(QString::fromUtf8(schema.readAll()));
        db.exec("DELETE FROM FileDB");

        server.setProgram("/usr/bin/python3");
        server.setArguments({"-u", RARAV_SOURCE_DIR "/tests/support/ftp_server.py", "--root", root});
        server.setStandardErrorFile(QProcess::nullDevice());
        server.start();
        server.waitForReadyRead(10000);
        port = QRegularExpression("PORT (\\d+)").match(QString::fromUtf8(server.readAllStandardOutput())).captured(1).toInt();

        const QString ini = user + "rarav.ini";
        Module4::WriteIniString(ini, "FTP", "ID", "quillby");
        Module4::WriteIniString(ini, "FTP", "Pass", "ufsdft");  // "secret" as stored
        Module4::WriteIniString(ini, "FTP", "URL", QStringLiteral("127.0.0.1:%1").arg(port));
        Module4::WriteIniString(ini, "FTP", "PASV", "1");
        Module4::WriteIniString(ini, "FTP2", "HTMLOnlyUpload", "1");
        Shell::state().UserPath = user;
        Shell::state().RaravIniFile = ini;
    }
    ~Site() {
        server.kill();
        server.waitForFinished();
    }
    void clearServer() {
        QDir(root).removeRecursively();
        QDir().mkpath(root);
        QFile::remove(user + "uploadold.tmp");
    }
};

Site& site() {
    static Site s;
    return s;
}

void BM_FtpUpload200Pages(benchmark::State& state) {
    Site& s = site();
    for (auto _ : state) {
        state.PauseTiming();
        s.clearServer();
        state.ResumeTiming();
        NoProgress progress;
        if (Publish::FtpUpload(progress, {}).FTP_Execute() != Publish::FtpUpload::Ending::Succeeded)
            state.SkipWithError(progress.body.toUtf8().constData());
    }
}
BENCHMARK(BM_FtpUpload200Pages)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LftpMirror200Pages(benchmark::State& state) {
    Site& s = site();
    for (auto _ : state) {
        state.PauseTiming();
        s.clearServer();
        state.ResumeTiming();
        QProcess lftp;
        lftp.start("lftp", {"-u", "quillby,secret", "-p", QString::number(s.port), "-e",
                            "set ftp:passive-mode on; set net:max-retries 1; mirror -R --exclude RaravParts/ " + s.site +
                                " /; quit",
                            "127.0.0.1"});
        if (!lftp.waitForFinished(120000) || lftp.exitCode() != 0) state.SkipWithError("lftp failed");
    }
}
BENCHMARK(BM_LftpMirror200Pages)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
