#include "publish/frm_resist_logs.h"

#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "publish/log_maker.h"
#include "publish/log_registry.h"
#include "core/file_dialogs.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace {

struct BusyPointer {
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

frmResistLogs::frmResistLogs(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Resist Rarav Logs"));
    setModal(true);
    txtOpenFile = new QLineEdit(this);
    BtnOpenFolder = new QToolButton(this);
    BtnOpenFolder->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    txtYear = new QLineEdit(this);
    cmbMonth = new QComboBox(this);
    for (int m = 1; m <= 12; ++m) cmbMonth->addItem(QString::number(m));
    cmbMonth->setCurrentIndex(-1);
    Btn_Resist = new QPushButton(QStringLiteral("Resist"), this);
    Btn_Resist->setToolTip(QStringLiteral("登録します"));
    ResisterdList = new QListWidget(this);
    BtnDelete = new QToolButton(this);
    BtnDelete->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    BtnDelete->setToolTip(QStringLiteral("選択している項目の消去"));
    Btn_Close = new QPushButton(QStringLiteral("Close"), this);

    auto* frame = new QGroupBox(QStringLiteral("Resist Log"), this);
    auto* fl = new QGridLayout(frame);
    fl->addWidget(new QLabel(QStringLiteral("登録するファイル"), frame), 0, 0);
    fl->addWidget(txtOpenFile, 0, 1, 1, 4);
    fl->addWidget(BtnOpenFolder, 0, 5);
    fl->addWidget(new QLabel(QStringLiteral("登録する年月"), frame), 1, 0);
    fl->addWidget(txtYear, 1, 1);
    fl->addWidget(new QLabel(QStringLiteral("年"), frame), 1, 2);
    fl->addWidget(cmbMonth, 1, 3);
    fl->addWidget(new QLabel(QStringLiteral("月"), frame), 1, 4);
    fl->addWidget(Btn_Resist, 1, 5);
    auto* grid = new QGridLayout(this);
    grid->addWidget(frame, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("登録されているログファイル"), this), 1, 0);
    grid->addWidget(ResisterdList, 2, 0, 1, 2);
    grid->addWidget(BtnDelete, 3, 0, Qt::AlignLeft);
    grid->addWidget(Btn_Close, 3, 1, Qt::AlignRight);

    txtYear->installEventFilter(this);
    connect(Btn_Resist, &QPushButton::clicked, this, &frmResistLogs::Btn_Resist_Click);
    connect(BtnDelete, &QToolButton::clicked, this, &frmResistLogs::BtnDelete_Click);
    connect(BtnOpenFolder, &QToolButton::clicked, this, &frmResistLogs::BtnOpenFolder_Click);
    connect(Btn_Close, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void frmResistLogs::Form_Load() {
    LoadRegisteredList();
    txtYear->setText(QString::number(Clock::today().year()));
}

void frmResistLogs::LoadRegisteredList() {
    BusyPointer busy;
    ResisterdList->clear();
    for (const Publish::LogRegistration& reg : Publish::logRegistrations()) {
        auto* item = new QListWidgetItem(reg.line());
        item->setData(Qt::UserRole, reg.LogFileName);
        ResisterdList->addItem(item);
    }
}

void frmResistLogs::ResistLogFile(const QString& iptFileFullPath, const QString& ResistYear,
                                  const QString& ResistMonth) {
    if (ResistYear.isEmpty() || iptFileFullPath.isEmpty() || ResistMonth.isEmpty()) return;
    Publish::ResistLogFile(iptFileFullPath, ResistYear, ResistMonth);
    RaravIni::write(Shell::state().RaravIniFile, RaravIni::LogResistPath, PathParts::GetFolderPath(txtOpenFile->text()));
}

bool frmResistLogs::txtYear_LostFocus() {
    ++yearChecks_;
    const QString problem = Publish::checkLogYear(txtYear->text());
    if (problem.isEmpty()) return true;
    checkingYear_ = true;
    Prompts::MsgBox(problem, Prompts::vbCritical);
    checkingYear_ = false;
    txtYear->setFocus();
    return false;
}

void frmResistLogs::Btn_Resist_Click() {
    if (txtOpenFile->text().isEmpty()) return;
    // The year is checked here as well: the click can come while the box
    // still holds a refused year.
    if (!txtYear_LostFocus()) return;
    if (!cmbMonth->currentText().isEmpty()) {
        const QString problem = Publish::checkLogMonth(txtYear->text(), cmbMonth->currentText());
        if (!problem.isEmpty()) {
            Prompts::MsgBox(problem, Prompts::vbCritical);
            return;
        }
    }
    try {
        BusyPointer busy;
        ResistLogFile(txtOpenFile->text(), txtYear->text().trimmed(), cmbMonth->currentText());
    } catch (const RuntimeError& e) {
        Prompts::MsgBox(e.description, Prompts::vbCritical);
    }
    LoadRegisteredList();
}

void frmResistLogs::BtnDelete_Click() {
    QListWidgetItem* item = ResisterdList->currentItem();
    if (!item || !item->isSelected()) return;
    try {
        Publish::removeLogRegistration(item->data(Qt::UserRole).toString());
    } catch (const RuntimeError& e) {
        Prompts::MsgBox(e.description, Prompts::vbCritical);
    }
    LoadRegisteredList();
}

void frmResistLogs::BtnOpenFolder_Click() {
    const QString filter = QStringLiteral(
        "HTML Files(*.htm,*.html,*.shtm,*.shtml)|*.htm;*.html;*.shtm;*.shtml|ALL Files(*.*)|*.*");
    const QString start = txtOpenFile->text().isEmpty()
                              ? IniFile::TrimNull(RaravIni::read(Shell::state().RaravIniFile, RaravIni::LogResistPath))
                              : PathParts::GetFolderPath(txtOpenFile->text());
    const QString chosen = FileDialogs::ShowOpenDialog(filter, start);
    if (!chosen.isEmpty()) txtOpenFile->setText(chosen);
}

bool frmResistLogs::eventFilter(QObject* watched, QEvent* event) {
    // Only a move of the focus inside the dialog is checked: the message box
    // itself, another window or closing the dialog must not start a round of
    // messages.
    if (watched == txtYear && event->type() == QEvent::FocusOut && !checkingYear_ && isVisible()) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason) {
            // Deferred so that a click on the register button, which checks
            // the year itself, shows one message, not two.
            const int serial = yearChecks_;
            QTimer::singleShot(0, this, [this, serial] {
                if (isVisible() && !checkingYear_ && serial == yearChecks_) txtYear_LostFocus();
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}
