#pragma once

#include "core/pricing/priced_list.h"
#include "core/project/project.h"
#include "core/table/batch_point.h"

#include <QDateTime>

class QPagedPaintDevice;

// The project report: a cover, the priced list, the contents and each point's
// sizing from a new page under its heading, "Стр. N из M" counted over the whole
// document. Laid out twice (to count the pages, then to paint them), one point's
// report at a time, so memory does not grow with the reports.

// What the project report is made of.
struct ProjectReportInput {
    const Project &project;
    const std::vector<BatchRecord> &records; // one a point, in project order
    const PricedList &pricedList;
    QDateTime when;         // the date printed on the cover
    QString programVersion; // e.g. "3.1"
};

// Paints the whole project document onto the device (a QPdfWriter or a QPrinter for
// print and preview); false when no painter could start (or the records are not one
// a point).
bool PaintProjectReport(QPagedPaintDevice &device, const ProjectReportInput &input, const ProductCatalogue &catalogue);

// The document as a PDF, written whole or not at all; false with the reason (the
// file and why) in *error.
bool WriteProjectReportPdf(const QString &path, const ProjectReportInput &input, const ProductCatalogue &catalogue,
                           QString *error);
