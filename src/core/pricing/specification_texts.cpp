#include "core/pricing/specification_texts.h"

using namespace Qt::StringLiterals;

namespace {

QString CurrencyWord(Currency currency)
{
    return currency == Currency::Euros ? u"евро"_s : u"руб."_s;
}

} // namespace

QStringList SpecificationCaptions()
{
    return {u"№"_s,           u"Изделие"_s, u"Ду"_s,  u"Кол-во"_s,          u"Цена без НДС"_s,
            u"Сумма без НДС"_s, u"НДС"_s,     u"Валюта"_s, u"Сумма без НДС, руб."_s, u"НДС, руб."_s,
            u"Точки учёта"_s};
}

QString CurrencyCode(Currency currency)
{
    return currency == Currency::Euros ? u"EUR"_s : u"RUB"_s;
}

QString GroupedMoney(Money amount, QChar separator)
{
    QString text = MoneyText(amount, separator);
    const qsizetype point = text.indexOf(separator);
    const qsizetype first = text.startsWith(u'-') ? 1 : 0;
    for (qsizetype at = point - 3; at > first; at -= 3)
        text.insert(at, QChar(0x00A0));
    return text;
}

bool ShowsRoubles(const Specification &spec)
{
    if (!spec.pricing.eurRate)
        return false;
    for (const SpecificationRow &row : spec.rows) {
        if (row.currency == Currency::Euros)
            return true;
    }
    return false;
}

QStringList SpecificationCells(const SpecificationRow &row, QChar separator)
{
    QStringList cells(static_cast<int>(SpecificationColumn::Count));
    const auto set = [&cells](SpecificationColumn column, const QString &text) {
        cells[static_cast<int>(column)] = text;
    };
    set(SpecificationColumn::Number, QString::number(row.number));
    set(SpecificationColumn::Name, row.name);
    set(SpecificationColumn::Dn, QString::number(row.dn));
    set(SpecificationColumn::Quantity, QString::number(row.quantity));
    set(SpecificationColumn::Currency, CurrencyCode(row.currency));
    set(SpecificationColumn::Points, row.points.join(u", "_s));
    if (row.onRequest) {
        set(SpecificationColumn::Price, u"цена по запросу"_s);
        return cells;
    }
    set(SpecificationColumn::Price, GroupedMoney(row.price, separator));
    set(SpecificationColumn::Amount, GroupedMoney(row.amount, separator));
    set(SpecificationColumn::Vat, GroupedMoney(row.vat, separator));
    if (row.currency == Currency::Roubles) {
        set(SpecificationColumn::AmountRub, GroupedMoney(row.amount, separator));
        set(SpecificationColumn::VatRub, GroupedMoney(row.vat, separator));
    } else if (row.amountRub && row.vatRub) {
        set(SpecificationColumn::AmountRub, GroupedMoney(*row.amountRub, separator));
        set(SpecificationColumn::VatRub, GroupedMoney(*row.vatRub, separator));
    }
    return cells;
}

QStringList SpecificationTotalLines(const Specification &spec, QChar separator)
{
    QStringList lines;
    const QString vat = VatText(spec.pricing.vatHundredths, separator);
    for (const CurrencyTotal &total : spec.totals) {
        const QString word = CurrencyWord(total.currency);
        lines << u"Итого без НДС: %1 %2"_s.arg(GroupedMoney(total.amount, separator), word)
              << u"НДС %1 %: %2 %3"_s.arg(vat, GroupedMoney(total.vat, separator), word)
              << u"Всего с НДС: %1 %2"_s.arg(GroupedMoney(total.total, separator), word);
    }
    if (spec.totalRub) {
        QString rate = u"курс евро %1 руб."_s.arg(EurRateText(*spec.pricing.eurRate, separator));
        if (spec.pricing.eurRateDate.isValid())
            rate += u" на "_s + spec.pricing.eurRateDate.toString(u"dd.MM.yyyy"_s);
        lines << u"Всего с НДС в рублях (%1): %2 руб."_s.arg(rate, GroupedMoney(*spec.totalRub, separator));
    }
    if (spec.priceOnRequest > 0)
        lines << u"Позиций с ценой по запросу: %1 (в итоги не вошли)."_s.arg(spec.priceOnRequest);
    if (!spec.notSized.isEmpty())
        lines << u"не подобрано: %1"_s.arg(spec.notSized.join(u", "_s));
    if (spec.rows.empty() && spec.notSized.isEmpty())
        lines << u"В проекте нет точек."_s;
    return lines;
}
