#include "design/exchange_file.h"
#include "design/frm_export_cust.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_folder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// Holds all 17 settings that belong to one user's site, and others that do not.
const char* kSetA =
    "[General]\nHPTitle=わたしの日記\nStyleSheetURL=http://example.jp/a.css\nHeadTag=Meta\nHeadTag_Div=Meta\n"
    "TitleAlign=Right\n[Body]\nTextColor=red\nBackImage=back.gif\nUpText=Top\nDownText=Bottom\nUpText_Div=Top\n"
    "DownText_Div=Bottom\nUpText_Log=Top\nDownText_Log=Bottom\nUpText_Div_Log=Top\nDownText_Div_Log=Bottom\n"
    "[CalenderWindow]\nUpText=Top\nDownText=Bottom\nBGImage=cal.gif\nHeadTag=Meta\nTextColor=blue\n";

class ExchangeFiles : public ::testing::Test {
protected:
    void SetUp() override {
        saved = Shell::state();
        savedHooks = Shell::hooks();
        Shell::SharedState& s = Shell::state();
        s.MyPath = tmp.file("prog/");
        s.DataPath = tmp.file("data/");
        s.RaravIniFile = tmp.file("rarav.ini");
        s.CustIniFile = tmp.file("data/Customize/Customize.ini");
        tmp.writeText("data/Customize/Customize.ini", "[General]\nHPTitle=active\n");
        tmp.writeText("data/Customize/A.ini", kSetA);
        Files::makeFolder(tmp.file("out"));  // a save dialog only offers folders that exist
        Shell::hooks() = {};
        Shell::hooks().setStatusText = [this](const QString& t) { status << t; };
    }
    void TearDown() override {
        Shell::state() = saved;
        Shell::hooks() = savedHooks;
    }
    QStringList setFiles() const { return Files::listFiles(tmp.file("data/Customize"), "*"); }
    QString ini(const RaravIni::TextKey& key) const { return RaravIni::read(tmp.file("rarav.ini"), key); }

    TempFolder tmp;
    Shell::SharedState saved;
    Shell::MainWindowHooks savedHooks;
    QStringList status;
};

}  // namespace

TEST_F(ExchangeFiles, DistributionCopyEmptiesThePersonalKeysAndComesBackAsANewSet) {
    const QByteArray original = tmp.read("data/Customize/A.ini");
    ScopedPrompts p;
    p->expectSaveFile(tmp.file("out/look"));
    ASSERT_TRUE(ExchangeFile::ExportCustomizeFile("A", "CST", "花子", "http://hanako.example.jp/", "h@example.jp"));
    const QString cst = tmp.file("out/look.cst");
    ASSERT_TRUE(Files::exists(cst));
    EXPECT_EQ(tmp.read("data/Customize/A.ini"), original);
    EXPECT_EQ(ini(RaravIni::SaveCustPath), tmp.file("out"));

    // Every key of the set, in its order; the personal ones present and empty.
    for (const QString& section : Profile::sectionNames(tmp.file("data/Customize/A.ini")))
        EXPECT_EQ(Profile::keyNames(cst, section), Profile::keyNames(tmp.file("data/Customize/A.ini"), section)) << section.toStdString();
    EXPECT_EQ(Profile::sectionNames(cst).last(), "Author");
    const QString keep = "\x01";
    for (const char* key : {"HPTitle", "StyleSheetURL", "HeadTag", "HeadTag_Div"})
        EXPECT_EQ(Profile::readString(cst, "General", key, keep), "") << key;
    for (const char* key : {"BackImage", "UpText", "DownText", "UpText_Div", "DownText_Div", "UpText_Log", "DownText_Log",
                            "UpText_Div_Log", "DownText_Div_Log"})
        EXPECT_EQ(Profile::readString(cst, "Body", key, keep), "") << key;
    for (const char* key : {"UpText", "DownText", "BGImage", "HeadTag"})
        EXPECT_EQ(Profile::readString(cst, "CalenderWindow", key, keep), "") << key;
    EXPECT_EQ(Profile::readString(cst, "General", "TitleAlign"), "Right");
    EXPECT_EQ(Profile::readString(cst, "CalenderWindow", "TextColor"), "blue");
    EXPECT_EQ(Profile::readString(cst, "Author", "Name"), "花子");
    EXPECT_EQ(Profile::readString(cst, "Author", "URL"), "http://hanako.example.jp/");
    EXPECT_EQ(Profile::readString(cst, "Author", "E-mail"), "h@example.jp");

    // Imported, it lands beside the active set as look.ini, unchanged.
    p->expectOpenFile(cst);
    ASSERT_TRUE(ExchangeFile::ImportCustomizeFile());
    EXPECT_EQ(tmp.read("data/Customize/look.ini"), tmp.read("out/look.cst"));
    EXPECT_EQ(ini(RaravIni::LoadCustPath), tmp.file("out"));

    // A second import asks for another name once; a name in use, an empty
    // answer or one that leaves the set folder gives up.
    p->expectOpenFile(cst).expectInput("新しい名前を入力して下さい。", "look2");
    ASSERT_TRUE(ExchangeFile::ImportCustomizeFile());
    EXPECT_EQ(tmp.read("data/Customize/look2.ini"), tmp.read("out/look.cst"));
    const QStringList before = setFiles();
    p->expectOpenFile(cst).expectInput("同じ名称の物が存在します。", "look");
    EXPECT_FALSE(ExchangeFile::ImportCustomizeFile());
    p->expectOpenFile(cst).expectInput("同じ名称の物が存在します。", "");
    EXPECT_FALSE(ExchangeFile::ImportCustomizeFile());
    p->expectOpenFile(cst).expectInput("同じ名称の物が存在します。", "../evil").expectMessage("使えません");
    EXPECT_FALSE(ExchangeFile::ImportCustomizeFile());
    p->expectOpenFile(cst).expectInput("同じ名称の物が存在します。", "RSS").expectMessage("「RSS」はカスタマイズセットの名前に使えません。");
    EXPECT_FALSE(ExchangeFile::ImportCustomizeFile());
    // Named RSS, as a distribution or a backup copy: refused as a typed RSS is.
    QFile::copy(cst, tmp.file("out/RSS.cst"));
    QFile::copy(cst, tmp.file("out/RSS.ini"));
    for (const char* name : {"out/RSS.cst", "out/RSS.ini"}) {
        p->expectOpenFile(tmp.file(name)).expectMessage("「RSS」はカスタマイズセットの名前に使えません。");
        EXPECT_FALSE(ExchangeFile::ImportCustomizeFile()) << name;
    }
    EXPECT_EQ(setFiles(), before);
    EXPECT_FALSE(Files::exists(tmp.file("data/evil.ini")));
}

