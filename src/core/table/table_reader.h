#pragma once

#include "core/table/table_record.h"

#include <QString>

#include <memory>
#include <optional>

class QIODevice;

// A point table read one record at a time, whatever holds it (a CSV text, a
// spreadsheet's sheet): the batch program reads its input through this, and so can
// a window that imports a table.
class TableReader {
public:
    virtual ~TableReader() = default;

    // The next record; empty at the end or at an error (then hasError() and the
    // error's place are set).
    virtual std::optional<TableRecord> next() = 0;

    virtual bool hasError() const = 0;
    virtual QString error() const = 0;
    virtual int errorLine() const = 0;
    virtual int errorField() const = 0; // from 1; 0 when the line as a whole is wrong

    // Where a field of a record stands, as messages name it ("строка 3, столбец 2",
    // "ячейка B3"); field from 1, 0 for the line (the row) alone.
    virtual QString place(int line, int field) const = 0;
    // How the table was read, to be said once (its encoding when it is not UTF-8);
    // empty when there is nothing to say. Known after the first record.
    virtual QString note() const { return {}; }
    // Numbers are written with a point only: a comma would have split their field.
    virtual bool decimalPointOnly() const { return false; }
    // The share of the input read so far, from 0 to 1; negative when its size is
    // not known.
    virtual double progress() const { return -1; }
};

// A CSV table on `device` (which must outlive the reader), as a Russian desktop
// saves one: UTF-8 with or without its byte-order mark, or else Windows-1251; the
// separator found from the header row (`;`, tab or `,`); lines ending in LF or CR LF.
// A device that can seek (a regular file) is checked whole for UTF-8 first and read
// again from where it stood; a stream is judged by its first block, and a later line
// that is not UTF-8 is then an error of that line.
std::unique_ptr<TableReader> OpenCsvTable(QIODevice &device);
