#include "report/xlsx_project_sheets.h"

#include "report/xlsx_workbook.h"
#include "core/pricing/priced_list_texts.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The table's columns; the two rouble columns only when the euro rows are shown in
// roubles too, the points after them.
constexpr int NumberColumn = 0, NameColumn = 1, DnColumn = 2, QuantityColumn = 3, PriceColumn = 4,
              AmountColumn = 5, VatColumn = 6, CurrencyColumn = 7, AmountRubColumn = 8, VatRubColumn = 9;
// The head and the totals: their captions under the product names, the rates beside.
constexpr int CaptionColumn = NameColumn, RateColumn = DnColumn;
// A rate shown as "22.00%".
constexpr qsizetype RateWidth = 7;

QString Range(int first, int last, int column)
{
    return CellReference(first, column, true) + u':' + CellReference(last, column, true);
}

// The sheet from the top down: every amount a formula over the cells above it and
// the rate cells of the head, cached with the priced list's own figure.
class PricedListSheet {
public:
    PricedListSheet(lxw_worksheet *sheet, const PricedList &priced, const ProjectFormats &formats)
        : writer_(sheet), priced_(priced), formats_(formats), roubles_(ShowsRoubles(priced))
    {
    }

    void head(const ProjectHeading &heading)
    {
        writer_.text(row_++, 0, u"Спецификация"_s, formats_.bold, false);
        const std::pair<QString, QString> fields[] = {
            {u"Объект"_s, heading.object}, {u"Заказчик"_s, heading.customer}, {u"Исполнитель"_s, heading.engineer}};
        for (const auto &[caption, value] : fields) {
            if (value.trimmed().isEmpty())
                continue;
            writer_.text(row_, CaptionColumn, caption);
            writer_.text(row_++, RateColumn, value.simplified(), nullptr, false);
        }
        const Pricing &pricing = priced_.pricing;
        writer_.text(row_, CaptionColumn, u"Ставка НДС"_s);
        writer_.number(row_, RateColumn, pricing.vatHundredths / 10000.0, formats_.percent);
        writer_.widen(RateColumn, RateWidth);
        vatRate_ = CellReference(row_++, RateColumn, true);
        writer_.text(row_, CaptionColumn, u"Курс евро, руб."_s);
        if (pricing.eurRate) {
            writer_.number(row_, RateColumn, static_cast<double>(*pricing.eurRate) / 10000.0);
            eurRate_ = CellReference(row_, RateColumn, true);
            if (pricing.eurRateDate.isValid())
                writer_.text(row_, RateColumn + 1, u"на "_s + pricing.eurRateDate.toString(u"dd.MM.yyyy"_s),
                             nullptr, false);
        } else {
            writer_.text(row_, RateColumn, u"не задан"_s, nullptr, false);
        }
        row_ += 2; // a blank row above the table
    }

    void table()
    {
        const QStringList captions = PricedListCaptions();
        int column = 0;
        for (int i = 0; i < captions.size(); ++i) {
            const auto shown = static_cast<PricedListColumn>(i);
            if (roubles_ || (shown != PricedListColumn::AmountRub && shown != PricedListColumn::VatRub))
                writer_.text(row_, column++, captions[i], formats_.bold);
        }
        firstRow_ = ++row_;
        for (const PricedListRow &r : priced_.rows)
            row(r);
        lastRow_ = row_ - 1;
    }

    void totals()
    {
        ++row_;
        for (const CurrencyTotal &total : priced_.totals)
            currencyTotal(total);
        if (roubles_ && priced_.totalRub) {
            label(u"Всего с НДС в рублях"_s);
            money(row_, AmountColumn,
                  u"=SUM(%1)+SUM(%2)"_s.arg(Range(firstRow_, lastRow_, AmountRubColumn),
                                           Range(firstRow_, lastRow_, VatRubColumn)),
                  *priced_.totalRub);
            writer_.text(row_++, CurrencyColumn, CurrencyCode(Currency::Roubles));
        }
        if (priced_.priceOnRequest > 0) {
            label(u"Позиций с ценой по запросу (в итоги не вошли)"_s);
            writer_.number(row_++, AmountColumn, priced_.priceOnRequest);
        }
        if (!priced_.notSized.isEmpty())
            line(u"не подобрано: %1"_s.arg(priced_.notSized.join(u", "_s)));
        if (priced_.rows.empty() && priced_.notSized.isEmpty())
            line(u"В проекте нет точек."_s);
    }

