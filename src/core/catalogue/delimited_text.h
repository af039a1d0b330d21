#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// Text of records and fields as spreadsheets save it (RFC 4180) with one separator,
// `;`, `,` or the tab: a field in double quotes may hold the separator, line breaks
// and doubled quotes; a quote inside an unquoted field is an ordinary character.
// Lines end in LF, CR LF or CR.

struct DelimitedRecord {
    QStringList fields;
    int line = 0; // the line the record starts on, from 1
};

struct DelimitedText {
    std::vector<DelimitedRecord> records; // every line, an empty one as one empty field
    QString error;                        // a quote left open, with the line it opened on
    int errorLine = 0;
};

DelimitedText SplitDelimited(QStringView text, QChar separator);

// The fields of one line by `separator`, quotes as above; a quote left open runs to
// the end of the line.
QStringList SplitDelimitedLine(QStringView line, QChar separator);

// A field quoted when it must be: it holds the separator, a quote or a line break, or
// starts or ends with a blank.
QString DelimitedField(const QString &text, QChar separator);
QString DelimitedLine(const QStringList &fields, QChar separator);
