#pragma once
// Acts on the next modal dialog once its event loop runs, so that a test can
// fill in a window that the code under test shows with exec().
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

template <class Dialog>
void onNextModal(std::function<void(Dialog*)> act) {
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
}
