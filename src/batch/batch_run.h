#pragma once

#include "core/project/project.h"
#include "batch/batch_catalogue.h"
#include "core/table/batch_point.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QIODevice;

// The batch program from its arguments to its exit status.

enum class BatchFormat { Csv, Json, Xlsx, Pdf };
// What the input is: a point table, a project file (.gmsz), or told by the name.
enum class BatchInputFormat { ByName, Table, Project };

// Exit statuses.
inline constexpr int BatchAllSized = 0;
inline constexpr int BatchInputErrors = 1; // some points refused, the others written
inline constexpr int BatchFailed = 2;      // usage, unreadable or unparsable input

struct BatchOptions {
    QString input = QStringLiteral("-");
    QString output; // empty or "-": standard output
    BatchFormat format = BatchFormat::Csv;
    BatchInputFormat inputFormat = BatchInputFormat::ByName;
    bool specification = false; // --spec: the specification instead of the rows
    bool help = false;
    bool inputGiven = false; // a table named, so that --catalogue-out alone sizes nothing
    QString priceList;       // --price-list: size with that list's prices
    QString catalogueOut;    // --catalogue-out: the catalogue in force written there
};

// The arguments after the program name; a usage error in *error.
std::optional<BatchOptions> ParseBatchArguments(const QStringList &arguments, QString *error);
// The --help text.
QString BatchUsage();

// The points of a format that needs every point at once (the spreadsheet, the
// report), kept as they were read: each is sized again, by the same step, when it is
// written, so memory holds the input and not the rows.
class CollectedPoints {
public:
    explicit CollectedPoints(const ProductCatalogue &catalogue) : catalogue_(catalogue) {}

    // Keeps the record's point and counts its table lines.
    void add(const BatchRecord &record);
    std::size_t size() const { return points_.size(); }
    // The table lines of every point (BatchTableLines), before any is written.
    qint64 tableLines() const { return tableLines_; }
    const ProductCatalogue &catalogue() const { return catalogue_; }
    // The project the points were read from (its choices, quantities, heading and
    // rates), or none for a plain table.
    void setProject(const Project *project) { project_ = project; }
    const Project *project() const { return project_; }
    // Each point's record, in input order.
    void forEach(const std::function<void(const BatchRecord &)> &visit) const;

private:
    const ProductCatalogue &catalogue_;
    std::vector<BatchPoint> points_;
    qint64 tableLines_ = 0;
    const Project *project_ = nullptr;
};

// Writes a format that needs every point at once to `path`; false with the reason
// otherwise.
using CollectedWriter =
    std::function<bool(BatchFormat format, const QString &path, const CollectedPoints &points, QString *error)>;

// Reads the points, sizes each and writes the records. Messages go to `errors`
// as UTF-8 lines. Without a collected writer the xlsx and pdf formats are a
// usage error, and without a workbook writer a catalogue written as xlsx.
int RunBatch(const BatchOptions &options, QIODevice &standardInput, QIODevice &standardOutput,
             QIODevice &errors, const CollectedWriter &collected = {},
             const CatalogueWorkbookWriter &catalogueWorkbook = {});
