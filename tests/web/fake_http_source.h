#pragma once
// An HTTP client that serves from memory, and a progress window that records
// what it was told: the update check without a network or widgets.
#include "web/http_source.h"

#include <QList>
#include <QMap>
#include <QStringList>

class FakeHttpSource : public HttpSource {
public:
    struct Reply {
        Result result = Result::Complete;
        QList<QByteArray> blocks;
    };
    bool sessionAvailable = true;
    bool sessionOpen = false;
    int connectTimeoutMs = 0, receiveTimeoutMs = 0;
    QMap<QString, Reply> replies;  // an address missing here cannot be opened
    QStringList requested;

    bool openSession(int connectMs, int receiveMs) override {
        connectTimeoutMs = connectMs;
        receiveTimeoutMs = receiveMs;
        sessionOpen = sessionAvailable;
        return sessionOpen;
    }
    void closeSession() override { sessionOpen = false; }
    Result get(const QString& address, const std::function<void()>& onOpened,
               const std::function<void(const QByteArray&)>& onBlock) override {
        requested << address;
        if (!replies.contains(address)) return Result::NotOpened;
        const Reply& r = replies[address];
        if (r.result == Result::NotOpened) return r.result;
        onOpened();
        for (const QByteArray& block : r.blocks) onBlock(block);
        return r.result;
    }
};

class RecordedProgress : public DownloadProgress {
public:
    QString title;
    QStringList texts;
    bool finished = false;
    void start(const QString& t, const QString& text) override {
        title = t;
        texts << text;
    }
    void setText(const QString& text) override { texts << text; }
    void finish(const QString& text) override {
        texts << text;
        finished = true;
    }
};
