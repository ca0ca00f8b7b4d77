#pragma once
// The shared progress window as the upload and the update download report
// through it.
#include "publish/upload_progress.h"
#include "web/http_source.h"

class ProgressWindowUpload : public Publish::UploadProgress {
public:
    ProgressWindowUpload();
    void setCaption(const QString& caption) override;
    void setTitle(const QString& title) override;
    void setText(const QString& text) override;
    QString text() const override;
    void setMaximum(int maximum) override;
    void setValue(int value) override;
    void setOkEnabled(bool enabled) override;
    void setEnableBatsuBtn(bool enabled) override;
    void yield() override;
    void repaint() override;
    void unload() override;
};

class ProgressWindowDownload : public DownloadProgress {
public:
    void start(const QString& title, const QString& text) override;
    void setText(const QString& text) override;
    void finish(const QString& text) override;
};
