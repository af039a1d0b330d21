#pragma once

#include "core/table/table_reader.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>

// The parts of a workbook (an .xlsx file is a zip archive of XML parts), each opened
// by its name in the archive ("xl/workbook.xml"); null when there is no such part.
class XlsxParts {
public:
    virtual ~XlsxParts() = default;
    virtual std::unique_ptr<QIODevice> open(const QString &name) = 0;
};

// The parts of the workbook in the file at `path`, or in `bytes`; null with the
// reason in *error when it is no zip archive.
std::unique_ptr<XlsxParts> OpenXlsxFile(const QString &path, QString *error);
std::unique_ptr<XlsxParts> OpenXlsxBytes(const QByteArray &bytes, QString *error);

// A sheet of a workbook as a point table, its cells as a spreadsheet shows them:
// numbers by the program's writing rule with the desktop's separator, shared and
// inline strings, booleans as 1 and 0, a formula's value, an error as its code; a
// date (a number in a date format) as dd.MM.yyyy (with the time when it has one),
// marked in its record. Records are the sheet's rows from column A to the header's
// last cell; the header is the first row with a cell that is not empty, and rows
// with nothing in them are passed over. A cell right of the header is an error.
// `sheet` names the sheet (empty: the first); null with the reason in *error when
// the workbook or the sheet cannot be read. The shared strings are held in memory,
// the rows are read as they come.
std::unique_ptr<TableReader> OpenXlsxTable(std::unique_ptr<XlsxParts> parts, const QString &sheet,
                                           QString *error);
