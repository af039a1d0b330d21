#include "core/catalogue/catalogue.h"

#include "core/catalogue/catalogue_table.h"

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
