#include "core/selection/result_row.h"

#include "core/input/number_text.h"

#include <array>

namespace {
// Printed in the price column in place of a price of 0.
QString NegotiablePriceText() { return QStringLiteral("договорная"); }
} // namespace

QString PriceHeaderRoubles() { return QStringLiteral("Стоимость без НДС, руб. РФ"); }

QString PriceHeaderEuros() { return QStringLiteral("Стоимость без НДС, EVR"); }

ResultRow ResultHeaderRow()
{
    return ResultRow{
        QStringLiteral("№№"),
        QStringLiteral("Наименование изделия"),
        QStringLiteral("Ду, мм"),
        QStringLiteral("Pmin, бар"),
        QStringLiteral("Pmax, бар"),
        QStringLiteral("Qmax, куб.м/ч"),
        QStringLiteral("Qmin, куб.м/ч"),
        PriceHeaderRoubles(),
    };
}

ResultRow FormatResultRow(int number, const ProductRecord &record, QChar decimalSeparator)
{
    const auto write = [decimalSeparator](double value) {
        return WriteNumber(value, decimalSeparator);
    };
    // Whole numbers carry no separator, so the running number and the bore come
    // out as plain decimal integers.
    return ResultRow{
        write(number),
        record.Name,
        write(record.DN),
        write(record.Pmin),
        write(record.Pmax),
        write(record.Qmax),
        write(record.Qmin),
        record.Price == 0 ? NegotiablePriceText() : write(record.Price),
    };
}

QString RowNumberText(int number, QChar decimalSeparator)
{
    // "1" to "99" from text the program holds for its whole life: copies of it cost
    // nothing, on any thread.
    static constexpr auto Digits = [] {
        std::array<char16_t, 200> digits{};
        for (int n = 0; n < 100; ++n) {
            digits[std::size_t(2 * n)] = n < 10 ? char16_t(u'0' + n) : char16_t(u'0' + n / 10);
            digits[std::size_t(2 * n + 1)] = n < 10 ? u'\0' : char16_t(u'0' + n % 10);
        }
        return digits;
    }();
    if (number < 1 || number > 99)
        return WriteNumber(number, decimalSeparator);
    return QString::fromRawData(reinterpret_cast<const QChar *>(Digits.data() + 2 * number), number < 10 ? 1 : 2);
}

ResultRow FormatResultRow(int number, const ProductRecord &record, const ProductFigureTexts &figures,
                          QChar decimalSeparator)
{
    return ResultRow{
        RowNumberText(number, decimalSeparator),
        record.Name,
        figures.dn,
        figures.pmin,
        figures.pmax,
        figures.qmax,
        figures.qmin,
        record.Price == 0 ? NegotiablePriceText() : figures.price,
    };
}

ResultRow FormatResultRow(int number, const ProductRecord &record)
{
    return FormatResultRow(number, record, LocaleDecimalSeparator());
}
