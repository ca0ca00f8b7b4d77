#include "publish/frm_resist_files.h"
#include "publish/parts_registry.h"
#include "core/ini_file.h"
#include "tests/publish/publish_fixture.h"
#include "tests/support/folder_snapshot.h"
#include "tests/support/scripted_prompts.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>

namespace {

class PartsRegistryTest : public PublishFixture {
protected:
    QString parts(const QString& name = QString()) const { return dataPath() + "RaravParts/" + name; }
    QStringList listed(frmResistFiles& w) const {
        QStringList lines;
        for (int i = 0; i < w.ResisterdList->count(); ++i) lines << w.ResisterdList->item(i)->text();
        return lines;
    }
    void select(frmResistFiles& w, const QString& line) {
        const auto found = w.ResisterdList->findItems(line, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << line.toStdString();
        w.ResisterdList->setCurrentItem(found.first());
    }
    TempFolder pictures;
};

}  // namespace

TEST_F(PartsRegistryTest, RegistersCopiesOnceAndAsksBeforeOverwriting) {
    const QString photo = pictures.write("photo.jpg", "first");
    Publish::ResistFile(photo, "2006/05/01", 1);
    EXPECT_EQ(data.read("RaravParts/photo.jpg"), "first");

    // Another entry with the same name: a row, but the stored copy stays.
    const QString other = pictures.write("other/photo.jpg", "second");
    Publish::ResistFile(other, "2006/05/02", 1);
    EXPECT_EQ(data.read("RaravParts/photo.jpg"), "first");
    EXPECT_EQ(fileRows().size(), 2);

    ScopedPrompts prompts;
    prompts->expectMessage("すでに登録済みのファイルです。\r\n上書きしますか？", Prompts::vbNo, Prompts::vbYesNo)
        .expectMessage("すでに登録済みのファイルです。", Prompts::vbYes)
        .expectMessage("すでに登録済みのファイルです。", Prompts::vbYes)
        .expectMessage("同じフォルダの同じファイルを指定しました。\r\nコピーできません。", Prompts::vbOK);
    Database(databasePath()).exec("UPDATE FileDB SET Uploaded = 1");
    Publish::ResistFile(other, "2006/05/02", 1);
    EXPECT_EQ(data.read("RaravParts/photo.jpg"), "first");
    EXPECT_EQ(fileRows("Uploaded"), (QList<QVariantList>{{1}, {1}}));
    // New content under the old name: the next upload must send it again.
    Publish::ResistFile(other, "2006/05/02", 1);
    EXPECT_EQ(data.read("RaravParts/photo.jpg"), "second");
    EXPECT_EQ(fileRows("Uploaded"), (QList<QVariantList>{{0}, {0}}));
    Publish::ResistFile(parts("photo.jpg"), "2006/05/02", 1);
    EXPECT_EQ(fileRows().size(), 2);

    // A file of the parts folder itself needs no copy under its own name,
    // but does under a new one.
    data.write("RaravParts/in.gif", "in");
    Publish::ResistFile(parts("in.gif"), "ALL", 0);
    Publish::ResistFile2(parts("in.gif"), "renamed.gif", "2006/05/03", 2);
    Publish::ResistFile2(photo, "新しい名前.jpg", "2006/05/03", 1);
    EXPECT_EQ(data.read("RaravParts/renamed.gif"), "in");
    EXPECT_EQ(data.read("RaravParts/新しい名前.jpg"), "first");

    // A path naming no file leaves no row.
    EXPECT_THROW(Publish::ResistFile(pictures.file("none.gif"), "ALL", 0), RuntimeError);
    const auto rows = fileRows("FileName, Day, Number, Uploaded, Logged");
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[2], (QVariantList{"in.gif", "ALL", 0, 0, 0}));
    EXPECT_EQ(rows[3], (QVariantList{"renamed.gif", "2006/05/03", 2, 0, 0}));
}

