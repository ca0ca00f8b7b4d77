// A Qt plug-in that the start-up benchmark loads into the program it starts
// (QT_QPA_GENERIC_PLUGINS=mappedprobe): when the first main window is mapped
// it writes the monotonic clock's nanoseconds to $RARAV_PROBE_FILE and ends
// the process at once, unless $RARAV_PROBE_STAY is set. The program itself
// knows nothing of it.
#include <QApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QWidget>
#include <QWindow>

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

class MappedProbe : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (done_ || event->type() != QEvent::Expose) return false;
        auto* window = qobject_cast<QWindow*>(watched);
        if (!window || !window->isExposed()) return false;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->windowHandle() == window && w->inherits("QMainWindow")) {
                done_ = true;
                report();
                break;
            }
        }
        return false;
    }

private:
    static void report() {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        char text[32];
        const int n = std::snprintf(text, sizeof text, "%lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
        if (const char* path = std::getenv("RARAV_PROBE_FILE")) {
            const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) {
                (void)::write(fd, text, size_t(n));
                ::close(fd);
            }
        }
        if (!std::getenv("RARAV_PROBE_STAY")) std::_Exit(0);
    }
    bool done_ = false;
};

}  // namespace

class MappedProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "mapped_probe.json")
public:
    QObject* create(const QString&, const QString&) override {
        auto* probe = new MappedProbe;
        QCoreApplication::instance()->installEventFilter(probe);
        return probe;
    }
};

#include "mapped_probe.moc"
