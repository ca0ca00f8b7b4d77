#include "writing/find_conditions.h"

#include <gtest/gtest.h>

namespace {

TEST(FindConditions, ChecksInTheirOrder) {
    using In = FindConditions::Input;
    struct Case {
        In input;
        const char* messageStart;  // "" when the search may run
    };
    const Case cases[] = {
        {In{"", true, "x", "y", true, -1}, "検索語が設定されていません。"},
        {In{"k", true, "2005/13/01", "2005/01/01"}, "開始期間が正しく"},
        {In{"k", true, "2005/1/1", "tomorrow"}, "終了期間が正しく"},
        {In{"k", true, "2005/01/05", "2005/01/04"}, "開始と終了期間が逆転しています。"},
        {In{"k", true, "2005/01/05", "2005-1-5"}, ""},
        {In{"k", false, "garbage", "ignored"}, ""},
        {In{"k", false, "", "", true, -1}, "ジャンルが選択されていません。"},
        {In{"k", false, "", "", true, 0}, ""},
    };
    for (const Case& c : cases) {
        const QString message = FindConditions::check(c.input);
        if (*c.messageStart == 0)
            EXPECT_TRUE(message.isEmpty()) << message.toStdString();
        else
            EXPECT_TRUE(message.startsWith(QString::fromUtf8(c.messageStart))) << message.toStdString();
    }
}

TEST(FindConditions, EventAddresses) {
    struct Case {
        const char* address;
        bool event;
        bool close;
    };
    const Case cases[] = {
        {"Event:Close", true, true},   {"event:close", true, true},         {"EVENT:", true, false},
        {"EVENT:OPEN", true, false},   {"EVENTS.htm", false, false},        {"file:///d/findtmp.htm#2006/05/03", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindConditions::isEventAddress(c.address), c.event) << c.address;
        EXPECT_EQ(FindConditions::isCloseEvent(c.address), c.close) << c.address;
    }
}

}  // namespace
