#include "batch/batch_output.h"

#include "core/table/csv_reader.h"
#include "core/input/number_text.h"

#include <QIODevice>

#include <array>
#include <optional>
#include <string>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

enum TableColumn {
    Id,
    Line,
    Mode,
    Result,
    ErrorColumn,
    Message,
    Warnings,
    CurrencyCode,
    QmaxStd,
    QminStd,
    PmaxGauge,
    PminGauge,
    PmaxAbs,
    PminAbs,
    PGauge,
    PAbs,
    QmaxWork,
    QminWork,
    Pout,
    PoutUnit,
    Slot,
    // The eight grid cells, in grid order.
    Number,
    Name,
    DN,
    Pmin,
    Pmax,
    Qmax,
    Qmin,
    Price,
    Load,
    Margin,
    NoFit, // why nothing fits, on a point's one line when it has no row
    // The conditions the working values come from, on every line of a sized point.
    MethodKeyColumn,
    TMin,
    TMax,
    PAtm,
    ZQmax,
    ZQmin,
    ZStd,
    Flags, // the row's failed checks
    InletVelocity, // m/s at the working Qmax
    PriceListName, // the price list the prices come from, on every line
    TableColumnCount
};

const char16_t *const HeaderNames[TableColumnCount] = {
    u"id",        u"line",      u"mode",      u"result",    u"error_column", u"message",
    u"warnings",  u"currency",  u"qmax_std",  u"qmin_std",  u"pmax_gauge",   u"pmin_gauge",
    u"pmax_abs",  u"pmin_abs",  u"p_gauge",   u"p_abs",     u"qmax_work",    u"qmin_work",
    u"pout",      u"pout_unit", u"slot",      u"number",    u"name",         u"dn",
    u"pmin",      u"pmax",      u"qmax",      u"qmin",      u"price",        u"load_percent",
    u"qmin_margin", u"no_fit_reason", u"method",   u"t_min",     u"t_max",        u"p_atm",
    u"z_qmax",    u"z_qmin",    u"z_std",     u"flags",        u"v_inlet",
    u"price_list",
};

QString CurrencyText(Currency currency)
{
    return currency == Currency::Euros ? QStringLiteral("EUR") : QStringLiteral("RUB");
}

// The fields every line of a point has (all but the result, the row and its flags).
QStringList PointFields(const BatchRecord &record, QChar separator, const QString &priceList)
{
    const BatchPoint &p = record.point;
    QStringList f(TableColumnCount);
    f[Id] = p.id;
    f[PriceListName] = priceList;
    f[Line] = QString::number(p.line);
    f[Mode] = p.modeText;
    f[ErrorColumn] = record.errorColumn;
    f[Message] = record.error;
    f[Warnings] = record.warnings.join(u'\n');
    if (p.hasOutlet) {
        f[Pout] = p.outletText;
        f[PoutUnit] = p.outletUnit;
    }
    if (!record.sized || record.hasError())
        return f;

    const SizingOutcome &out = record.outcome;
    const ResultTexts &t = out.texts;
    f[CurrencyCode] = CurrencyText(out.currency);
    f[QmaxStd] = t.qmaxStd ? *t.qmaxStd : WriteNumber(out.qmaxStd, separator);
    f[QminStd] = t.qminStd ? *t.qminStd : WriteNumber(out.qminStd, separator);
    if (out.rangeLayout) {
        f[PmaxGauge] = t.pmaxGauge.value_or(QString());
        f[PminGauge] = t.pminGauge.value_or(QString());
        f[PmaxAbs] = t.pmaxAbs.value_or(QString());
        f[PminAbs] = t.pminAbs.value_or(QString());
    } else {
        f[PGauge] = t.workingGauge.value_or(QString());
        f[PAbs] = t.workingAbs.value_or(QString());
    }
    f[QmaxWork] = t.qmaxWork.value_or(QString());
    f[QminWork] = t.qminWork.value_or(QString());
    f[NoFit] = out.noFitReason;
    const AppliedConditions &c = out.conditions;
    f[MethodKeyColumn] = MethodKey(c.method);
    f[TMin] = WriteNumber(c.tMin, separator);
    f[TMax] = WriteNumber(c.tMax, separator);
    f[PAtm] = WriteNumber(c.pAtm, separator);
    f[ZQmax] = WriteNumber(c.zQmax, separator);
    f[ZQmin] = WriteNumber(c.zQmin, separator);
    f[ZStd] = WriteNumber(c.zStd, separator);
    return f;
}

