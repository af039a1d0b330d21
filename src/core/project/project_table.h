#pragma once

#include "core/project/project.h"

#include <QByteArray>
#include <QString>

#include <vector>

class QIODevice;
class ProductCatalogue;

// A project's points as a point table (the batch program's input) and a point table
// read as points to add to a project.

// The table of the points: a header of `id`, `mode` and every other column a point
// uses, in the columns' order, then one line a point (LF line ends, UTF-8). The quantity, the choice
// and the note are the project's own and stay out of it.
QByteArray WriteProjectTable(const Project &project);

// The points of a table, or the refusal with its line, in which case none is taken.
// Each point gets the table's id, or "Точка N" where the table has none; an id the
// project or an earlier line already has is refused. Its product is the first optimal
// row of its sizing (none when nothing fits or its texts are refused).
struct ProjectTableReading {
    std::vector<ProjectPoint> points;
    QString error; // empty when read
};
ProjectTableReading ReadProjectTable(QIODevice &device, const Project &project,
                                     const ProductCatalogue &catalogue);
