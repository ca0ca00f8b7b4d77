#include "publish/frm_resist_files.h"

#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "publish/parts_registry.h"
#include "core/file_dialogs.h"
#include "core/ini_file.h"
#include "core/path_parts.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QToolButton>

namespace {

const QString kTitle = QStringLiteral("Resist Files");

struct BusyPointer {
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

frmResistFiles::frmResistFiles(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Resist Other Files"));
    setModal(true);
    txtOpenFile = new QLineEdit(this);
    BtnOpenFolder = new QToolButton(this);
    BtnOpenFolder->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    cmbResisterdDay = new QComboBox(this);
    cmbResisterdDay->setEditable(true);
    BtnResist = new QPushButton(QStringLiteral("Resist"), this);
    ResisterdList = new QListWidget(this);
    ResisterdList->setSortingEnabled(true);
    BtnDelete = new QToolButton(this);
    BtnDelete->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto* frame = new QGroupBox(QStringLiteral("Resist File"), this);
    auto* fl = new QGridLayout(frame);
    fl->addWidget(new QLabel(QStringLiteral("登録するファイル"), frame), 0, 0);
    fl->addWidget(txtOpenFile, 0, 1);
    fl->addWidget(BtnOpenFolder, 0, 2);
    fl->addWidget(new QLabel(QStringLiteral("登録する日"), frame), 1, 0);
    fl->addWidget(cmbResisterdDay, 1, 1);
    fl->addWidget(BtnResist, 1, 2);
    auto* grid = new QGridLayout(this);
    grid->addWidget(frame, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("登録されているファイル"), this), 1, 0);
    grid->addWidget(ResisterdList, 2, 0, 1, 2);
    grid->addWidget(BtnDelete, 3, 0, Qt::AlignLeft);
    grid->addWidget(BtnCancel, 3, 1, Qt::AlignRight);

    connect(BtnResist, &QPushButton::clicked, this, &frmResistFiles::BtnResist_Click);
    connect(BtnDelete, &QToolButton::clicked, this, &frmResistFiles::BtnDelete_Click);
    connect(BtnOpenFolder, &QToolButton::clicked, this, &frmResistFiles::BtnOpenFolder_Click);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void frmResistFiles::ResistFile(const QString& iptFileFullPath, const QString& ResistDay, int ResistDayNumber) {
    Publish::ResistFile(iptFileFullPath, ResistDay, ResistDayNumber);
}

void frmResistFiles::ResistFile2(const QString& iptFileFullPath, const QString& renamedFileName,
                                 const QString& ResistDay, int ResistDayNumber) {
    Publish::ResistFile2(iptFileFullPath, renamedFileName, ResistDay, ResistDayNumber);
}

void frmResistFiles::Form_Load() {
    BusyPointer busy;
    LoadDayList();
    LoadRegisteredList();
}

void frmResistFiles::LoadDayList() {
    cmbResisterdDay->clear();
    cmbResisterdDay->addItems(Publish::registeredDays());
    cmbResisterdDay->setCurrentIndex(0);
}

void frmResistFiles::LoadRegisteredList() {
    ResisterdList->clear();
    for (const Publish::PartRegistration& reg : Publish::partRegistrations()) {
        auto* item = new QListWidgetItem(reg.line());
        // The parts are kept beside the line: a name may hold " : ".
        item->setData(Qt::UserRole, QStringList{reg.Day, QString::number(reg.Number), reg.FileName});
        ResisterdList->addItem(item);
    }
}

void frmResistFiles::BtnResist_Click() {
    if (txtOpenFile->text().isEmpty()) return;
    const QString typed = cmbResisterdDay->currentText().trimmed();
    QString day = typed;
    int number = 0;
    if (typed != QLatin1String("ALL")) {
        static const QRegularExpression form(QStringLiteral("^(\\d{4}/\\d{2}/\\d{2})\\s*:\\s*(\\d{1,5})$"));
        const auto match = form.match(typed);
        if (!match.hasMatch() || match.captured(2).toInt() > 32767) {
            Prompts::MsgBox(QStringLiteral("登録する日は「ALL」か一覧の「日付 : 番号」を選んでください。"),
                            Prompts::vbExclamation, kTitle);
            return;
        }
        day = match.captured(1);
        number = match.captured(2).toInt();
    }
    try {
        BusyPointer busy;
        Publish::ResistFile(txtOpenFile->text(), day, number);
    } catch (const RuntimeError& e) {
        Prompts::MsgBox(e.description, Prompts::vbCritical, kTitle);
    }
    LoadRegisteredList();
}

void frmResistFiles::BtnDelete_Click() {
    using namespace Prompts;
    if (MsgBox(QStringLiteral("本当に削除しますか？"), vbYesNo, kTitle) != vbYes) return;
    QListWidgetItem* item = ResisterdList->currentItem();
    if (!item || !item->isSelected()) return;
    const QStringList parts = item->data(Qt::UserRole).toStringList();
    try {
        BusyPointer busy;
        Publish::removePartRegistration({parts.value(0), parts.value(1).toInt(), parts.value(2)});
    } catch (const RuntimeError& e) {
        MsgBox(e.description, vbCritical, kTitle);
    }
    LoadRegisteredList();
}

void frmResistFiles::BtnOpenFolder_Click() {
    const QString filter = QStringLiteral(
        "Resist Files(*.gif,*.jpg,*.png,*.css)|*.gif;*.jpg;*.png;*.css|GIF Files(*.gif)|*.gif|"
        "JPG Files(*.jpg)|*.jpg|PNG Files(*.png)|*.png|CSS Files(*.css)|*.css|ALL Files(*.*)|*.*");
    const QString start =
        txtOpenFile->text().isEmpty()
            ? IniFile::TrimNull(RaravIni::read(Shell::state().RaravIniFile, RaravIni::FileResistDefaultLoadPath))
            : PathParts::GetFolderPath(txtOpenFile->text());
    const QString chosen = IniFile::TrimNull(FileDialogs::ShowOpenDialog(filter, start));
    if (!chosen.isEmpty()) txtOpenFile->setText(chosen);
}

void frmResistFiles::Form_Unload() {
    RaravIni::write(Shell::state().RaravIniFile, RaravIni::FileResistDefaultLoadPath,
                    PathParts::GetFolderPath(txtOpenFile->text()));
}

void frmResistFiles::done(int result) {
    Form_Unload();
    QDialog::done(result);
}
