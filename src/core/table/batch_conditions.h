#pragma once

#include "core/table/batch_columns.h"
#include "core/table/csv_reader.h"
#include "core/sizing/sizing_conditions.h"

#include <QString>

#include <optional>

// The columns of the conditions a point is sized under: the conversion method with
// the gas temperatures, the atmosphere and the gas data it uses, and the checks.

// A column of a record refused before sizing, and why.
struct ColumnRefusal {
    BatchColumn column;
    QString why;
};

// Reads the condition columns of a record into `conditions`. An empty column keeps
// the default of SizingConditions, but under a real method a missing t_min or t_max
// takes the other's value, and under aga8 an empty component is 0. A column the
// point's method does not use must be empty. The figures' ranges are the core's to
// check.
std::optional<ColumnRefusal> ReadBatchConditions(const BatchColumns &columns,
                                                 const CsvReader::Record &record,
                                                 SizingConditions &conditions);
