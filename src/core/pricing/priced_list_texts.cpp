#include "core/pricing/priced_list_texts.h"

using namespace Qt::StringLiterals;

namespace {

QString CurrencyWord(Currency currency)
{
    return currency == Currency::Euros ? u"евро"_s : u"руб."_s;
}

} // namespace

QStringList PricedListCaptions()
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

bool ShowsRoubles(const PricedList &priced)
{
    if (!priced.pricing.eurRate)
        return false;
    for (const PricedListRow &row : priced.rows) {
        if (row.currency == Currency::Euros)
            return true;
    }
    return false;
}

QStringList PricedListCells(const PricedListRow &row, QChar separator)
{
    QStringList cells(static_cast<int>(PricedListColumn::Count));
    const auto set = [&cells](PricedListColumn column, const QString &text) {
        cells[static_cast<int>(column)] = text;
    };
    set(PricedListColumn::Number, QString::number(row.number));
    set(PricedListColumn::Name, row.name);
    set(PricedListColumn::Dn, QString::number(row.dn));
    set(PricedListColumn::Quantity, QString::number(row.quantity));
    set(PricedListColumn::Currency, CurrencyCode(row.currency));
    set(PricedListColumn::Points, row.points.join(u", "_s));
    if (row.onRequest) {
        set(PricedListColumn::Price, u"цена по запросу"_s);
        return cells;
    }
    set(PricedListColumn::Price, GroupedMoney(row.price, separator));
    set(PricedListColumn::Amount, GroupedMoney(row.amount, separator));
    set(PricedListColumn::Vat, GroupedMoney(row.vat, separator));
    if (row.currency == Currency::Roubles) {
        set(PricedListColumn::AmountRub, GroupedMoney(row.amount, separator));
        set(PricedListColumn::VatRub, GroupedMoney(row.vat, separator));
    } else if (row.amountRub && row.vatRub) {
        set(PricedListColumn::AmountRub, GroupedMoney(*row.amountRub, separator));
        set(PricedListColumn::VatRub, GroupedMoney(*row.vatRub, separator));
    }
    return cells;
}

QStringList PricedListTotalLines(const PricedList &priced, QChar separator)
{
    QStringList lines;
    const QString vat = VatText(priced.pricing.vatHundredths, separator);
    for (const CurrencyTotal &total : priced.totals) {
        const QString word = CurrencyWord(total.currency);
        lines << u"Итого без НДС: %1 %2"_s.arg(GroupedMoney(total.amount, separator), word)
              << u"НДС %1 %: %2 %3"_s.arg(vat, GroupedMoney(total.vat, separator), word)
              << u"Всего с НДС: %1 %2"_s.arg(GroupedMoney(total.total, separator), word);
    }
    if (priced.totalRub) {
        QString rate = u"курс евро %1 руб."_s.arg(EurRateText(*priced.pricing.eurRate, separator));
        if (priced.pricing.eurRateDate.isValid())
            rate += u" на "_s + priced.pricing.eurRateDate.toString(u"dd.MM.yyyy"_s);
        lines << u"Всего с НДС в рублях (%1): %2 руб."_s.arg(rate, GroupedMoney(*priced.totalRub, separator));
    }
    if (priced.priceOnRequest > 0)
        lines << u"Позиций с ценой по запросу: %1 (в итоги не вошли)."_s.arg(priced.priceOnRequest);
    if (!priced.notSized.isEmpty())
        lines << u"не подобрано: %1"_s.arg(priced.notSized.join(u", "_s));
    if (priced.rows.empty() && priced.notSized.isEmpty())
        lines << u"В проекте нет точек."_s;
    return lines;
}
