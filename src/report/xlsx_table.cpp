#include "report/xlsx_table.h"

#include "report/file_error.h"
#include "report/xlsx_workbook.h"

bool WriteXlsxTable(const QString &path, const XlsxTable &table, QString *error)
{
    return WriteXlsxRows(
        path, table.sheetName, table.header, qint64(table.rows.size()),
        [&table](const std::function<void(const QVariantList &)> &put) {
            for (const QVariantList &cells : table.rows)
                put(cells);
        },
        error);
}

bool WriteXlsxRows(const QString &path, const QString &sheetName, const QStringList &header, qint64 rowCount,
                   const XlsxRowSource &rows, QString *error, const std::function<bool()> &stopped)
{
    const qint64 sheetRows = rowCount + 1; // the first row holds the header (or is left empty)
    if (!FitsOneSheet(sheetRows)) {
        if (error)
            *error = FileWriteError(path, TooManyRowsReason(sheetRows));
        return false;
    }
    return WriteWorkbook(
        path,
        [&](lxw_workbook *workbook) {
            lxw_error status = LXW_NO_ERROR;
            lxw_worksheet *sheet = AddSheet(workbook, sheetName, &status);
            if (!sheet)
                return status;
            lxw_format *bold = AddFormat(workbook);
            if (!bold)
                return LXW_ERROR_MEMORY_MALLOC_FAILED;
            SetBold(bold);

            SheetWriter writer(sheet);
            // The header row first, then the rows in order: constant memory takes
            // the rows of a sheet in increasing order only.
            for (int column = 0; column < header.size(); ++column)
                writer.text(0, column, header[column], bold);
            int row = 1;
            rows([&](const QVariantList &cells) {
                for (int column = 0; column < cells.size(); ++column)
                    writer.value(row, column, cells[column]);
                ++row;
            });
            // The workbook is dropped, as after a failed write.
            if (stopped && stopped())
                return LXW_ERROR_PARAMETER_VALIDATION;
            if (!header.isEmpty())
                writer.freezeRowsAbove(1);
            return writer.finish();
        },
        error);
}
