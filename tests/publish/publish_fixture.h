#pragma once
// A user's folders, database and settings for the publishing tests, with the
// main window's shared state pointing at them.
#include "platform/database.h"
#include "publish/upload_progress.h"
#include "tests/support/temp_folder.h"

#include <QStringList>
#include <gtest/gtest.h>

// Records what the upload shows in the progress window.
class RecordingProgress : public Publish::UploadProgress {
public:
    QString caption, title, body;
    QStringList titles, texts;
    int maximum = 0, value = 0, unloads = 0;
    bool ok = true, batsu = true;

    void setCaption(const QString& c) override { caption = c; }
    void setTitle(const QString& t) override {
        title = t;
        titles << t;
    }
    void setText(const QString& t) override {
        body = t;
        texts << t;
    }
    QString text() const override { return body; }
    void setMaximum(int m) override { maximum = m; }
    void setValue(int v) override { value = v; }
    void setOkEnabled(bool e) override { ok = e; }
    void setEnableBatsuBtn(bool e) override { batsu = e; }
    void yield() override {}
    void repaint() override {}
    void unload() override { ++unloads; }
};

class PublishFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString userPath() const { return user.path(); }
    QString dataPath() const { return data.path(); }
    QString sitePath() const { return site.path(); }
    QString databasePath() const { return user.file(QStringLiteral("rarav.mdb")); }
    QString iniFile() const { return user.file(QStringLiteral("rarav.ini")); }

    // A FileDB row; returns its FileID.
    qint64 addPart(const QString& name, const QString& day, int number, bool uploaded = false, bool logged = false);
    QList<QVariantList> fileRows(const QString& columns = QStringLiteral("FileName, Day, Number, Uploaded, Logged"));
    // Writes a page into folder and returns its upload-list line.
    QString page(const QString& folder, const QString& name, const QString& body = QStringLiteral("<p>x</p>"));
    // The upload-list line of a file already in folder.
    static QString listLine(const QString& folder, const QString& name);
    void writeList(const QString& name, const QStringList& lines);

    TempFolder user, data, site;
    QStringList statuses;
    QList<bool> pointers;
    Publish::UploadServices services();
};
