#include "design/site_settings.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "core/shared_state.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

class SiteSettingsFiles : public ::testing::Test {
protected:
    void SetUp() override {
        saved = Shell::state();
        Shell::state().FrameIniFile = tmp.file("Frame.ini");
        Shell::state().RSSIniFile = tmp.file("RSS.ini");
        Shell::state().HaloScanIniFile = tmp.file("HaloScan.ini");
        Shell::state().BlogIniFile = tmp.file("Blog.ini");
    }
    void TearDown() override { Shell::state() = saved; }
    TempFolder tmp;
    Shell::SharedState saved;
};

}  // namespace

TEST_F(SiteSettingsFiles, MissingFilesReadAsDefaultsWhichAnApplyWritesOut) {
    ASSERT_TRUE(SiteSettings::write(SiteSettings::read()));
    EXPECT_EQ(tmp.read("Frame.ini"),
              QByteArray("[Divide]\r\nRaravDivide=0\r\nRaravTerm=31\r\nRaravOnTop=0\r\nTopLink=PageTop\r\nLogDivide=0\r\n"
                         "UseFileName2Day=0\r\n[Frame]\r\nFrameOn=0\r\nCalenderFrameSize=\r\nBorder=\r\nScrolling=0\r\n"
                         "Resize=0\r\n"));
    EXPECT_EQ(Files::readText(tmp.file("RSS.ini")),
              "[General]\r\nRSSOn=0\r\n[Setting]\r\nTitle=日記\r\nHPURL=\r\nRaravURL=\r\nDescription=日記です。\r\n"
              "[RSS2.0]\r\nManagingAuthor=\r\nWebMaster=\r\n[ATOM]\r\nAuthor=\r\n");
    EXPECT_EQ(tmp.read("HaloScan.ini"), QByteArray("[GENERAL]\r\nHaloScanOn=0\r\nUserName=\r\n"));
    EXPECT_EQ(tmp.read("Blog.ini"), QByteArray("[SIMPLE]\r\nStatus=1\r\nAcceptComment=1\r\nAcceptTrackBack=1\r\n"
                                               "[PandBRTag]\r\nType=1\r\n"));
}

TEST_F(SiteSettingsFiles, HandEditedValuesComeBackAsTheWindowCanShowThem) {
    tmp.writeText("Frame.ini", "[Divide]\nRaravTerm=0\nTopLink=toppage\n[Frame]\nBorder=2px\nFrameOn=1\n");
    tmp.writeText("RSS.ini", "[general]\nRSSOn=1\n[Setting]\nTitle=\n");
    SiteSettings::Values v = SiteSettings::read();
    EXPECT_EQ(v.RaravTerm, "31");
    EXPECT_FALSE(v.TopLinkToTopPage);
    EXPECT_EQ(v.Border, "2px");
    EXPECT_TRUE(v.FrameOn);
    EXPECT_TRUE(v.RSSOn);
    EXPECT_EQ(v.Title, "");
    ASSERT_TRUE(SiteSettings::write(v));
    EXPECT_EQ(Profile::readString(tmp.file("Frame.ini"), "Divide", "TopLink"), "PageTop");
    EXPECT_EQ(Profile::readString(tmp.file("Frame.ini"), "Divide", "RaravTerm"), "31");
    EXPECT_EQ(Profile::readInt(tmp.file("Frame.ini"), "Frame", "Border"), 2);
    v.TopLinkToTopPage = true;
    SiteSettings::write(v);
    EXPECT_TRUE(SiteSettings::read().TopLinkToTopPage);
}
