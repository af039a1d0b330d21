#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
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

// Hands each row of a table, in order, to `put` (cells as in XlsxTable::rows).
using XlsxRowSource = std::function<void(const std::function<void(const QVariantList &)> &put)>;

// The same for `rowCount` rows that come one at a time from `rows`, so that memory
// does not grow with them. A table that would not fit on a sheet (the header and
// the rows above 1,048,576) is refused before anything is written. When `stopped`
// says so after the rows (their source stopped early), nothing is written either.
bool WriteXlsxRows(const QString &path, const QString &sheetName, const QStringList &header, qint64 rowCount,
                   const XlsxRowSource &rows, QString *error, const std::function<bool()> &stopped = {});
