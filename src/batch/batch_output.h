#pragma once

#include "core/table/batch_point.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

class QIODevice;

// What the batch program writes for its points.

// Which rows of a point are written: every fitting one (optimal, then possible), or
// the optimal ones only. A point with no row written keeps its one line.
enum class BatchRows { All, Optimal };

// The table (CSV, spreadsheet): a header and, per point, one line for each
// optimal and then each possible row, or one line when the point has no row or
// an error. The working values are the results window's texts; every number is
// written by the writing rule with the locale's separator. Column no_fit_reason
// says why nothing fits on the line of a point with no row; after it come the
// conditions the working values come from (method to z_std, on every line of a
// sized point), the row's failed checks (flags, joined by "; "), the inlet velocity
// (v_inlet) and, on every line, the price list the prices come from (price_list).
QStringList BatchTableHeader();
// Columns whose texts are numbers wherever they are not empty (a spreadsheet
// takes them as numbers); the price column holds "договорная" for no list price.
bool BatchTableColumnIsNumber(int column);
std::vector<QStringList> BatchTableLines(const BatchRecord &record, BatchRows rows = BatchRows::All,
                                         const QString &priceList = QString());
// How many lines BatchTableLines() gives, without making them.
qint64 BatchTableLineCount(const BatchRecord &record, BatchRows rows = BatchRows::All);

// One point as a JSON object on one line, numbers at full precision;
// "no_fit_reason" says why nothing fits (null when rows were found or on an error),
// "conditions" what the conversion used (null on an error), and each row's "flags"
// the checks it fails.
QByteArray BatchJsonObject(const BatchRecord &record, BatchRows rows = BatchRows::All);

// The bytes of the streamed formats: the CSV table (the lines of BatchTableLines()
// as CsvLine() joins them, each ended by a line feed) or the JSON document
// {"points": [...], "price_list": "..."} with one object per line (the price list
// named, in both, when the catalogue is given). Numbers in the table take
// `decimalSeparator`, the desktop's. The records' bytes may be made apart (on other
// threads) and put together in order.
class BatchFormatter {
public:
    enum class Format { Csv, Json };
    // With the catalogue (its figures prepared with the separator), the bytes of its
    // rows are made once and taken for every row that has them.
    BatchFormatter(Format format, BatchRows rows, QChar decimalSeparator,
                   const ProductCatalogue *catalogue = nullptr);

    QByteArray begin() const;
    // One record's bytes after `out`; `first` for the document's first record.
    void append(std::string &out, const BatchRecord &record, bool first) const;
    // After the last record; `empty` when there was none.
    QByteArray end(bool empty) const;

    struct ProductBytes;

private:
    Format format_;
    BatchRows rows_;
    QChar separator_;
    std::shared_ptr<const ProductBytes> products_;
    // With the catalogue: `,"price_list":"<the list in force>"`, after the points,
    // and the list's name as a table field, at the end of every line.
    std::string priceListJson_;
    std::string priceListCsv_;
};

// Writes records to a device as they come, or the bytes a BatchFormatter made for
// them. ok() turns false once a write has failed.
class BatchStreamWriter {
public:
    using Format = BatchFormatter::Format;
    BatchStreamWriter(QIODevice &device, Format format, BatchRows rows = BatchRows::All,
                      const ProductCatalogue *catalogue = nullptr);

    void begin();
    void write(const BatchRecord &record);
    // The bytes of `count` records made by formatter() (the first of them made as
    // the document's first when nothing was written before).
    void write(const std::string &bytes, qint64 count);
    void end();
    bool ok() const { return ok_; }
    // Whether the next record is the document's first.
    bool atFirst() const { return first_; }
    const BatchFormatter &formatter() const { return formatter_; }

private:
    void put(QByteArrayView bytes);

    QIODevice &device_;
    BatchFormatter formatter_;
    bool first_ = true;
    bool ok_ = true;
};
