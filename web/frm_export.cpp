#include "web/frm_export.h"

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "core/path_parts.h"
#include "core/rarav_ini.h"
#include "core/shared_state.h"
#include "core/window_place.h"
#include "web/export_entries.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

using WindowPlace::kTwipsPerPixel;
const QString kDayFormat = QStringLiteral("yyyy/MM/dd");

QString u8(const char* text) { return QString::fromUtf8(text); }

QDateEdit* datePicker(QWidget* parent) {
    auto* picker = new QDateEdit(Clock::today(), parent);
    picker->setDisplayFormat(kDayFormat);
    picker->setCalendarPopup(true);
    return picker;
}

QRadioButton* option(const char* caption, QWidget* parent, QLayout* layout, const char* tip = nullptr) {
    auto* button = new QRadioButton(u8(caption), parent);
    if (tip) button->setToolTip(u8(tip));
    layout->addWidget(button);
    return button;
}

// The hourglass over the whole program while the window loads.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

void frmExport::showModal() {
    frmExport w(Prompts::owner());
    w.Form_Load();
    w.exec();
}

frmExport::frmExport(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(QStringLiteral("Export"));
    auto* layout = new QVBoxLayout(this);

    auto* period = new QGroupBox(u8("期間"), this);
    auto* periodGrid = new QGridLayout(period);
    optPeriod_User = new QRadioButton(u8("期間指定"), period);
    DTPickerStart = datePicker(period);
    DTPickerEnd = datePicker(period);
    periodGrid->addWidget(optPeriod_User, 0, 0);
    auto* range = new QHBoxLayout;
    range->addWidget(DTPickerStart);
    range->addWidget(new QLabel(u8("～"), period));
    range->addWidget(DTPickerEnd);
    periodGrid->addLayout(range, 0, 1);
    optPeriod_Month = new QRadioButton(u8("指定月"), period);
    txtYear = new QLineEdit(period);
    txtMonth = new QComboBox(period);
    txtMonth->setEditable(true);
    for (int m = 1; m <= 12; ++m) txtMonth->addItem(QString::number(m));
    periodGrid->addWidget(optPeriod_Month, 1, 0);
    auto* month = new QHBoxLayout;
    month->addWidget(txtYear);
    month->addWidget(new QLabel(u8("年"), period));
    month->addWidget(txtMonth);
    month->addWidget(new QLabel(u8("月"), period));
    periodGrid->addLayout(month, 1, 1);
    optPeriod_Day = new QRadioButton(u8("指定日"), period);
    DTPickerDay = datePicker(period);
    periodGrid->addWidget(optPeriod_Day, 2, 0);
    periodGrid->addWidget(DTPickerDay, 2, 1);
    layout->addWidget(period);

    auto* format = new QGroupBox(u8("出力フォーマット"), this);
    auto* formatLayout = new QHBoxLayout(format);
    optFormat_Text = option("TEXT", format, formatLayout, "日記のタグは、消去して出力します");
    optFormat_HTML = option("HTML", format, formatLayout, "日記をそのまま出力します");
    optFormat_User = option("ユーザー定義", format, formatLayout);
    cmbExportFormat_User = new QComboBox(format);
    formatLayout->addWidget(cmbExportFormat_User, 1);
    layout->addWidget(format);

    auto* sort = new QGroupBox(u8("ソート方向"), this);
    auto* sortLayout = new QHBoxLayout(sort);
    optSortDir_ASC = option("順方向(旧→新)", sort, sortLayout);
    optSortDir_DESC = option("逆方向(新→旧)", sort, sortLayout);
    layout->addWidget(sort);

    auto* unit = new QGroupBox(u8("出力単位"), this);
    auto* unitLayout = new QHBoxLayout(unit);
    optFile_One = option("単一ファイル", unit, unitLayout, "指定期間まとめて一つのファイルに出力します");
    optFile_Divide = option("日ごとに分割", unit, unitLayout, "指定期間1日ごとにファイルを作成します");
    layout->addWidget(unit);

    Frame_FileName = new QGroupBox(u8("File名規則"), this);
    auto* nameLayout = new QHBoxLayout(Frame_FileName);
    optFileName_Day = option("日付", Frame_FileName, nameLayout);
    optFileName_Title = option("タイトル", Frame_FileName, nameLayout);
    layout->addWidget(Frame_FileName);

    auto* body = new QGroupBox(u8("日記本文のタグの扱い"), this);
    auto* bodyLayout = new QHBoxLayout(body);
    optContents_TEXT = option("テキストに変換", body, bodyLayout, "本文中のタグを削除");
    optContents_RAW = option("そのまま", body, bodyLayout, "本文中のタグ等はそのままにする");
    layout->addWidget(body);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    Btn_OK = new QPushButton(QStringLiteral("OK"), this);
    Btn_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Btn_OK->setDefault(true);
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);
    layout->addLayout(buttons);

    for (QRadioButton* initial : {optPeriod_User, optFormat_Text, optSortDir_ASC, optFile_One, optFileName_Day,
                                  optContents_TEXT})
        initial->setChecked(true);

    connect(optFile_One, &QRadioButton::clicked, this, [this] { optFile_One_Click(); });
    connect(optFile_Divide, &QRadioButton::clicked, this, [this] { optFile_Divide_Click(); });
    connect(Btn_OK, &QPushButton::clicked, this, [this] { Btn_OK_Click(); });
    connect(Btn_Cancel, &QPushButton::clicked, this, [this] { Btn_Cancel_Click(); });
}

