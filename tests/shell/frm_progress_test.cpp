#include "shell/frm_about.h"
#include "shell/frm_progress.h"
#include "tests/support/temp_folder.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(ProgressWindow, ClosesOnlyWhenAllowed) {
    frmProgress* w = frmProgress::instance();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ProgressWindow"));
    EXPECT_FALSE(w->EnableBatsuBtn);
    w->show();
    w->close();
    w->reject();  // Escape
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(frmProgress::instance(), w);

    w->EnableBatsuBtn = true;
    w->close();
    EXPECT_FALSE(frmProgress::exists());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A new window starts locked again; OK always closes it.
    frmProgress* next = frmProgress::instance();
    EXPECT_FALSE(next->EnableBatsuBtn);
    next->show();
    next->Btn_OK->click();
    EXPECT_FALSE(frmProgress::exists());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(ProgressWindow, ShutDownClosesItWhateverTheFlag) {
    frmProgress::instance()->show();
    frmProgress::unload();
    EXPECT_FALSE(frmProgress::exists());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frmProgress::unload();  // nothing open: nothing happens
}

TEST(AboutWindow, ShowsNameAndVersion) {
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Quillbyのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Quillby  Version 1.7.1"));
    bool opened = false;
    about.onAboutLabel = [&] { opened = !about.isVisible(); };
    about.show();
    about.lblURL_Click();
    EXPECT_TRUE(opened);  // the window was closed before the page opened
}

TEST(Splash, ShowsItsLabelsWithOrWithoutThePicture) {
    TempFolder t;
    {
        StartForm plain(t.path());
        EXPECT_FALSE(plain.hasPicture());
        EXPECT_EQ(plain.Label3->text(), QStringLiteral("日記作成支援ソフト"));
        EXPECT_EQ(plain.Label2->text(), QStringLiteral("Quillby"));
        EXPECT_EQ(plain.size(), QSize(480, 270));
    }
    QImage picture(480, 270, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    picture.save(t.file(QStringLiteral("title.bmp")));
    StartForm pictured(t.path());
    EXPECT_TRUE(pictured.hasPicture());
    t.write(QStringLiteral("broken/title.bmp"), "not a picture");
    StartForm broken(t.path() + QStringLiteral("broken/"));
    EXPECT_FALSE(broken.hasPicture());
}

}  // namespace
