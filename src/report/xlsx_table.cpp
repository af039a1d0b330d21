#include "report/xlsx_table.h"

#include "report/xlsx_workbook.h"

bool WriteXlsxTable(const QString &path, const XlsxTable &table, QString *error)
{
    return WriteWorkbook(
        path,
        [&table](lxw_workbook *workbook) {
            lxw_error status = LXW_NO_ERROR;
            lxw_worksheet *sheet = AddSheet(workbook, table.sheetName, &status);
            if (!sheet)
                return status;
            lxw_format *bold = AddFormat(workbook);
            if (!bold)
                return LXW_ERROR_MEMORY_MALLOC_FAILED;
            SetBold(bold);

            SheetWriter writer(sheet);
            for (int column = 0; column < table.header.size(); ++column)
                writer.text(0, column, table.header[column], bold);
            int row = 1;
            for (const QVariantList &cells : table.rows) {
                for (int column = 0; column < cells.size(); ++column)
                    writer.value(row, column, cells[column]);
                ++row;
            }
            if (!table.header.isEmpty())
                writer.freezeRowsAbove(1);
            return writer.finish();
        },
        error);
}
