#pragma once
// The program's QApplication: an exception that would escape into the event
// loop is shown in a message box instead of ending the program.
#include <QApplication>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
