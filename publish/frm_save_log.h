#pragma once
// The past-log maker window: choose a year and month and make its log.
#include "publish/log_maker.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class frmSaveLog : public QDialog {
    Q_OBJECT
public:
    // MakeMonthPage writes the month's page set and its upload list.
    explicit frmSaveLog(Publish::MonthPageWriter MakeMonthPage, QWidget* parent = nullptr);

    QLineEdit* txtYear;
    QComboBox* txtMonth;
    QCheckBox* chkAutoResist;
    QCheckBox* chkAutoUpdate;
    QPushButton* Btn_Save;
    QPushButton* BtnCancel;

    void Form_Load();
    void Btn_Save_Click();
    void txtYear_DblClick();
    void txtMonth_DblClick();
    void Form_QueryUnload();

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Publish::MonthPageWriter makeMonthPage_;
};
