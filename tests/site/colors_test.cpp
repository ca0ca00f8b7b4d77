#include "site/colors.h"

#include "platform/runtime_error.h"
#include "core/shared_state.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

TEST(Colors, ColorToHexAndBack) {
    struct Case { quint32 value; const char* hex; };
    for (const Case& k : {Case{0, "000000"}, {255, "FF0000"}, {16744448, "0080FF"}, {0x0A0B0C, "0C0B0A"},
                          {0xFFFFFF, "FFFFFF"}, {0xFF0080FF, "FF8000"}}) {
        EXPECT_EQ(Colors::ColorToHex(k.value).toStdString(), k.hex) << k.value;
        EXPECT_EQ(quint32(Colors::HexToColor(QLatin1String(k.hex))), k.value & 0xFFFFFF) << k.hex;
    }
    EXPECT_EQ(Colors::HexToColor(QStringLiteral("ff8000")), 33023);
    EXPECT_EQ(Colors::HexToColor(QStringLiteral("FF8000")), 33023);
    EXPECT_EQ(Colors::HexToColor(QStringLiteral("aBcDeF")), 0xEFCDAB);
}

TEST(Colors, HexToColorRefusesWhatIsNotSixHexDigits) {
    for (const char* bad : {"", "#FF0000", "FF00", "FF00000", "GG0000", "FF 000", "12345z"}) {
        try {
            Colors::HexToColor(QLatin1String(bad));
            ADD_FAILURE() << "no error for " << bad;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number, ErrorNumber::TypeMismatch) << bad;
        }
    }
}

TEST(Colors, LookupColorName) {
    TempFolder dir;
    const QString csv = dir.writeText(QStringLiteral("colorname.csv"),
                                      QStringLiteral("RED,#FF0000\n"
                                                     "\"Navy Blue\" , \"#000080\"\n"
                                                     "  green  ,  #008000  ,extra\n"
                                                     "\n"
                                                     "lonely\n"
                                                     "scarlet,#ff0000\n"
                                                     "空色,#87CEEB\n"));
    struct Case { const char* text; const char* expected; };
    for (const Case& k : {Case{"#FF0000", "RED"}, {"#ff0000", "RED"}, {"Red", "#FF0000"}, {"red", "#FF0000"},
                          {"NAVY BLUE", "#000080"}, {"#000080", "Navy Blue"}, {"Green", "#008000"},
                          {"#008000", "green"}, {"空色", "#87CEEB"}, {"#87ceeb", "空色"},
                          {"blue", "Nothing"}, {"#123456", "Nothing"}, {"", "Nothing"}, {"lonely", "Nothing"},
                          {"#XYZ", "Error"}, {"#", "Error"}, {"#123456789", "Error"}}) {
        EXPECT_EQ(Colors::LookupColorName(QString::fromUtf8(k.text), csv).toStdString(), k.expected) << k.text;
    }
}

TEST(Colors, MissingListIsFileNotFoundButBadNumbersStillGiveError) {
    TempFolder dir;
    Shell::state().MyPath = dir.path();
    EXPECT_EQ(Colors::LookupColorName(QStringLiteral("#XYZ")), QStringLiteral("Error"));
    try {
        Colors::LookupColorName(QStringLiteral("red"));
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number, ErrorNumber::FileNotFound);
    }
    Shell::state().MyPath = QStringLiteral(RARAV_SOURCE_DIR "/dist/");
    EXPECT_EQ(Colors::LookupColorName(QStringLiteral("Red")), QStringLiteral("#FF0000"));
    EXPECT_EQ(Colors::LookupColorName(QStringLiteral("#00ffff")), QStringLiteral("aqua"));
    EXPECT_EQ(Colors::LookupColorName(QStringLiteral("RebeccaPurple")), QStringLiteral("#663399"));
    Shell::state().MyPath.clear();
}