QStringList RowFields(QStringList f, const QString &result, const Candidate &c, QChar separator)
{
    f[Result] = result;
    f[Slot] = QString::number(c.slot);
    for (int i = 0; i < ResultColumnCount; ++i)
        f[Number + i] = c.cells[std::size_t(i)];
    f[Load] = WriteNumber(c.loadPercent, separator);
    f[Margin] = c.qminMargin ? WriteNumber(*c.qminMargin, separator) : QString();
    f[Flags] = c.flags.join(QStringLiteral("; "));
    f[InletVelocity] = WriteNumber(c.inletVelocity);
    return f;
}

const std::vector<Candidate> &NoRows()
{
    static const std::vector<Candidate> none;
    return none;
}

// The possible rows a point's lines and arrays list.
const std::vector<Candidate> &PossibleRows(const SizingOutcome &out, BatchRows rows)
{
    return rows == BatchRows::All ? out.possible : NoRows();
}

// Text as UTF-8 after `out`: plain ASCII copied, the rest through Qt's encoder.
void AppendUtf8(std::string &out, QStringView text)
{
    const auto *chars = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype size = text.size();
    qsizetype ascii = 0;
    while (ascii < size && chars[ascii] < 0x80)
        ++ascii;
    const std::size_t at = out.size();
    out.resize(at + std::size_t(ascii));
    char *bytes = out.data() + at;
    for (qsizetype i = 0; i < ascii; ++i)
        bytes[i] = static_cast<char>(chars[i]);
    if (ascii < size) {
        const QByteArray rest = text.sliced(ascii).toUtf8();
        out.append(rest.constData(), std::size_t(rest.size()));
    }
}

// A field as CsvField() writes it, as UTF-8.
void AppendCsvField(std::string &out, const QString &text)
{
    bool quote = false;
    bool quotes = false;
    for (const QChar c : text) {
        if (c == u'"')
            quotes = true;
        quote = quote || c == u';' || c == u'"' || c == u'\n' || c == u'\r';
    }
    quote = quote || (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quote) {
        AppendUtf8(out, text);
        return;
    }
    out += '"';
    if (quotes) {
        QString doubled = text;
        doubled.replace(u'"', QStringLiteral("\"\""));
        AppendUtf8(out, doubled);
    } else {
        AppendUtf8(out, text);
    }
    out += '"';
}

// A number of the table by the writing rule, as CsvField() would write its text.
void AppendCsvNumber(std::string &out, double value, QChar separator)
{
    if (separator != u'.' && separator != u',') {
        AppendCsvField(out, WriteNumber(value, separator));
        return;
    }
    char text[NumberTextCapacity];
    out.append(text, std::size_t(WriteNumber(value, static_cast<char>(separator.unicode()), text)));
}

void AppendInteger(std::string &out, long long value)
{
    char text[24];
    out.append(text, std::size_t(std::to_chars(text, text + sizeof text, value).ptr - text));
}

} // namespace

// The bytes of each catalogue row, by slot: its cells as the table writes them and the
// product's part of a JSON row, with what they were made from.
struct BatchFormatter::ProductBytes {
    struct Row {
        ProductRecord record;
        std::array<QString, ResultColumnCount - 1> cells; // all but the row's number
        std::array<std::string, ResultColumnCount - 1> csv;
        std::string json; // ,"name":...,"price":...
    };
    std::vector<std::optional<Row>> rows;

    // The bytes of a candidate's product, when they are the ones made for its slot.
    const Row *of(const Candidate &c) const
    {
        const std::size_t at = std::size_t(c.slot - ProductCatalogue::FirstSlot);
        if (c.slot < ProductCatalogue::FirstSlot || at >= rows.size() || !rows[at])
            return nullptr;
        const Row &row = *rows[at];
        const ProductRecord &a = c.record, &b = row.record;
        const bool same = a.Name.constData() == b.Name.constData() && a.Name.size() == b.Name.size()
            && a.DN == b.DN && a.Pmin == b.Pmin && a.Pmax == b.Pmax && a.Qmax == b.Qmax && a.Qmin == b.Qmin
            && a.Price == b.Price;
        return same ? &row : nullptr;
    }
};

