#include "site/page_text.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/runtime_error.h"
#include "core/path_parts.h"

#include <QThread>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

void writePage(const QString& path, const QString& text) {
    writePage(path, Codepage::fromUnicodeCrLf(text, Codepage::Fallback::NumericReference));
}

void writePage(const QString& path, const QByteArray& bytes) {
    if (Files::writeAtomic(path, bytes, Files::Sync::None)) return;
    // A missing folder keeps the message it has always had; anything else (a
    // full disk, a folder without write permission) is said as it is.
    if (!Files::isFolder(PathParts::GetFolderPath(path)))
        throw RuntimeError(ErrorNumber::PathNotFound, QStringLiteral("パスが見つかりません。(%1)").arg(path));
    throw RuntimeError(ErrorNumber::PermissionDenied, QStringLiteral("ページを書き込めませんでした。(%1)\n%2")
                                                          .arg(path, Files::lastWriteError()));
}

void PageBytes::line(const QString& text) {
    pending_ += text;
    pending_ += QLatin1String("\r\n");
    if (pending_.size() >= kPiece) encodePending();
}

void PageBytes::lines(const QString& text) {
    pending_ += text;
    if (pending_.size() >= kPiece) encodePending();
}

void PageBytes::encodePending() {
    Codepage::appendCrLf(bytes_, pending_, Codepage::Fallback::NumericReference);
    pending_.resize(0);  // keeps its room for the next piece
}

QByteArray PageBytes::take() {
    encodePending();
    return std::move(bytes_);
}

struct Utf8PageBytes::Worker {
    std::thread thread;
    std::mutex mutex;
    std::condition_variable changed;
    // Pieces handed over, not yet converted; at most kMaxWaiting.
    std::deque<Piece> waiting;  // under mutex
    // Pieces converted, kept for their room.
    std::vector<Piece> spent;  // under mutex
    bool closed = false;       // under mutex
    // The converting side's own until the thread has ended.
    Rewrite rewrite;
    QByteArray bytes;  // after room bytes kept free
    qsizetype room = 0;
    QByteArray rewritten;
    bool converted = true;  // false once some text was malformed or could not be converted

    static constexpr size_t kMaxWaiting = 8;

    void append(QByteArrayView text) {
        if (converted && !Codepage::appendUtf8CrLf(bytes, text, Codepage::Fallback::NumericReference))
            converted = false;
    }

    void convert(Piece& piece) {
        const QByteArrayView text = piece.text;
        qsizetype done = 0;
        for (const auto& [from, to] : piece.spans) {
            append(text.sliced(done, from - done));
            rewritten.resize(0);
            rewrite(text.sliced(from, to - from), rewritten);
            append(rewritten);
            done = to;
        }
        append(text.sliced(done));
        piece.text.resize(0);  // keeps its room for another piece
        piece.spans.clear();
    }

    void run() {
        for (;;) {
            Piece piece;
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [this] { return closed || !waiting.empty(); });
                if (waiting.empty()) return;
                piece = std::move(waiting.front());
                waiting.pop_front();
            }
            changed.notify_all();
            try {
                convert(piece);
            } catch (...) {
                // Out of memory: the page is left to be made another way,
                // which reports it.
                converted = false;
            }
            std::lock_guard<std::mutex> lock(mutex);
            spent.push_back(std::move(piece));
        }
    }

    // Hands piece over and gives back a piece to fill next.
    Piece handOver(Piece&& piece) {
        if (!thread.joinable()) {
            convert(piece);
            return std::move(piece);
        }
        Piece next;
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [this] { return waiting.size() < kMaxWaiting; });
            waiting.push_back(std::move(piece));
            if (!spent.empty()) {
                next = std::move(spent.back());
                spent.pop_back();
            }
        }
        changed.notify_all();
        return next;
    }

    void finish() {
        if (!thread.joinable()) return;
        {
            std::lock_guard<std::mutex> lock(mutex);
            closed = true;
        }
        changed.notify_all();
        thread.join();
    }
};

Utf8PageBytes::Utf8PageBytes(qsizetype frontRoom, bool lengthy, Rewrite rewrite) : worker_(new Worker) {
    worker_->rewrite = std::move(rewrite);
    worker_->room = frontRoom;
    worker_->bytes.resize(frontRoom);
    filling_.text.reserve(kPiece + kPiece / 4);
    if (lengthy && QThread::idealThreadCount() > 1) {
        try {
            worker_->thread = std::thread([w = worker_.get()] { w->run(); });
        } catch (const std::system_error&) {
            // converted here instead
        }
    }
}

Utf8PageBytes::~Utf8PageBytes() { worker_->finish(); }

void Utf8PageBytes::handOver() { filling_ = worker_->handOver(std::move(filling_)); }

bool Utf8PageBytes::take(const QByteArray& front, QByteArray& page) {
    if (!filling_.text.isEmpty()) handOver();
    worker_->finish();
    if (!worker_->converted) return false;
    QByteArray& bytes = worker_->bytes;
    const qsizetype room = worker_->room;
    if (front.size() > room) {
        page = front;
        page.append(QByteArrayView(bytes).sliced(room));
        return true;
    }
    // The front fills the end of the room kept for it, and the page starts
    // there: its bytes are not copied again.
    std::memcpy(bytes.data() + room - front.size(), front.constData(), size_t(front.size()));
    bytes.remove(0, room - front.size());
    page = std::move(bytes);
    return true;
}

QString pathBase(const QString& path) { return PathParts::RemoveExtension(path); }

QString fileBase(const QString& path) { return PathParts::RemoveExtension(PathParts::GetFileName(path)); }

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

QString dayFileStem(const QString& day) {
    QString s = day;
    return s.replace(QLatin1Char('/'), QLatin1Char('_'));
}
