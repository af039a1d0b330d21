#pragma once

#include "core/input/text_encoding.h"
#include "core/table/table_record.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <optional>

class QIODevice;

// How a CSV text is written: its encoding and the character between fields.
struct CsvFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    // `;`, `,` or the tab; 0: found from the first record, the header row (FindSeparator).
    char16_t separator = u';';
};

// The separator of a header row: `;` when the line has one outside quotes, else
// the tab, else `,`, else `;` (a table of one column).
char16_t FindSeparator(QStringView headerLine);

// Reads records from a CSV text one at a time, so a file of any length is read in
// constant memory. Fields follow RFC 4180 with the format's separator for the
// comma (`;` unless told otherwise): a field in double quotes may hold the
// separator, line breaks and doubled quotes; a quote anywhere else is an error. A
// byte-order mark at the start is skipped, lines may end in LF or CR LF, and lines
// with nothing on them are passed over. A control character other than the tab
// (or DEL) is an error, but for a CR inside quotes. In UTF-8, bytes that are not
// UTF-8 are an error of their line.
class CsvReader {
public:
    explicit CsvReader(QIODevice &device, CsvFormat format = {});

    using Record = TableRecord;

    // The next record; empty at the end of the text or at an error (then
    // hasError() and the error's place are set).
    std::optional<Record> next();

    bool hasError() const { return !error_.isEmpty(); }
    QString error() const { return error_; }
    int errorLine() const { return errorLine_; }
    int errorField() const { return errorField_; } // from 1
    // Set when a line is not UTF-8 in a UTF-8 text.
    bool notUtf8() const { return notUtf8_; }

    // The separator the fields are split at (found with the first record when the
    // format left it open).
    char16_t separator() const { return format_.separator; }
    // The bytes of the device taken so far (the lines handed out and the one read).
    qint64 bytesRead() const { return consumed_; }

private:
    // One line without its line break, decoded; empty at the end of the text.
    std::optional<QString> readLine();
    // More bytes from the device after the ones not taken yet; false at its end.
    bool fill();
    void fail(int line, int field, const QString &message);

    QIODevice &device_;
    CsvFormat format_;
    QByteArray buffer_;
    qsizetype position_ = 0; // the first byte of the buffer not taken yet
    bool ended_ = false;
    qint64 consumed_ = 0;
    std::optional<QStringDecoder> singleByte_; // Windows-1251
    int line_ = 0;
    bool atStart_ = true;
    bool notUtf8_ = false;
    QString error_;
    int errorLine_ = 0;
    int errorField_ = 0;
};

// A field as a record of this kind writes it: in quotes, with doubled quotes,
// when it holds `;`, a quote or a line break, or starts or ends with a blank.
QString CsvField(const QString &text);
// The fields joined by `;`, each quoted when it has to be, with no line break.
QString CsvLine(const QStringList &fields);
