#pragma once
// A user folder with a fresh rarav.mdb, a data folder, and main-window hooks
// that record what the windows ask of the main window.
#include "platform/clock.h"
#include "platform/database.h"
#include "platform/files.h"
#include "core/shared_state.h"
#include "tests/support/temp_folder.h"
#include "writing/frm_calender.h"
#include "writing/frm_contents.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

// Readable failures for texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

class WritingWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Shell::state();
        auto& s = Shell::state();
        s = Shell::SharedState();
        s.UserPath = tmp.path();
        s.DataPath = tmp.path() + QStringLiteral("data/");
        s.RaravIniFile = tmp.file(QStringLiteral("rarav.ini"));
        Files::makeFolder(s.DataPath);
        makeDatabase(s.databasePath());
        auto& h = Shell::hooks();
        h = Shell::MainWindowHooks();
        h.setStatusText = [this](const QString& t) { status << t; };
        h.saveTmpFile = [this] { ++previews; };
        h.navigateBrowser = [this](const QString& url) { navigated << url; };
        h.browserAddress = [this] { return browserAddress; };
        Clock::set(QDateTime(QDate(2006, 5, 3), QTime(12, 34, 56)));
    }
    void TearDown() override {
        delete calender;
        if (frmContents::exists()) delete frmContents::instance();
        Shell::hooks() = Shell::MainWindowHooks();
        Shell::state() = saved_;
        Clock::reset();
    }

    // The calendar and the editor, as the main window shows them.
    void open() {
        calender = new frmCalender();
        editor = frmContents::instance();
    }
    void click(int y, int m, int d) { calender->Calender_DateClick(QDate(y, m, d)); }
    void pickNumber(int n) {
        editor->ComboNumber->setCurrentIndex(n - 1);
        editor->ComboNumber_Click();
    }

    void addRow(const QString& day, int number, const QString& title, const QString& contents = QString()) {
        Database db(Shell::state().databasePath());
        db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Title, Contents) VALUES (?, ?, ?, ?)"),
                {day, number, title, contents});
    }
    Recordset rows(const QString& day) {
        Database db(Shell::state().databasePath());
        return db.query(QStringLiteral("SELECT Number, Title, Contents, PublishTime FROM Contents WHERE Day = ? "
                                       "ORDER BY Number"),
                        {day});
    }
    QStringList titles(const QString& day) {
        QStringList list;
        const Recordset rs = rows(day);
        for (qsizetype i = 0; i < rs.size(); ++i)
            list << rs.text(i, QStringLiteral("Number")) + QLatin1Char(':') + rs.text(i, QStringLiteral("Title"));
        return list;
    }
    // Every write to Contents is refused from now on, as on a read-only file.
    void refuseWrites() {
        Database db(Shell::state().databasePath());
        db.execScript(QStringLiteral(
            "CREATE TRIGGER refuseInsert BEFORE INSERT ON Contents BEGIN SELECT RAISE(ABORT, 'read-only'); END;"
            "CREATE TRIGGER refuseUpdate BEFORE UPDATE ON Contents BEGIN SELECT RAISE(ABORT, 'read-only'); END;"));
    }

    TempFolder tmp;
    frmCalender* calender = nullptr;
    frmContents* editor = nullptr;
    QStringList status;
    QStringList navigated;
    int previews = 0;
    QString browserAddress;

private:
    Shell::SharedState saved_;
};

// Keys sent straight to a control, as the user's typing reaches it.
inline void pressKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(w, &release);
}
inline void typeText(QWidget* w, const QString& text) {
    for (QChar c : text) pressKey(w, c.toUpper().unicode(), Qt::NoModifier, QString(c));
}
