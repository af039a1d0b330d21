#pragma once

#include "core/project/project.h"
#include "batch/batch_catalogue.h"
#include "batch/batch_output.h"
#include "core/table/batch_point.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

class QIODevice;

// The batch program from its arguments to its exit status.

enum class BatchFormat { Csv, Json, Xlsx, Pdf };
// What the input is: a point table (CSV), a project file (.gmsz), a workbook
// (.xlsx), or told by the name.
enum class BatchInputFormat { ByName, Table, Project, Xlsx };

// Exit statuses.
inline constexpr int BatchAllSized = 0;
inline constexpr int BatchInputErrors = 1; // some points refused, the others written
inline constexpr int BatchFailed = 2;      // usage, unreadable or unparsable input
inline constexpr int BatchInterrupted = 130; // stopped by SIGINT or SIGTERM, nothing committed

struct BatchOptions {
    QString input = QStringLiteral("-");
    QString output; // empty or "-": standard output
    BatchFormat format = BatchFormat::Csv;
    BatchInputFormat inputFormat = BatchInputFormat::ByName;
    bool pricedList = false; // --spec: the priced list instead of the rows
    BatchRows rows = BatchRows::All; // --rows
    int jobs = 0;         // --jobs: the threads that size the points; 0: one per core
    QString sheet;        // --sheet: the workbook's sheet; empty: the first
    bool progress = false; // --progress: shown even when standard error is no terminal
    bool quiet = false;    // --quiet: no progress and no message about single points
    bool help = false;
    bool inputGiven = false; // a table named, so that --catalogue-out alone sizes nothing
    QString priceList;       // --price-list: size with that list's prices
    QString catalogueOut;    // --catalogue-out: the catalogue in force written there
};

// What a run knows of the process around it.
struct BatchContext {
    // Standard error is a terminal: the progress is shown there (unless --quiet, or
    // the results themselves go to standard output on a terminal).
    bool errorsOnTerminal = false;
    bool outputOnTerminal = false;
    // Turned true (by a signal handler) to stop the run: nothing more is read and a
    // regular output file is not put in place.
    const std::atomic<bool> *stop = nullptr;
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
    explicit CollectedPoints(const ProductCatalogue &catalogue, BatchRows rows = BatchRows::All,
                             const std::atomic<bool> *stop = nullptr)
        : catalogue_(catalogue), rows_(rows), stop_(stop)
    {
    }

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
    BatchRows rows() const { return rows_; }
    // Each point's record, in input order; it stops early when the run is told to stop.
    void forEach(const std::function<void(const BatchRecord &)> &visit) const;
    // The run was told to stop: a writer gives up and leaves nothing behind.
    bool stopped() const { return stop_ && stop_->load(); }

private:
    const ProductCatalogue &catalogue_;
    BatchRows rows_;
    const std::atomic<bool> *stop_;
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
             const CatalogueWorkbookWriter &catalogueWorkbook = {}, const BatchContext &context = {});
