#include "report/xlsx_project.h"

#include "report/xlsx_project_sheets.h"
#include "report/xlsx_workbook.h"

bool WriteProjectXlsx(const QString &path, const Project &project, const std::vector<BatchRecord> &records,
                      const PricedList &pricedList, QString *error, const QString &priceList)
{
    return WriteWorkbook(
        path,
        [&](lxw_workbook *workbook) {
            const ProjectFormats formats{AddFormat(workbook), AddFormat(workbook), AddFormat(workbook),
                                         AddFormat(workbook)};
            if (!formats.bold || !formats.money || !formats.percent || !formats.load)
                return LXW_ERROR_MEMORY_MALLOC_FAILED;
            SetBold(formats.bold);
            SetNumberFormat(formats.money, "#,##0.00");
            SetNumberFormat(formats.percent, "0.00%");
            SetNumberFormat(formats.load, "0.0");
            const lxw_error status = FillPricedListSheet(workbook, project.heading, pricedList, formats, priceList);
            if (status != LXW_NO_ERROR)
                return status;
            return FillPointsSheet(workbook, project, records, formats);
        },
        error);
}
