#pragma once
// The About window and the start-up splash.
#include <QDialog>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lblTitle = nullptr;
    QLabel* picIcon = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* lblURL = nullptr;
    QLabel* PictURL_Lumenfold = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdOK = nullptr;

    // What the two links do once the window has closed (the main window shows
    // the pages in its browser).
    std::function<void()> onAboutLabel;
    std::function<void()> onLumenfold;

    void cmdOK_Click();
    void lblURL_Click();
    void PictURL_Lumenfold_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

class StartForm : public QWidget {
    Q_OBJECT
public:
    // myPath: the program folder, whose "title.bmp" is the background.
    explicit StartForm(const QString& myPath);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    bool hasPicture() const { return !picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};
