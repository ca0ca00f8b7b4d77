#include "web/internet_http_source.h"

#include "platform/internet.h"

bool InternetHttpSource::openSession(int connectTimeoutMs, int receiveTimeoutMs) {
    connectTimeoutMs_ = connectTimeoutMs;
    receiveTimeoutMs_ = receiveTimeoutMs;
    return true;
}

HttpSource::Result InternetHttpSource::get(const QString& address,
                                           const std::function<void(const QByteArray&)>& onBlock) {
    Internet::HttpGetOptions options;
    options.connectTimeoutMs = connectTimeoutMs_;
    options.receiveTimeoutMs = receiveTimeoutMs_;
    bool started = false;
    const Internet::HttpResult r = Internet::httpGet(
        address,
        [&](const QByteArray& block) {
            started = true;
            onBlock(block);
            return true;
        },
        {}, options);
    if (!r.ok) return started ? Result::Broken : Result::NotOpened;
    // An error page is no descriptor and no archive: the download keeps
    // nothing of a transfer that does not end Complete.
    if (r.status >= 400) return Result::NotOpened;
    return Result::Complete;
}
