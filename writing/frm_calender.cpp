#include "writing/frm_calender.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

frmCalender::frmCalender(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmCalender"));
    setWindowTitle(QStringLiteral("カレンダー"));
    auto* layout = new QVBoxLayout(this);
    Calender = new QCalendarWidget(this);
    Calender->setObjectName(QStringLiteral("Calender"));
    layout->addWidget(Calender);
}
