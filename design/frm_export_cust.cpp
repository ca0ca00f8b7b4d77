#include "design/frm_export_cust.h"

#include "design/design_sets.h"
#include "design/exchange_file.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "core/window_place.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
using WindowPlace::kTwipsPerPixel;

template <class T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
}  // namespace

frmExportCust::frmExportCust(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmExportCust"));
    setWindowTitle(QStringLiteral("カスタマイズファイルのエクスポート"));
    setWindowIcon(QApplication::windowIcon());
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    cmbCustomize = named(new QComboBox(this), "cmbCustomize");
    form->addRow(QStringLiteral("カスタマイズセット"), cmbCustomize);
    layout->addLayout(form);

    auto* kind = new QGroupBox(QStringLiteral("出力形式"), this);
    auto* kindLayout = new QHBoxLayout(kind);
    optIni = named(new QRadioButton(QStringLiteral("バックアップ用（INI）"), kind), "optIni");
    optCst = named(new QRadioButton(QStringLiteral("配布用（CST）"), kind), "optCst");
    kindLayout->addWidget(optIni);
    kindLayout->addWidget(optCst);
    optIni->setChecked(true);
    layout->addWidget(kind);

    auto* author = new QGroupBox(QStringLiteral("作者"), this);
    auto* authorForm = new QFormLayout(author);
    txtName = named(new QLineEdit(author), "txtName");
    txtURL = named(new QLineEdit(author), "txtURL");
    txtEmail = named(new QLineEdit(author), "txtEmail");
    authorForm->addRow(QStringLiteral("名前"), txtName);
    authorForm->addRow(QStringLiteral("URL"), txtURL);
    authorForm->addRow(QStringLiteral("e-mail"), txtEmail);
    layout->addWidget(author);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Btn_Exec = named(new QPushButton(QStringLiteral("実行"), this), "Btn_Exec");
    Btn_Cancel = named(new QPushButton(QStringLiteral("キャンセル"), this), "Btn_Cancel");
    buttons->addWidget(Btn_Exec);
    buttons->addWidget(Btn_Cancel);
    layout->addLayout(buttons);
    connect(Btn_Exec, &QPushButton::clicked, this, &frmExportCust::Btn_Exec_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &frmExportCust::Btn_Cancel_Click);
}

void frmExportCust::Form_Load() {
    const QString ini = Shell::state().RaravIniFile;
    move(RaravIni::read(ini, RaravIni::ExportCustLeft) / kTwipsPerPixel, RaravIni::read(ini, RaravIni::ExportCustTop) / kTwipsPerPixel);
    txtName->setText(RaravIni::read(ini, RaravIni::ExportCustName));
    txtURL->setText(RaravIni::read(ini, RaravIni::ExportCustURL));
    txtEmail->setText(RaravIni::read(ini, RaravIni::ExportCustEMail));
    ListCustomizeSets();
    cmbCustomize->setCurrentIndex(cmbCustomize->count() > 0 ? 0 : -1);
}

void frmExportCust::ListCustomizeSets() {
    cmbCustomize->clear();
    // Every "*.ini" of the folder, "RSS.ini" included: any of them can be handed on.
    const QString folder = DesignSets::folder(Shell::state().DataPath);
    for (const QString& file : Files::listFiles(folder, QStringLiteral("*.ini")))
        cmbCustomize->addItem(DesignSets::nameOf(file));
}

void frmExportCust::Btn_Exec_Click() {
    if (!Prompts::refuseLineBreaks({txtName->text(), txtURL->text(), txtEmail->text()})) return;
    const QString kind = optIni->isChecked()   ? QStringLiteral("INI")
                         : optCst->isChecked() ? QStringLiteral("CST")
                                               : QString();
    const bool ok = ExchangeFile::ExportCustomizeFile(cmbCustomize->currentText(), kind, txtName->text(), txtURL->text(),
                                                  txtEmail->text());
    QApplication::beep();
    Shell::setStatusText(ok ? QStringLiteral("カスタマイズファイルの出力に成功しました。")
                            : QStringLiteral("カスタマイズファイルの出力に失敗しました。"));
    const QString ini = Shell::state().RaravIniFile;
    RaravIni::write(ini, RaravIni::ExportCustName, txtName->text());
    RaravIni::write(ini, RaravIni::ExportCustURL, txtURL->text());
    RaravIni::write(ini, RaravIni::ExportCustEMail, txtEmail->text());
    accept();
}

void frmExportCust::Btn_Cancel_Click() { reject(); }

void frmExportCust::done(int result) {
    const QString ini = Shell::state().RaravIniFile;
    RaravIni::write(ini, RaravIni::ExportCustLeft, x() * kTwipsPerPixel);
    RaravIni::write(ini, RaravIni::ExportCustTop, y() * kTwipsPerPixel);
    QDialog::done(result);
}

namespace DesignWindows {

void mnuExportCust_Click() {
    frmExportCust dialog;
    dialog.Form_Load();
    dialog.exec();
}

}  // namespace DesignWindows
