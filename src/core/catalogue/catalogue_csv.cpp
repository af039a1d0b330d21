#include "core/catalogue/catalogue_csv.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/delimited_text.h"
#include "core/input/number_text.h"
#include "core/pricing/money.h"
#include "core/pricing/priced_list_texts.h"
#include "core/selection/product_lines.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray Write(const ProductCatalogue &catalogue, QChar separator, bool kept)
{
    const PriceListInfo &info = catalogue.priceList();
    QString text;
    const auto line = [&text](const QStringList &fields) { text += DelimitedLine(fields, u';') + u'\n'; };
    line({u"Прайс-лист"_s, info.name});
    line({u"Дата"_s, info.date.isValid() ? info.date.toString(u"dd.MM.yyyy"_s) : QString()});
    if (kept)
        line({u"Источник"_s, info.source});
    line(CatalogueCsvHeader());
    for (const QStringList &row : CatalogueCsvRows(catalogue, separator))
        line(row);
    return text.toUtf8();
}

} // namespace

QStringList CatalogueCsvHeader()
{
    return {u"Позиция"_s,    u"Обозначение"_s, u"Ду, мм"_s,       u"Pmin, бар"_s, u"Pmax, бар"_s,
            u"Qmax, м³/ч"_s, u"Qmin, м³/ч"_s,  u"Цена без НДС"_s, u"Валюта"_s};
}

QList<QStringList> CatalogueCsvRows(const ProductCatalogue &catalogue, QChar separator)
{
    QList<QStringList> rows;
    const auto number = [separator](double value) { return WriteNumber(value, separator); };
    for (int slot = ProductCatalogue::FirstSlot; slot <= ProductCatalogue::LastSlot; ++slot) {
        const ProductRecord &r = catalogue.at(slot);
        if (r.isEmpty())
            continue;
        rows << QStringList{QString::number(slot), r.Name, QString::number(r.DN), number(r.Pmin), number(r.Pmax),
                            number(r.Qmax), number(r.Qmin), MoneyText(MoneyOfPrice(r.Price), separator),
                            CurrencyCode(CurrencyOfSlot(slot))};
    }
    return rows;
}

bool CatalogueCsvColumnIsNumber(int column)
{
    return column != 1 && column != 8;
}

QByteArray CatalogueCsv(const ProductCatalogue &catalogue, QChar decimalSeparator)
{
    return Write(catalogue, decimalSeparator, false);
}

QByteArray KeptCatalogueCsv(const ProductCatalogue &catalogue)
{
    return Write(catalogue, u'.', true);
}
