// The road of an entry through the real program: start-up shows the
// calendar, a click opens the editor, and a saved entry is in rarav.mdb.
#include "platform/clock.h"
#include "platform/database.h"
#include "shell/main_window.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"
#include "writing/frm_calender.h"
#include "writing/frm_contents.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

TEST(WritingRoad, AnEntryWrittenAfterStartUpIsStored) {
    TempFolder tmp;
    const Shell::SharedState saved = Shell::state();
    Shell::state() = Shell::SharedState();
    Shell::state().MyPath = copyProgramFolder(tmp.path() + QStringLiteral("prog"));
    Clock::set(QDateTime(QDate(2006, 5, 3), QTime(7, 8, 9)));
    {
        ScopedPrompts prompts;
        MDIFormTop* w = MDIFormTop::instance();
        ASSERT_TRUE(w->MDIForm_Load());
        auto shownWidgets = [w] {
            QList<QWidget*> list;
            for (QMdiSubWindow* s : w->mdiArea->subWindowList()) list << s->widget();
            return list;
        };
        EXPECT_TRUE(shownWidgets().contains(w->calender()));

        w->calender()->Calender_DateClick(Clock::today());
        frmContents* editor = frmContents::instance();
        EXPECT_TRUE(shownWidgets().contains(editor));
        editor->txtTitle->setText(QStringLiteral("最初の日記"));
        editor->txtContents->setPlainText(QStringLiteral("一行目\n二行目"));
        EXPECT_TRUE(editor->Btn1Click_ToolBar());
        EXPECT_FALSE(editor->ChangeYesNo);
        w->close();
        delete w;
    }
    Database db(Shell::state().databasePath(), Database::Mode::ReadOnly);
    const Recordset rs = db.query(QStringLiteral("SELECT Day, Number, Title, Contents, PublishTime FROM Contents"));
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, QStringLiteral("Day")), QStringLiteral("2006/05/03"));
    EXPECT_EQ(rs.integer(0, QStringLiteral("Number")), 1);
    EXPECT_EQ(rs.text(0, QStringLiteral("Contents")), QStringLiteral("一行目\r\n二行目"));
    EXPECT_EQ(rs.text(0, QStringLiteral("PublishTime")), QStringLiteral("2006/05/03 07:08:09"));
    Clock::reset();
    Shell::state() = saved;
}

}  // namespace
