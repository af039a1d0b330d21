#include "batch/priced_list_output.h"

#include "core/input/number_text.h"
#include "core/pricing/priced_list_texts.h"
#include "core/table/csv_reader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

enum Field { Kind, Number, Name, Dn, Quantity, Price, Amount, Vat, Total, CurrencyField, AmountRub, VatRub, Points, FieldCount };

QStringList Header()
{
    return {u"kind"_s,  u"number"_s, u"name"_s,     u"dn"_s,         u"quantity"_s,
            u"price"_s, u"amount"_s, u"vat"_s,      u"total"_s,      u"currency"_s,
            u"amount_rub"_s, u"vat_rub"_s, u"points"_s};
}

QStringList Line(const QString &kind)
{
    QStringList line(FieldCount);
    line[Kind] = kind;
    return line;
}

QJsonValue MoneyValue(const std::optional<Money> &amount)
{
    return amount ? QJsonValue(MoneyText(*amount)) : QJsonValue();
}

QJsonArray Ids(const QStringList &ids)
{
    QJsonArray array;
    for (const QString &id : ids)
        array.append(id);
    return array;
}

} // namespace

QByteArray PricedListCsv(const PricedList &priced)
{
    const QChar sep = LocaleDecimalSeparator();
    const auto money = [sep](Money m) { return MoneyText(m, sep); };
    QByteArray out = CsvLine(Header()).toUtf8() + '\n';
    const auto put = [&out](const QStringList &line) { out += CsvLine(line).toUtf8() + '\n'; };
    for (const PricedListRow &row : priced.rows) {
        QStringList line = Line(u"row"_s);
        line[Number] = QString::number(row.number);
        line[Name] = row.name;
        line[Dn] = QString::number(row.dn);
        line[Quantity] = QString::number(row.quantity);
        line[CurrencyField] = CurrencyCode(row.currency);
        line[Points] = row.points.join(u", "_s);
        if (!row.onRequest) {
            line[Price] = money(row.price);
            line[Amount] = money(row.amount);
            line[Vat] = money(row.vat);
            line[Total] = money(row.amount + row.vat);
            if (priced.pricing.eurRate && row.currency == Currency::Roubles) {
                line[AmountRub] = money(row.amount);
                line[VatRub] = money(row.vat);
            } else if (row.amountRub && row.vatRub) {
                line[AmountRub] = money(*row.amountRub);
                line[VatRub] = money(*row.vatRub);
            }
        }
        put(line);
    }
    for (const CurrencyTotal &total : priced.totals) {
        QStringList line = Line(u"total"_s);
        line[Amount] = money(total.amount);
        line[Vat] = money(total.vat);
        line[Total] = money(total.total);
        line[CurrencyField] = CurrencyCode(total.currency);
        put(line);
    }
    if (priced.totalRub) {
        QStringList line = Line(u"total_rub"_s);
        line[Total] = money(*priced.totalRub);
        line[CurrencyField] = CurrencyCode(Currency::Roubles);
        put(line);
    }
    if (priced.priceOnRequest > 0) {
        QStringList line = Line(u"price_on_request"_s);
        line[Quantity] = QString::number(priced.priceOnRequest);
        put(line);
    }
    for (const QString &id : priced.notSized) {
        QStringList line = Line(u"not_sized"_s);
        line[Points] = id;
        put(line);
    }
    QStringList vat = Line(u"vat_percent"_s);
    vat[Total] = VatText(priced.pricing.vatHundredths, sep);
    put(vat);
    if (priced.pricing.eurRate) {
        QStringList rate = Line(u"eur_rate"_s);
        rate[Total] = EurRateText(*priced.pricing.eurRate, sep);
        if (priced.pricing.eurRateDate.isValid())
            rate[Name] = priced.pricing.eurRateDate.toString(Qt::ISODate);
        put(rate);
    }
    return out;
}

QByteArray PricedListJson(const PricedList &priced)
{
    QJsonArray rows;
    for (const PricedListRow &row : priced.rows) {
        QJsonObject object{{u"number"_s, row.number},
                           {u"name"_s, row.name},
                           {u"dn"_s, row.dn},
                           {u"quantity"_s, static_cast<qint64>(row.quantity)},
                           {u"currency"_s, CurrencyCode(row.currency)},
                           {u"on_request"_s, row.onRequest},
                           {u"points"_s, Ids(row.points)}};
        object[u"price"_s] = MoneyValue(row.onRequest ? std::nullopt : std::optional(row.price));
        object[u"amount"_s] = MoneyValue(row.onRequest ? std::nullopt : std::optional(row.amount));
        object[u"vat"_s] = MoneyValue(row.onRequest ? std::nullopt : std::optional(row.vat));
        // In roubles only with a euro rate, as the grand total.
        const bool roubles = priced.pricing.eurRate && row.currency == Currency::Roubles && !row.onRequest;
        object[u"amount_rub"_s] = MoneyValue(roubles ? std::optional(row.amount) : row.amountRub);
        object[u"vat_rub"_s] = MoneyValue(roubles ? std::optional(row.vat) : row.vatRub);
        rows.append(object);
    }
    QJsonArray totals;
    for (const CurrencyTotal &total : priced.totals) {
        totals.append(QJsonObject{{u"currency"_s, CurrencyCode(total.currency)},
                                  {u"amount"_s, MoneyText(total.amount)},
                                  {u"vat"_s, MoneyText(total.vat)},
                                  {u"total"_s, MoneyText(total.total)}});
    }
    QJsonObject root{{u"rows"_s, rows},
                     {u"totals"_s, totals},
                     {u"total_rub"_s, MoneyValue(priced.totalRub)},
                     {u"vat_percent"_s, VatText(priced.pricing.vatHundredths)},
                     {u"price_on_request"_s, priced.priceOnRequest},
                     {u"not_sized"_s, Ids(priced.notSized)}};
    root[u"eur_rate"_s] = priced.pricing.eurRate ? QJsonValue(EurRateText(*priced.pricing.eurRate)) : QJsonValue();
    root[u"eur_rate_date"_s] = priced.pricing.eurRateDate.isValid()
        ? QJsonValue(priced.pricing.eurRateDate.toString(Qt::ISODate))
        : QJsonValue();
    return QJsonDocument(root).toJson(QJsonDocument::Compact) + '\n';
}
