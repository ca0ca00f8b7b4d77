#include "writing/frm_get_zettik.h"

#include "platform/field_text.h"
#include "platform/files.h"
#include "platform/prompts.h"
#include "platform/runtime_error.h"
#include "core/shared_state.h"
#include "core/window_place.h"
#include "writing/frm_calender.h"
#include "writing/frm_contents.h"
#include "writing/memo_list.h"
#include "writing/wait_cursor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
using WindowPlace::kTwipsPerPixel;
// The category of a row of CatList is kept under this role as well as shown,
// so that a fixed row is told from a memo category of the same text.
constexpr int kKeyRole = Qt::UserRole;
// A memo's row keeps each value whole under this role; its cell shows the
// beginning, no more than a screen's width: drawing a memo of megabytes in
// its cell took seconds at every repaint of the window.
constexpr int kValueRole = Qt::UserRole;
constexpr qsizetype kCellCharacters = 1000;

void setCell(QTreeWidgetItem* item, int column, const QString& value) {
    qsizetype shown = std::min(value.size(), kCellCharacters);
    if (shown < value.size() && shown > 0 && value.at(shown - 1).isHighSurrogate()) --shown;
    item->setText(column, value.left(shown));
    item->setData(column, kValueRole, value);
}

QString cellValue(const QTreeWidgetItem* item, int column) { return item->data(column, kValueRole).toString(); }

QTreeWidget* makeList(QWidget* parent, const QStringList& columns) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSortingEnabled(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHeaderLabels(columns);
    return list;
}
}  // namespace

void frmGetZettik::MakeEntryFromMemo(frmCalender& calender) {
    if (!calender.Btn_New_Click()) return;
    frmGetZettik picker(&calender);
    picker.exec();
    if (!picker.IsOK) return;
    frmContents* editor = frmContents::instance();
    // Written as typing would: the entry is marked changed, so leaving it
    // asks before the memo's text is dropped.
    editor->txtTitle->setText(picker.stTitle);
    editor->txtContents->setPlainText(picker.stContents);
}

