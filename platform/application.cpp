#include "platform/application.h"

#include "platform/prompts.h"
#include "platform/runtime_error.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const RuntimeError& e) {
        Prompts::MsgBox(QStringLiteral("エラーが発生しました。\r\n%1: %2").arg(e.number).arg(e.description),
                        Prompts::vbCritical);
    } catch (const std::exception& e) {
        Prompts::MsgBox(QStringLiteral("エラーが発生しました。\r\n%1").arg(QString::fromUtf8(e.what())),
                        Prompts::vbCritical);
    } catch (...) {
        Prompts::MsgBox(QStringLiteral("エラーが発生しました。"), Prompts::vbCritical);
    }
    return false;
}