TEST_F(PartsRegistryTest, WindowListsRegistersAndRemoves) {
    Database db(databasePath());
    for (const auto& [day, number] : {std::pair{"2006/05/01", 1}, {"2006/05/01", 2}, {"2006/05/03", 1}, {"2006/05/01", 10}})
        db.exec("INSERT INTO Contents (Day, Number) VALUES (?, ?)", {day, number});
    addPart("b.gif", "2006/05/01", 10);
    addPart("b.gif", "2006/05/01", 2);
    data.write("RaravParts/b.gif", "b");
    addPart("gone.gif", "2006/05/03", 1);

    frmResistFiles w;
    EXPECT_EQ(w.windowTitle(), "Resist Other Files");
    EXPECT_EQ(w.cmbResisterdDay->currentText(), "ALL");
    QStringList days;
    for (int i = 0; i < w.cmbResisterdDay->count(); ++i) days << w.cmbResisterdDay->itemText(i);
    EXPECT_EQ(days, (QStringList{"ALL", "2006/05/03 : 1", "2006/05/01 : 1", "2006/05/01 : 2", "2006/05/01 : 10"}));
    EXPECT_EQ(listed(w), (QStringList{"2006/05/01 : 10 : b.gif", "2006/05/01 : 2 : b.gif", "2006/05/03 : 1 : gone.gif"}));

    w.txtOpenFile->setText(pictures.write("back.gif", "back"));
    w.BtnResist_Click();
    EXPECT_TRUE(listed(w).contains("ALL : 0 : back.gif"));
    EXPECT_EQ(listed(w).last(), "ALL : 0 : back.gif");

    ScopedPrompts prompts;
    prompts->expectMessage("登録する日は", Prompts::vbOK);
    w.cmbResisterdDay->setEditText("next week");
    w.BtnResist_Click();
    EXPECT_EQ(listed(w).size(), 4);

    // One of two registrations: no question about the file.
    prompts->expectMessage("本当に削除しますか？", Prompts::vbYes);
    select(w, "2006/05/01 : 10 : b.gif");
    w.BtnDelete_Click();
    EXPECT_TRUE(QFile::exists(parts("b.gif")));
    // The last one: asked; the file goes.
    prompts->expectMessage("本当に削除しますか？", Prompts::vbYes)
        .expectMessage("このファイルは他の日付等で使用されていません。\r\n削除しますか？", Prompts::vbYes);
    select(w, "2006/05/01 : 2 : b.gif");
    w.BtnDelete_Click();
    EXPECT_FALSE(QFile::exists(parts("b.gif")));
    // A stored copy already gone: said so, and the row still goes.
    prompts->expectMessage("本当に削除しますか？", Prompts::vbYes)
        .expectMessage("このファイルは他の日付等で使用されていません。", Prompts::vbYes)
        .expectMessage("ファイルがありませんでした。", Prompts::vbOK);
    select(w, "2006/05/03 : 1 : gone.gif");
    w.BtnDelete_Click();
    EXPECT_EQ(listed(w), QStringList{"ALL : 0 : back.gif"});

    w.txtOpenFile->clear();
    w.reject();
    EXPECT_EQ(IniFile::GetIniString(iniFile(), "FileResist", "DefaultLoadPath", "unset"), "");
}

// The registry itself refuses a name that is no single file of the parts
// folder, whichever window passed it, before copying or adding a row.
TEST_F(PartsRegistryTest, NamesOutsideThePartsFolderAreRefused) {
    const QString photo = pictures.write("photo.png", "picture");
    const auto before = folderSnapshot(userPath());
    const auto dataBefore = folderSnapshot(dataPath());
    for (const char* name : {"../../rarav.mdb", "../x.png", "sub/x.png", "..", ""}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(Publish::ResistFile2(photo, QString::fromUtf8(name), "2006/05/03", 1), RuntimeError);
        EXPECT_EQ(folderSnapshot(userPath()), before);
        EXPECT_EQ(folderSnapshot(dataPath()), dataBefore);
    }
    EXPECT_TRUE(fileRows().isEmpty());
}

// Remote names go in CP932: two emoji names would both arrive as "?.png",
// the second over the first. Such names are refused where they are chosen,
// with the characters named.
TEST_F(PartsRegistryTest, NamesTheServerCannotHoldAreRefusedNamingTheCharacters) {
    const QString photo = pictures.write("photo.png", "picture");
    const auto before = folderSnapshot(userPath());
    const std::pair<const char*, const char*> cases[] = {
        {"🍣.png", "🍣"}, {"café.png", "é"}, {"wave〜dash¥.png", "〜¥"}, {"𠮷野家.png", "𠮷"}};
    for (const auto& [name, named] : cases) {
        SCOPED_TRACE(name);
        try {
            Publish::ResistFile2(photo, QString::fromUtf8(name), "ALL", 0);
            ADD_FAILURE() << "accepted";
        } catch (const RuntimeError& e) {
            EXPECT_TRUE(e.description.contains(QStringLiteral("（") + QString::fromUtf8(named) + QStringLiteral("）")))
                << e.description.toStdString();
        }
        EXPECT_THROW(Publish::ResistFile(pictures.write(QString::fromUtf8(name), "x"), "ALL", 0), RuntimeError);
    }
    EXPECT_EQ(folderSnapshot(userPath()), before);
    EXPECT_TRUE(fileRows().isEmpty());
    Publish::ResistFile2(photo, QStringLiteral("～全角.png"), "ALL", 0);
    EXPECT_EQ(fileRows().size(), 1);
}
