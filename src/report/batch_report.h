#pragma once

#include "core/catalogue/catalogue.h"
#include "core/sizing/sizing.h"

#include <QString>

#include <functional>
#include <vector>

// A point of a batch as its report names it: its id and input line, and its
// outcome.
struct ReportedPoint {
    QString id;
    int line = 0;
    SizingOutcome outcome;
};

// What heads every page of a point's report: its id and its input line.
QString PointHeading(const QString &id, int line);

// A batch as one PDF document: first the points listed with the page each one's
// report starts on, then each point's report from a new page under its heading;
// "Стр. N из M" counts the pages of the whole file. Laid out twice (to count the
// pages, then to paint them), so memory does not grow with the reports. Written by
// the path's route; false with the reason (the file and why) in *error, and false
// with nothing written once `stopped` says so.
bool WriteBatchReportPdf(const QString &path, const std::vector<ReportedPoint> &points,
                         const ProductCatalogue &catalogue, QString *error,
                         const std::function<bool()> &stopped = {});
