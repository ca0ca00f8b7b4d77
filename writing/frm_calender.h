#pragma once
// The calendar child window: choosing the day.
#include <QWidget>

class QCalendarWidget;

class frmCalender : public QWidget {
    Q_OBJECT
public:
    explicit frmCalender(QWidget* parent = nullptr);
    QCalendarWidget* Calender = nullptr;
};