namespace {

using ProductBytes = BatchFormatter::ProductBytes;

// The same text, shared: made once, copied since.
bool Shared(const QString &a, const QString &b)
{
    return a.constData() == b.constData() && a.size() == b.size();
}

// A point's table lines, as CsvLine() joins BatchTableLines(), each with its line
// feed: the fields every line shares are made into bytes once.
void AppendCsvLines(std::string &out, const BatchRecord &record, BatchRows rows, QChar separator,
                    const ProductBytes *products, const std::string &priceList)
{
    // The fields of PointFields(), each made into bytes at once (the numbers without a
    // text between): the ones before the result, between it and the row, after the row.
    const BatchPoint &p = record.point;
    std::string head, middle, tail;
    AppendCsvField(head, p.id);
    head += ';';
    AppendInteger(head, p.line);
    head += ';';
    AppendCsvField(head, p.modeText);
    head += ';';
    const auto text = [](std::string &to, const QString &field) {
        to += ';';
        AppendCsvField(to, field);
    };
    const auto shown = [&text](std::string &to, const std::optional<QString> &field) {
        text(to, field ? *field : QString());
    };
    const auto number = [separator](std::string &to, double value) {
        to += ';';
        AppendCsvNumber(to, value, separator);
    };
    text(middle, record.errorColumn);
    text(middle, record.error);
    text(middle, record.warnings.isEmpty() ? QString() : record.warnings.join(u'\n'));
    const bool sized = record.sized && !record.hasError();
    const SizingOutcome &outcome = record.outcome;
    const ResultTexts &t = outcome.texts;
    if (sized) {
        text(middle, CurrencyText(outcome.currency));
        if (t.qmaxStd)
            text(middle, *t.qmaxStd);
        else
            number(middle, outcome.qmaxStd);
        if (t.qminStd)
            text(middle, *t.qminStd);
        else
            number(middle, outcome.qminStd);
        if (outcome.rangeLayout) {
            shown(middle, t.pmaxGauge);
            shown(middle, t.pminGauge);
            shown(middle, t.pmaxAbs);
            shown(middle, t.pminAbs);
            middle += ";;"; // no single pressure
        } else {
            middle += ";;;;"; // no range
            shown(middle, t.workingGauge);
            shown(middle, t.workingAbs);
        }
        shown(middle, t.qmaxWork);
        shown(middle, t.qminWork);
    } else {
        middle += ";;;;;;;;;;;"; // currency to qmin_work, empty
    }
    text(middle, p.hasOutlet ? p.outletText : QString());
    text(middle, p.hasOutlet ? p.outletUnit : QString());
    middle += ';';
    if (sized) {
        const AppliedConditions &c = outcome.conditions;
        text(tail, outcome.noFitReason);
        text(tail, MethodKey(c.method));
        for (const double value : {c.tMin, c.tMax, c.pAtm, c.zQmax, c.zQmin, c.zStd})
            number(tail, value);
    } else {
        tail += ";;;;;;;;"; // no_fit_reason to z_std, empty
    }
    tail += ';';

    const auto line = [&](const char *result, const Candidate *c) {
        out += head;
        out += result;
        out += middle;
        if (!c) {
            out += ";;;;;;;;;;"; // the row's eleven fields, empty
        } else {
            AppendInteger(out, c->slot);
            out += ';';
            AppendCsvField(out, c->cells[0]);
            const ProductBytes::Row *known = products ? products->of(*c) : nullptr;
            for (std::size_t i = 1; i < c->cells.size(); ++i) {
                out += ';';
                if (known && Shared(c->cells[i], known->cells[i - 1]))
                    out += known->csv[i - 1];
                else
                    AppendCsvField(out, c->cells[i]);
            }
            out += ';';
            AppendCsvNumber(out, c->loadPercent, separator);
            out += ';';
            if (c->qminMargin)
                AppendCsvNumber(out, *c->qminMargin, separator);
        }
        out += tail;
        if (c && c->flags.size() == 1)
            AppendCsvField(out, c->flags.front());
        else if (c && c->flags.size() > 1)
            AppendCsvField(out, c->flags.join(QStringLiteral("; ")));
        out += ';';
        if (c)
            AppendCsvNumber(out, c->inletVelocity, separator);
        out += ';';
        out += priceList;
        out += '\n';
    };
    if (record.hasError()) {
        line("error", nullptr);
        return;
    }
    for (const Candidate &c : outcome.optimal)
        line("optimal", &c);
    for (const Candidate &c : PossibleRows(outcome, rows))
        line("possible", &c);
    if (outcome.optimal.empty() && PossibleRows(outcome, rows).empty())
        line("none", nullptr);
}

// JSON text pieces.
void AppendString(std::string &out, QStringView text)
{
    static constexpr char Hex[] = "0123456789abcdef";
    out += '"';
    const auto *chars = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        // A run taken as it is, then the character that is escaped.
        qsizetype end = i;
        while (end < size && chars[end] >= 0x20 && chars[end] != u'"' && chars[end] != u'\\')
            ++end;
        if (end > i)
            AppendUtf8(out, text.sliced(i, end - i));
        if (end == size)
            break;
        switch (const char16_t c = chars[end]) {
        case u'"': out += "\\\""; break;
        case u'\\': out += "\\\\"; break;
        case u'\n': out += "\\n"; break;
        case u'\r': out += "\\r"; break;
        case u'\t': out += "\\t"; break;
        default: {
            const char escaped[6] = {'\\', 'u', '0', '0', Hex[c >> 4], Hex[c & 15]};
            out.append(escaped, sizeof escaped);
        }
        }
        i = end + 1;
    }
    out += '"';
}

