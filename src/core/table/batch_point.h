#pragma once

#include "core/table/batch_columns.h"
#include "core/table/csv_reader.h"
#include "core/catalogue/catalogue.h"
#include "core/gas/gas_components.h"
#include "core/input/input_field.h"
#include "core/sizing/sizing.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// One point of a batch: a record of the input table read into what the windows
// would have read, sized through SizePoint().

// A point as read from its record.
struct BatchPoint {
    QString id;
    int line = 0;
    QString modeText;
    SizingRequest request;
    QString qmaxText, qminText; // separator already the locale's
    // The outlet pressure of the reducing kinds: never used, only echoed.
    bool hasOutlet = false;
    QString outletText, outletUnit;
    // A record the windows could not have taken at all: the column and why.
    QString errorColumn, error;
};

// The record (with as many fields as the header) read as a point.
BatchPoint ReadBatchPoint(const BatchColumns &columns, const CsvReader::Record &record);

// A point with its outcome.
struct BatchRecord {
    BatchPoint point;
    bool sized = false; // went through SizePoint(); false after an input error of its own
    SizingOutcome outcome;
    QString errorColumn, error; // the point's error, empty when none
    QStringList warnings;

    bool hasError() const { return !error.isEmpty(); }
};

BatchRecord SizeBatchPoint(const BatchPoint &point, const ProductCatalogue &catalogue);
BatchRecord SizeBatchPoint(BatchPoint &&point, const ProductCatalogue &catalogue);
