#include "batch/batch_files.h"

#include "batch/batch_output.h"
#include "report/batch_report.h"
#include "report/xlsx_table.h"
#include "core/input/number_text.h"

#include <QDateTime>

namespace {

bool WriteTable(const QString &path, const std::vector<BatchRecord> &records, QString *error)
{
    XlsxTable table;
    table.sheetName = QStringLiteral("Точки");
    table.header = BatchTableHeader();
    const QChar separator = LocaleDecimalSeparator();
    for (const BatchRecord &record : records) {
        for (const QStringList &line : BatchTableLines(record)) {
            QVariantList row;
            row.reserve(line.size());
            for (int column = 0; column < line.size(); ++column) {
                const QString &text = line[column];
                const std::optional<double> number = BatchTableColumnIsNumber(column)
                    ? ReadNumber(text, separator)
                    : std::nullopt;
                if (text.isEmpty())
                    row << QVariant();
                else if (number)
                    row << *number;
                else
                    row << text;
            }
            table.rows.push_back(std::move(row));
        }
    }
    return WriteXlsxTable(path, table, error);
}

// The report's outcome of a point; one the batch refused before sizing is shown
// as its refusal.
SizingOutcome ReportedOutcome(const BatchRecord &record)
{
    if (record.sized)
        return record.outcome;
    SizingOutcome refused;
    refused.request = record.point.request;
    refused.when = QDateTime::currentDateTime();
    refused.error = QStringLiteral("%1: %2").arg(record.errorColumn, record.error);
    refused.messages.push_back({SizingMessage::Kind::Error, refused.error});
    return refused;
}

} // namespace

bool WriteBatchFile(BatchFormat format, const QString &path, const std::vector<BatchRecord> &records,
                    const ProductCatalogue &catalogue, QString *error)
{
    if (format == BatchFormat::Xlsx)
        return WriteTable(path, records, error);
    std::vector<ReportedPoint> points;
    points.reserve(records.size());
    for (const BatchRecord &record : records)
        points.push_back({record.point.id, record.point.line, ReportedOutcome(record)});
    return WriteBatchReportPdf(path, points, catalogue, error);
}
