#pragma once

#include "core/gas/gas_components.h"
#include "core/input/input_field.h"
#include "core/table/table_record.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The columns of a point table (the batch program's input, a project's points): their
// names and the field of a window each stands for.

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
    MaxVelocity, // the inlet velocity limit, m/s; empty: no check
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
// The column of a header name ("pmax_unit"), none for a name no column has.
std::optional<BatchColumn> BatchColumnOfName(const QString &name);

// A number as typed in a batch column, with either separator, with the locale's
// (or the given one).
QString BatchLocaleNumber(QString text);
QString BatchLocaleNumber(QString text, QChar separator);
// The columns that hold a figure (flows, pressures, the conditions' numbers): a
// spreadsheet's date is refused there.
bool BatchColumnIsFigure(BatchColumn column);

// Where each column stands in a record (-1: not in the table) and how many
// fields a record has, with how the table's numbers are read.
struct BatchColumns {
    std::array<int, BatchColumnCount> index{};
    int fieldCount = 0;
    // The desktop's decimal separator, the one the texts are read with, looked up
    // once when the header is read; null: looked up for each point.
    QChar decimalSeparator;
    // A table whose fields are split at commas: a figure with a comma is refused
    // (its fraction was meant with a point).
    bool decimalPointOnly = false;
    // How messages name a field: by its line and number, or as a sheet's cell.
    TablePlaces places = TablePlaces::Lines;
};

// The header row: every name must be a known column, none twice, and `mode`
// must be there. On failure, the field number (from 1) and the reason.
std::optional<BatchColumns> ReadBatchHeader(const QStringList &fields, int *badField,
                                            QString *error);


