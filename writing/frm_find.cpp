#include "writing/frm_find.h"

#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "platform/web_browser.h"
#include "core/browser_pages.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "site/in_program_pages.h"
#include "writing/find_conditions.h"
#include "writing/frm_prev_rarav_viewer.h"
#include "writing/genre_list.h"
#include "writing/wait_cursor.h"
#include "core/window_place.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

frmFind*& theWindow() {
    static frmFind* w = nullptr;
    return w;
}

// A box that cannot be used shows the button face, as the old window did.
void enableBox(QWidget* box, bool on) {
    box->setEnabled(on);
    box->setBackgroundRole(on ? QPalette::Base : QPalette::Button);
    box->setAutoFillBackground(!on);
}

}  // namespace

void frmFind::showWindow() {
    frmFind* w = instance();
    w->show();
    w->raise();
    w->activateWindow();
}

frmFind* frmFind::instance() {
    if (!theWindow()) {
        theWindow() = new frmFind();
        theWindow()->Form_Load();
    }
    return theWindow();
}

bool frmFind::exists() { return theWindow() != nullptr; }

void frmFind::unloadIfLoaded() {
    frmFind* w = theWindow();
    if (!w) return;
    w->reject();
    delete w;
}

frmFind::frmFind() : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("検索条件の設定"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    Label1 = new QLabel(QStringLiteral("検索語"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtFindWord = new QLineEdit(this);
    txtFindWord->setObjectName(QStringLiteral("txtFindWord"));
    txtFindWord->setToolTip(QStringLiteral("検索する言葉を入れて下さい(現在は、１単語のみ検索できます)。"));
    chkTerm = new QCheckBox(QStringLiteral("検索期間"), this);
    chkTerm->setObjectName(QStringLiteral("chkTerm"));
    txtStart = new QLineEdit(this);
    txtStart->setObjectName(QStringLiteral("txtStart"));
    txtStart->setToolTip(QStringLiteral("検索する期間の開始日付を入れて下さい(YYYY/MM/DD)。"));
    Label3 = new QLabel(QStringLiteral("～"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    txtEnd = new QLineEdit(this);
    txtEnd->setObjectName(QStringLiteral("txtEnd"));
    txtEnd->setToolTip(QStringLiteral("検索する期間の終了日付を入れて下さい(YYYY/MM/DD)。"));
    chkGenre = new QCheckBox(QStringLiteral("ジャンル"), this);
    chkGenre->setObjectName(QStringLiteral("chkGenre"));
    cmbGenre = new QComboBox(this);
    cmbGenre->setObjectName(QStringLiteral("cmbGenre"));
    Btn_OK = new QPushButton(QStringLiteral("OK"), this);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_OK->setDefault(true);
    Btn_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtFindWord, 0, 1, 1, 3);
    grid->addWidget(chkTerm, 1, 0);
    grid->addWidget(txtStart, 1, 1);
    grid->addWidget(Label3, 1, 2);
    grid->addWidget(txtEnd, 1, 3);
    grid->addWidget(chkGenre, 2, 0);
    grid->addWidget(cmbGenre, 2, 1, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    grid->addLayout(buttons, 3, 0, 1, 4);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(chkTerm, &QCheckBox::clicked, this, &frmFind::chkTerm_Click);
    connect(chkGenre, &QCheckBox::clicked, this, &frmFind::chkGenre_Click);
    connect(Btn_OK, &QPushButton::clicked, this, &frmFind::Btn_OK_Click);
    connect(Btn_Cancel, &QPushButton::clicked, this, &frmFind::Btn_Cancel_Click);
}

frmFind::~frmFind() {
    if (theWindow() == this) theWindow() = nullptr;
}

void frmFind::Form_Load() {
    const QString ini = Shell::state().RaravIniFile;
    const QPoint stored(WindowPlace::toPixels(RaravIni::read(ini, RaravIni::FindLeft)),
                        WindowPlace::toPixels(RaravIni::read(ini, RaravIni::FindTop)));
    const QScreen* screen = QApplication::primaryScreen();
    move(WindowPlace::onScreen(stored, screen ? screen->availableGeometry() : QRect()));
    chkTerm->setChecked(false);
    chkGenre->setChecked(false);
    enableBox(txtStart, false);
    enableBox(txtEnd, false);
    enableBox(cmbGenre, false);
    LoadGenreList();
}

void frmFind::LoadGenreList() {
    cmbGenre->clear();
    const QString csv = GenreList::fileIn(Shell::state().DataPath);
    if (Files::exists(csv))
        cmbGenre->addItems(GenreList::read(csv));
    else
        cmbGenre->addItem(QStringLiteral("一般"));
    // No genre is chosen until the user picks one.
    cmbGenre->setCurrentIndex(-1);
}

void frmFind::chkTerm_Click() {
    enableBox(txtStart, chkTerm->isChecked());
    enableBox(txtEnd, chkTerm->isChecked());
}

void frmFind::chkGenre_Click() { enableBox(cmbGenre, chkGenre->isChecked()); }

void frmFind::Btn_OK_Click() {
    FindConditions::Input in;
    in.keyword = txtFindWord->text();
    in.usePeriod = chkTerm->isChecked();
    in.start = txtStart->text();
    in.end = txtEnd->text();
    in.useGenre = chkGenre->isChecked();
    in.genreIndex = cmbGenre->currentIndex();
    const QString problem = FindConditions::check(in);
    if (!problem.isEmpty()) {
        Prompts::MsgBox(problem, Prompts::vbCritical);
        return;
    }
    const QString page = BrowserPages::page(QStringLiteral("findtmp.htm"));
    int found = 0;
    {
        WaitCursor wait;
        BrowserPages::prepare(Shell::state().DataPath);
        try {
            found = HTML0::MakeSearchResultPage(page, in.keyword, in.usePeriod, in.usePeriod ? in.start : QString(),
                                                in.usePeriod ? in.end : QString(), in.useGenre,
                                                in.useGenre ? cmbGenre->currentText() : QString());
        } catch (const RuntimeError& e) {
            // The window stays open with the conditions, to try again.
            Prompts::MsgBox(e.description, Prompts::vbCritical);
            return;
        }
    }
    frmPrevRaravViewer* viewer = frmPrevRaravViewer::instance();
    viewer->showWindow();
    viewer->setWindowTitle(QStringLiteral("検索結果(%1件見つかりました)").arg(found));
    viewer->WebBrowser->Navigate(page);
    Shell::setStatusText(QStringLiteral("検索結果(キーワード%1で%2件見つかりました)").arg(in.keyword, QString::number(found)));
    accept();
}

void frmFind::Btn_Cancel_Click() { reject(); }

void frmFind::Form_QueryUnload() {
    const QString ini = Shell::state().RaravIniFile;
    if (ini.isEmpty()) return;
    RaravIni::write(ini, RaravIni::FindLeft, WindowPlace::toTwips(pos().x()));
    RaravIni::write(ini, RaravIni::FindTop, WindowPlace::toTwips(pos().y()));
}

void frmFind::done(int result) {
    Form_QueryUnload();
    // A new opening starts afresh, even before this window is deleted.
    if (theWindow() == this) theWindow() = nullptr;
    QDialog::done(result);
}
