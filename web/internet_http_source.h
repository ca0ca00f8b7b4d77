#pragma once
// The update check's HTTP client over the program's libcurl layer.
#include "web/http_source.h"

class InternetHttpSource : public HttpSource {
public:
    bool openSession(int connectTimeoutMs, int receiveTimeoutMs) override;
    void closeSession() override {}
    Result get(const QString& address, const std::function<void(const QByteArray&)>& onBlock) override;

private:
    int connectTimeoutMs_ = 15000;
    int receiveTimeoutMs_ = 30000;
};
