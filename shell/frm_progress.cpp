#include "shell/frm_progress.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
frmProgress*& theWindow() {
    static frmProgress* w = nullptr;
    return w;
}
}  // namespace

frmProgress* frmProgress::instance() {
    if (!theWindow()) theWindow() = new frmProgress();
    return theWindow();
}

bool frmProgress::exists() { return theWindow() != nullptr; }

void frmProgress::unload() {
    if (!theWindow()) return;
    theWindow()->EnableBatsuBtn = true;
    theWindow()->close();
}

frmProgress::frmProgress() : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("ProgressWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QApplication::windowIcon());
    txtTitle = new QLineEdit(this);
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    txtTitle->setReadOnly(true);
    txtText = new QPlainTextEdit(this);
    txtText->setObjectName(QStringLiteral("txtText"));
    txtText->setReadOnly(true);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    Btn_OK = new QPushButton(QStringLiteral("OK"), this);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtTitle);
    layout->addWidget(txtText, 1);
    layout->addWidget(ProgressBar1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_OK);
    layout->addLayout(buttons);
    connect(Btn_OK, &QPushButton::clicked, this, &frmProgress::Btn_OK_Click);

    // Somewhat larger than the old 311 x 136 pixels, which had no room for
    // today's fonts and margins.
    setFixedSize(360, 200);
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    EnableBatsuBtn = false;
}

frmProgress::~frmProgress() {
    if (theWindow() == this) theWindow() = nullptr;
}

void frmProgress::Btn_OK_Click() {
    EnableBatsuBtn = true;
    close();
}

void frmProgress::closeEvent(QCloseEvent* event) {
    if (!EnableBatsuBtn) {
        event->ignore();
        return;
    }
    if (theWindow() == this) theWindow() = nullptr;
    event->accept();
}

void frmProgress::reject() {
    close();
}
