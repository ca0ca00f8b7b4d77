#include "design/design_preview.h"
#include "design/design_set.h"
#include "design/design_sets.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

using namespace DesignSet;

namespace {

const Setting& setting(const char* section, const char* key) {
    for (const Setting& s : settings())
        if (s.section == QLatin1String(section) && s.key == QLatin1String(key)) return s;
    throw std::logic_error(key);
}

}  // namespace

TEST(DesignSetFile, EveryKeyRoundTripsAndANewFileListsTheSectionsInWriteOrder) {
    ASSERT_EQ(settings().size(), 54);
    Values values;
    int n = 0;
    for (const Setting& s : settings()) {
        ++n;
        switch (s.form) {
        case Form::Text: values[s.id()] = QStringLiteral("表題 %1").arg(n); break;
        case Form::Colour: values[s.id()] = n % 2 ? QStringLiteral("#FF8000") : QStringLiteral("Red"); break;
        case Form::Integer: values[s.id()] = QString::number(n); break;
        case Form::Flag: values[s.id()] = QString::number(n % 2); break;
        case Form::Choice: values[s.id()] = s.choice.words.last(); break;
        }
    }
    TempFolder tmp;
    const QString file = tmp.file("Set.ini");
    ASSERT_TRUE(write(file, values));
    EXPECT_EQ(read(file), values);
    EXPECT_EQ(Profile::sectionNames(file),
              QStringList({"General", "Body", "DayList", "Calender", "Contents", "PageMoveLink", "CalenderWindow"}));
}

TEST(DesignSetFile, StoredValuesChooseOptionsByTheReadersRules) {
    struct Case {
        const char* section;
        const char* key;
        const char* stored;  // nullptr: key missing
        int option;          // -1: the group keeps what it showed
    };
    const Case cases[] = {
        {"Calender", "Type", "1", 0},          {"Calender", "Type", "2", 1},
        {"Calender", "Type", "0", 1},          {"Calender", "Type", nullptr, 1},
        {"Contents", "HTMLType", nullptr, 0},  {"Contents", "HTMLType", "1", 1},
        {"Contents", "HTMLType", "5", -1},     {"PageMoveLink", "Align", "right", 0},
        {"PageMoveLink", "Align", "Right", 2}, {"PageMoveLink", "Language", "english", 1},
        {"PageMoveLink", "Language", "English", 0}, {"General", "TitleAlign", "center", -1},
        {"General", "TitleAlign", "Left", 1},  {"DayList", "Type", "Table", 1},
        {"DayList", "Type", nullptr, -1},
    };
    TempFolder tmp;
    for (const Case& c : cases) {
        const QString file = tmp.file("case.ini");
        Files::removeFile(file);
        if (c.stored) Profile::writeString(file, c.section, c.key, c.stored);
        const Setting& s = setting(c.section, c.key);
        EXPECT_EQ(optionFor(s.choice, read(file).value(s.id())), c.option) << c.key << " " << (c.stored ? c.stored : "-");
    }
}

TEST(DesignSetFile, ReadsMissingKeysAsDefaultsAndNumbersByTheirLeadingDigits) {
    TempFolder tmp;
    const QString file = tmp.writeText("Set.ini",
                                       "[GENERAL]\nHPTitle=日記の表紙\nUseLog=1\n[DayList]\nMarginLeft=abc\n"
                                       "[Calender]\nBorderSize=12px\n");
    const Values v = read(file);
    EXPECT_EQ(v["General/HPTitle"], "日記の表紙");
    EXPECT_EQ(v["General/UseLog"], "1");
    EXPECT_EQ(v["DayList/MarginLeft"], "0");
    EXPECT_EQ(v["Calender/BorderSize"], "12");
    EXPECT_EQ(v["Body/TextColor"], "");
    EXPECT_EQ(v["Contents/TableWidth"], "0");
    EXPECT_EQ(read(tmp.file("missing.ini")).value("General/StyleSheetURL", "x"), "");
}

