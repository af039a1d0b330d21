#include "core/catalogue/delimited_text.h"

using namespace Qt::StringLiterals;

DelimitedText SplitDelimited(QStringView text, QChar separator)
{
    DelimitedText out;
    DelimitedRecord record;
    QString field;
    int line = 1;
    record.line = 1;
    bool quoted = false;     // inside a quoted field
    bool wasQuoted = false;  // the field began with a quote
    int quoteLine = 0;
    const qsizetype size = text.size();
    const auto endField = [&] {
        record.fields << field;
        field.clear();
        wasQuoted = false;
    };
    const auto endRecord = [&] {
        endField();
        out.records.push_back(std::move(record));
        record = {};
        record.line = line;
    };
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < size && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
                    ++i;
                field += u'\n';
                ++line;
            } else {
                field += c;
            }
            continue;
        }
        if (c == separator) {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
                ++i;
            ++line;
            endRecord();
        } else if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = true;
            wasQuoted = true;
            quoteLine = line;
        } else {
            field += c;
        }
    }
    if (quoted) {
        out.error = u"кавычка, открытая в строке %1, не закрыта"_s.arg(quoteLine);
        out.errorLine = quoteLine;
        return out;
    }
    // The last line, unless the text ended with its line break.
    if (!field.isEmpty() || !record.fields.isEmpty() || wasQuoted
        || (size > 0 && text[size - 1] != u'\n' && text[size - 1] != u'\r'))
        endRecord();
    return out;
}

QStringList SplitDelimitedLine(QStringView line, QChar separator)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == separator) {
            fields << field;
            field.clear();
            wasQuoted = false;
        } else if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else {
            field += c;
        }
    }
    fields << field;
    return fields;
}

QString DelimitedField(const QString &text, QChar separator)
{
    const bool quote = text.contains(separator) || text.contains(u'"') || text.contains(u'\n')
        || text.contains(u'\r') || (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quote)
        return text;
    return u'"' + QString(text).replace(u"\""_s, u"\"\""_s) + u'"';
}

QString DelimitedLine(const QStringList &fields, QChar separator)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += separator;
        line += DelimitedField(fields[i], separator);
    }
    return line;
}
