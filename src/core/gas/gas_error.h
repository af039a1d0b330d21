#pragma once

#include <QString>

#include <optional>
#include <variant>

namespace gas {

// A refused input: the machine key of the figure at fault ("temperature", "pressure",
// "density", "n2", "co2", "x_<component key>", "composition"), which the batch program
// uses as a column name, and a Russian message naming the figure, its value and the
// admitted range. Numbers in messages are written with a decimal comma, whatever the
// locale.
struct GasError {
    QString key;
    QString message;
};

// Either a value or the reason it was refused.
template <typename T>
using Checked = std::variant<T, GasError>;

// A number as messages write it: at most six significant digits, a decimal comma.
QString MessageNumber(double value);

// A figure outside [min, max] as messages write it: six significant digits, or as many
// more as it takes for the written figure itself to lie outside the range (100,0000001,
// not 100, against a highest 100).
QString MessageNumberOutside(double value, double min, double max);

// "от <min> до <max> <unit>".
QString RangeText(double min, double max, const QString &unit);

// "<figure> <value> <unit> вне диапазона метода <method>: <range>".
GasError RangeError(const QString &key, const QString &figure, const QString &valueText,
                    const QString &unit, const QString &method, const QString &range);

// "<figure> не задано числом (метод <method>)", for a NaN or an infinity.
GasError NotANumberError(const QString &key, const QString &figure, const QString &method);

// Refuses a figure that is not a finite number or lies outside [min, max].
std::optional<GasError> CheckRange(const QString &key, const QString &figure, double value,
                                   const QString &unit, const QString &method, double min,
                                   double max);

} // namespace gas
