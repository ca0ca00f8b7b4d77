#include "writing/frm_delete_import_rarav.h"

#include "platform/prompts.h"
#include "core/shared_state.h"
#include "writing/frm_contents.h"
#include "writing/genre_list.h"
#include "writing/import_groups.h"
#include "writing/wait_cursor.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPointer<frmDeleteImportRarav> openWindow;
}  // namespace

frmDeleteImportRarav* frmDeleteImportRarav::showWindow() {
    if (!openWindow) openWindow = new frmDeleteImportRarav();
    openWindow->show();
    openWindow->raise();
    openWindow->activateWindow();
    return openWindow;
}

bool frmDeleteImportRarav::exists() { return !openWindow.isNull(); }

frmDeleteImportRarav::frmDeleteImportRarav(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Importした日記を一括で削除します"));
    LabelSetsumei = new QLabel(this);
    LabelSetsumei->setWordWrap(true);
    CmbRaravGroup = new QComboBox(this);
    BtnOK = new QPushButton(QStringLiteral("OK"), this);
    BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelSetsumei);
    layout->addWidget(CmbRaravGroup);
    layout->addLayout(buttons);
    connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOK_Click(); });
    connect(BtnCancel, &QPushButton::clicked, this, [this] { BtnCancel_Click(); });
    Form_Load();
}

void frmDeleteImportRarav::Form_Load() {
    LabelSetsumei->setText(
        QStringLiteral("Importした日記を一括で削除します。\n"
                       "下のコンボボックスから削除したいグループを選択し、OKボタンを押してください。\n"
                       "グループ名の書式は、[ インポートした日付 + インポートしたプログラム名 ] となります。"));
    LoadImportGroups();
}

void frmDeleteImportRarav::LoadImportGroups() {
    CmbRaravGroup->clear();
    WaitCursor wait;
    CmbRaravGroup->addItems(ImportGroups::list(Shell::state().databasePath()));
    CmbRaravGroup->setCurrentIndex(-1);
}

bool frmDeleteImportRarav::DeleteSelectedGroup() {
    const QString group = CmbRaravGroup->currentText();
    if (group.isEmpty()) {
        Prompts::MsgBox(QStringLiteral("削除するグループが選択されていないため、終了します。"), Prompts::vbInformation);
        return false;
    }
    WaitCursor wait;
    ImportGroups::remove(Shell::state().databasePath(), group);
    return true;
}

void frmDeleteImportRarav::BtnOK_Click() {
    if (DeleteSelectedGroup()) {
        frmContents::RebuildGenreList();
        Prompts::MsgBox(QStringLiteral("完了！"));
    }
    close();
}

void frmDeleteImportRarav::BtnCancel_Click() { close(); }
