#include "shell/frm_db_updater.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
frmDBUpdater*& theWindow() {
    static frmDBUpdater* w = nullptr;
    return w;
}
}  // namespace

frmDBUpdater* frmDBUpdater::instance() {
    if (!theWindow()) theWindow() = new frmDBUpdater();
    return theWindow();
}

bool frmDBUpdater::exists() { return theWindow() != nullptr; }

void frmDBUpdater::unload() { delete theWindow(); }

frmDBUpdater::frmDBUpdater() {
    setObjectName(QStringLiteral("frmDBUpdater"));
    setWindowTitle(QStringLiteral("Quillby DB Updater"));
    txtStatus = new QPlainTextEdit(this);
    txtStatus->setObjectName(QStringLiteral("txtStatus"));
    txtStatus->setReadOnly(true);
    txtStatus->setPlainText(QStringLiteral("アップデートを開始します。"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtStatus, 1);
    layout->addWidget(ProgressBar1);
    resize(360, 260);
}

frmDBUpdater::~frmDBUpdater() {
    if (theWindow() == this) theWindow() = nullptr;
}

void frmDBUpdater::log(const QString& line) {
    txtStatus->appendPlainText(line);
    txtStatus->verticalScrollBar()->setValue(txtStatus->verticalScrollBar()->maximum());
}

void frmDBUpdater::setMaximum(int maximum) {
    ProgressBar1->setMaximum(maximum);
    ProgressBar1->setValue(0);
}

void frmDBUpdater::setValue(int value) { ProgressBar1->setValue(qMin(value, ProgressBar1->maximum())); }