TEST(DesignSetFile, WritingKeepsKeysItDoesNotOwnAndGroupsWithoutAChoice) {
    TempFolder tmp;
    const QString file = tmp.writeText("Set.ini",
                                       "; hand-made\n[General]\nUseCategory=1\nHeadTag=head\nTitleAlign=Right\n"
                                       "[Calender]\nFirstDayOfWeek=2\n");
    Values v;
    v["General/HPTitle"] = "";
    v["General/TitleAlign"] = wordFor(setting("General", "TitleAlign").choice, -1);
    v["DayList/Type"] = wordFor(setting("DayList", "Type").choice, -1);
    v["Calender/Type"] = wordFor(setting("Calender", "Type").choice, -1);
    ASSERT_TRUE(write(file, v));
    EXPECT_EQ(Profile::readString(file, "General", "UseCategory"), "1");
    EXPECT_EQ(Profile::readString(file, "General", "HeadTag"), "head");
    EXPECT_EQ(Profile::readString(file, "General", "TitleAlign"), "Right");
    EXPECT_EQ(Profile::readString(file, "Calender", "FirstDayOfWeek"), "2");
    EXPECT_EQ(Profile::readString(file, "DayList", "Type", "none"), "Table");
    EXPECT_EQ(Profile::readString(file, "Calender", "Type", "none"), "2");
    EXPECT_EQ(Profile::readString(file, "General", "HPTitle", "none"), "");
    EXPECT_FALSE(Profile::keyNames(file, "General").contains("HeadTag_Div_Log"));
    EXPECT_TRUE(Files::readText(file).startsWith("; hand-made"));
}

TEST(DesignSetFolder, ListsSetsAndBlocksByName) {
    TempFolder tmp;
    for (const char* name : {"Customize/Customize.ini", "Customize/RSS.ini", "Customize/rss.ini", "Customize/b.INI",
                             "Customize/Head.htm", "Customize/foot.htm", "Customize/notes.txt"})
        tmp.write(name, "");
    EXPECT_EQ(DesignSets::names(tmp.path()), QStringList({"b", "Customize", "rss"}));
    EXPECT_EQ(TextBlocks::names(tmp.path()), QStringList({"foot", "Head"}));
    EXPECT_EQ(DesignSets::nameOf(tmp.file("Customize/Customize.ini")), "Customize");
    // A listed name is opened as the file behind it.
    EXPECT_EQ(DesignSets::setPath(tmp.path(), "b"), tmp.file("Customize/b.INI"));
    EXPECT_EQ(DesignSets::setPath(tmp.path(), "new"), tmp.file("Customize/new.ini"));
    tmp.write("Customize/Up.HTM", "");
    EXPECT_EQ(TextBlocks::path(tmp.path(), "Up"), tmp.file("Customize/Up.HTM"));
}

TEST(TextBlockFile, ShowingAndSavingABlockKeepsItsBytes) {
    TempFolder tmp;
    Files::makeFolder(tmp.file("Customize"));
    ASSERT_TRUE(TextBlocks::save(tmp.path(), "X", "abc"));
    EXPECT_EQ(tmp.read("Customize/X.htm"), QByteArray("abc\r\n"));
    const QString shown = TextBlocks::load(tmp.path(), "X");
    EXPECT_EQ(shown, "abc");
    ASSERT_TRUE(TextBlocks::save(tmp.path(), "X", shown));
    EXPECT_EQ(tmp.read("Customize/X.htm"), QByteArray("abc\r\n"));
    ASSERT_TRUE(TextBlocks::save(tmp.path(), "X", shown + "\nd😀"));
    EXPECT_EQ(tmp.read("Customize/X.htm"), QByteArray("abc\r\nd&#x1F600;\r\n"));
    EXPECT_EQ(TextBlocks::load(tmp.path(), "missing"), "");

    // Hand-made files, with or without the closing line break, round-trip.
    for (const QByteArray& bytes : {QByteArray("hand"), QByteArray("a\r\n\r\n"), QByteArray("")}) {
        tmp.write("Customize/H.htm", bytes);
        ASSERT_TRUE(TextBlocks::save(tmp.path(), "H", TextBlocks::load(tmp.path(), "H")));
        EXPECT_EQ(tmp.read("Customize/H.htm"), bytes) << bytes.constData();
    }
}

