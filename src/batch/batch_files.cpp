#include "batch/batch_files.h"

#include "batch/batch_output.h"
#include "core/project/project_priced_list.h"
#include "report/batch_report.h"
#include "report/project_report.h"
#include "report/report_content.h"
#include "report/xlsx_project.h"
#include "report/xlsx_figures.h"
#include "report/xlsx_table.h"
#include "core/catalogue/catalogue_csv.h"
#include "core/input/number_text.h"

#include <QDateTime>

namespace {

bool WriteTable(const QString &path, const CollectedPoints &points, QString *error)
{
    const QChar separator = LocaleDecimalSeparator();
    const QString priceList = PriceListTitle(points.catalogue().priceList());
    return WriteXlsxRows(
        path, QStringLiteral("Точки"), BatchTableHeader(), points.tableLines(),
        [&](const std::function<void(const QVariantList &)> &put) {
            QVariantList row;
            points.forEach([&](const BatchRecord &record) {
                for (const QStringList &line : BatchTableLines(record, points.rows(), priceList)) {
                    row.clear();
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
                    put(row);
                }
            });
        },
        error, [&points] { return points.stopped(); });
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

bool WriteProjectDocument(BatchFormat format, const QString &path, const CollectedPoints &points, QString *error)
{
    const Project &project = *points.project();
    std::vector<BatchRecord> records;
    records.reserve(points.size());
    points.forEach([&records](const BatchRecord &record) { records.push_back(record); });
    const PricedList priced = ProjectPricedList(project, records);
    if (format == BatchFormat::Xlsx)
        return WriteProjectXlsx(path, project, records, priced, error, PriceListTitle(points.catalogue().priceList()));
    const ProjectReportInput input{project, records, priced, QDateTime::currentDateTime(), ProgramVersion()};
    return WriteProjectReportPdf(path, input, points.catalogue(), error);
}

} // namespace

bool WriteBatchFile(BatchFormat format, const QString &path, const CollectedPoints &points, QString *error)
{
    if (points.project())
        return WriteProjectDocument(format, path, points, error);
    if (format == BatchFormat::Xlsx)
        return WriteTable(path, points, error);
    std::vector<ReportedPoint> reported;
    reported.reserve(points.size());
    points.forEach([&reported](const BatchRecord &record) {
        reported.push_back({record.point.id, record.point.line, ReportedOutcome(record)});
    });
    return !points.stopped()
        && WriteBatchReportPdf(path, reported, points.catalogue(), error, [&points] { return points.stopped(); });
}

bool WriteCatalogueWorkbook(const QString &path, const ProductCatalogue &catalogue, QString *error)
{
    const QChar separator = LocaleDecimalSeparator();
    return WriteXlsxTable(path,
                          FiguresSheet(QStringLiteral("Каталог"), CatalogueCsvHeader(),
                                       CatalogueCsvRows(catalogue, separator), CatalogueCsvColumnIsNumber, separator),
                          error);
}
