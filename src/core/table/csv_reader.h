#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class QIODevice;

// Reads `;`-separated records from UTF-8 text one at a time, so a file of any
// length is read in constant memory. Fields follow RFC 4180 with `;` for the
// comma: a field in double quotes may hold `;`, line breaks and doubled quotes;
// a quote anywhere else is an error. A byte-order mark at the start is skipped,
// lines may end in LF or CR LF, and lines with nothing on them are passed over.
// A control character other than the tab (or DEL) is an error, but for a CR
// inside quotes.
class CsvReader {
public:
    explicit CsvReader(QIODevice &device);

    struct Record {
        QStringList fields;
        int line = 0; // the line the record starts on, from 1
    };

    // The next record; empty at the end of the text or at an error (then
    // hasError() and the error's place are set).
    std::optional<Record> next();

    bool hasError() const { return !error_.isEmpty(); }
    QString error() const { return error_; }
    int errorLine() const { return errorLine_; }
    int errorField() const { return errorField_; } // from 1

private:
    // One line without its line break, decoded; empty at the end of the text.
    std::optional<QString> readLine();
    void fail(int line, int field, const QString &message);

    QIODevice &device_;
    int line_ = 0;
    bool atStart_ = true;
    QString error_;
    int errorLine_ = 0;
    int errorField_ = 0;
};

// A field as a record of this kind writes it: in quotes, with doubled quotes,
// when it holds `;`, a quote or a line break, or starts or ends with a blank.
QString CsvField(const QString &text);
// The fields joined by `;`, each quoted when it has to be, with no line break.
QString CsvLine(const QStringList &fields);
