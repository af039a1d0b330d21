#include "core/catalogue/price_list_check.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/designation_key.h"
#include "core/input/number_text.h"
#include "core/pricing/priced_list_texts.h"
#include "core/selection/product_lines.h"

#include <QHash>

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace {

struct Priced {
    Money price;
    int line = 0;
};

} // namespace

std::vector<int> PriceListCheck::refusedLines() const
{
    std::vector<int> lines;
    for (const PriceListRefusal &r : refused)
        if (lines.empty() || lines.back() != r.line)
            lines.push_back(r.line);
    return lines;
}

PriceListCheck CheckPriceList(const PriceListFile &file, const ProductCatalogue &catalogue)
{
    PriceListCheck check;
    check.info = file.info;
    QHash<QString, std::vector<int>> slotsOf;
    for (int slot = ProductCatalogue::FirstSlot; slot <= ProductCatalogue::LastSlot; ++slot)
        if (!catalogue.at(slot).isEmpty())
            slotsOf[DesignationKey(catalogue.at(slot).Name)].push_back(slot);

    std::map<int, Priced> priced;
    const auto refuse = [&check](const PriceListRow &row, const QString &why) {
        check.refused.push_back({row.line, row.designation, why});
    };
    for (const PriceListRow &row : file.rows) {
        if (!row.refusal.isEmpty() && !row.blankPrice) {
            refuse(row, row.refusal);
            continue;
        }
        const std::vector<int> named = slotsOf.value(DesignationKey(row.designation));
        std::vector<int> matched;
        for (int slot : named) {
            const ProductRecord &r = catalogue.at(slot);
            if ((!row.dn || *row.dn == r.DN) && (!row.qmin || *row.qmin == r.Qmin))
                matched.push_back(slot);
        }
        if (matched.empty()) {
            // A row without a price that names no product is a heading of the list.
            if (row.blankPrice)
                continue;
            QString note;
            if (!named.empty())
                note = row.dn && row.qmin ? u"нет изделия с такими Ду и Qmin"_s
                    : row.dn             ? u"нет изделия с Ду %1"_s.arg(*row.dn)
                                         : u"нет изделия с таким Qmin"_s;
            check.unknown.push_back({row.line, row.designation, row.priceText, note});
            continue;
        }
        if (row.blankPrice) {
            refuse(row, row.refusal);
            continue;
        }
        const Money price = *row.price;
        if (row.currency) {
            const auto other = std::find_if(matched.begin(), matched.end(),
                                            [&row](int slot) { return CurrencyOfSlot(slot) != *row.currency; });
            if (other != matched.end()) {
                refuse(row, u"валюта %1, а изделие в каталоге в %2: цена в другой валюте не пересчитывается"_s.arg(
                                CurrencyCode(*row.currency), CurrencyCode(CurrencyOfSlot(*other))));
                continue;
            }
        }
        const auto clash = std::find_if(matched.begin(), matched.end(), [&](int slot) {
            const auto at = priced.find(slot);
            return at != priced.end() && at->second.price != price;
        });
        if (clash != matched.end()) {
            const Priced &first = priced[*clash];
            refuse(row, u"изделие уже стоит в строке %1 с другой ценой (%2); если это разные исполнения, "
                        u"различите их столбцами «Ду» и «Qmin»"_s.arg(
                            QString::number(first.line), GroupedMoney(first.price, LocaleDecimalSeparator())));
            continue;
        }
        for (int slot : matched)
            if (!priced.contains(slot))
                priced[slot] = {price, row.line};
    }

    for (const auto &[slot, p] : priced) {
        check.prices.emplace_back(slot, p.price);
        const Money before = MoneyOfPrice(catalogue.at(slot).Price);
        if (before != p.price)
            check.changes.push_back({slot, p.line, before, p.price});
        else
            ++check.unchanged;
    }
    std::stable_sort(check.changes.begin(), check.changes.end(),
                     [](const PriceChange &a, const PriceChange &b) { return a.line < b.line; });
    for (int slot = ProductCatalogue::FirstSlot; slot <= ProductCatalogue::LastSlot; ++slot)
        if (!catalogue.at(slot).isEmpty() && !priced.contains(slot))
            check.leftOut.push_back(slot);
    return check;
}

bool ApplyPriceList(const PriceListCheck &check, ProductCatalogue &catalogue)
{
    if (!check.applicable())
        return false;
    for (const auto &[slot, price] : check.prices)
        catalogue.slot(slot).Price = double(price.minor) / 100;
    catalogue.priceList_ = check.info;
    return true;
}