// The shortest text that reads back as the same double; null for a value JSON
// has no number for. Zero is "0" whatever its sign, as the table writes it.
void AppendNumber(std::string &out, double value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    if (value == 0) {
        out += '0';
        return;
    }
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end - buffer);
}

class JsonObject {
public:
    explicit JsonObject(std::string &out) : out_(out) { out_ += '{'; }
    ~JsonObject() { out_ += '}'; }
    JsonObject(const JsonObject &) = delete;
    JsonObject &operator=(const JsonObject &) = delete;

    std::string &key(const char *name)
    {
        if (!first_)
            out_ += ',';
        first_ = false;
        out_ += '"';
        out_ += name;
        out_ += "\":";
        return out_;
    }
    void string(const char *name, const QString &text) { AppendString(key(name), text); }
    void number(const char *name, double value) { AppendNumber(key(name), value); }
    void null(const char *name) { key(name) += "null"; }
    // Keys and values made before, from the comma on.
    void made(const std::string &bytes)
    {
        out_ += bytes;
        first_ = false;
    }

private:
    std::string &out_;
    bool first_ = true;
};

void AppendStrings(std::string &out, const QStringList &texts)
{
    out += '[';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendString(out, texts[i]);
    }
    out += ']';
}

// The product's part of a JSON row, after its slot and number.
void AppendProduct(JsonObject &row, const ProductRecord &r)
{
    row.string("name", r.Name);
    row.number("dn", r.DN);
    row.number("pmin", r.Pmin);
    row.number("pmax", r.Pmax);
    row.number("qmax", r.Qmax);
    row.number("qmin", r.Qmin);
    row.number("price", r.Price);
}

void AppendCandidates(std::string &out, const std::vector<Candidate> &list, const ProductBytes *products)
{
    out += '[';
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            out += ',';
        const Candidate &c = list[i];
        JsonObject row(out);
        row.number("slot", c.slot);
        row.number("number", double(i + 1));
        if (const ProductBytes::Row *known = products ? products->of(c) : nullptr)
            row.made(known->json);
        else
            AppendProduct(row, c.record);
        row.number("load_percent", c.loadPercent);
        if (c.qminMargin)
            row.number("qmin_margin", *c.qminMargin);
        else
            row.null("qmin_margin");
        AppendStrings(row.key("flags"), c.flags);
        row.number("v_inlet", c.inletVelocity);
    }
    out += ']';
}

