#include "shell/frm_about.h"
#include "shell/program_icon.h"

#include "platform/files.h"
#include "core/addresses.h"
#include "core/product.h"
#include "core/shared_state.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QFrame* line(QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

// Japanese text needs a font that has it; fontconfig picks one for the family
// names most systems carry.
QFont japaneseFont(double points, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("VL PGothic"), QStringLiteral("Sans Serif")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setWindowIcon(ProgramIcon::icon());
    setWindowTitle(Product::kName + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));

    picIcon = label(this, "picIcon", QString());
    picIcon->setPixmap(ProgramIcon::icon().pixmap(32, 32));
    lblTitle = label(this, "lblTitle", Product::kName + QStringLiteral("  Version ") + Shell::versionText());
    lblTitle->setFont(japaneseFont(12, true));
    lblDescription = label(this, "lblDescription", Product::kCreditLine);
    lblDisclaimer = label(this, "lblDisclaimer", Product::kDisclaimer);
    lblDisclaimer->setWordWrap(true);
    lblURL = label(this, "lblURL", Addresses::kHomePage);
    lblURL->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    lblURL->setCursor(Qt::PointingHandCursor);
    lblURL->installEventFilter(this);

    auto* ad = new QGroupBox(QStringLiteral("広告"), this);
    PictURL_Lumenfold = label(ad, "PictURL_Lumenfold", QStringLiteral("Lumenfold"));
    PictURL_Lumenfold->setFont(japaneseFont(14, true));
    PictURL_Lumenfold->setStyleSheet(
        QStringLiteral("color: white; background: #3a4f7a; padding: 6px 12px; border-radius: 4px;"));
    PictURL_Lumenfold->setCursor(Qt::PointingHandCursor);
    PictURL_Lumenfold->installEventFilter(this);
    Label1 = label(ad, "Label1", Product::kLabelRecommendation);
    auto* adLayout = new QHBoxLayout(ad);
    adLayout->addWidget(PictURL_Lumenfold);
    adLayout->addWidget(Label1, 1);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto* head = new QHBoxLayout;
    head->addWidget(picIcon);
    head->addWidget(lblTitle, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(lblDescription);
    layout->addWidget(lblURL);
    layout->addWidget(line(this));
    layout->addWidget(ad);
    layout->addWidget(line(this));
    layout->addWidget(lblDisclaimer);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    layout->addLayout(buttons);
}

void frmAbout::cmdOK_Click() { accept(); }

void frmAbout::lblURL_Click() {
    accept();
    if (onAboutLabel) onAboutLabel();
}

void frmAbout::PictURL_Lumenfold_Click() {
    accept();
    if (onLumenfold) onLumenfold();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == lblURL) {
            lblURL_Click();
            return true;
        }
        if (watched == PictURL_Lumenfold) {
            PictURL_Lumenfold_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

StartForm::StartForm(const QString& myPath)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("StartForm"));
    setFixedSize(480, 270);  // 7200 x 4050 twips
    // A picture that is missing or unreadable leaves the plain background.
    const QString picturePath = myPath + QStringLiteral("title.bmp");
    if (Files::exists(picturePath)) picture_.load(picturePath);

    Label3 = label(this, "Label3", QStringLiteral("日記作成支援ソフト"));
    Label3->setFont(japaneseFont(11, false));
    Label2 = label(this, "Label2", Product::kName);
    Label2->setFont(japaneseFont(21.75, true));
    Label1 = label(this, "Label1", Product::kCreditLine);
    Label1->setFont(japaneseFont(8, false));
    for (QLabel* l : {Label1, Label2, Label3}) l->setAttribute(Qt::WA_TranslucentBackground);
    Label3->setGeometry(32, 150, 420, 24);
    Label2->setGeometry(32, 176, 420, 44);
    Label1->setGeometry(32, 236, 420, 20);

    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void StartForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!picture_.isNull()) painter.drawPixmap(0, 0, picture_);
}
