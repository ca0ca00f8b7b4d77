#include "publish/frm_save_log.h"

#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "publish/ftp_upload.h"
#include "core/browser_pages.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "core/window_place.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

using WindowPlace::kTwipsPerPixel;

struct BusyPointer {
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

frmSaveLog::frmSaveLog(Publish::MonthPageWriter MakeMonthPage, QWidget* parent)
    : QDialog(parent), makeMonthPage_(std::move(MakeMonthPage)) {
    setWindowTitle(QStringLiteral("Logファイル化"));
    setModal(true);
    txtYear = new QLineEdit(this);
    txtYear->setToolTip(QStringLiteral("Log化したい年を入力。"));
    txtMonth = new QComboBox(this);
    txtMonth->setEditable(true);
    for (int m = 1; m <= 12; ++m) txtMonth->addItem(QString::number(m));
    chkAutoResist = new QCheckBox(QStringLiteral("ログを自動で登録"), this);
    chkAutoUpdate = new QCheckBox(QStringLiteral("ログを自動でFTPする"), this);
    chkAutoUpdate->setToolTip(QStringLiteral("ログをFTPアップロード時に一緒にアップロードします。"));
    Btn_Save = new QPushButton(QStringLiteral("保存"), this);
    BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(txtYear, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("年"), this), 0, 1);
    grid->addWidget(txtMonth, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("月"), this), 0, 3);
    grid->addWidget(chkAutoResist, 1, 0, 1, 4);
    grid->addWidget(chkAutoUpdate, 2, 0, 1, 4);
    grid->addWidget(Btn_Save, 3, 0, 1, 2);
    grid->addWidget(BtnCancel, 3, 2, 1, 2);

    txtYear->installEventFilter(this);
    txtMonth->lineEdit()->installEventFilter(this);
    connect(Btn_Save, &QPushButton::clicked, this, &frmSaveLog::Btn_Save_Click);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void frmSaveLog::Form_Load() {
    const QString ini = Shell::state().RaravIniFile;
    // Stored positions are applied as they are, but kept on a screen: a
    // position from a larger display must not put the dialog out of reach.
    QPoint at(RaravIni::read(ini, RaravIni::LogLeft) / kTwipsPerPixel, RaravIni::read(ini, RaravIni::LogTop) / kTwipsPerPixel);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) at = WindowPlace::onScreen(at, screen->availableGeometry());
    move(at);
    const QDate previous = Clock::today().addMonths(-1);
    txtYear->setText(QString::number(previous.year()));
    txtMonth->setEditText(QString::number(previous.month()));
}

void frmSaveLog::txtYear_DblClick() { txtYear->setText(QString::number(Clock::today().year())); }

// The previous month; January gives December, as the dialog proposes on
// opening, instead of a month 0 that no log can have.
void frmSaveLog::txtMonth_DblClick() {
    txtMonth->setEditText(QString::number(Clock::today().addMonths(-1).month()));
}

void frmSaveLog::Btn_Save_Click() {
    using namespace Prompts;
    const QString problem = Publish::checkLogMonth(txtYear->text(), txtMonth->currentText());
    if (!problem.isEmpty()) {
        MsgBox(problem, vbExclamation);
        return;
    }
    if (Publish::RefuseDuringUpload()) return;
    // The two boxes are read but, as always, change nothing.
    (void)chkAutoResist->isChecked();
    (void)chkAutoUpdate->isChecked();
    Publish::LogMade made;
    {
        BusyPointer busy;
        try {
            made = Publish::makeLog(txtYear->text(), txtMonth->currentText(), makeMonthPage_);
        } catch (const std::exception& e) {
            const auto* runtime = dynamic_cast<const RuntimeError*>(&e);
            MsgBox(runtime ? runtime->description : QString::fromUtf8(e.what()), vbCritical);
            return;
        }
        Shell::setStatusText(made.LogMonth + QStringLiteral("の日記をLog化しました。"));
        hide();
        MsgBox(QStringLiteral("Logファイル化しました。"), vbInformation);
        const Shell::MainWindowHooks& hooks = Shell::hooks();
        if (hooks.saveTmpFile) hooks.saveTmpFile();
        Shell::setStatusText(QStringLiteral("Webページ表示中..."));
        if (hooks.navigateBrowser)
            hooks.navigateBrowser(BrowserPages::page(QStringLiteral("tmp.htm#")) + Shell::state().EnterDay);
    }
    accept();
}

void frmSaveLog::Form_QueryUnload() {
    const QString ini = Shell::state().RaravIniFile;
    RaravIni::write(ini, RaravIni::LogTop, y() * kTwipsPerPixel);
    RaravIni::write(ini, RaravIni::LogLeft, x() * kTwipsPerPixel);
}

void frmSaveLog::done(int result) {
    Form_QueryUnload();
    QDialog::done(result);
}

bool frmSaveLog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == txtYear) {
            txtYear_DblClick();
            return true;
        }
        if (watched == txtMonth->lineEdit()) {
            txtMonth_DblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
