// libFuzzer target for the batch program's input: arbitrary bytes go through the
// table reader; whatever it reads must come back the same through the writer's
// quoting, and every point of a table with a valid header is read, sized and
// written as a JSON object that parses and as table lines of the header's width.

#include "batch/batch_output.h"
#include "core/table/batch_point.h"
#include "core/table/csv_reader.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// At most this many records of one input, so a run stays quick.
constexpr int MaxRecords = 64;

[[noreturn]] void Fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "batch input: %s\n  %s\n", what, detail.toUtf8().constData());
    std::abort();
}

std::vector<CsvReader::Record> ReadRecords(const QByteArray &bytes, bool *failed)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer);
    std::vector<CsvReader::Record> records;
    while (records.size() < MaxRecords) {
        std::optional<CsvReader::Record> record = reader.next();
        if (!record)
            break;
        if (record->fields.isEmpty() || record->line < 1)
            Fail("a record without fields or line", QString::number(record->line));
        records.push_back(std::move(*record));
    }
    *failed = reader.hasError();
    if (reader.hasError() && (reader.errorLine() < 1 || reader.error().isEmpty()))
        Fail("an error without its line or reason", reader.error());
    return records;
}

const ProductCatalogue &Catalogue()
{
    static const ProductCatalogue catalogue = [] {
        ProductCatalogue c;
        c.Fill();
        return c;
    }();
    return catalogue;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    bool failed = false;
    const std::vector<CsvReader::Record> records = ReadRecords(bytes, &failed);

    // The fields written back (after a mark, so a leading U+FEFF of the first field
    // survives) read as the same fields.
    QByteArray written("\xEF\xBB\xBF");
    for (const CsvReader::Record &record : records)
        written += CsvLine(record.fields).toUtf8() + '\n';
    bool failedAgain = false;
    const std::vector<CsvReader::Record> again = ReadRecords(written, &failedAgain);
    if (failedAgain || again.size() != records.size())
        Fail("written records do not read back", QString::fromUtf8(written));
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (again[i].fields != records[i].fields)
            Fail("a record reads back differently", records[i].fields.join(u'|'));
    }

    if (records.empty())
        return 0;
    int badField = 0;
    QString why;
    const std::optional<BatchColumns> columns = ReadBatchHeader(records.front().fields, &badField, &why);
    if (!columns)
        return 0;
    const qsizetype width = BatchTableHeader().size();
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (records[i].fields.size() != columns->fieldCount)
            continue;
        const BatchRecord sized = SizeBatchPoint(ReadBatchPoint(*columns, records[i]), Catalogue());
        const bool accepted = sized.sized && sized.outcome.accepted;
        if (sized.hasError() == accepted)
            Fail("an accepted point with an error, or a refused one without", sized.error);
        QJsonParseError parse{};
        const QJsonDocument json = QJsonDocument::fromJson(BatchJsonObject(sized), &parse);
        if (parse.error != QJsonParseError::NoError || !json.isObject())
            Fail("a point's JSON does not parse", QString::fromUtf8(BatchJsonObject(sized)));
        if (json.object().value(u"id").toString() != sized.point.id)
            Fail("the JSON id is not the input's", sized.point.id);
        for (const QStringList &line : BatchTableLines(sized)) {
            if (line.size() != width)
                Fail("a table line of the wrong width", line.join(u';'));
        }
    }
    return 0;
}
