#include "core/catalogue/catalogue.h"

#include "core/catalogue/catalogue_table.h"
#include "core/gas/gas_error.h"
#include "core/input/number_text.h"

#include <QFile>
#include <QtGlobal>

#include <cstddef>

namespace {

// The table compiled in; a damaged one is a fault of the build, which the tests catch.
CatalogueTable BuiltInTable()
{
    QFile file(QStringLiteral(":/catalogue/catalogue.csv"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the built-in product table is missing: %s", qPrintable(file.errorString()));
    CatalogueTable table = ReadCatalogueTable(QString::fromUtf8(file.readAll()));
    if (!table.error.isEmpty())
        qFatal("the built-in product table is damaged: %s", qPrintable(table.error));
    return table;
}

} // namespace

const ProductRecord &ProductCatalogue::at(int index) const
{
    Q_ASSERT(index >= FirstSlot && index <= LastSlot);
    return rows_[static_cast<std::size_t>(index - FirstSlot)];
}

void ProductCatalogue::PrepareFigureTexts(QChar separator)
{
    figureSeparator_ = separator;
    figureTexts_.assign(rows_.size(), {});
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const ProductRecord &r = rows_[i];
        if (r.isEmpty())
            continue;
        figureTexts_[i] = {WriteNumber(r.DN, separator),   WriteNumber(r.Pmin, separator),
                           WriteNumber(r.Pmax, separator), WriteNumber(r.Qmax, separator),
                           WriteNumber(r.Qmin, separator), WriteNumber(r.Price, separator),
                           gas::MessageNumber(r.Pmin),     gas::MessageNumber(r.Pmax)};
    }
}

const ProductFigureTexts *ProductCatalogue::figureTexts(int index, QChar separator) const
{
    if (figureTexts_.empty() || separator != figureSeparator_)
        return nullptr;
    Q_ASSERT(index >= FirstSlot && index <= LastSlot);
    return &figureTexts_[static_cast<std::size_t>(index - FirstSlot)];
}

ProductRecord &ProductCatalogue::slot(int index)
{
    Q_ASSERT(index >= FirstSlot && index <= LastSlot);
    return rows_[static_cast<std::size_t>(index - FirstSlot)];
}

int ProductCatalogue::usedCount() const
{
    int used = 0;
    for (const ProductRecord &row : rows_)
        if (!row.isEmpty())
            ++used;
    return used;
}

void ProductCatalogue::Fill()
{
    // The table lives in gascore, a static library: registering it by name keeps its
    // data linked into every program (registering twice is harmless).
    Q_INIT_RESOURCE(catalogue);
    // Read once; later fills copy it.
    static const CatalogueTable table = BuiltInTable();
    rows_.fill(ProductRecord{});
    for (const CatalogueTableRow &row : table.rows)
        slot(row.slot) = row.record;
    priceList_ = table.info;
}
