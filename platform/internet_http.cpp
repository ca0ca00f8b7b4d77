#include "platform/internet.h"
#include "platform/internet_curl.h"


namespace Internet {

namespace {

struct HttpTransfer {
    const std::function<bool(const QByteArray&)>* onBlock;
    const std::function<void(qint64, qint64)>* progress;
    const HttpGetOptions* options;
    CURL* curl = nullptr;
    int blockSize;
    QByteArray pending;
    qint64 received = 0;
    bool stopped = false;
    bool opened = false;

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
        if (t->options->cancelled && t->options->cancelled->load()) {
            t->stopped = true;
            return 1;
        }
        return 0;
    }

    // The blank line that ends a reply's headers; a redirection that will be
    // followed is not yet the reply.
    static size_t onHeader(char* data, size_t size, size_t count, void* self) {
        auto* t = static_cast<HttpTransfer*>(self);
        const size_t length = size * count;
        const bool end = (length == 2 && data[0] == '\r' && data[1] == '\n') || (length == 1 && data[0] == '\n');
        if (!end || t->opened) return length;
        long status = 0;
        Curl::library().easy_getinfo(t->curl, CURLINFO_RESPONSE_CODE, &status);
        char* redirect = nullptr;
        Curl::library().easy_getinfo(t->curl, CURLINFO_REDIRECT_URL, &redirect);
        if (status < 200 || (status < 400 && status >= 300 && redirect)) return length;
        t->opened = true;
        if (t->options->opened) t->options->opened(int(status));
        return length;
    }
};

}  // namespace

HttpResult httpGet(const QString& url, const std::function<bool(const QByteArray& block)>& onBlock,
                   const std::function<void(qint64 received, qint64 total)>& progress,
                   const HttpGetOptions& options) {
    HttpResult result;
    CURL* curl = Curl::library().easy_init();
    HttpTransfer transfer{&onBlock, &progress, &options, curl, qMax(1, options.blockSize), {}, 0, false};
    const QByteArray address = url.toUtf8();
    const QByteArray agent = options.agent.toUtf8();
    Curl::setopt(curl, CURLOPT_URL, address.constData());
    Curl::setopt(curl, CURLOPT_NOSIGNAL, 1L);
    Curl::setopt(curl, CURLOPT_USERAGENT, agent.constData());
    Curl::setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    Curl::setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(options.connectTimeoutMs));
    Curl::setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    Curl::setopt(curl, CURLOPT_LOW_SPEED_TIME, long(qMax(1, options.receiveTimeoutMs / 1000)));
    // Always the server's copy, as the reload flag asked of WinINet.
    curl_slist* headers = Curl::library().slist_append(nullptr, "Cache-Control: no-cache");
    Curl::setopt(curl, CURLOPT_HTTPHEADER, headers);
    Curl::setopt(curl, CURLOPT_WRITEFUNCTION, &HttpTransfer::onWrite);
    Curl::setopt(curl, CURLOPT_WRITEDATA, &transfer);
    Curl::setopt(curl, CURLOPT_NOPROGRESS, 0L);
    Curl::setopt(curl, CURLOPT_XFERINFOFUNCTION, &HttpTransfer::onProgress);
    Curl::setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    Curl::setopt(curl, CURLOPT_HEADERFUNCTION, &HttpTransfer::onHeader);
    Curl::setopt(curl, CURLOPT_HEADERDATA, &transfer);
    const CURLcode rc = Curl::library().easy_perform(curl);
    long status = 0;
    Curl::library().easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    Curl::library().easy_cleanup(curl);
    Curl::library().slist_free_all(headers);
    result.status = int(status);
    if (rc == CURLE_OK) transfer.deliver(true);
    result.received = transfer.received;
    result.ok = rc == CURLE_OK && !transfer.stopped;
    if (!result.ok) {
        result.error = Curl::winInetError(transfer.stopped ? CURLE_ABORTED_BY_CALLBACK : rc, 0);
        setLastError(result.error, QString::fromUtf8(Curl::library().easy_strerror(rc)));
    }
    return result;
}

}  // namespace Internet
