// libFuzzer target for the price-list reader: arbitrary bytes are read as the maker's
// price list and checked against the built-in catalogue. A file refused whole says why
// and keeps no rows; every refused row names its line and reason; the prices a list
// puts in force are whole kopecks of at least 0, and the catalogue it gives, written
// out and read back, changes nothing.

#include "core/catalogue/catalogue.h"
#include "core/catalogue/catalogue_csv.h"
#include "core/catalogue/price_list_check.h"
#include "core/catalogue/price_list_file.h"
#include "filled_catalogue.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "price list: %s\n  %s\n", what, detail.toUtf8().constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const PriceListFile file = ReadPriceList(bytes, QStringLiteral("файл"), {});
    if (!file.ok()) {
        if (!file.rows.empty())
            Fail("a refused file kept rows", file.error);
        return 0;
    }
    const int lines = static_cast<int>(bytes.count('\n') + bytes.count('\r')) + 1;
    for (const PriceListRow &row : file.rows) {
        if (row.line < 1 || row.line > lines)
            Fail("a row outside the file", QString::number(row.line));
        if (row.price && row.price->minor < 0)
            Fail("a negative price taken", row.priceText);
        if (row.refusal.isEmpty() && (!row.price || row.designation.isEmpty()))
            Fail("a row taken without a price or a designation", row.priceText);
    }

    const ProductCatalogue &builtIn = FilledCatalogue();
    const PriceListCheck check = CheckPriceList(file, builtIn);
    for (const PriceListRefusal &refusal : check.refused)
        if (refusal.line < 1 || refusal.reason.isEmpty())
            Fail("a refusal without its line or reason", refusal.reason);
    if (check.changes.size() + static_cast<std::size_t>(check.unchanged) + check.leftOut.size() != 558)
        Fail("products lost between changed, unchanged and left out", QString::number(check.changes.size()));

    ProductCatalogue scratch; // empty: applying only writes the prices of the slots checked
    if (ApplyPriceList(check, scratch) != check.applicable())
        Fail("a list applied although refused, or refused although clean", QString::number(check.refused.size()));
    if (!check.applicable() || check.changes.empty())
        return 0;
    ProductCatalogue priced = builtIn;
    ApplyPriceList(check, priced);
    const PriceListCheck again = CheckPriceList(ReadPriceList(CatalogueCsv(priced, u','), {}, {}), priced);
    if (!again.applicable() || !again.changes.empty() || again.unchanged != 558)
        Fail("the catalogue written out does not read back unchanged", QString::number(again.changes.size()));
    return 0;
}