frmGetZettik::frmGetZettik(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Zettikより日記を作成"));
    setModal(true);
    CatList = makeList(this, {QStringLiteral("ID"), QStringLiteral("Category"), QStringLiteral("Num")});
    MemoList = makeList(this, {QStringLiteral("ID"), QStringLiteral("Day"), QStringLiteral("Title"),
                               QStringLiteral("Contents"), QStringLiteral("Category")});
    const int catWidth = 2400 / kTwipsPerPixel;
    CatList->setFixedWidth(catWidth);
    CatList->setColumnWidth(CatId, 400 / kTwipsPerPixel);
    CatList->setColumnWidth(CatName, catWidth - 1080 / kTwipsPerPixel);
    CatList->setColumnWidth(CatNum, 600 / kTwipsPerPixel);
    MemoList->setColumnWidth(MemoId, 400 / kTwipsPerPixel);
    MemoList->setColumnWidth(MemoDay, 1080 / kTwipsPerPixel);
    MemoList->setColumnWidth(MemoTitle, 2000 / kTwipsPerPixel);
    MemoList->setColumnHidden(MemoCategory, true);
    MemoList->header()->setStretchLastSection(false);
    MemoList->header()->setSectionResizeMode(MemoContents, QHeaderView::Stretch);

    fSelectedMemo = new QGroupBox(QStringLiteral("選択したメモ"), this);
    lblNo = new QLabel(QStringLiteral("-"), fSelectedMemo);
    txtTitle = new QLineEdit(fSelectedMemo);
    txtCategory = new QLineEdit(fSelectedMemo);
    txtContents = new QPlainTextEdit(fSelectedMemo);
    auto* memoLayout = new QGridLayout(fSelectedMemo);
    memoLayout->addWidget(lblNo, 0, 0);
    memoLayout->addWidget(txtTitle, 0, 1);
    memoLayout->addWidget(txtCategory, 0, 2);
    memoLayout->addWidget(txtContents, 1, 0, 1, 3);
    memoLayout->setColumnStretch(1, 2);
    memoLayout->setColumnStretch(2, 1);

    Btn_OK = new QPushButton(QStringLiteral("日記を作成"), this);
    Btn_Close = new QPushButton(QStringLiteral("Close"), this);
    auto* lists = new QHBoxLayout();
    lists->addWidget(CatList);
    lists->addWidget(MemoList, 1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(fSelectedMemo);
    layout->addLayout(buttons);
    resize(9600 / kTwipsPerPixel, 7200 / kTwipsPerPixel);

    // Choosing a row by keyboard shows it too, as a click does.
    connect(CatList, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { CatList_ItemClick(item); });
    connect(MemoList, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { MemoList_ItemClick(item); });
    connect(Btn_OK, &QPushButton::clicked, this, [this] { Btn_OK_Click(); });
    connect(Btn_Close, &QPushButton::clicked, this, [this] { Btn_Close_Click(); });
    Form_Load();
}

void frmGetZettik::Form_Load() {
    IsOK = false;
    stTitle.clear();
    stContents.clear();
    FillCategoryList();
    FillMemoList(MemoList::kAll);
}

void frmGetZettik::reportReadFailure(const QString& description) {
    Prompts::MsgBox(QStringLiteral("メモを読み込めませんでした。") + QStringLiteral("\r\n") + description,
                    Prompts::vbCritical);
}

void frmGetZettik::FillCategoryList() {
    WaitCursor wait;
    const QSignalBlocker quiet(CatList);
    CatList->clear();
    MemoList::Categories c;
    try {
        c = MemoList::collect(Shell::state().databasePath());
    } catch (const RuntimeError& e) {
        reportReadFailure(e.description);
    }
    const auto addRow = [this](const QString& name, qint64 count) {
        auto* item = new QTreeWidgetItem(CatList);
        item->setText(CatId, QString::number(CatList->topLevelItemCount()));
        item->setText(CatName, name);
        item->setText(CatNum, QString::number(count));
        item->setData(CatId, kKeyRole, name);
    };
    addRow(MemoList::kAll, c.total);
    addRow(MemoList::kFind, 0);
    addRow(MemoList::kImport, c.counts.value(0));
    for (qsizetype i = 1; i < c.names.size(); ++i) {
        const QString& name = c.names.at(i);
        // A name that repeats a fixed row would shadow it.
        if (name.isEmpty() || name == MemoList::kAll || name == MemoList::kFind) continue;
        addRow(name, c.counts.at(i));
    }
}

void frmGetZettik::FillMemoList(const QString& category) {
    WaitCursor wait;
    const QSignalBlocker quiet(MemoList);
    MemoList->clear();
    QList<MemoList::Memo> memos;
    try {
        memos = MemoList::memosOf(Shell::state().databasePath(), category);
    } catch (const RuntimeError& e) {
        reportReadFailure(e.description);
    }
    for (const MemoList::Memo& m : memos) {
        auto* item = new QTreeWidgetItem(MemoList);
        item->setText(MemoId, m.recordId);
        item->setText(MemoDay, m.publishTime);
        setCell(item, MemoTitle, m.title);
        setCell(item, MemoContents, m.memo);
        setCell(item, MemoCategory, m.category);
    }
}

void frmGetZettik::CatList_ItemClick(QTreeWidgetItem* Item) {
    if (Item) FillMemoList(Item->data(CatId, kKeyRole).toString());
}

void frmGetZettik::MemoList_ItemClick(QTreeWidgetItem* Item) {
    if (!Item) return;
    lblNo->setText(Item->text(MemoId));
    txtTitle->setText(cellValue(Item, MemoTitle));
    txtCategory->setText(cellValue(Item, MemoCategory));
    txtContents->setPlainText(Files::toLf(cellValue(Item, MemoContents)));
}

void frmGetZettik::Btn_OK_Click() {
    IsOK = true;
    stTitle = txtTitle->text();
    stContents = FieldText::of(txtContents);
    accept();
}

void frmGetZettik::Btn_Close_Click() {
    IsOK = false;
    reject();
}
