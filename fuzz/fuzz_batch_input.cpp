// libFuzzer target for the batch program's input: arbitrary bytes go through the
// table reader; whatever it reads must come back the same through the writer's
// quoting, and every point of a table with a valid header is read, sized and
// written as a JSON object that parses, as table lines of the header's width and as
// the same CSV bytes the streamed writer makes. The same bytes also go through the
// reader of the tables desktops save (UTF-8 or Windows-1251, `;`, `,` or tab), from a
// file and as a stream: what it reads must read back the same written with `;`.

#include "batch/batch_output.h"
#include "core/input/number_text.h"
#include "core/table/batch_point.h"
#include "core/table/csv_reader.h"
#include "core/table/table_reader.h"
#include "sequential_bytes.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
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

// The records of a desktop's table, from a file or a stream; they must agree, but
// for the stream's late refusal of bytes that are not UTF-8.
void CheckDesktopTable(const QByteArray &bytes)
{
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    SequentialBytes stream(bytes);
    const std::unique_ptr<TableReader> fromFile = OpenCsvTable(file);
    const std::unique_ptr<TableReader> fromStream = OpenCsvTable(stream);
    QByteArray written("\xEF\xBB\xBF");
    std::vector<QStringList> records;
    for (int i = 0; i < MaxRecords; ++i) {
        const std::optional<TableRecord> a = fromFile->next();
        const std::optional<TableRecord> b = fromStream->next();
        if (a.has_value() != b.has_value() && !(a && fromStream->hasError()))
            Fail("a file and a stream of the same bytes read apart", a ? a->fields.join(u'|') : b->fields.join(u'|'));
        if (!a)
            break;
        if (b && (a->fields != b->fields || a->line != b->line))
            Fail("a file and a stream give another record", a->fields.join(u'|'));
        if (!a->dateFields.empty())
            Fail("a CSV record with a date", a->fields.join(u'|'));
        written += CsvLine(a->fields).toUtf8() + '\n';
        records.push_back(a->fields);
    }
    if (fromFile->hasError() && (fromFile->errorLine() < 1 || fromFile->error().isEmpty()))
        Fail("a desktop table's error without its line or reason", fromFile->error());
    const double share = fromFile->progress();
    if (!(share >= 0 && share <= 1) && !bytes.isEmpty())
        Fail("a share of the file outside 0 to 1", QString::number(share));
    bool failed = false;
    const std::vector<CsvReader::Record> again = ReadRecords(written, &failed);
    if (failed || again.size() != records.size())
        Fail("a desktop table's records do not read back", QString::fromUtf8(written));
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (again[i].fields != records[i])
            Fail("a desktop table's record reads back differently", records[i].join(u'|'));
    }
}

const ProductCatalogue &Catalogue()
{
    static const ProductCatalogue catalogue = [] {
        ProductCatalogue c;
        c.Fill();
        c.PrepareFigureTexts(LocaleDecimalSeparator());
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

    CheckDesktopTable(bytes);

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
        QByteArray lines;
        for (const QStringList &line : BatchTableLines(sized, BatchRows::All, PriceListTitle(Catalogue().priceList()))) {
            if (line.size() != width)
                Fail("a table line of the wrong width", line.join(u';'));
            lines += CsvLine(line).toUtf8() + '\n';
        }
        // The streamed writers' bytes (with the catalogue's rows made once) are the
        // lines' own and the object's own.
        static const BatchFormatter csvWriter(BatchFormatter::Format::Csv, BatchRows::All, LocaleDecimalSeparator(),
                                        &Catalogue());
        static const BatchFormatter jsonWriter(BatchFormatter::Format::Json, BatchRows::All, LocaleDecimalSeparator(),
                                         &Catalogue());
        std::string streamed;
        csvWriter.append(streamed, sized, true);
        if (QByteArray::fromStdString(streamed) != lines)
            Fail("the streamed table differs from its lines", QString::fromUtf8(lines));
        std::string object;
        jsonWriter.append(object, sized, true);
        if (QByteArray::fromStdString(object) != "\n" + BatchJsonObject(sized))
            Fail("the streamed JSON differs from the point's object", QString::fromStdString(object));
    }
    return 0;
}
