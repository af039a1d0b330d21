#include "core/table/table_reader.h"

#include "core/input/text_encoding.h"
#include "core/table/csv_reader.h"

#include <QIODevice>

namespace {

// What a stream is judged by, and the size of each piece of a whole check.
constexpr qint64 FirstBlock = 64 * 1024;
constexpr qint64 CheckBlock = 1024 * 1024;

bool StartsWithMark(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

// The bytes up to their last line break (all of them at the end of the input), so
// that no character is cut in two.
qsizetype WholeLines(QByteArrayView bytes, bool atEnd)
{
    if (atEnd)
        return bytes.size();
    const qsizetype lastBreak = bytes.lastIndexOf('\n');
    return lastBreak < 0 ? 0 : lastBreak + 1;
}

// A device that can seek, read whole from where it stands and put back: whether its
// text is UTF-8 throughout (or starts with the mark that says it is).
bool Utf8Throughout(QIODevice &device)
{
    const qint64 start = device.pos();
    QByteArray pending;
    bool valid = true;
    bool first = true;
    for (;;) {
        const QByteArray block = device.read(CheckBlock);
        const bool atEnd = block.isEmpty();
        pending += block;
        if (first && pending.size() >= 3) {
            first = false;
            if (StartsWithMark(pending))
                break;
        }
        const qsizetype whole = WholeLines(pending, atEnd);
        // A line longer than a block is checked with the next one.
        if (whole > 0 && !IsValidUtf8(QByteArrayView(pending).first(whole))) {
            valid = false;
            break;
        }
        pending.remove(0, whole);
        if (atEnd)
            break;
    }
    device.seek(start);
    return valid;
}

class CsvTable final : public TableReader {
public:
    CsvTable(QIODevice &device, TextEncoding encoding, bool judgedByStart)
        : reader_(device, CsvFormat{encoding, 0}), encoding_(encoding), judgedByStart_(judgedByStart),
          size_(device.isSequential() ? -1 : device.size() - device.pos())
    {
    }

    std::optional<TableRecord> next() override
    {
        std::optional<TableRecord> record = reader_.next();
        if (!record && reader_.notUtf8() && judgedByStart_)
            error_ = QStringLiteral("текст не в кодировке UTF-8, хотя начало таблицы в UTF-8: таблицу в "
                                    "кодировке Windows-1251 можно прочитать из файла, но не из потока");
        return record;
    }

    bool hasError() const override { return reader_.hasError(); }
    QString error() const override { return error_.isEmpty() ? reader_.error() : error_; }
    int errorLine() const override { return reader_.errorLine(); }
    int errorField() const override { return reader_.errorField(); }
    QString place(int line, int field) const override { return TablePlace(TablePlaces::Lines, line, field); }
    QString note() const override
    {
        return encoding_ == TextEncoding::Windows1251
            ? QStringLiteral("таблица прочитана как %1: текст не в кодировке UTF-8").arg(EncodingName(encoding_))
            : QString();
    }
    bool decimalPointOnly() const override { return reader_.separator() == u','; }
    double progress() const override
    {
        return size_ > 0 ? std::min(1.0, double(reader_.bytesRead()) / double(size_)) : -1;
    }

private:
    CsvReader reader_;
    TextEncoding encoding_;
    bool judgedByStart_;
    qint64 size_;
    QString error_;
};

} // namespace

std::unique_ptr<TableReader> OpenCsvTable(QIODevice &device)
{
    TextEncoding encoding = TextEncoding::Utf8;
    const bool stream = device.isSequential();
    if (!stream) {
        if (!Utf8Throughout(device))
            encoding = TextEncoding::Windows1251;
    } else {
        // The stream's first block stays in the device's buffer for the reader.
        const QByteArray start = device.peek(FirstBlock);
        // A short block is the whole stream (standard input is read until a block is
        // full); of a full one, whole lines, so that no character is cut at its end.
        const bool whole = start.size() < FirstBlock;
        const qsizetype lineEnd = WholeLines(start, whole);
        const QByteArrayView lines = QByteArrayView(start).first(lineEnd > 0 ? lineEnd : start.size());
        if (!StartsWithMark(start) && DecodeDesktopText(lines).encoding == TextEncoding::Windows1251)
            encoding = TextEncoding::Windows1251;
    }
    return std::make_unique<CsvTable>(device, encoding, stream && encoding == TextEncoding::Utf8);
}
