#pragma once
// The update check's HTTP client over the program's libcurl layer. The
// transfer runs on a thread of its own and hands the blocks to the calling
// thread, which keeps handling window events meanwhile: a slow server never
// freezes the window, and a box the user opens meanwhile never stalls the
// transfer into a time-out.
#include "web/http_source.h"

class InternetHttpSource : public HttpSource {
public:
    bool openSession(int connectTimeoutMs, int receiveTimeoutMs) override;
    void closeSession() override {}
    Result get(const QString& address, const std::function<void()>& onOpened,
               const std::function<void(const QByteArray&)>& onBlock) override;

private:
    int connectTimeoutMs_ = 15000;
    int receiveTimeoutMs_ = 30000;
};
