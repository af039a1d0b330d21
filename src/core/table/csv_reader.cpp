#include "core/table/csv_reader.h"

#include <QIODevice>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace {

constexpr qint64 BlockSize = 64 * 1024;

// The C0 controls but the tab, and DEL: no text of a table holds one (a NUL
// would cut a workbook's cell short). Line breaks inside quotes are the field's.
bool IsControl(char16_t u)
{
    return (u < 0x20 && u != u'\t') || u == 0x7f;
}

QString ControlMessage(QChar c)
{
    return QStringLiteral("управляющий символ U+%1 в тексте")
        .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
}

bool IsAscii(const char *bytes, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

char16_t FindSeparator(QStringView headerLine)
{
    bool inQuotes = false, semicolon = false, tab = false, comma = false;
    for (const QChar c : headerLine) {
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (!inQuotes && c == u';')
            semicolon = true;
        else if (!inQuotes && c == u'\t')
            tab = true;
        else if (!inQuotes && c == u',')
            comma = true;
    }
    return semicolon ? u';' : tab ? u'\t' : comma ? u',' : u';';
}

CsvReader::CsvReader(QIODevice &device, CsvFormat format) : device_(device), format_(format)
{
    if (format_.encoding == TextEncoding::Windows1251)
        singleByte_.emplace("windows-1251");
}

void CsvReader::fail(int line, int field, const QString &message)
{
    error_ = message;
    errorLine_ = line;
    errorField_ = field;
}

bool CsvReader::fill()
{
    if (ended_)
        return false;
    buffer_.remove(0, position_);
    position_ = 0;
    const qsizetype kept = buffer_.size();
    buffer_.resize(kept + BlockSize);
    const qint64 got = device_.read(buffer_.data() + kept, BlockSize);
    buffer_.resize(kept + std::max<qint64>(got, 0));
    if (got <= 0)
        ended_ = true;
    return got > 0;
}

std::optional<QString> CsvReader::readLine()
{
    qsizetype end = buffer_.indexOf('\n', position_);
    while (end < 0) {
        const qsizetype searched = buffer_.size() - position_; // fill() moves the rest to the front
        if (!fill()) {
            end = buffer_.size();
            break;
        }
        end = buffer_.indexOf('\n', searched);
    }
    const qsizetype next = end < buffer_.size() ? end + 1 : end;
    if (next == position_)
        return std::nullopt;
    ++line_;
    consumed_ += next - position_;
    const char *bytes = buffer_.constData() + position_;
    qsizetype size = end - position_;
    position_ = next;
    if (size > 0 && bytes[size - 1] == '\r')
        --size;
    if (atStart_) {
        atStart_ = false;
        if (size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0) {
            bytes += 3;
            size -= 3;
        }
    }
    if (IsAscii(bytes, size))
        return QString::fromLatin1(bytes, size);
    const QByteArrayView view(bytes, size);
    if (singleByte_)
        return (*singleByte_)(view);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(view);
    if (decoder.hasError()) {
        notUtf8_ = true;
        fail(line_, 0, QStringLiteral("текст не в кодировке UTF-8"));
        return std::nullopt;
    }
    return text;
}

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
    if (format_.separator == 0)
        format_.separator = FindSeparator(*line);
    const char16_t separator = format_.separator;

    Record record;
    record.line = line_;
    QString field;
    bool inQuotes = false;
    bool afterQuote = false;  // the field's closing quote has been read
    bool atFieldStart = true; // nothing of the field read yet
    int quoteLine = 0;
    for (;;) {
        const QString &text = *line;
        const auto *chars = reinterpret_cast<const char16_t *>(text.utf16());
        const qsizetype size = text.size();
        qsizetype bare = -1; // where the bare part of the field being read starts
        const auto endBare = [&](qsizetype at) {
            if (bare >= 0)
                field += QStringView(chars + bare, at - bare);
            bare = -1;
        };
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t c = chars[i];
            if (IsControl(c) && !(inQuotes && c == u'\r')) {
                fail(line_, int(record.fields.size()) + 1, ControlMessage(QChar(c)));
                return std::nullopt;
            }
            if (inQuotes) {
                if (c != u'"') {
                    if (bare < 0)
                        bare = i;
                } else if (i + 1 < size && chars[i + 1] == u'"') {
                    if (bare < 0)
                        bare = i;
                    endBare(i + 1); // one quote is kept
                    ++i;
                } else {
                    endBare(i);
                    inQuotes = false;
                    afterQuote = true;
                }
            } else if (c == separator) {
                endBare(i);
                record.fields << field;
                field.clear();
                afterQuote = false;
                atFieldStart = true;
            } else if (afterQuote) {
                fail(line_, int(record.fields.size()) + 1, QStringLiteral("текст после закрывающей кавычки"));
                return std::nullopt;
            } else if (c == u'"') {
                if (!atFieldStart) {
                    fail(line_, int(record.fields.size()) + 1,
                         QStringLiteral("кавычка внутри поля, которое не начинается с кавычки"));
                    return std::nullopt;
                }
                inQuotes = true;
                atFieldStart = false;
                quoteLine = line_;
            } else {
                if (bare < 0)
                    bare = i;
                atFieldStart = false;
            }
        }
        endBare(size);
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
