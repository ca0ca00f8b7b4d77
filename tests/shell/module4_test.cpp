#include "shell/module4.h"
#include "shell/rarav_ini.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(Module4, TrimNullAndRawRead) {
    EXPECT_EQ(Module4::TrimNull(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(Module4::TrimNull(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")), QStringLiteral("ab"));
    EXPECT_EQ(Module4::TrimNull(QString(QChar(0)) + QStringLiteral("x")), QString());
    TempFolder t;
    const QString ini = t.file("a.ini");
    Module4::WriteIniString(ini, "S", "k", "abc");
    EXPECT_EQ(Module4::TrimNull(Module4::GetIniStringRaw(ini, "S", "k")), QStringLiteral("abc"));
    EXPECT_EQ(Module4::GetIniStringRaw(ini, "S", "none"), QString());
}

TEST(Module4, IntegerReadsAndSectionNames) {
    TempFolder t;
    const QString ini = t.writeText("b.ini", "[A]\nn=-5\nw=abc\n[B]\n");
    EXPECT_EQ(Module4::GetIniInt(ini, "a", "N"), -5);
    EXPECT_EQ(Module4::GetIniInt(ini, "A", "w"), 0);
    EXPECT_EQ(Module4::GetIniIntDefault(t.file("none.ini"), "A", "n", 1), 1);
    EXPECT_EQ(Module4::GetIniSectionNames(ini), (QStringList{"A", "B"}));
}

TEST(RaravIni, KeysAreFoundWhateverCaseTheyWereWrittenIn) {
    TempFolder t;
    const QString ini = t.file("rarav.ini");
    // The options window writes P_TagAdd under RaravEditer; the editor reads
    // it under raravEditer.
    Module4::WriteIniString(ini, "RaravEditer", "P_TagAdd", "<p>");
    EXPECT_EQ(RaravIni::read(ini, RaravIni::P_TagAdd), QStringLiteral("<p>"));
    // Defaults of keys that were never written.
    EXPECT_EQ(RaravIni::read(ini, RaravIni::CalenderBlog), QStringLiteral("mixi"));
    EXPECT_EQ(RaravIni::read(ini, RaravIni::EditerTop), 3250);
    EXPECT_EQ(RaravIni::read(ini, RaravIni::BrowserLeft), 4185);
    EXPECT_EQ(RaravIni::read(ini, RaravIni::ContentsFontSize), 12);
    EXPECT_EQ(RaravIni::read(ini, RaravIni::WindowPosition), 0);
}

}  // namespace
