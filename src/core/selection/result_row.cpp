#include "core/selection/result_row.h"

#include "core/input/number_text.h"

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

ResultRow FormatResultRow(int number, const ProductRecord &record, const ProductFigureTexts &figures,
                          QChar decimalSeparator)
{
    return ResultRow{
        WriteNumber(number, decimalSeparator),
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
