// libFuzzer target for the workbook reader: the input is either a whole archive
// (when it starts as a zip does) or a sheet, its shared strings and its styles
// joined by lines of "--", put in a workbook of one sheet. Whatever it reads must be
// records of the header's width on rising rows, with their dates among their fields,
// and an error must name its row and say why.

#include "core/table/xlsx_reader.h"
#include "xlsx_parts_in_memory.h"

#include <QBuffer>
#include <QMap>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int MaxRecords = 256;

[[noreturn]] void Fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "xlsx input: %s\n  %s\n", what, detail.toUtf8().constData());
    std::abort();
}

std::unique_ptr<XlsxParts> OneSheet(const QByteArray &bytes)
{
    const QList<QByteArray> pieces = QByteArray(bytes).replace("\n--\n", "\x01").split('\x01');
    QMap<QString, QByteArray> parts;
    parts[QStringLiteral("xl/workbook.xml")] =
        "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheets><sheet name=\"Лист1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    parts[QStringLiteral("xl/_rels/workbook.xml.rels")] =
        "<Relationships><Relationship Id=\"rId1\" Type=\"worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>";
    parts[QStringLiteral("xl/worksheets/sheet1.xml")] = pieces.value(0);
    if (pieces.size() > 1)
        parts[QStringLiteral("xl/sharedStrings.xml")] = pieces.value(1);
    if (pieces.size() > 2)
        parts[QStringLiteral("xl/styles.xml")] = pieces.value(2);
    return std::make_unique<PartsInMemory>(parts);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QString why;
    std::unique_ptr<XlsxParts> parts = bytes.startsWith("PK") ? OpenXlsxBytes(bytes, &why) : OneSheet(bytes);
    if (!parts) {
        if (why.isEmpty())
            Fail("a refused archive without its reason", QString());
        return 0;
    }
    const std::unique_ptr<TableReader> reader = OpenXlsxTable(std::move(parts), QString(), &why);
    if (!reader) {
        if (why.isEmpty())
            Fail("a refused workbook without its reason", QString());
        return 0;
    }
    qsizetype width = -1;
    int line = 0;
    for (int i = 0; i < MaxRecords; ++i) {
        const std::optional<TableRecord> record = reader->next();
        if (!record)
            break;
        if (width < 0)
            width = record->fields.size();
        if (width < 1 || record->fields.size() != width)
            Fail("a record of another width than the header", record->fields.join(u'|'));
        if (record->line <= line)
            Fail("rows that do not rise", QString::number(record->line));
        line = record->line;
        bool anything = false;
        for (const QString &field : record->fields)
            anything = anything || !field.isEmpty();
        if (!anything)
            Fail("an empty row read as a record", QString::number(record->line));
        for (const int field : record->dateFields) {
            if (field < 0 || field >= width || record->fields[field].isEmpty())
                Fail("a date outside the record", QString::number(field));
        }
        const double share = reader->progress();
        if (share > 1)
            Fail("a share of the sheet above 1", QString::number(share));
    }
    if (reader->hasError() && (reader->errorLine() < 1 || reader->error().isEmpty()))
        Fail("an error without its row or reason", reader->error());
    return 0;
}
