#pragma once

#include "batch/csv_reader.h"
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

enum class BatchColumn {
    Id,
    Mode,
    Families,
    Qmax,
    Qmin,
    Pmax,
    PmaxUnit,
    Pmin,
    PminUnit,
    P,
    PUnit,
    Cabinet,
    Variant,
    Side,
    Bypass,
    Gauges,
    Pout,
    PoutUnit,
    // The conditions of the conversion and the checks, in every mode.
    Method,
    TMin,
    TMax,
    PAtm,
    Density,
    N2,
    CO2,
    MaxLoad,
    Strict,
    // x_<component>: mole per cent of each component, in the order of gas::Component.
    FirstFraction,
    LastFraction = FirstFraction + gas::ComponentCount - 1,
};
inline constexpr int BatchColumnCount = static_cast<int>(BatchColumn::LastFraction) + 1;

// The column's name in the header row ("id", "pmax_unit", "x_methane", ...).
QString BatchColumnName(BatchColumn column);
// The column of a component's mole per cent.
constexpr BatchColumn FractionColumn(gas::Component c)
{
    return static_cast<BatchColumn>(static_cast<int>(BatchColumn::FirstFraction) + gas::IndexOf(c));
}
// The column a refused entry concerns; empty for InputField::None.
QString BatchColumnOfField(InputField field);

// Where each column stands in a record (-1: not in the table) and how many
// fields a record has.
struct BatchColumns {
    std::array<int, BatchColumnCount> index{};
    int fieldCount = 0;
};

// The header row: every name must be a known column, none twice, and `mode`
// must be there. On failure, the field number (from 1) and the reason.
std::optional<BatchColumns> ReadBatchHeader(const QStringList &fields, int *badField,
                                            QString *error);

// A number as typed in a batch column, with either separator, with the locale's.
QString BatchLocaleNumber(QString text);

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
