#pragma once
// Acts on the next modal dialog once its event loop runs, so that a test can
// fill in a window that the code under test shows with exec().
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Returns the timer that waits for the dialog: a test whose code shows none
// deletes it, so that it acts on no later one.
template <class Dialog>
QTimer* onNextModal(std::function<void(Dialog*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(2);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start();
    return timer;
}
