#pragma once

#include "core/project/project.h"
#include "core/table/batch_point.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// What a project is made of and shows, point by point: each point sized again from its
// texts, the row the project window shows for it, whether its chosen product still
// fits, and the points a run of the windows or a batch table adds.

// The point sized from its texts, as the batch program sizes a table line: a point whose
// texts the sizing refuses carries the error and its column.
BatchRecord SizeProjectPoint(const ProjectPoint &point, const ProductCatalogue &catalogue);

// How far a sizing of many points has come: points done, of how many.
using SizingProgress = std::function<void(qsizetype done, qsizetype total)>;
// A project of this many points or more shows how far its sizing has come.
constexpr qsizetype ProjectProgressFrom = 300;
// Every point sized, as SizeProjectPoint() sizes one, in chunks on the threads of a
// ChunkPool of `jobs` (0: one a core); the records in the points' order. `progress`,
// when given, hears on the calling thread after each chunk.
std::vector<BatchRecord> SizeProjectPoints(const std::vector<ProjectPoint> &points, const ProductCatalogue &catalogue,
                                           const SizingProgress &progress = {}, int jobs = 0);

// The chosen product among the point's possible rows; none when nothing is chosen or the
// choice no longer fits.
const Candidate *ChosenCandidate(const ProjectPoint &point, const BatchRecord &sized);

// The designations the point may choose from: its possible rows, each once, in order.
QStringList ChoicesOf(const BatchRecord &sized);

// The text shown when the chosen product is no longer among the point's possible rows.
QString ChoiceNoLongerFitsText();

// The project window's columns.
enum class ProjectColumn {
    Number, Id, Category, Qmax, Qmin, Pressure, Method, Product, Dn, Price, Currency, Quantity,
    Load, Velocity, Note, Count
};
QStringList ProjectColumnCaptions();

// One row of the project window: the texts of its columns, and what it flags.
struct ProjectRowView {
    QStringList cells;
    bool choiceLost = false; // a product is chosen and no longer fits
    bool refused = false;    // the sizing refused the point's texts
};
ProjectRowView ProjectRow(int number, const ProjectPoint &point, const BatchRecord &sized);

// "Точка N" with the smallest N no point of the project has as its id.
QString NextPointId(const Project &project);

// The point of a run of the windows: its request as texts and, as its product, the
// row chosen in a grid, or else the first optimal row, or none when nothing fits.
ProjectPoint PointOfRun(const Project &project, const SizingOutcome &run,
                        const std::optional<QString> &chosen);

// A project point's id refused in place: empty, or another point's. Empty when accepted.
QString IdRefusal(const Project &project, int index, const QString &id);
// A quantity typed in place: a whole number from 1; the reason when refused.
std::optional<int> ReadQuantity(const QString &text, QString *why);
