#include "tests/support/scripted_prompts.h"
#include "tests/writing/writing_fixture.h"
#include "writing/frm_delete_import_rarav.h"
#include "writing/genre_list.h"

#include <QLabel>
#include <QPushButton>

class DeleteImportRaravTest : public WritingWindowTest {
protected:
    void SetUp() override {
        WritingWindowTest::SetUp();
        Database db(Shell::state().databasePath());
        const char* rows[][4] = {
            {"2005/01/02", "1", "旅行", ""},          {"2005/01/02", "2", "読書", "2006/05/01 Brindle"},
            {"2005/01/02", "3", "一般", nullptr},     {"2005/03/04", "1", "読書", "2006/05/01 Brindle"},
            {"2005/03/04", "2", "映画", "2006/05/02 Fescue"}, {"2005/03/05", "1", "料理", "say \"hi\""},
            {"2005/03/05", "2", "料理", "say"},
        };
        for (const auto& r : rows)
            db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, Genre, ImportMark) VALUES (?, ?, ?, ?)"),
                    {r[0], r[1], r[2], r[3] ? QVariant(QString::fromUtf8(r[3])) : QVariant()});
    }
    QStringList items(frmDeleteImportRarav* w) {
        QStringList list;
        for (int i = 0; i < w->CmbRaravGroup->count(); ++i) list << w->CmbRaravGroup->itemText(i);
        return list;
    }
    QStringList remaining() {
        Database db(Shell::state().databasePath());
        const Recordset rs = db.query(QStringLiteral("SELECT Day, Number FROM Contents ORDER BY Day, Number"));
        QStringList list;
        for (qsizetype i = 0; i < rs.size(); ++i) list << rs.text(i, "Day") + QLatin1Char('#') + rs.text(i, "Number");
        return list;
    }
};

TEST_F(DeleteImportRaravTest, DeletesTheChosenGroupOnEveryDayAndRebuildsGenres) {
    open();
    QPointer<frmDeleteImportRarav> w = frmDeleteImportRarav::showWindow();
    EXPECT_EQ(w, frmDeleteImportRarav::showWindow());
    EXPECT_EQ(QStringLiteral("Importした日記を一括で削除します"), w->windowTitle());
    EXPECT_TRUE(w->LabelSetsumei->text().startsWith(QStringLiteral("Importした日記を一括で削除します。")));
    EXPECT_EQ(QStringList({"say \"hi\"", "say", "2006/05/02 Fescue", "2006/05/01 Brindle"}), items(w));
    EXPECT_EQ(-1, w->CmbRaravGroup->currentIndex());

    ScopedPrompts p;
    p->expectMessage(QStringLiteral("完了！"));
    w->CmbRaravGroup->setCurrentText(QStringLiteral("2006/05/01 Brindle"));
    w->BtnOK->click();
    EXPECT_TRUE(!w || !w->isVisible());
    // The days keep their numbers, gaps included.
    EXPECT_EQ(QStringList({"2005/01/02#1", "2005/01/02#3", "2005/03/04#2", "2005/03/05#1", "2005/03/05#2"}),
              remaining());
    const QStringList genres = {"一般", "料理", "旅行", "映画"};
    EXPECT_EQ(genres, GenreList::read(Shell::state().DataPath + "Genre.csv"));
    QStringList shown;
    for (int i = 0; i < editor->ComboGenre->count(); ++i) shown << editor->ComboGenre->itemText(i);
    EXPECT_EQ(genres, shown);
}

TEST_F(DeleteImportRaravTest, QuotedNamesNoChoiceAndCancel) {
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("完了！"));
    frmDeleteImportRarav* w = frmDeleteImportRarav::showWindow();
    w->CmbRaravGroup->setCurrentIndex(0);  // say "hi"
    w->BtnOK_Click();
    EXPECT_FALSE(remaining().contains("2005/03/05#1"));
    EXPECT_TRUE(remaining().contains("2005/03/05#2"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frmDeleteImportRarav::exists());

    p->expectMessage(QStringLiteral("削除するグループが選択されていないため、終了します。"), Prompts::vbOK,
                     Prompts::vbInformation);
    w = frmDeleteImportRarav::showWindow();
    EXPECT_EQ(3, w->CmbRaravGroup->count());
    w->BtnOK_Click();
    EXPECT_FALSE(w->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    w = frmDeleteImportRarav::showWindow();
    w->CmbRaravGroup->setCurrentIndex(0);
    w->BtnCancel->click();
    EXPECT_EQ(6, remaining().size());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A plug-in that hands its group name to SQLite as bytes stores it as a
// blob. The group is listed once, however its rows hold the name, and OK
// deletes every row of it: the blob rows stayed, after "完了！", and stayed
// listed.
TEST_F(DeleteImportRaravTest, AGroupNameStoredAsBytesIsDeletedWithItsRows) {
    {
        Database db(Shell::state().databasePath());
        db.exec(QStringLiteral("INSERT INTO Contents (Day, Number, ImportMark) VALUES "
                               "('2006/06/01', 1, CAST('2006/06/01 Pluggo' AS BLOB)), "
                               "('2006/06/02', 1, CAST('2006/06/01 Pluggo' AS BLOB)), "
                               "('2006/06/03', 1, '2006/06/01 Pluggo')"));
    }
    ScopedPrompts p;
    p->expectMessage(QStringLiteral("完了！"));
    frmDeleteImportRarav* w = frmDeleteImportRarav::showWindow();
    EXPECT_EQ(QStringList({"say \"hi\"", "say", "2006/06/01 Pluggo", "2006/05/02 Fescue", "2006/05/01 Brindle"}),
              items(w));
    w->CmbRaravGroup->setCurrentText(QStringLiteral("2006/06/01 Pluggo"));
    w->BtnOK_Click();
    EXPECT_EQ(QStringList({"2005/01/02#1", "2005/01/02#2", "2005/01/02#3", "2005/03/04#1", "2005/03/04#2",
                           "2005/03/05#1", "2005/03/05#2"}),
              remaining());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
