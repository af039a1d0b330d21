#include "core/table/csv_reader.h"

#include <QIODevice>
#include <QStringDecoder>

CsvReader::CsvReader(QIODevice &device) : device_(device) {}

void CsvReader::fail(int line, int field, const QString &message)
{
    error_ = message;
    errorLine_ = line;
    errorField_ = field;
}

std::optional<QString> CsvReader::readLine()
{
    QByteArray bytes = device_.readLine();
    if (bytes.isEmpty())
        return std::nullopt;
    ++line_;
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    if (atStart_) {
        atStart_ = false;
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError()) {
        fail(line_, 0, QStringLiteral("текст не в кодировке UTF-8"));
        return std::nullopt;
    }
    return text;
}

namespace {

// The C0 controls but the tab, and DEL: no text of a table holds one (a NUL
// would cut a workbook's cell short). Line breaks inside quotes are the field's.
bool IsControl(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != u'\t') || u == 0x7f;
}

QString ControlMessage(QChar c)
{
    return QStringLiteral("управляющий символ U+%1 в тексте")
        .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
}

} // namespace

std::optional<CsvReader::Record> CsvReader::next()
{
    if (hasError())
        return std::nullopt;
    std::optional<QString> line;
    do {
        line = readLine();
        if (!line)
            return std::nullopt;
    } while (line->isEmpty());

    Record record;
    record.line = line_;
    QString field;
    bool inQuotes = false;
    bool afterQuote = false;  // the field's closing quote has been read
    bool atFieldStart = true; // nothing of the field read yet
    int quoteLine = 0;
    for (;;) {
        const QString &text = *line;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            const int fieldNumber = int(record.fields.size()) + 1;
            if (IsControl(c) && !(inQuotes && c == u'\r')) {
                fail(line_, fieldNumber, ControlMessage(c));
                return std::nullopt;
            }
            if (inQuotes) {
                if (c != u'"') {
                    field += c;
                } else if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += c;
                    ++i;
                } else {
                    inQuotes = false;
                    afterQuote = true;
                }
            } else if (c == u';') {
                record.fields << field;
                field.clear();
                afterQuote = false;
                atFieldStart = true;
            } else if (afterQuote) {
                fail(line_, fieldNumber, QStringLiteral("текст после закрывающей кавычки"));
                return std::nullopt;
            } else if (c == u'"') {
                if (!atFieldStart) {
                    fail(line_, fieldNumber,
                         QStringLiteral("кавычка внутри поля, которое не начинается с кавычки"));
                    return std::nullopt;
                }
                inQuotes = true;
                atFieldStart = false;
                quoteLine = line_;
            } else {
                field += c;
                atFieldStart = false;
            }
        }
        if (!inQuotes)
            break;
        // A line break inside quotes belongs to the field.
        field += u'\n';
        line = readLine();
        if (!line) {
            if (!hasError())
                fail(quoteLine, int(record.fields.size()) + 1,
                     QStringLiteral("кавычка не закрыта до конца текста"));
            return std::nullopt;
        }
    }
    record.fields << field;
    return record;
}

QString CsvField(const QString &text)
{
    const bool quote = text.contains(u';') || text.contains(u'"') || text.contains(u'\n')
        || text.contains(u'\r')
        || (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString CsvLine(const QStringList &fields)
{
    // A lone empty field in quotes, or the line would be blank and passed over.
    if (fields.size() == 1 && fields.front().isEmpty())
        return QStringLiteral("\"\"");
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u';';
        line += CsvField(fields[i]);
    }
    return line;
}
