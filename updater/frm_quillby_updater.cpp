#include "updater/frm_quillby_updater.h"

#include "platform/files.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "core/c_execute.h"
#include "core/shared_state.h"
#include "updater/update_apply.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

QuillbyUpdater::QuillbyUpdater() {
    setObjectName(QStringLiteral("QuillbyUpdater"));
    txtStatus = new QPlainTextEdit(this);
    txtStatus->setObjectName(QStringLiteral("txtStatus"));
    txtStatus->setReadOnly(true);
    chkDelAfterUpdate = new QCheckBox(QStringLiteral("Update後Patchを削除する。"), this);
    chkDelAfterUpdate->setObjectName(QStringLiteral("chkDelAfterUpdate"));
    Btn_Update = new QPushButton(QStringLiteral("Update"), this);
    Btn_Update->setObjectName(QStringLiteral("Btn_Update"));
    Btn_Exit = new QPushButton(QStringLiteral("Exit"), this);
    Btn_Exit->setObjectName(QStringLiteral("Btn_Exit"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkDelAfterUpdate, 1);
    buttons->addWidget(Btn_Update);
    buttons->addWidget(Btn_Exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtStatus, 1);
    layout->addLayout(buttons);
    resize(420, 300);

    connect(Btn_Update, &QPushButton::clicked, this, &QuillbyUpdater::Btn_Update_Click);
    connect(Btn_Exit, &QPushButton::clicked, this, &QuillbyUpdater::Btn_Exit_Click);
}

void QuillbyUpdater::Form_Load(const QString& myPath) {
    MyPath = ProgramFolder::withSlash(myPath);
    version_ = Shell::versionText();
    setWindowTitle(QStringLiteral("Quillby Updater Version ") + version_);
    Updater::recordOwnVersion();
    chkDelAfterUpdate->setChecked(true);
    // The archive library is linked into this program, so it is always found.
    status_.clear();
    appendStatus(QStringLiteral("Quillby Updater Ver") + version_ + QStringLiteral("\r\nThis program needs \"liblhasa\". \r\n") +
                 QStringLiteral("\"liblhasa\" is found!\r\n"));
}

void QuillbyUpdater::Btn_Update_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setControlsEnabled(false);
    running_ = true;
    bool updated = false;
    try {
        updated = Updater::applyUpdate(MyPath, chkDelAfterUpdate->isChecked(),
                                       [this](const QString& text) { appendStatus(text); });
    } catch (const std::exception&) {
        running_ = false;
        QApplication::restoreOverrideCursor();
        Prompts::MsgBox(QStringLiteral("Unlha32.dllをインストールしていない可能性があります。\r\n"
                                       "インストールしている場合はバグの可能性がありますので、作者にご連絡下さい。"),
                        Prompts::vbCritical, Updater::kApplicationTitle);
        setControlsEnabled(true);
        return;
    }
    running_ = false;
    QApplication::restoreOverrideCursor();
    if (updated && Prompts::MsgBox(QStringLiteral("Quillbyを起動しますか？"), Prompts::vbYesNo,
                                   QStringLiteral("QuillbyUpdater")) == Prompts::vbYes) {
        // An installed program lies on the search path rather than here.
        const QString program = MyPath + Updater::kProgram;
        cExecute().ShellX(QFileInfo(program).isFile() ? program : Updater::kProgram, 2, false);
        close();
        return;
    }
    setControlsEnabled(true);
}

void QuillbyUpdater::Btn_Exit_Click() { close(); }

void QuillbyUpdater::closeEvent(QCloseEvent* event) {
    if (running_) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void QuillbyUpdater::appendStatus(const QString& text) {
    status_ += text;
    txtStatus->setPlainText(Files::toLf(status_));
    txtStatus->verticalScrollBar()->setValue(txtStatus->verticalScrollBar()->maximum());
}

void QuillbyUpdater::setControlsEnabled(bool enabled) {
    Btn_Update->setEnabled(enabled);
    Btn_Exit->setEnabled(enabled);
    chkDelAfterUpdate->setEnabled(enabled);
}
