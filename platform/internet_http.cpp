#include "platform/internet.h"
#include "platform/internet_curl.h"

#include <curl/curl.h>

namespace Internet {

namespace {

struct HttpTransfer {
    const std::function<bool(const QByteArray&)>* onBlock;
    const std::function<void(qint64, qint64)>* progress;
    int blockSize;
    QByteArray pending;
    qint64 received = 0;
    bool stopped = false;

    bool deliver(bool all) {
        while (pending.size() >= blockSize || (all && !pending.isEmpty())) {
            const QByteArray block = pending.left(blockSize);
            pending.remove(0, block.size());
            if (*onBlock && !(*onBlock)(block)) {
                stopped = true;
                return false;
            }
        }
        return true;
    }

    static size_t onWrite(char* data, size_t size, size_t count, void* self) {
        auto* t = static_cast<HttpTransfer*>(self);
        t->pending.append(data, qsizetype(size * count));
        t->received += qint64(size * count);
        return t->deliver(false) ? size * count : 0;
    }

    static int onProgress(void* self, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
        auto* t = static_cast<HttpTransfer*>(self);
        if (*t->progress) (*t->progress)(qint64(now), total > 0 ? qint64(total) : -1);
        return 0;
    }
};

}  // namespace

HttpResult httpGet(const QString& url, const std::function<bool(const QByteArray& block)>& onBlock,
                   const std::function<void(qint64 received, qint64 total)>& progress,
                   const HttpGetOptions& options) {
    Curl::globalInit();
    HttpResult result;
    HttpTransfer transfer{&onBlock, &progress, qMax(1, options.blockSize), {}, 0, false};
    CURL* curl = curl_easy_init();
    const QByteArray address = url.toUtf8();
    const QByteArray agent = options.agent.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, address.constData());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.constData());
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(options.connectTimeoutMs));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(qMax(1, options.receiveTimeoutMs / 1000)));
    // Always the server's copy, as the reload flag asked of WinINet.
    curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &HttpTransfer::onWrite);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &HttpTransfer::onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    const CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    curl_slist_free_all(headers);
    result.status = int(status);
    if (rc == CURLE_OK) transfer.deliver(true);
    result.received = transfer.received;
    result.ok = rc == CURLE_OK && !transfer.stopped;
    if (!result.ok) {
        result.error = Curl::winInetError(transfer.stopped ? CURLE_ABORTED_BY_CALLBACK : rc, 0);
        setLastError(result.error, QString::fromUtf8(curl_easy_strerror(rc)));
    }
    return result;
}

}  // namespace Internet