    // A line of its own under the totals.
    void note(const QString &text) { line(text); }

    lxw_error finish() { return writer_.finish(); }

private:
    int pointsColumn() const { return roubles_ ? VatRubColumn + 1 : CurrencyColumn + 1; }

    void label(const QString &text) { writer_.text(row_, CaptionColumn, text, nullptr, false); }
    void line(const QString &text) { writer_.text(row_++, CaptionColumn, text, nullptr, false); }

    void money(int row, int column, const QString &formula, Money value)
    {
        writer_.formula(row, column, formula, CellMoney(value), formats_.money);
        writer_.widen(column, GroupedMoney(value, u'.').size());
    }

    void row(const PricedListRow &r)
    {
        const int at = row_++;
        writer_.number(at, NumberColumn, r.number);
        writer_.text(at, NameColumn, r.name);
        writer_.number(at, DnColumn, r.dn);
        writer_.number(at, QuantityColumn, static_cast<double>(r.quantity));
        writer_.text(at, CurrencyColumn, CurrencyCode(r.currency));
        writer_.text(at, pointsColumn(), r.points.join(u", "_s));
        if (r.onRequest) {
            writer_.text(at, PriceColumn, u"цена по запросу"_s);
            return;
        }
        writer_.number(at, PriceColumn, CellMoney(r.price), formats_.money);
        writer_.widen(PriceColumn, GroupedMoney(r.price, u'.').size());
        const QString amount = CellReference(at, AmountColumn);
        money(at, AmountColumn, u"=%1*%2"_s.arg(CellReference(at, QuantityColumn), CellReference(at, PriceColumn)),
              r.amount);
        money(at, VatColumn, u"=ROUND(%1*%2,2)"_s.arg(amount, vatRate_), r.vat);
        if (!roubles_)
            return;
        if (r.currency == Currency::Roubles) {
            money(at, AmountRubColumn, u"="_s + amount, r.amount);
            money(at, VatRubColumn, u"="_s + CellReference(at, VatColumn), r.vat);
        } else if (r.amountRub && r.vatRub) {
            money(at, AmountRubColumn, u"=ROUND(%1*%2,2)"_s.arg(amount, eurRate_), *r.amountRub);
            money(at, VatRubColumn, u"=ROUND(%1*%2,2)"_s.arg(CellReference(at, AmountRubColumn), vatRate_),
                  *r.vatRub);
        }
    }

    // Without VAT, the VAT and with it: the first two summed over the currency's rows.
    void currencyTotal(const CurrencyTotal &total)
    {
        const QString code = CurrencyCode(total.currency);
        const QString codes = Range(firstRow_, lastRow_, CurrencyColumn);
        const int amountRow = row_;
        label(u"Итого без НДС"_s);
        money(row_, AmountColumn,
              u"=SUMIF(%1,\"%2\",%3)"_s.arg(codes, code, Range(firstRow_, lastRow_, AmountColumn)), total.amount);
        writer_.text(row_++, CurrencyColumn, code);
        label(u"НДС"_s);
        money(row_, AmountColumn, u"=SUMIF(%1,\"%2\",%3)"_s.arg(codes, code, Range(firstRow_, lastRow_, VatColumn)),
              total.vat);
        writer_.text(row_++, CurrencyColumn, code);
        label(u"Всего с НДС"_s);
        money(row_, AmountColumn,
              u"=%1+%2"_s.arg(CellReference(amountRow, AmountColumn), CellReference(amountRow + 1, AmountColumn)),
              total.total);
        writer_.text(row_++, CurrencyColumn, code);
    }

    SheetWriter writer_;
    const PricedList &priced_;
    ProjectFormats formats_;
    bool roubles_;
    int row_ = 0;
    QString vatRate_, eurRate_;       // the rate cells of the head
    int firstRow_ = 0, lastRow_ = -1; // the table's rows
};

} // namespace

lxw_error FillPricedListSheet(lxw_workbook *workbook, const ProjectHeading &heading,
                                 const PricedList &pricedList, const ProjectFormats &formats,
                                 const QString &priceList)
{
    lxw_error status = LXW_NO_ERROR;
    lxw_worksheet *sheet = AddSheet(workbook, u"Спецификация"_s, &status);
    if (!sheet)
        return status;
    PricedListSheet out(sheet, pricedList, formats);
    out.head(heading);
    out.table();
    out.totals();
    if (!priceList.isEmpty())
        out.note(u"Цены: %1"_s.arg(priceList));
    return out.finish();
}
