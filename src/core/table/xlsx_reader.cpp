#include "core/table/xlsx_reader.h"

#include "core/input/number_text.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <zip.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// The archive ------------------------------------------------------------------

QString ZipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

// One member of the archive, read as it is inflated.
class ZipMember final : public QIODevice {
public:
    ZipMember(zip_file_t *file, qint64 size) : file_(file), size_(size) { open(QIODevice::ReadOnly); }
    ~ZipMember() override
    {
        QIODevice::close();
        zip_fclose(file_);
    }
    bool isSequential() const override { return true; }
    // The member's inflated size, which a reader's offset is measured against.
    qint64 size() const override { return size_; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const zip_int64_t got = zip_fread(file_, data, zip_uint64_t(maxSize));
        if (got < 0)
            setErrorString(QString::fromUtf8(zip_error_strerror(zip_file_get_error(file_))));
        return got;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    zip_file_t *file_;
    qint64 size_;
};

class ZipParts final : public XlsxParts {
public:
    ZipParts(zip_t *archive, QByteArray bytes) : archive_(archive), bytes_(std::move(bytes)) {}
    ~ZipParts() override { zip_discard(archive_); }

    std::unique_ptr<QIODevice> open(const QString &name) override
    {
        const zip_int64_t index = zip_name_locate(archive_, name.toUtf8().constData(), 0);
        if (index < 0)
            return nullptr;
        zip_stat_t stat;
        zip_stat_init(&stat);
        const qint64 size = zip_stat_index(archive_, zip_uint64_t(index), 0, &stat) == 0
                && (stat.valid & ZIP_STAT_SIZE)
            ? qint64(stat.size)
            : -1;
        zip_file_t *file = zip_fopen_index(archive_, zip_uint64_t(index), 0);
        if (!file)
            return nullptr;
        return std::make_unique<ZipMember>(file, size);
    }

private:
    zip_t *archive_;
    QByteArray bytes_; // what a buffer source reads from, kept for the archive's life
};

// The workbook's structure --------------------------------------------------------

QString ResolvedTarget(const QString &base, const QString &target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    QString path = base + target;
    // "xl/worksheets/../sharedStrings.xml" and the like.
    QStringList parts;
    for (const QString &part : path.split(u'/')) {
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != u"." && !part.isEmpty()) {
            parts << part;
        }
    }
    return parts.join(u'/');
}

struct Relationship {
    QString type;   // the last part of the type's URI: "worksheet", "sharedStrings", ...
    QString target; // the part's name in the archive
};

// A part's relationships (its _rels file), by their id; `base` is the folder the
// targets are relative to.
QHash<QString, Relationship> ReadRelationships(XlsxParts &parts, const QString &relsName, const QString &base)
{
    QHash<QString, Relationship> found;
    const std::unique_ptr<QIODevice> device = parts.open(relsName);
    if (!device)
        return found;
    QXmlStreamReader xml(device.get());
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"Relationship") {
            const QXmlStreamAttributes a = xml.attributes();
            const QString type = a.value(QLatin1StringView("Type")).toString();
            found.insert(a.value(QLatin1StringView("Id")).toString(),
                         {type.section(u'/', -1), ResolvedTarget(base, a.value(QLatin1StringView("Target")).toString())});
        }
    }
    return found;
}

// The number formats that show a number as a date or a time: the built-in ones, and
// a format code with a day, month, year, hour or second outside quotes and brackets.
bool IsDateFormat(int id, const QString &code)
{
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58))
        return true;
    if (code.isEmpty())
        return false;
    static const QRegularExpression literals(QStringLiteral(R"("[^"]*"|\\.|_.|\*.)"));
    static const QRegularExpression brackets(QStringLiteral(R"(\[[^\]]*\])"));
    QString bare = code;
    bare.remove(literals);
    // [h], [mm], [ss]: elapsed time; other brackets are colours, conditions, locales.
    const bool elapsed = bare.contains(QRegularExpression(QStringLiteral(R"(\[(h+|m+|s+)\])"),
                                                          QRegularExpression::CaseInsensitiveOption));
    bare.remove(brackets);
    if (bare.compare(u"general", Qt::CaseInsensitive) == 0)
        return false;
    return elapsed || bare.contains(QRegularExpression(QStringLiteral("[dmyhs]"),
                                                       QRegularExpression::CaseInsensitiveOption));
}

// Which cell styles (by their index in cellXfs) show numbers as dates.
std::vector<bool> ReadDateStyles(XlsxParts &parts, const QString &name)
{
    std::vector<bool> dates;
    const std::unique_ptr<QIODevice> device = parts.open(name);
    if (!device)
        return dates;
    QHash<int, QString> codes;
    QXmlStreamReader xml(device.get());
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"numFmt") {
                codes.insert(xml.attributes().value(QLatin1StringView("numFmtId")).toInt(),
                             xml.attributes().value(QLatin1StringView("formatCode")).toString());
            } else if (xml.name() == u"cellXfs") {
                inCellXfs = true;
            } else if (inCellXfs && xml.name() == u"xf") {
                const int id = xml.attributes().value(QLatin1StringView("numFmtId")).toInt();
                dates.push_back(IsDateFormat(id, codes.value(id)));
            }
        } else if (xml.isEndElement() && xml.name() == u"cellXfs") {
            inCellXfs = false;
        }
    }
    return dates;
}

