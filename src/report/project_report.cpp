#include "report/project_report.h"

#include "report/project_documents.h"
#include "report/report_pages.h"
#include "report/report_sections.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <numeric>

namespace {

// A point's sizing laid out on the device under its heading.
ReportPages PointPages(const ProjectReportInput &input, std::size_t index, const ProductCatalogue &catalogue,
                       QPagedPaintDevice &device)
{
    const ProjectPoint &point = input.project.points[index];
    const BatchRecord &record = input.records[index];
    return ReportPages(*ProjectPointDocument(input.project.heading, point, record, catalogue), device,
                       ProjectPointHeading(static_cast<int>(index) + 1, point, record));
}

// Every page with the painter begun on the device: first the pages each piece takes
// (a point's document made and let go in turn), then the pages painted.
bool PaintProjectPages(QPagedPaintDevice &device, QPainter &painter, const ProjectReportInput &input,
                       const ProductCatalogue &catalogue)
{
    const std::size_t count = input.project.points.size();
    if (input.records.size() != count)
        return false;
    const ReportPages cover(
        *ProjectCoverDocument(input.project, input.pricedList.pricing, input.when, input.programVersion,
                              PriceListTitle(catalogue.priceList())),
        device);
    const ReportPages pricedList(*PricedListDocument(input.pricedList), device);
    std::vector<int> counts;
    counts.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        counts.push_back(PointPages(input, i, catalogue, device).count());
    const int before = cover.count() + pricedList.count();
    const std::unique_ptr<ReportPages> contents =
        LayOutContents(device, before, counts, [&input](const std::vector<int> &starts) {
            return ProjectContentsDocument(input.project, input.records, starts);
        });
    if (!contents)
        return false;
    const int total = std::accumulate(counts.begin(), counts.end(), before + contents->count());

    cover.paint(painter, 1, total);
    device.newPage();
    pricedList.paint(painter, cover.count() + 1, total);
    device.newPage();
    contents->paint(painter, before + 1, total);
    int page = before + contents->count() + 1;
    for (std::size_t i = 0; i < count; ++i) {
        device.newPage();
        const ReportPages pages = PointPages(input, i, catalogue, device);
        pages.paint(painter, page, total);
        page += pages.count();
    }
    return page == total + 1;
}

} // namespace

bool PaintProjectReport(QPagedPaintDevice &device, const ProjectReportInput &input, const ProductCatalogue &catalogue)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const bool painted = PaintProjectPages(device, painter, input, catalogue);
    return painter.end() && painted;
}

bool WriteProjectReportPdf(const QString &path, const ProjectReportInput &input, const ProductCatalogue &catalogue,
                           QString *error)
{
    return WriteReportFile(
        path, [&](QPdfWriter &pdf, QPainter &painter) { return PaintProjectPages(pdf, painter, input, catalogue); },
        error, ProjectReportTitle());
}
