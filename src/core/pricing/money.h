#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// An amount of money in whole minor units (kopecks of a rouble, cents of a euro),
// never in binary floating point: every figure of a priced list adds up to the
// minor unit.
struct Money {
    std::int64_t minor = 0;

    friend Money operator+(Money a, Money b) { return {a.minor + b.minor}; }
    Money &operator+=(Money other)
    {
        minor += other.minor;
        return *this;
    }
    auto operator<=>(const Money &) const = default;
};

// numerator / denominator rounded to the nearest whole number, half away from zero
// (the rule for rounding money to the kopeck); denominator > 0.
std::int64_t DivideRounded(std::int64_t numerator, std::int64_t denominator);

// A catalogue's list price (a decimal figure of at most two decimals held as a double)
// in minor units: rounded to the nearest kopeck, which is exact for such a figure.
Money MoneyOfPrice(double price);

// Exact decimal text to a fixed number of decimals: "79400.00" with separator '.',
// "-0.05"; at most `decimals` digits after the separator.
std::optional<std::int64_t> ReadScaled(const QString &text, int decimals);

// An amount as a decimal string with two decimals and the given separator, no grouping:
// "79400.00", "0,05".
QString MoneyText(Money amount, QChar separator = u'.');
