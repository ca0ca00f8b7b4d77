#pragma once
// The updater's window: a log, an option to delete the archive, and the
// buttons that apply the update or leave.
#include <QString>
#include <QWidget>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class QuillbyUpdater : public QWidget {
    Q_OBJECT
public:
    QuillbyUpdater();

    QPushButton* Btn_Update = nullptr;
    QPushButton* Btn_Exit = nullptr;
    QPlainTextEdit* txtStatus = nullptr;
    QCheckBox* chkDelAfterUpdate = nullptr;

    // myPath: the program folder, resolved as the main program resolves it.
    void Form_Load(const QString& myPath);
    void Btn_Update_Click();
    void Btn_Exit_Click();

    // The log as written, with CR LF line breaks.
    const QString& statusText() const { return status_; }

protected:
    // Closing in the middle of a run would end the program with the log lost.
    void closeEvent(QCloseEvent* event) override;

private:
    void appendStatus(const QString& text);
    void setControlsEnabled(bool enabled);

    QString MyPath;
    QString version_;
    QString status_;
    bool running_ = false;
};