void frmExport::Form_Load() {
    WaitCursor wait;
    const Shell::SharedState& s = Shell::state();
    move(RaravIni::read(s.RaravIniFile, RaravIni::ExportLeft) / kTwipsPerPixel,
         RaravIni::read(s.RaravIniFile, RaravIni::ExportTop) / kTwipsPerPixel);
    if (QWidget* top = Prompts::owner()) setWindowIcon(top->windowIcon());

    // The previous month.
    const QDate previous = Clock::today().addMonths(-1);
    txtYear->setText(QString::number(previous.year()));
    txtMonth->setCurrentText(QString::number(previous.month()));

    UpdateFileNameControls();
    ListExportFormats();
    if (cmbExportFormat_User->count() > 0) cmbExportFormat_User->setCurrentIndex(0);
}

void frmExport::ListExportFormats() {
    const QString folder = Shell::state().DataPath + QStringLiteral("ExportFormat/");
    for (const QString& name : Files::listFiles(folder, QStringLiteral("*"))) {
        // The built-in formats are offered by their own options.
        if (name == QLatin1String("TEXT.txt") || name == QLatin1String("HTML.txt")) continue;
        cmbExportFormat_User->addItem(name);
    }
}

void frmExport::UpdateFileNameControls() {
    const bool divide = optFile_Divide->isChecked();
    Frame_FileName->setEnabled(divide);
    optFileName_Day->setEnabled(divide);
    optFileName_Title->setEnabled(divide);
}

void frmExport::optFile_One_Click() { UpdateFileNameControls(); }
void frmExport::optFile_Divide_Click() { UpdateFileNameControls(); }

void frmExport::Btn_OK_Click() {
    clsExport exporter;
    if (optPeriod_User->isChecked()) {
        exporter.Period = 1;
        exporter.Period1 = DTPickerStart->date().toString(kDayFormat);
        exporter.Period2 = DTPickerEnd->date().toString(kDayFormat);
    } else if (optPeriod_Month->isChecked()) {
        exporter.Period = 2;
        exporter.Period1 = txtYear->text();
        exporter.Period2 = txtMonth->currentText();
    } else {
        exporter.Period = 3;
        exporter.Period1 = DTPickerDay->date().toString(kDayFormat);
    }

    if (optFormat_Text->isChecked()) {
        exporter.eFormat = QStringLiteral("TEXT");
    } else if (optFormat_HTML->isChecked()) {
        exporter.eFormat = QStringLiteral("HTML");
    } else {
        exporter.eFormat = cmbExportFormat_User->currentText();
        if (exporter.eFormat.isEmpty()) {
            Prompts::MsgBox(u8("定義ファイルが指定されていません。"), Prompts::vbCritical);
            return;
        }
    }

    exporter.SortDir = optSortDir_ASC->isChecked() ? QStringLiteral("ASC") : QStringLiteral("DESC");
    exporter.Export = optFile_One->isChecked() ? 1 : 2;
    exporter.FileNameFormat = optFileName_Day->isChecked() ? 1 : 2;
    if (optFile_Divide->isChecked()) exporter.Extension = PathParts::GetExtension(cmbExportFormat_User->currentText());
    exporter.Contents = optContents_TEXT->isChecked() ? 1 : 2;

    if (!exporter.GetFilePath()) {
        Prompts::MsgBox(u8("キャンセルしました"), Prompts::vbInformation);
        return;
    }
    try {
        // Nothing was written when the converter settings could not be read;
        // the user has been told, and "done" would be untrue.
        if (!exporter.Execute()) return;
    } catch (const RuntimeError& e) {
        Prompts::MsgBox(e.description, Prompts::vbCritical);
        return;
    }
    Prompts::MsgBox(u8("完了！"), Prompts::vbInformation);
    accept();
}

void frmExport::Btn_Cancel_Click() { reject(); }

void frmExport::done(int result) {
    const QString& ini = Shell::state().RaravIniFile;
    RaravIni::write(ini, RaravIni::ExportLeft, x() * kTwipsPerPixel);
    RaravIni::write(ini, RaravIni::ExportTop, y() * kTwipsPerPixel);
    QDialog::done(result);
}