TEST_F(ExchangeFiles, BackupCopyKeepsItsNameAndOverwritesOnlyWhenAllowed) {
    ScopedPrompts p;
    p->expectSaveFile(tmp.file("out/backup.INI"));
    ASSERT_TRUE(ExchangeFile::ExportCustomizeFile("A", "INI", "", "", ""));
    const QString backup = tmp.file("out/backup.INI");
    EXPECT_FALSE(Files::exists(tmp.file("out/backup.INI.ini")));
    EXPECT_EQ(Profile::readString(backup, "General", "HPTitle"), "わたしの日記");
    EXPECT_EQ(Profile::keyNames(backup, "Author"), QStringList({"Name", "URL", "E-mail"}));

    const QByteArray first = tmp.read("out/backup.INI");
    p->expectSaveFile(backup).expectMessage("上書きしますか？", Prompts::vbNo, Prompts::vbYesNo);
    EXPECT_FALSE(ExchangeFile::ExportCustomizeFile("Customize", "INI", "x", "", ""));
    EXPECT_EQ(tmp.read("out/backup.INI"), first);
    p->expectSaveFile(backup).expectMessage("上書きしますか？", Prompts::vbYes);
    ASSERT_TRUE(ExchangeFile::ExportCustomizeFile("Customize", "INI", "x", "", ""));
    EXPECT_EQ(Profile::readString(backup, "General", "HPTitle"), "active");

    // A cancelled dialog or a set that is gone writes nothing.
    p->expectSaveFile("");
    EXPECT_FALSE(ExchangeFile::ExportCustomizeFile("A", "INI", "", "", ""));
    p->expectMessage("「Gone」が見つかりません。");
    EXPECT_FALSE(ExchangeFile::ExportCustomizeFile("Gone", "CST", "", "", ""));
    EXPECT_EQ(Files::listFiles(tmp.file("out"), "*"), QStringList({"backup.INI"}));

    // Whatever the letter case of its extension, a set is the file behind its
    // listed name: imported as backup.ini, and a hand-placed Hand.INI exported.
    p->expectOpenFile(backup);
    ASSERT_TRUE(ExchangeFile::ImportCustomizeFile());
    EXPECT_TRUE(setFiles().contains("backup.ini"));
    EXPECT_EQ(Profile::readString(tmp.file("data/Customize/backup.ini"), "General", "HPTitle"), "active");
    tmp.writeText("data/Customize/Hand.INI", "[General]\nHPTitle=hand\n");
    p->expectSaveFile(tmp.file("out/hand.ini"));
    ASSERT_TRUE(ExchangeFile::ExportCustomizeFile("Hand", "INI", "", "", ""));
    EXPECT_EQ(Profile::readString(tmp.file("out/hand.ini"), "General", "HPTitle"), "hand");
}

