#include "design/frm_customize_selection.h"

#include "design/design_sets.h"
#include "design/frm_customize.h"
#include "core/browser_pages.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "core/window_place.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
using WindowPlace::kTwipsPerPixel;
}

frmCustomizeSelection::frmCustomizeSelection(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCustomizeSelection"));
    setWindowTitle(QStringLiteral("カスタマイズセットの選択"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("使用するカスタマイズセットを選択してください。"), this));
    cmbSelectCustomize = new QComboBox(this);
    cmbSelectCustomize->setObjectName(QStringLiteral("cmbSelectCustomize"));
    layout->addWidget(cmbSelectCustomize);
    auto* buttons = new QHBoxLayout;
    Btn_OK = new QPushButton(QStringLiteral("OK"), this);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_Cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    layout->addLayout(buttons);
    connect(Btn_OK, &QPushButton::clicked, this, &frmCustomizeSelection::Btn_OK_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &frmCustomizeSelection::Btn_Cancel_Click);
}

void frmCustomizeSelection::Form_Load() {
    const Shell::SharedState& s = Shell::state();
    move(RaravIni::read(s.RaravIniFile, RaravIni::CstSlctWindowPosLeft) / kTwipsPerPixel,
         RaravIni::read(s.RaravIniFile, RaravIni::CstSlctWindowPosTop) / kTwipsPerPixel);
    cmbSelectCustomize->clear();
    cmbSelectCustomize->addItems(DesignSets::names(s.DataPath));
    cmbSelectCustomize->setCurrentIndex(cmbSelectCustomize->findText(DesignSets::nameOf(s.CustIniFile)));
}

void frmCustomizeSelection::Btn_OK_Click() {
    // An empty list (no set at all) records nothing.
    DesignSets::chooseActiveSet(cmbSelectCustomize->currentText());
    accept();
}

void frmCustomizeSelection::Btn_Cancel_Click() { reject(); }

void frmCustomizeSelection::done(int result) {
    const QString ini = Shell::state().RaravIniFile;
    RaravIni::write(ini, RaravIni::CstSlctWindowPosLeft, x() * kTwipsPerPixel);
    RaravIni::write(ini, RaravIni::CstSlctWindowPosTop, y() * kTwipsPerPixel);
    QDialog::done(result);
}

namespace DesignWindows {

void MnuCustomizeSelect_Click() {
    {
        frmCustomizeSelection dialog;
        dialog.Form_Load();
        dialog.exec();
    }
    // Whatever the dialog did, the main preview is shown again.
    const Shell::SharedState& s = Shell::state();
    Shell::setStatusText(QStringLiteral("Webページ表示中..."));
    if (Shell::hooks().navigateBrowser)
        Shell::hooks().navigateBrowser(BrowserPages::page(QStringLiteral("tmp.htm#")) + s.EnterDay);
}

}  // namespace DesignWindows
