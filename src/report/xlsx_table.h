#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <vector>

// One sheet of rows under a header, as a spreadsheet.
struct XlsxTable {
    QString sheetName;
    QStringList header;              // bold, frozen row
    std::vector<QVariantList> rows;  // a double -> numeric cell, anything else -> text cell, null QVariant -> empty
};

// Writes the workbook whole or not at all (a temporary file in the target folder, renamed at the end).
// False with the reason in *error (naming the file and the OS reason).
bool WriteXlsxTable(const QString &path, const XlsxTable &table, QString *error);