void AppendConditions(std::string &out, const AppliedConditions &c)
{
    JsonObject o(out);
    o.string("method", MethodKey(c.method));
    o.number("t_min", c.tMin);
    o.number("t_max", c.tMax);
    o.number("p_atm", c.pAtm);
    o.number("z_qmax", c.zQmax);
    o.number("z_qmin", c.zQmin);
    o.number("z_std", c.zStd);
}

} // namespace

QStringList BatchTableHeader()
{
    QStringList header;
    for (const char16_t *name : HeaderNames)
        header << QString::fromUtf16(name);
    return header;
}

bool BatchTableColumnIsNumber(int column)
{
    switch (column) {
    case Line:
    case QmaxStd:
    case QminStd:
    case PmaxGauge:
    case PminGauge:
    case PmaxAbs:
    case PminAbs:
    case PGauge:
    case PAbs:
    case QmaxWork:
    case QminWork:
    case Slot:
    case Number:
    case DN:
    case Pmin:
    case Pmax:
    case Qmax:
    case Qmin:
    case Price:
    case Load:
    case Margin:
    case TMin:
    case TMax:
    case PAtm:
    case ZQmax:
    case ZQmin:
    case ZStd:
    case InletVelocity:
        return true;
    default:
        return false;
    }
}

std::vector<QStringList> BatchTableLines(const BatchRecord &record, BatchRows rows, const QString &priceList)
{
    const QChar separator = LocaleDecimalSeparator();
    QStringList fields = PointFields(record, separator, priceList);
    if (record.hasError()) {
        fields[Result] = QStringLiteral("error");
        return {fields};
    }
    const SizingOutcome &out = record.outcome;
    const std::vector<Candidate> &possible = PossibleRows(out, rows);
    std::vector<QStringList> lines;
    lines.reserve(out.optimal.size() + possible.size());
    for (const Candidate &c : out.optimal)
        lines.push_back(RowFields(fields, QStringLiteral("optimal"), c, separator));
    for (const Candidate &c : possible)
        lines.push_back(RowFields(fields, QStringLiteral("possible"), c, separator));
    if (lines.empty()) {
        fields[Result] = QStringLiteral("none");
        lines.push_back(fields);
    }
    return lines;
}

qint64 BatchTableLineCount(const BatchRecord &record, BatchRows rows)
{
    if (record.hasError())
        return 1;
    return std::max<qint64>(
        1, qint64(record.outcome.optimal.size() + PossibleRows(record.outcome, rows).size()));
}

namespace {

void AppendJsonObject(std::string &text, const BatchRecord &record, BatchRows rows,
                      const ProductBytes *products = nullptr)
{
    const BatchPoint &p = record.point;
    const SizingOutcome &out = record.outcome;
    const bool sized = record.sized && !record.hasError();
    {
        JsonObject o(text);
        o.string("id", p.id);
        o.number("line", p.line);
        if (p.request.mode >= 1)
            o.number("mode", p.request.mode);
        else
            o.null("mode");
        o.string("status", sized ? QStringLiteral("ok") : QStringLiteral("error"));
        if (record.hasError()) {
            JsonObject error(o.key("error"));
            if (record.errorColumn.isEmpty())
                error.null("column");
            else
                error.string("column", record.errorColumn);
            error.string("message", record.error);
        } else {
            o.null("error");
        }
        AppendStrings(o.key("warnings"), record.warnings);
        if (sized && !out.noFitReason.isEmpty())
            o.string("no_fit_reason", out.noFitReason);
        else
            o.null("no_fit_reason");
        if (p.hasOutlet) {
            o.string("pout", p.outletText);
            o.string("pout_unit", p.outletUnit);
        }
        if (sized) {
            o.string("currency", CurrencyText(out.currency));
            o.string("pressure", out.rangeLayout ? QStringLiteral("range") : QStringLiteral("single"));
            o.number("qmax_std", out.qmaxStd);
            o.number("qmin_std", out.qminStd);
            o.number("pmax_gauge", out.pressures.PmaxGauge);
            o.number("pmin_gauge", out.pressures.PminGauge);
            o.number("pmax_abs", out.pressures.PmaxAbs);
            o.number("pmin_abs", out.pressures.PminAbs);
            o.number("qmax_work", out.pressures.QmaxWork);
            o.number("qmin_work", out.pressures.QminWork);
        }
        if (sized)
            AppendConditions(o.key("conditions"), out.conditions);
        else
            o.null("conditions");
        AppendCandidates(o.key("optimal"), sized ? out.optimal : NoRows(), products);
        AppendCandidates(o.key("possible"), sized ? PossibleRows(out, rows) : NoRows(), products);
    }
}

} // namespace

