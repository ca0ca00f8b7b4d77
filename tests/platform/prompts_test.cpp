#include "platform/prompts.h"
#include "platform/prompts_qt.h"

#include <QApplication>
#include <QInputDialog>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>

namespace {

// Answers the next input dialog once its event loop runs.
void onNextInputDialog(std::function<void(QInputDialog*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(2);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start();
}

}  // namespace

// Cancel, the close box and an emptied OK: the plain box answers "" to all
// three, the other form tells the cancels from the empty answer.
TEST(QtPrompterInput, TellsACancelFromAnEmptyAnswer) {
    struct Case {
        const char* name;
        std::function<void(QInputDialog*)> act;
        std::optional<QString> answer;
    };
    const Case cases[] = {
        {"Cancel", [](QInputDialog* d) { d->reject(); }, std::nullopt},
        {"close box", [](QInputDialog* d) { d->close(); }, std::nullopt},
        {"emptied OK",
         [](QInputDialog* d) {
             d->setTextValue(QString());
             d->accept();
         },
         QString()},
        {"default kept", [](QInputDialog* d) { d->accept(); }, QStringLiteral("既定〜¥🍣")},
    };
    Prompts::QtPrompter prompter;
    const QString preset = QStringLiteral("既定〜¥🍣");
    for (const Case& c : cases) {
        onNextInputDialog(c.act);
        EXPECT_EQ(c.answer, prompter.inputOrCancel(QStringLiteral("名前"), Prompts::kDefaultTitle, preset)) << c.name;
        onNextInputDialog(c.act);
        EXPECT_EQ(c.answer.value_or(QString()), prompter.input(QStringLiteral("名前"), Prompts::kDefaultTitle, preset))
            << c.name;
    }
}
