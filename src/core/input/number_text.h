#pragma once

#include <QChar>
#include <QString>

#include <optional>

// The two rules by which numbers meet text everywhere in the program.
//
// Reading: the whole text must be a decimal number: optional leading blanks, an
// optional sign, digits with at most one decimal separator anywhere among them (a
// lone separator reads as 0), an optional exponent (E or e, optional sign,
// digits), optional trailing blanks, nothing else. A value beyond the double
// range fails. Only the given separator counts; the other one is a stray
// character.
//
// Writing: 15 significant digits, no trailing zeros, no separator for whole
// values, zero as "0"; values with 0.0001 <= |v| < 1E15 in full, the others in
// exponent form such as "1E15" or "1,5E-7".

std::optional<double> ReadNumber(const QString &text, QChar decimalSeparator);
QString WriteNumber(double value, QChar decimalSeparator);

// The writing rule into `out`, which holds at least NumberTextCapacity characters,
// with a separator of plain ASCII; the number of characters written. For writers
// that put the text straight into bytes. The same text as WriteNumber() above, made
// by one conversion: quicker for the long figures of a computation, slower for short
// ones.
inline constexpr int NumberTextCapacity = 32;
int WriteNumber(double value, char decimalSeparator, char *out);

// The desktop locale's decimal separator (QLocale(), so a test may set another
// default locale).
QChar LocaleDecimalSeparator();

// The two rules with the desktop locale's separator.
std::optional<double> ReadNumber(const QString &text);
QString WriteNumber(double value);

// A value with a fixed number of decimals (rounded half away from zero, as
// printf does), for the derived figures of a report: "73,5", "1,20".
QString WriteFixed(double value, int decimals, QChar decimalSeparator);
QString WriteFixed(double value, int decimals);
