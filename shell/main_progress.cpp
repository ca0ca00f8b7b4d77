#include "shell/main_progress.h"

#include "shell/frm_progress.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

ProgressWindowUpload::ProgressWindowUpload() {
    frmProgress* w = frmProgress::instance();
    w->show();
    w->raise();
}
void ProgressWindowUpload::setCaption(const QString& caption) { frmProgress::instance()->setWindowTitle(caption); }
void ProgressWindowUpload::setTitle(const QString& title) { frmProgress::instance()->txtTitle->setText(title); }
void ProgressWindowUpload::setText(const QString& text) { frmProgress::instance()->txtText->setPlainText(text); }
QString ProgressWindowUpload::text() const { return frmProgress::instance()->txtText->toPlainText(); }
void ProgressWindowUpload::setMaximum(int maximum) { frmProgress::instance()->ProgressBar1->setMaximum(maximum); }
void ProgressWindowUpload::setValue(int value) { frmProgress::instance()->ProgressBar1->setValue(value); }
void ProgressWindowUpload::setOkEnabled(bool enabled) { frmProgress::instance()->Btn_OK->setEnabled(enabled); }
void ProgressWindowUpload::setEnableBatsuBtn(bool enabled) { frmProgress::instance()->EnableBatsuBtn = enabled; }
void ProgressWindowUpload::yield() { QCoreApplication::processEvents(); }
void ProgressWindowUpload::repaint() { frmProgress::instance()->repaint(); }
void ProgressWindowUpload::unload() { frmProgress::unload(); }

void ProgressWindowDownload::start(const QString& title, const QString& text) {
    frmProgress* w = frmProgress::instance();
    w->txtTitle->setText(title);
    w->txtText->setPlainText(text);
    w->Btn_OK->setEnabled(false);
    w->show();
    w->raise();
}
void ProgressWindowDownload::setText(const QString& text) { frmProgress::instance()->txtText->setPlainText(text); }
void ProgressWindowDownload::finish(const QString& text) {
    frmProgress* w = frmProgress::instance();
    w->txtText->setPlainText(text);
    w->Btn_OK->setEnabled(true);
}
