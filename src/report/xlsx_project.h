#pragma once

#include "core/pricing/priced_list.h"
#include "core/project/project.h"
#include "core/table/batch_point.h"

#include <QString>

#include <vector>

// The project as a workbook: sheet "Спецификация" (the rows, their amounts and the totals as formulas over the quantity and price cells, each with the program's own figure as its cached value) and sheet "Точки" (one row a point: its inputs, conditions, chosen product and figures). Written whole or not at all; false with the reason (the file and why) in *error.
bool WriteProjectXlsx(const QString &path, const Project &project, const std::vector<BatchRecord> &records, const PricedList &pricedList, QString *error,
                      const QString &priceList = {});