TEST(TextBlockKeys, CategoriesNameTheirKeys) {
    using TextBlocks::Key;
    struct Case {
        const char* caption;
        bool log, left;
        const char* position;
        const char* section;
        const char* key;
    };
    const Case upDown[] = {
        {"上下追加テキスト", false, false, "Head", "Body", "UpText"},
        {"上下追加テキスト(分割用)", false, false, "Foot", "Body", "DownText_Div"},
        {"上下追加テキスト(Log)", true, false, "Foot", "Body", "DownText_Log"},
        {"上下追加テキスト(分割用Log)", true, false, "Head", "Body", "UpText_Div_Log"},
        {"左側フレーム(上下追加テキスト)", false, true, "Foot", "CalenderWindow", "DownText"},
        {"左側フレーム(上下追加テキスト)", false, true, "", "", ""},
        {"Calender", false, false, "Head", "", ""},
    };
    for (const Case& c : upDown) {
        const Key k = TextBlocks::upDownKey(c.caption, c.log, c.left, c.position);
        EXPECT_EQ(k.section, c.section) << c.caption;
        EXPECT_EQ(k.key, c.key) << c.caption;
        if (k.isValid()) {
            EXPECT_EQ(TextBlocks::deletionKey(c.caption, c.log, c.left, c.position).key, k.key);
        }
    }
    EXPECT_EQ(TextBlocks::headKey("Head", false).key, "HeadTag");
    EXPECT_EQ(TextBlocks::headKey("Head(分割用)", false).key, "HeadTag_Div");
    EXPECT_EQ(TextBlocks::headKey("左側フレーム(Head)", true).section, "CalenderWindow");
    EXPECT_FALSE(TextBlocks::headKey("全般", false).isValid());
}

TEST(ActiveSetChoice, RecordsTheSetAndRewritesThePreviewPage) {
    TempFolder tmp;
    Shell::SharedState saved = Shell::state();
    Shell::MainWindowHooks savedHooks = Shell::hooks();
    int previews = 0;
    Shell::hooks().saveTmpFile = [&] { ++previews; };
    Shell::state().DataPath = tmp.file("data/");
    Shell::state().RaravIniFile = tmp.file("rarav.ini");
    Shell::state().CustIniFile = tmp.file("data/Customize/Customize.ini");

    DesignSets::chooseActiveSet("");
    EXPECT_EQ(previews, 0);
    EXPECT_FALSE(Files::exists(tmp.file("rarav.ini")));

    DesignSets::chooseActiveSet("夏");
    EXPECT_EQ(Shell::state().CustIniFile, tmp.file("data/Customize/夏.ini"));
    EXPECT_EQ(RaravIni::read(tmp.file("rarav.ini"), RaravIni::CustomizeIniFileName), tmp.file("data/Customize/夏.ini"));
    EXPECT_EQ(previews, 1);
    Shell::state() = saved;
    Shell::hooks() = savedHooks;
}

TEST(DesignPreviewPage, FirstPreviewReusesTheMainPreviewAndWritesTheClocksMonth) {
    QStringList written;
    DesignPreview::setMonthPageWriter([&](const QString& page, const QString& month) {
        written << page + " " + month;
        Files::writeText(page, "new");
    });
    Clock::set(QDateTime(QDate(2026, 3, 9), QTime(12, 0)));
    struct Case {
        bool customize, tmp;
        const char* expected;  // Customize.htm afterwards ("" when missing)
        int writes;
    };
    for (const Case& c : {Case{true, true, "new", 1}, Case{false, true, "main", 0}, Case{true, false, "", 0}}) {
        TempFolder data;
        if (c.customize) data.writeText("Preview/Customize.htm", "old");
        if (c.tmp) data.writeText("Preview/tmp.htm", "main");
        written.clear();
        DesignPreview::prepare(data.path());
        EXPECT_EQ(Files::readText(data.file("Preview/Customize.htm")), c.expected);
        EXPECT_EQ(written.size(), c.writes);
        if (c.writes) {
            EXPECT_EQ(written.first(), data.file("Preview/Customize.htm") + " 2026/03");
        }
    }
    Clock::reset();
    DesignPreview::setMonthPageWriter({});
}
