#pragma once

#include "core/pricing/priced_list.h"
#include "core/project/project.h"
#include "core/table/batch_point.h"

#include <xlsxwriter.h>

#include <vector>

// The two sheets of the project workbook, each filled in increasing row order.

// The cell formats the sheets share.
struct ProjectFormats {
    lxw_format *bold = nullptr;
    lxw_format *money = nullptr;   // "#,##0.00"
    lxw_format *percent = nullptr; // the VAT rate, "0.00%"
    lxw_format *load = nullptr;    // "0.0"
};

// "Спецификация": the head with the rates, the rows with their amounts as formulas,
// the totals below.
// `priceList` names the list the prices come from, on a line under the totals.
lxw_error FillPricedListSheet(lxw_workbook *workbook, const ProjectHeading &heading,
                                 const PricedList &pricedList, const ProjectFormats &formats,
                                 const QString &priceList);

// "Точки": a frozen header row and one row a point.
lxw_error FillPointsSheet(lxw_workbook *workbook, const Project &project,
                          const std::vector<BatchRecord> &records, const ProjectFormats &formats);

// A figure in minor units as the number a cell holds: 83525.5 for 8352550.
inline double CellMoney(Money amount)
{
    return static_cast<double>(amount.minor) / 100.0;
}