// The text of a string item (<si>, <is>): its <t>, or the <t> of its runs, without
// the phonetic hints (<rPh>).
QString ReadStringItem(QXmlStreamReader &xml)
{
    QString text;
    const QString item = xml.name().toString();
    int phonetic = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.isEndElement()) {
            if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == item)
                break;
        }
    }
    return text;
}

QStringList ReadSharedStrings(XlsxParts &parts, const QString &name, QString *error)
{
    QStringList strings;
    const std::unique_ptr<QIODevice> device = parts.open(name);
    if (!device)
        return strings;
    QXmlStreamReader xml(device.get());
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si")
            strings << ReadStringItem(xml);
    }
    if (xml.hasError())
        *error = QStringLiteral("общие строки книги не читаются: %1").arg(xml.errorString());
    return strings;
}

// A cell's column from its reference ("B7" -> 2); 0 when it names none.
int ReferenceColumn(QStringView reference)
{
    int column = 0;
    for (const QChar c : reference) {
        if (c >= u'A' && c <= u'Z')
            column = column * 26 + (c.unicode() - u'A' + 1);
        else
            break;
        if (column > 16384)
            return 0;
    }
    return column;
}

// A date as a spreadsheet keeps it (days since its epoch, the time as the fraction)
// as text: dd.MM.yyyy, with HH:mm:ss when it has a time of day.
QString DateText(double serial, bool from1904)
{
    if (!std::isfinite(serial) || serial < 0 || serial > 3'000'000)
        return WriteNumber(serial, u'.');
    double days = std::floor(serial);
    const qint64 seconds = qint64(std::llround((serial - days) * 86400));
    QDate date;
    if (from1904)
        date = QDate(1904, 1, 1).addDays(qint64(days));
    else if (days == 60) // the day the spreadsheet counts in 1900, which had none
        return QStringLiteral("29.02.1900");
    else
        date = (days < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30)).addDays(qint64(days));
    const QDateTime when(date, QTime(0, 0).addSecs(seconds % 86400));
    if (days == 0 && !from1904 && seconds > 0)
        return when.time().toString(QStringLiteral("HH:mm:ss"));
    if (seconds == 0)
        return date.toString(QStringLiteral("dd.MM.yyyy"));
    return when.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

// The sheet, row by row ----------------------------------------------------------

struct Cell {
    int column = 0; // from 1
    QString text;
    bool date = false;
};

class SheetTable final : public TableReader {
public:
    SheetTable(std::unique_ptr<XlsxParts> parts, std::unique_ptr<QIODevice> sheet, QString sheetName,
               QStringList strings, std::vector<bool> dateStyles, bool from1904)
        : parts_(std::move(parts)), sheet_(std::move(sheet)), sheetName_(std::move(sheetName)),
          strings_(std::move(strings)), dateStyles_(std::move(dateStyles)), from1904_(from1904),
          separator_(LocaleDecimalSeparator()), xml_(sheet_.get())
    {
    }

    std::optional<TableRecord> next() override;
    bool hasError() const override { return !error_.isEmpty(); }
    QString error() const override { return error_; }
    int errorLine() const override { return errorLine_; }
    int errorField() const override { return errorField_; }
    QString place(int line, int field) const override { return TablePlace(TablePlaces::Cells, line, field); }
    double progress() const override
    {
        const qint64 size = sheet_->size();
        return size > 0 ? std::min(1.0, double(xml_.characterOffset()) / double(size)) : -1;
    }

private:
    // The next row of the sheet with a cell that is not empty; false at the end or
    // an error.
    bool readRow(int &line, std::vector<Cell> &cells);
    std::optional<Cell> readCell(int column);
    void fail(int line, int field, const QString &why)
    {
        if (error_.isEmpty()) {
            error_ = why;
            errorLine_ = line;
            errorField_ = field;
        }
    }

    std::unique_ptr<XlsxParts> parts_;
    std::unique_ptr<QIODevice> sheet_;
    QString sheetName_;
    QStringList strings_;
    std::vector<bool> dateStyles_;
    bool from1904_;
    QChar separator_;
    QXmlStreamReader xml_;
    int lastRow_ = 0;
    int width_ = 0; // the header's columns; 0 before the header
    QString error_;
    int errorLine_ = 0;
    int errorField_ = 0;
};

