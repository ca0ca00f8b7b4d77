#include "web/http_download.h"

#include "platform/files.h"
#include "platform/prompts.h"
#include "core/shared_state.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace UpdateDownload {
namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kBusyServer = QStringLiteral("サーバーが混んでいる可能性もありますので、時間帯を変更してお試し下さい。");
}  // namespace

QString rateText(qint64 bytes, qint64 elapsedMs) {
    const double rate = elapsedMs > 0 ? double(bytes) / double(elapsedMs) * 8.0 : 0.0;
    return QString::number(rate, 'f', 1);
}

qint64 HttpDownload(HttpSource& http, const QString& address, const QString& localPath, DownloadProgress* progress) {
    Shell::setStatusText(QStringLiteral("Connectiong to ") + address);
    QByteArray received;
    QElapsedTimer clock;
    bool connected = false;
    // The address counts as opened once the server answered; the rate is
    // timed from there, and the progress window shows while the first block
    // is still on its way.
    auto onConnected = [&] {
        if (connected) return;
        connected = true;
        Shell::setStatusText(QStringLiteral("Connected to ") + address);
        if (progress) {
            progress->start(QStringLiteral("ダウンロード on HTTP"), QStringLiteral("ダウンロード中...") + kCrLf + localPath);
            QCoreApplication::processEvents();
        }
        clock.start();
        Shell::setStatusText(QStringLiteral("Downloading ") + address);
    };
    const HttpSource::Result result = http.get(address, onConnected, [&](const QByteArray& block) {
        onConnected();
        received += block;
        if (progress) {
            progress->setText(QStringLiteral("ダウンロード中...") + kCrLf + localPath + kCrLf + QStringLiteral("...") +
                              QString::number(received.size()) + QStringLiteral(" bytes received(") +
                              rateText(received.size(), clock.elapsed()) + QStringLiteral("kbps)."));
            QCoreApplication::processEvents();
        }
    });

    // An error page answers the request but is no file: once blocks arrived,
    // it ends as a failed download, so that the progress window ends too.
    if (result == HttpSource::Result::NotOpened && !connected) {
        Shell::setStatusText(QStringLiteral("Can't connect to ") + address);
        Prompts::MsgBox(QStringLiteral("サーバーに接続できませんでした。") + kCrLf + kBusyServer, Prompts::vbCritical);
        return 0;
    }
    onConnected();
    const QString rate = rateText(received.size(), clock.elapsed());
    Shell::setStatusText(QStringLiteral("Saveing ") + address + QStringLiteral(" to ") + localPath);
    // A broken transfer would leave a cut archive or descriptor behind as if
    // it were whole, so it fails like an empty one and writes nothing.
    if (result == HttpSource::Result::Complete && !received.isEmpty() && Files::writeAtomic(localPath, received)) {
        if (progress)
            progress->finish(QStringLiteral("ダウンロード完了！") + kCrLf + localPath + kCrLf +
                             QString::number(received.size()) + QStringLiteral("bytes received(") + rate +
                             QStringLiteral("kbps)."));
        Shell::setStatusText(QStringLiteral("Downloading ") + address + QStringLiteral(" is Succeeded!"));
        return received.size();
    }
    Shell::setStatusText(QStringLiteral("Can't download ") + address);
    if (progress) progress->finish(QStringLiteral("ダウンロード失敗") + kCrLf + kBusyServer);
    Prompts::MsgBox(QStringLiteral("update.txtをダウンロードできませんでした。") + kCrLf + kBusyServer, Prompts::vbCritical);
    return 0;
}

}  // namespace UpdateDownload
