#pragma once

#include "core/catalogue/catalogue.h"
#include "core/pricing/priced_list.h"
#include "core/project/project.h"
#include "core/table/batch_point.h"

#include <QDateTime>

#include <QString>
#include <QTextDocument>

#include <memory>
#include <vector>

struct Candidate;

// The pieces of the project report, each a document of its own laid out from a new
// page: the cover, the priced list, the contents and one point's sizing.

QString ProjectReportTitle(); // "Проект подбора оборудования учёта газа"
QString NotChosenText();      // "не подобрано"

// The cover: the title, the project's heading (empty fields left out), the date,
// the program's version and the rates the priced list is priced at.
std::unique_ptr<QTextDocument> ProjectCoverDocument(const Project &project, const Pricing &pricing,
                                                    const QDateTime &when, const QString &programVersion,
                                                    const QString &priceList = {});

// The priced list's table (the rouble columns only when ShowsRoubles()) and the
// lines of its totals.
std::unique_ptr<QTextDocument> PricedListDocument(const PricedList &pricedList);

// Each point with its chosen product and the page its sizing starts on; `records`
// are the points sized, one a point.
std::unique_ptr<QTextDocument> ProjectContentsDocument(const Project &project, const std::vector<BatchRecord> &records,
                                                       const std::vector<int> &starts);

// A point's product in the project: its chosen row while that still fits, else none.
const Candidate *ProjectChoice(const ProjectPoint &point, const BatchRecord &record);

// What heads every page of a point's sizing: its number, id, quantity and product,
// or why it has none.
QString ProjectPointHeading(int number, const ProjectPoint &point, const BatchRecord &record);

// The point's sizing as the single report prints it, its chosen rows marked, under
// the project's heading; a point whose texts were never sized: its id and the error.
std::unique_ptr<QTextDocument> ProjectPointDocument(const ProjectHeading &heading, const ProjectPoint &point,
                                                    const BatchRecord &record, const ProductCatalogue &catalogue);
