#pragma once

#include "report/report_header.h"

#include <QDialog>

class QFormLayout;
class QLineEdit;
class QPushButton;

// The heading of a report ("Объект", "Заказчик", "Точка учёта", "Исполнитель"),
// asked before a report is saved or printed. Not modal; "OK" sends the fields on,
// "Отмена" closes it and nothing is written.
class ReportHeaderDialog : public QDialog {
    Q_OBJECT
public:
    ReportHeaderDialog();

    QLineEdit *ObjectEdit, *CustomerEdit, *PointEdit, *EngineerEdit;
    QPushButton *ReportHeaderOk, *ReportHeaderCancel;

    void setHeader(const ReportHeader &header);
    // A project's heading has no point of its own: its field can be hidden.
    void setPointShown(bool shown);
    ReportHeader header() const;

signals:
    void headerAccepted(const ReportHeader &header);

private:
    QFormLayout *form_;
};
