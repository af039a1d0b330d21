#pragma once

#include "core/table/batch_point.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class QIODevice;

// What the batch program writes for its points.

// The table (CSV, spreadsheet): a header and, per point, one line for each
// optimal and then each possible row, or one line when the point has no row or
// an error. The working values are the results window's texts; every number is
// written by the writing rule with the locale's separator. Column no_fit_reason
// says why nothing fits on the line of a point with no row; after it come the
// conditions the working values come from (method to z_std, on every line of a
// sized point) and the row's failed checks (flags, joined by "; ").
QStringList BatchTableHeader();
// Columns whose texts are numbers wherever they are not empty (a spreadsheet
// takes them as numbers); the price column holds "договорная" for no list price.
bool BatchTableColumnIsNumber(int column);
std::vector<QStringList> BatchTableLines(const BatchRecord &record);
// How many lines BatchTableLines() gives, without making them.
qint64 BatchTableLineCount(const BatchRecord &record);

// One point as a JSON object on one line, numbers at full precision;
// "no_fit_reason" says why nothing fits (null when rows were found or on an error),
// "conditions" what the conversion used (null on an error), and each row's "flags"
// the checks it fails.
QByteArray BatchJsonObject(const BatchRecord &record);

// Writes records to a device as they come: the CSV table or the JSON document
// {"points": [...]}. ok() turns false once a write has failed.
class BatchStreamWriter {
public:
    enum class Format { Csv, Json };
    BatchStreamWriter(QIODevice &device, Format format);

    void begin();
    void write(const BatchRecord &record);
    void end();
    bool ok() const { return ok_; }

private:
    void put(const QByteArray &bytes);

    QIODevice &device_;
    Format format_;
    bool first_ = true;
    bool ok_ = true;
};