std::optional<Cell> SheetTable::readCell(int column)
{
    const QXmlStreamAttributes a = xml_.attributes();
    const QString type = a.value(QLatin1StringView("t")).toString();
    const int style = a.value(QLatin1StringView("s")).toInt();
    Cell cell;
    cell.column = column;
    QString value;
    bool hasValue = false;
    while (!xml_.atEnd()) {
        xml_.readNext();
        if (xml_.isStartElement()) {
            if (xml_.name() == u"v") {
                value = xml_.readElementText();
                hasValue = true;
            } else if (xml_.name() == u"is") {
                value = ReadStringItem(xml_);
                hasValue = true;
            } else {
                xml_.skipCurrentElement(); // the formula, whose value is kept beside it
            }
        } else if (xml_.isEndElement() && xml_.name() == u"c") {
            break;
        }
    }
    if (!hasValue)
        return cell;
    if (type == u"s") {
        bool ok = false;
        const int index = value.trimmed().toInt(&ok);
        if (!ok || index < 0 || index >= strings_.size()) {
            fail(lastRow_, column, QStringLiteral("ссылка на общую строку %1, которой нет в книге").arg(value));
            return std::nullopt;
        }
        cell.text = strings_[index];
    } else if (type == u"inlineStr" || type == u"str" || type == u"e") {
        cell.text = value;
    } else if (type == u"b") {
        cell.text = value.trimmed() == u"1" || value.trimmed() == u"true" ? QStringLiteral("1") : QStringLiteral("0");
    } else if (type == u"d") {
        const QDateTime when = QDateTime::fromString(value, Qt::ISODate);
        cell.date = true;
        cell.text = !when.isValid() ? value
            : when.time() == QTime(0, 0) ? when.date().toString(QStringLiteral("dd.MM.yyyy"))
                                         : when.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    } else {
        const std::optional<double> number = ReadNumber(value.trimmed(), u'.');
        if (!number) {
            cell.text = value;
        } else if (style >= 0 && std::size_t(style) < dateStyles_.size() && dateStyles_[std::size_t(style)]) {
            cell.date = true;
            cell.text = DateText(*number, from1904_);
        } else {
            cell.text = WriteNumber(*number, separator_);
        }
    }
    return cell;
}

bool SheetTable::readRow(int &line, std::vector<Cell> &cells)
{
    while (!xml_.atEnd()) {
        xml_.readNext();
        if (!xml_.isStartElement() || xml_.name() != u"row")
            continue;
        const QStringView number = xml_.attributes().value(QLatin1StringView("r"));
        const int row = number.isEmpty() ? lastRow_ + 1 : number.toInt();
        if (row <= lastRow_) {
            // A spreadsheet writes its rows in order, each once.
            fail(std::max(lastRow_, 1), 0,
                 row <= 0 ? QStringLiteral("строка листа без номера «%1»").arg(number)
                          : QStringLiteral("строки листа не по порядку: строка %1 после строки %2").arg(row).arg(lastRow_));
            return false;
        }
        lastRow_ = row;
        cells.clear();
        int column = 0;
        bool anything = false;
        while (!xml_.atEnd()) {
            xml_.readNext();
            if (xml_.isStartElement() && xml_.name() == u"c") {
                const int named = ReferenceColumn(xml_.attributes().value(QLatin1StringView("r")));
                column = named > 0 ? named : column + 1;
                std::optional<Cell> cell = readCell(column);
                if (!cell)
                    return false;
                if (!cell->text.isEmpty()) {
                    anything = true;
                    cells.push_back(std::move(*cell));
                }
            } else if (xml_.isStartElement()) {
                xml_.skipCurrentElement();
            } else if (xml_.isEndElement() && xml_.name() == u"row") {
                break;
            }
        }
        if (anything) {
            line = lastRow_;
            return true;
        }
    }
    if (xml_.hasError())
        fail(std::max(lastRow_, 1), 0, QStringLiteral("лист «%1» не читается: %2").arg(sheetName_, xml_.errorString()));
    return false;
}

std::optional<TableRecord> SheetTable::next()
{
    if (hasError())
        return std::nullopt;
    int line = 0;
    std::vector<Cell> cells;
    if (!readRow(line, cells))
        return std::nullopt;
    if (width_ == 0) { // the header: up to its last cell that is not empty
        for (const Cell &cell : cells)
            width_ = std::max(width_, cell.column);
    }
    TableRecord record;
    record.line = line;
    record.fields.resize(width_);
    for (Cell &cell : cells) {
        if (cell.column > width_) {
            fail(line, cell.column,
                 QStringLiteral("ячейка правее последнего столбца заголовка (%1)").arg(SheetColumnName(width_)));
            return std::nullopt;
        }
        if (cell.date)
            record.dateFields.push_back(cell.column - 1);
        record.fields[cell.column - 1] = std::move(cell.text);
    }
    return record;
}

} // namespace

