#include "core/pricing/priced_list.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Scale of the rates: hundredths of a per cent, ten-thousandths of a rouble.
constexpr std::int64_t VatScale = 100 * 100;
constexpr std::int64_t RateScale = 10000;

// A scaled figure written with its decimals, trailing zeros dropped: "22", "22.5".
QString ScaledText(std::int64_t value, int decimals, QChar separator)
{
    QString text = MoneyText(Money{value}, separator); // two decimals
    if (decimals != 2) {
        std::int64_t unit = 1;
        for (int i = 0; i < decimals; ++i)
            unit *= 10;
        const QString fraction = QString::number(value % unit).rightJustified(decimals, u'0');
        text = QString::number(value / unit) + separator + fraction;
    }
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(separator))
        text.chop(1);
    return text;
}

std::optional<QDate> ReadDate(const QString &text)
{
    for (const QString &format : {u"dd.MM.yyyy"_s, u"yyyy-MM-dd"_s}) {
        const QDate date = QDate::fromString(text.trimmed(), format);
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

} // namespace

Money VatOf(Money amount, int vatHundredths)
{
    return {DivideRounded(amount.minor * vatHundredths, VatScale)};
}

Money RoublesOf(Money euros, std::int64_t eurRate)
{
    return {DivideRounded(euros.minor * eurRate, RateScale)};
}

PricedList BuildPricedList(const std::vector<PricedListItem> &items,
                                 const QStringList &notSized, const Pricing &pricing)
{
    PricedList priced;
    priced.pricing = pricing;
    priced.notSized = notSized;
    for (const PricedListItem &item : items) {
        auto row = std::find_if(priced.rows.begin(), priced.rows.end(), [&](const PricedListRow &r) {
            return r.name == item.name && r.currency == item.currency;
        });
        if (row == priced.rows.end()) {
            PricedListRow made;
            made.number = static_cast<int>(priced.rows.size()) + 1;
            made.name = item.name;
            made.dn = item.dn;
            made.price = item.price;
            made.currency = item.currency;
            made.onRequest = item.price.minor == 0;
            priced.rows.push_back(made);
            row = priced.rows.end() - 1;
        }
        row->quantity += item.quantity;
        row->points << item.pointId;
    }

    CurrencyTotal roubles{Currency::Roubles, {}, {}, {}};
    CurrencyTotal euros{Currency::Euros, {}, {}, {}};
    bool anyRoubles = false, anyEuros = false;
    Money inRoubles;
    for (PricedListRow &row : priced.rows) {
        if (row.onRequest) {
            ++priced.priceOnRequest;
            continue;
        }
        row.amount = {row.price.minor * row.quantity};
        row.vat = VatOf(row.amount, pricing.vatHundredths);
        CurrencyTotal &total = row.currency == Currency::Euros ? euros : roubles;
        (row.currency == Currency::Euros ? anyEuros : anyRoubles) = true;
        total.amount += row.amount;
        total.vat += row.vat;
        if (row.currency == Currency::Roubles) {
            inRoubles += row.amount + row.vat;
        } else if (pricing.eurRate) {
            row.amountRub = RoublesOf(row.amount, *pricing.eurRate);
            row.vatRub = VatOf(*row.amountRub, pricing.vatHundredths);
            inRoubles += *row.amountRub + *row.vatRub;
        }
    }
    for (CurrencyTotal *total : {&roubles, &euros})
        total->total = total->amount + total->vat;
    if (anyRoubles)
        priced.totals.push_back(roubles);
    if (anyEuros)
        priced.totals.push_back(euros);
    if (pricing.eurRate)
        priced.totalRub = inRoubles;
    return priced;
}

PricingReading ReadPricing(const QString &vatText, const QString &eurRateText, const QString &dateText)
{
    Pricing pricing;
    const auto vat = ReadScaled(vatText, 2);
    if (!vat || *vat < 0 || *vat > 100 * 100)
        return {std::nullopt, u"Ставка НДС «%1» не принята: нужно число от 0 до 100 %, не более двух "
                              u"знаков после запятой."_s.arg(vatText.trimmed())};
    pricing.vatHundredths = static_cast<int>(*vat);
    if (!eurRateText.trimmed().isEmpty()) {
        const auto rate = ReadScaled(eurRateText, 4);
        // A rate above a million roubles per euro is a typing error, and would overflow.
        if (!rate || *rate <= 0 || *rate > 1'000'000 * RateScale)
            return {std::nullopt, u"Курс евро «%1» не принят: нужно число рублей за евро больше 0, "
                                  u"не более четырёх знаков после запятой."_s.arg(eurRateText.trimmed())};
        pricing.eurRate = *rate;
    }
    if (!dateText.trimmed().isEmpty()) {
        const auto date = ReadDate(dateText);
        if (!date)
            return {std::nullopt, u"Дата курса «%1» не принята: нужна дата ДД.ММ.ГГГГ."_s.arg(dateText.trimmed())};
        pricing.eurRateDate = *date;
    }
    return {pricing, {}};
}

QString VatText(int vatHundredths, QChar separator)
{
    return ScaledText(vatHundredths, 2, separator);
}

QString EurRateText(std::int64_t eurRate, QChar separator)
{
    return ScaledText(eurRate, 4, separator);
}
