#include "report/batch_report.h"

#include "report/file_error.h"
#include "report/report_content.h"
#include "report/report_document.h"
#include "report/report_pages.h"
#include "report/report_sections.h"
#include "report/sizing_report.h"

#include <QPainter>
#include <QPdfWriter>

#include <memory>
#include <numeric>

namespace {

// The contents' columns: the input line, the id, the mode, the result, the page.
const QStringList ContentsHeader{QStringLiteral("Строка"), QStringLiteral("Точка"), QStringLiteral("Режим"),
                                 QStringLiteral("Результат"), QStringLiteral("Стр.")};
const QList<qreal> ContentsWidths{9, 49, 8, 24, 10};
const QList<Qt::Alignment> ContentsAlignments{Qt::AlignRight, Qt::AlignLeft, Qt::AlignRight, Qt::AlignLeft,
                                              Qt::AlignRight};

QString ResultSummary(const SizingOutcome &outcome)
{
    if (outcome.hasError())
        return QStringLiteral("ошибка исходных данных");
    if (outcome.optimal.empty() && outcome.possible.empty())
        return QStringLiteral("ничего не подходит");
    return QStringLiteral("вариантов: %1").arg(outcome.possible.size());
}

// The first page: the points and the page each report starts on.
std::unique_ptr<QTextDocument> ContentsDocument(const std::vector<ReportedPoint> &points,
                                                const std::vector<int> &starts)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(ReportFont());
    document->setDocumentMargin(0);
    ReportWriter out(*document);
    out.paragraph(ReportTitle(), Characters(TitlePoints, true));
    out.paragraph(QStringLiteral("Пакетный подбор, точек: %1").arg(points.size()), Characters(HeadingPoints, true), 2);
    out.paragraph(QStringLiteral("Программа: %1").arg(ProgramLine()), Characters(BodyPoints), 2);
    out.heading(QStringLiteral("Содержание"));
    std::vector<QStringList> rows;
    rows.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const ReportedPoint &point = points[i];
        const int mode = point.outcome.request.mode;
        rows.push_back({QString::number(point.line), point.id, mode > 0 ? QString::number(mode) : QString(),
                        ResultSummary(point.outcome), QString::number(starts[i])});
    }
    out.grid(ContentsHeader, rows, ContentsWidths, ContentsAlignments);
    return document;
}

} // namespace

// The report heading of a point: its id as the metering point.
static ReportHeader PointHeader(const QString &id)
{
    ReportHeader header;
    header.point = id;
    return header;
}

QString PointHeading(const QString &id, int line)
{
    if (id.trimmed().isEmpty())
        return QStringLiteral("Строка %1 входной таблицы").arg(line);
    return QStringLiteral("Точка «%1», строка %2 входной таблицы").arg(id.simplified()).arg(line);
}

bool WriteBatchReportPdf(const QString &path, const std::vector<ReportedPoint> &points,
                         const ProductCatalogue &catalogue, QString *error, const std::function<bool()> &stopped)
{
    if (points.empty()) {
        if (error)
            *error = FileWriteError(path, QStringLiteral("нет ни одной точки"));
        return false;
    }
    return WriteReportFile(
        path,
        [&](QPdfWriter &pdf, QPainter &painter) {
            std::vector<int> counts;
            counts.reserve(points.size());
            for (const ReportedPoint &point : points) {
                if (stopped && stopped())
                    return false;
                counts.push_back(ReportPages(*BuildReportDocument(point.outcome, catalogue, PointHeader(point.id)), pdf,
                                             PointHeading(point.id, point.line))
                                     .count());
            }
            // The contents take as many pages as they do with the page numbers in them.
            const std::unique_ptr<ReportPages> contents =
                LayOutContents(pdf, 0, counts, [&](const std::vector<int> &starts) {
                    return ContentsDocument(points, starts);
                });
            if (!contents)
                return false;
            const int contentsPages = contents->count();
            const int total = std::accumulate(counts.begin(), counts.end(), contentsPages);

            contents->paint(painter, 1, total);
            int page = contentsPages + 1;
            for (const ReportedPoint &point : points) {
                if (stopped && stopped())
                    return false;
                pdf.newPage();
                const ReportPages pages(*BuildReportDocument(point.outcome, catalogue, PointHeader(point.id)), pdf,
                                        PointHeading(point.id, point.line));
                pages.paint(painter, page, total);
                page += pages.count();
            }
            return page == total + 1;
        },
        error);
}
