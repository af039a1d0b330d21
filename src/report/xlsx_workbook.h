#pragma once

#include <QString>
#include <QVariant>

#include <xlsxwriter.h>

#include <functional>
#include <vector>

// What the xlsx writers share: the workbook written whole or not at all, and a
// sheet writer that keeps the first error and the width of each column.

// Adds the sheets to a fresh workbook; returns the first libxlsxwriter error met.
// The workbook keeps constant memory: each sheet's rows must come in increasing
// order (a row already left cannot be written again).
using WorkbookFill = std::function<lxw_error(lxw_workbook *)>;

// The workbook is written (the library loaded first: a failure to load is reported
// like any other) to a temporary file in the target folder and takes the
// target's name only when libxlsxwriter closed it without an error; otherwise the
// temporary file is removed and *error (when given) names the file and the reason.
bool WriteWorkbook(const QString &path, const WorkbookFill &fill, QString *error);

// The most rows a sheet holds (Excel's limit, 1,048,576).
inline constexpr qint64 SheetRowLimit = 1048576;
// Whether `rows` rows fit on one sheet.
bool FitsOneSheet(qint64 rows);
// Why a table of `rows` rows is refused: the limit, and what to write instead.
QString TooManyRowsReason(qint64 rows);

// A text as a cell must hold it to be read back as typed: the underscore that starts
// "_xHHHH_" (four hex digits), which a spreadsheet reads as the character HHHH, is
// written as its own escape "_x005F".
QString EscapedCellText(const QString &text);

// Adds a sheet named `name` (the default name when empty); null when the name is
// refused, with the reason in *status.
lxw_worksheet *AddSheet(lxw_workbook *workbook, const QString &name, lxw_error *status);

// A cell as a formula names it: "C5" for row 4, column 2 (both from 0), "$C$5" when
// absolute.
QString CellReference(int row, int column, bool absolute = false);

// A new cell format of the workbook (null when out of memory), bold, or with a
// number format such as "0.0%".
lxw_format *AddFormat(lxw_workbook *workbook);
void SetBold(lxw_format *format);
void SetNumberFormat(lxw_format *format, const char *numberFormat);

// Writes cells into one sheet. Every call after the first error does nothing;
// finish() sets the column widths to fit the longest text of each column and
// returns the first error.
class SheetWriter {
public:
    explicit SheetWriter(lxw_worksheet *sheet);

    // A text that may run on over the empty cells to its right leaves the width alone
    // (fit false).
    void text(int row, int column, const QString &text, lxw_format *format = nullptr,
              bool fit = true);
    void number(int row, int column, double value, lxw_format *format = nullptr);
    // A formula as Excel spells it in English ("=ROUND(F9*$C$5,2)": a comma between
    // the arguments, a point in a number) with the value it comes to, which a reader
    // that does not recalculate shows.
    void formula(int row, int column, const QString &formula, double value, lxw_format *format = nullptr);
    // Widens a column to `characters` at least: a number shown wider than its digits.
    void widen(int column, qsizetype characters) { fit(column, characters); }
    // A double is a numeric cell (an infinite or NaN one stays empty), a null
    // QVariant an empty cell, anything else a text cell.
    void value(int row, int column, const QVariant &value, lxw_format *format = nullptr);
    void freezeRowsAbove(int row);

    lxw_error finish();

private:
    void fit(int column, qsizetype characters);
    void keep(lxw_error status);

    lxw_worksheet *sheet_;
    lxw_error status_ = LXW_NO_ERROR;
    std::vector<qsizetype> widths_;
};
