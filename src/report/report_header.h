#pragma once

#include <QString>

// The heading block of a report: what the sizing is for and who made it. Empty
// fields are left out of the report.
struct ReportHeader {
    QString object;   // "Объект"
    QString customer; // "Заказчик"
    QString point;    // "Точка учёта"
    QString engineer; // "Исполнитель"

    bool operator==(const ReportHeader &) const = default;
};
