// The yardstick of the start-up benchmark: a Qt program that shows an empty
// main window of the program's size and does nothing else.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(960, 720);
    window.show();
    return app.exec();
}
