#include "core/catalogue/catalogue_rows.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/delimited_text.h"
#include "core/catalogue/designation_key.h"
#include "core/input/number_text.h"
#include "core/pricing/priced_list_texts.h"
#include "core/selection/product_lines.h"
#include "core/selection/selection_modes.h"

using namespace Qt::StringLiterals;

namespace {

// The order the main window lists its categories in.
constexpr int CategoryOrder[] = {1, 2, 3, 4, 5};

QString NegotiablePrice() { return u"договорная"_s; }

} // namespace

QStringList CatalogueCaptions()
{
    return {u"Категория"_s,  u"Линейка"_s,    u"Обозначение"_s, u"Ду, мм"_s,       u"Pmin, бар"_s,
            u"Pmax, бар"_s,  u"Qmax, м³/ч"_s, u"Qmin, м³/ч"_s,  u"Цена без НДС"_s, u"Валюта"_s};
}

bool CatalogueColumnIsNumber(CatalogueColumn column)
{
    switch (column) {
    case CatalogueColumn::Dn:
    case CatalogueColumn::Pmin:
    case CatalogueColumn::Pmax:
    case CatalogueColumn::Qmax:
    case CatalogueColumn::Qmin:
    case CatalogueColumn::Price:
        return true;
    default:
        return false;
    }
}

std::vector<CatalogueRowView> CatalogueRows(const ProductCatalogue &catalogue, QChar separator)
{
    std::vector<CatalogueRowView> rows;
    for (int slot = ProductCatalogue::FirstSlot; slot <= ProductCatalogue::LastSlot; ++slot) {
        const ProductRecord &r = catalogue.at(slot);
        const ProductLine *line = LineOfSlot(slot);
        if (r.isEmpty() || !line)
            continue;
        CatalogueRowView row;
        row.slot = slot;
        row.mode = line->mode;
        row.family = line->family;
        const Money price = MoneyOfPrice(r.Price);
        const auto number = [separator](double v) { return WriteNumber(v, separator); };
        row.plain = {CategoryOfLine(*line), FamilyOfLine(*line), r.Name, QString::number(r.DN), number(r.Pmin),
                     number(r.Pmax), number(r.Qmax), number(r.Qmin),
                     price.minor == 0 ? NegotiablePrice() : MoneyText(price, separator),
                     CurrencyCode(CurrencyOfSlot(slot))};
        row.cells = row.plain;
        if (price.minor != 0)
            row.cells[int(CatalogueColumn::Price)] = GroupedMoney(price, separator);
        row.numbers[int(CatalogueColumn::Dn)] = r.DN;
        row.numbers[int(CatalogueColumn::Pmin)] = r.Pmin;
        row.numbers[int(CatalogueColumn::Pmax)] = r.Pmax;
        row.numbers[int(CatalogueColumn::Qmax)] = r.Qmax;
        row.numbers[int(CatalogueColumn::Qmin)] = r.Qmin;
        row.numbers[int(CatalogueColumn::Price)] = r.Price;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<CatalogueLineChoice> CatalogueLineChoices()
{
    std::vector<CatalogueLineChoice> choices{{u"Все изделия"_s, 0, -1}};
    for (int mode : CategoryOrder) {
        choices.push_back({CategoryCaption(mode), mode, -1});
        for (int family = 0; family < FamilyCount(mode); ++family)
            choices.push_back({u"    "_s + FamilyCaption(mode, family), mode, family});
    }
    return choices;
}

bool CatalogueRowShown(const CatalogueRowView &row, const QString &text, const CatalogueLineChoice &line)
{
    if (line.mode != 0 && (row.mode != line.mode || (line.family >= 0 && row.family != line.family)))
        return false;
    const QString wanted = DesignationKey(text);
    if (wanted.isEmpty())
        return true;
    return DesignationKey(row.cells[int(CatalogueColumn::Designation)]).contains(wanted)
        || DesignationKey(row.cells[int(CatalogueColumn::Family)]).contains(wanted);
}

QByteArray CatalogueRowsCsv(const QList<QStringList> &rows)
{
    QString text = DelimitedLine(CatalogueCaptions(), u';') + u'\n';
    for (const QStringList &row : rows)
        text += DelimitedLine(row, u';') + u'\n';
    return text.toUtf8();
}
