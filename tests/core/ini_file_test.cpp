#include "core/ini_file.h"
#include "core/rarav_ini.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(IniFile, TrimNullAndRawRead) {
    EXPECT_EQ(IniFile::TrimNull(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(IniFile::TrimNull(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")), QStringLiteral("ab"));
    EXPECT_EQ(IniFile::TrimNull(QString(QChar(0)) + QStringLiteral("x")), QString());
    TempFolder t;
    const QString ini = t.file("a.ini");
    IniFile::WriteIniString(ini, "S", "k", "abc");
    EXPECT_EQ(IniFile::TrimNull(IniFile::GetIniStringRaw(ini, "S", "k")), QStringLiteral("abc"));
    EXPECT_EQ(IniFile::GetIniStringRaw(ini, "S", "none"), QString());
}

TEST(IniFile, IntegerReadsAndSectionNames) {
    TempFolder t;
    const QString ini = t.writeText("b.ini", "[A]\nn=-5\nw=abc\n[B]\n");
    EXPECT_EQ(IniFile::GetIniInt(ini, "a", "N"), -5);
    EXPECT_EQ(IniFile::GetIniInt(ini, "A", "w"), 0);
    EXPECT_EQ(IniFile::GetIniIntDefault(t.file("none.ini"), "A", "n", 1), 1);
    EXPECT_EQ(IniFile::GetIniSectionNames(ini), (QStringList{"A", "B"}));
}

TEST(RaravIni, KeysAreFoundWhateverCaseTheyWereWrittenIn) {
    TempFolder t;
    const QString ini = t.file("rarav.ini");
    // The options window writes P_TagAdd under RaravEditer; the editor reads
    // it under raravEditer.
    IniFile::WriteIniString(ini, "RaravEditer", "P_TagAdd", "<p>");
    EXPECT_EQ(RaravIni::read(ini, RaravIni::P_TagAdd), QStringLiteral("<p>"));
    // Defaults of keys that were never written.
    EXPECT_EQ(RaravIni::read(ini, RaravIni::CalenderBlog), QStringLiteral("mixi"));
    EXPECT_EQ(RaravIni::read(ini, RaravIni::EditerTop), 3250);
    EXPECT_EQ(RaravIni::read(ini, RaravIni::BrowserLeft), 4185);
    EXPECT_EQ(RaravIni::read(ini, RaravIni::ContentsFontSize), 12);
    EXPECT_EQ(RaravIni::read(ini, RaravIni::WindowPosition), 0);
}

}  // namespace
