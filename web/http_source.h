#pragma once
// What the update check needs of an HTTP client: a session with time-outs
// and a GET that hands over the body block by block. The program plugs in
// its libcurl client; tests plug in one that serves from memory.
#include <QByteArray>
#include <QString>
#include <functional>

class HttpSource {
public:
    enum class Result {
        Complete,   // the whole body arrived (it may be empty)
        NotOpened,  // no connection, or the server answered with an error status
        Broken,     // the transfer stopped part-way; the blocks so far are incomplete
    };

    virtual ~HttpSource() = default;
    // The session of one update check; false when none can be had.
    virtual bool openSession(int connectTimeoutMs, int receiveTimeoutMs) = 0;
    virtual void closeSession() = 0;
    // A fresh copy of the address (no cache). onOpened runs once, when the
    // server has answered (before any block); every block is then passed to
    // onBlock as it arrives, in order. Both run on the calling thread, and
    // the window stays responsive while the transfer waits for the server.
    virtual Result get(const QString& address, const std::function<void()>& onOpened,
                       const std::function<void(const QByteArray&)>& onBlock) = 0;
};

// The progress window of a download (frmProgress in the program).
class DownloadProgress {
public:
    virtual ~DownloadProgress() = default;
    // Shows the window modeless with its title and text, its OK button disabled.
    virtual void start(const QString& title, const QString& text) = 0;
    virtual void setText(const QString& text) = 0;
    // The last text, with the OK button enabled; the window stays open until
    // the user presses it.
    virtual void finish(const QString& text) = 0;
};
