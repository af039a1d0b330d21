#pragma once

#include "core/catalogue/price_list_info.h"
#include "core/pricing/priced_list.h"
#include "core/table/batch_columns.h"

#include <QString>

#include <array>
#include <vector>

// A project: the points of one object, each a complete request as the batch table
// spells it, with the product chosen for it. The outcome of a point is always sized
// again from its request, never kept as the truth.

// What the report heading names, kept with the project.
struct ProjectHeading {
    QString object;
    QString customer;
    QString engineer;

    bool operator==(const ProjectHeading &) const = default;
};

struct ProjectPoint {
    QString id;       // "Точка учёта", unique in the project
    int quantity = 1; // whole number >= 1
    QString choice;   // the chosen product's designation; empty: none chosen
    QString note;
    // Every batch column as typed or read (the id column stays empty: the id is above);
    // an empty text is a column left out.
    std::array<QString, BatchColumnCount> input{};

    QString text(BatchColumn column) const { return input[static_cast<std::size_t>(column)]; }
    void setText(BatchColumn column, const QString &text) { input[static_cast<std::size_t>(column)] = text; }

    bool operator==(const ProjectPoint &) const = default;
};

struct Project {
    ProjectHeading heading;
    Pricing pricing;
    // The price list in force when the project was last saved; none before.
    std::optional<PriceListInfo> priceList;
    std::vector<ProjectPoint> points;

    bool operator==(const Project &) const = default;
};