std::unique_ptr<XlsxParts> OpenXlsxFile(const QString &path, QString *error)
{
    int code = 0;
#ifdef Q_OS_WIN
    const QByteArray name = path.toUtf8(); // libzip takes UTF-8 names on Windows
#else
    const QByteArray name = QFile::encodeName(path);
#endif
    zip_t *archive = zip_open(name.constData(), ZIP_RDONLY, &code);
    if (!archive) {
        *error = QStringLiteral("не читается как книга xlsx: %1").arg(ZipErrorText(code));
        return nullptr;
    }
    return std::make_unique<ZipParts>(archive, QByteArray());
}

std::unique_ptr<XlsxParts> OpenXlsxBytes(const QByteArray &bytes, QString *error)
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &zipError);
    zip_t *archive = source ? zip_open_from_source(source, ZIP_RDONLY, &zipError) : nullptr;
    if (!archive) {
        *error = QStringLiteral("не читается как книга xlsx: %1").arg(QString::fromUtf8(zip_error_strerror(&zipError)));
        if (source)
            zip_source_free(source);
        zip_error_fini(&zipError);
        return nullptr;
    }
    zip_error_fini(&zipError);
    return std::make_unique<ZipParts>(archive, bytes);
}

std::unique_ptr<TableReader> OpenXlsxTable(std::unique_ptr<XlsxParts> parts, const QString &sheet, QString *error)
{
    // The workbook part, as the package names it (xl/workbook.xml in every known file).
    QString workbook = QStringLiteral("xl/workbook.xml");
    for (const Relationship &r : ReadRelationships(*parts, QStringLiteral("_rels/.rels"), QString())) {
        if (r.type == u"officeDocument")
            workbook = r.target;
    }
    const QString base = workbook.contains(u'/') ? workbook.section(u'/', 0, -2) + u'/' : QString();
    const QHash<QString, Relationship> relations =
        ReadRelationships(*parts, base + QStringLiteral("_rels/") + workbook.section(u'/', -1) + QStringLiteral(".rels"),
                          base);

    const std::unique_ptr<QIODevice> workbookDevice = parts->open(workbook);
    if (!workbookDevice) {
        *error = QStringLiteral("не книга xlsx: в архиве нет %1").arg(workbook);
        return nullptr;
    }
    QStringList names, targets;
    bool from1904 = false;
    {
        QXmlStreamReader xml(workbookDevice.get());
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == u"workbookPr") {
                const QStringView date1904 = a.value(QLatin1StringView("date1904"));
                from1904 = date1904 == u"1" || date1904 == u"true";
            } else if (xml.name() == u"sheet") {
                QString id;
                for (const QXmlStreamAttribute &attribute : a) {
                    if (attribute.name() == u"id")
                        id = attribute.value().toString();
                }
                names << a.value(QLatin1StringView("name")).toString();
                targets << relations.value(id).target;
            }
        }
        if (xml.hasError()) {
            *error = QStringLiteral("книга не читается: %1").arg(xml.errorString());
            return nullptr;
        }
    }
    if (names.isEmpty()) {
        *error = QStringLiteral("в книге нет ни одного листа");
        return nullptr;
    }
    const qsizetype chosen = sheet.isEmpty() ? 0 : names.indexOf(sheet);
    if (chosen < 0) {
        *error = QStringLiteral("в книге нет листа «%1»; листы: %2")
                     .arg(sheet, u'«' + names.join(QStringLiteral("», «")) + u'»');
        return nullptr;
    }
    std::unique_ptr<QIODevice> sheetDevice = targets[chosen].isEmpty() ? nullptr : parts->open(targets[chosen]);
    if (!sheetDevice) {
        *error = QStringLiteral("лист «%1» не найден в архиве").arg(names[chosen]);
        return nullptr;
    }

    QString stringsPart = base + QStringLiteral("sharedStrings.xml"), stylesPart = base + QStringLiteral("styles.xml");
    for (const Relationship &r : relations) {
        if (r.type == u"sharedStrings")
            stringsPart = r.target;
        else if (r.type == u"styles")
            stylesPart = r.target;
    }
    QString why;
    QStringList strings = ReadSharedStrings(*parts, stringsPart, &why);
    if (!why.isEmpty()) {
        *error = why;
        return nullptr;
    }
    std::vector<bool> dateStyles = ReadDateStyles(*parts, stylesPart);
    return std::make_unique<SheetTable>(std::move(parts), std::move(sheetDevice), names[chosen], std::move(strings),
                                        std::move(dateStyles), from1904);
}