TEST_F(ExchangeFiles, FilesThatAreNoDesignSetAreRefusedAndNothingIsWritten) {
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message;
    };
    const Case cases[] = {
        {"picture.cst", QByteArray("GIF89a\x01\x00\x01\x00\x00\x00[General]\r\n", 24), "カスタマイズファイルではない"},
        {"notes.txt", "just some text\r\nkey=value\r\n", "カスタマイズファイルではない"},
        {"other.ini", "[Divide]\r\nRaravDivide=1\r\n", "カスタマイズファイルではない"},
        {"empty.cst", "", "カスタマイズファイルではない"},
    };
    const QStringList before = setFiles();
    for (const Case& c : cases) {
        ScopedPrompts p;
        const QString path = tmp.write(QString("in/") + c.name, c.bytes);
        p->expectOpenFile(path).expectMessage(c.message);
        EXPECT_FALSE(ExchangeFile::ImportCustomizeFile()) << c.name;
        EXPECT_EQ(setFiles(), before) << c.name;
    }
    EXPECT_EQ(ini(RaravIni::LoadCustPath), "");

    // A set chosen under "all files" is taken in as a distribution copy.
    ScopedPrompts p;
    p->expectOpenFile(tmp.writeText("in/x.txt", "; handed over\n[Body]\nTextColor=red\n"));
    ASSERT_TRUE(ExchangeFile::ImportCustomizeFile());
    EXPECT_EQ(Profile::readString(tmp.file("data/Customize/x.ini"), "Body", "TextColor"), "red");
}

TEST_F(ExchangeFiles, ExportDialogListsEverySetAndRemembersTheAuthorWhateverTheResult) {
    tmp.writeText("data/Customize/RSS.ini", "");
    tmp.writeText("data/Customize/block.htm", "");
    RaravIni::write(tmp.file("rarav.ini"), RaravIni::ExportCustName, "太郎");
    RaravIni::write(tmp.file("rarav.ini"), RaravIni::ExportCustLeft, 1500);
    ScopedPrompts p;
    {
        frmExportCust dialog;
        dialog.Form_Load();
        QStringList listed;
        for (int i = 0; i < dialog.cmbCustomize->count(); ++i) listed << dialog.cmbCustomize->itemText(i);
        EXPECT_EQ(listed, QStringList({"A", "Customize", "RSS"}));
        EXPECT_EQ(dialog.cmbCustomize->currentText(), "A");
        EXPECT_EQ(dialog.txtName->text(), "太郎");
        EXPECT_EQ(dialog.x(), 100);
        dialog.txtURL->setText("http://taro.example.jp/");
        p->expectSaveFile("");
        dialog.Btn_Exec_Click();
    }
    EXPECT_EQ(status, QStringList{"カスタマイズファイルの出力に失敗しました。"});
    EXPECT_EQ(ini(RaravIni::ExportCustURL), "http://taro.example.jp/");
    EXPECT_EQ(ini(RaravIni::ExportCustName), "太郎");

    frmExportCust dialog;
    dialog.Form_Load();
    EXPECT_EQ(dialog.txtURL->text(), "http://taro.example.jp/");
    dialog.optCst->setChecked(true);
    dialog.cmbCustomize->setCurrentText("Customize");
    p->expectSaveFile(tmp.file("out/mine"));
    dialog.Btn_Exec_Click();
    EXPECT_EQ(status.last(), "カスタマイズファイルの出力に成功しました。");
    EXPECT_EQ(Profile::readString(tmp.file("out/mine.cst"), "General", "HPTitle", "\x01"), "");
    EXPECT_EQ(Profile::readString(tmp.file("out/mine.cst"), "Author", "Name"), "太郎");

    // An author pasted with a line break is refused before anything is written.
    const QByteArray before = tmp.read("rarav.ini");
    dialog.txtName->setText("太郎\r\n[Author]\r\nName=次郎");
    p->expectMessage(Prompts::kLineBreakRefused, Prompts::vbOK, Prompts::vbExclamation);
    dialog.Btn_Exec_Click();
    EXPECT_EQ(tmp.read("rarav.ini"), before);
}

// A set whose file ends in ".INI" is the set of that name: an import under
// its name, or a new name that is it, asks or gives up as for any set, and
// the set stays the one the lists show under that name.
TEST_F(ExchangeFiles, AnImportDoesNotHideASetWhoseExtensionIsInCapitals) {
    const QByteArray mine = "[General]\r\nHPTitle=mine\r\n";
    tmp.write("data/Customize/look.INI", mine);
    tmp.write("data/Customize/Other.Ini", mine);
    const QString cst = tmp.writeText("out/look.cst", "[General]\nHPTitle=handed\n");
    ScopedPrompts p;
    p->expectOpenFile(cst).expectInput("同じ名称の物が存在します。", "Other");
    EXPECT_FALSE(ExchangeFile::ImportCustomizeFile());
    p->expectOpenFile(cst).expectInput("同じ名称の物が存在します。", "look2");
    ASSERT_TRUE(ExchangeFile::ImportCustomizeFile());
    EXPECT_EQ(setFiles(), QStringList({"A.ini", "Customize.ini", "look.INI", "look2.ini", "Other.Ini"}));
    EXPECT_EQ(tmp.read("data/Customize/look.INI"), mine);
    EXPECT_EQ(tmp.read("data/Customize/Other.Ini"), mine);
}