QByteArray BatchJsonObject(const BatchRecord &record, BatchRows rows)
{
    std::string text;
    AppendJsonObject(text, record, rows);
    return QByteArray::fromStdString(text);
}

BatchFormatter::BatchFormatter(Format format, BatchRows rows, QChar decimalSeparator,
                               const ProductCatalogue *catalogue)
    : format_(format), rows_(rows), separator_(decimalSeparator)
{
    if (!catalogue)
        return;
    const QString priceList = PriceListTitle(catalogue->priceList());
    priceListJson_ = ",\"price_list\":";
    AppendString(priceListJson_, priceList);
    AppendCsvField(priceListCsv_, priceList);
    auto products = std::make_shared<ProductBytes>();
    products->rows.resize(std::size_t(ProductCatalogue::LastSlot - ProductCatalogue::FirstSlot + 1));
    for (int slot = ProductCatalogue::FirstSlot; slot <= ProductCatalogue::LastSlot; ++slot) {
        const ProductRecord &record = catalogue->at(slot);
        const ProductFigureTexts *figures = catalogue->figureTexts(slot, decimalSeparator);
        if (record.isEmpty() || !figures)
            continue;
        ProductBytes::Row row;
        row.record = record;
        const ResultRow cells = FormatResultRow(1, record, *figures, decimalSeparator);
        for (std::size_t i = 1; i < cells.size(); ++i) {
            row.cells[i - 1] = cells[i];
            AppendCsvField(row.csv[i - 1], cells[i]);
        }
        std::string json;
        {
            JsonObject o(json);
            o.made(std::string()); // the row's slot and number come before
            AppendProduct(o, record);
        }
        row.json = json.substr(1, json.size() - 2);
        products->rows[std::size_t(slot - ProductCatalogue::FirstSlot)] = std::move(row);
    }
    products_ = std::move(products);
}

QByteArray BatchFormatter::begin() const
{
    if (format_ == Format::Json)
        return "{\"points\":[";
    return CsvLine(BatchTableHeader()).toUtf8() + '\n';
}

void BatchFormatter::append(std::string &out, const BatchRecord &record, bool first) const
{
    if (format_ == Format::Json) {
        out += first ? "\n" : ",\n";
        AppendJsonObject(out, record, rows_, products_.get());
    } else {
        AppendCsvLines(out, record, rows_, separator_, products_.get(), priceListCsv_);
    }
}

QByteArray BatchFormatter::end(bool empty) const
{
    if (format_ == Format::Json)
        return QByteArray(empty ? "]" : "\n]") + QByteArray::fromStdString(priceListJson_) + "}\n";
    return {};
}

BatchStreamWriter::BatchStreamWriter(QIODevice &device, Format format, BatchRows rows,
                                     const ProductCatalogue *catalogue)
    : device_(device), formatter_(format, rows, LocaleDecimalSeparator(), catalogue)
{
}

void BatchStreamWriter::put(QByteArrayView bytes)
{
    // A file may take part of the bytes; the rest is offered again, which fails
    // with the reason when there is no room.
    for (qint64 done = 0; ok_ && done < bytes.size();) {
        const qint64 written = device_.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            ok_ = false;
        else
            done += written;
    }
}

void BatchStreamWriter::begin()
{
    put(formatter_.begin());
}

void BatchStreamWriter::write(const BatchRecord &record)
{
    std::string bytes;
    formatter_.append(bytes, record, first_);
    put(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    first_ = false;
}

void BatchStreamWriter::write(const std::string &bytes, qint64 count)
{
    put(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    first_ = first_ && count == 0;
}

void BatchStreamWriter::end()
{
    const QByteArray bytes = formatter_.end(first_);
    if (!bytes.isEmpty())
        put(bytes);
}
