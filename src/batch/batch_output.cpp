#include "batch/batch_output.h"

#include "core/table/csv_reader.h"
#include "core/input/number_text.h"

#include <QIODevice>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

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
};

QString CurrencyText(Currency currency)
{
    return currency == Currency::Euros ? QStringLiteral("EUR") : QStringLiteral("RUB");
}

// The part every line of a point starts with.
QStringList PointFields(const BatchRecord &record)
{
    const BatchPoint &p = record.point;
    QStringList f(TableColumnCount);
    f[Id] = p.id;
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
    f[QmaxStd] = t.qmaxStd.value_or(WriteNumber(out.qmaxStd));
    f[QminStd] = t.qminStd.value_or(WriteNumber(out.qminStd));
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
    f[TMin] = WriteNumber(c.tMin);
    f[TMax] = WriteNumber(c.tMax);
    f[PAtm] = WriteNumber(c.pAtm);
    f[ZQmax] = WriteNumber(c.zQmax);
    f[ZQmin] = WriteNumber(c.zQmin);
    f[ZStd] = WriteNumber(c.zStd);
    return f;
}

QStringList RowFields(QStringList f, const QString &result, const Candidate &c)
{
    f[Result] = result;
    f[Slot] = QString::number(c.slot);
    for (int i = 0; i < ResultColumnCount; ++i)
        f[Number + i] = c.cells[std::size_t(i)];
    f[Load] = WriteNumber(c.loadPercent);
    f[Margin] = c.qminMargin ? WriteNumber(*c.qminMargin) : QString();
    f[Flags] = c.flags.join(QStringLiteral("; "));
    f[InletVelocity] = WriteNumber(c.inletVelocity);
    return f;
}

// JSON text pieces.
void AppendString(QByteArray &out, const QString &text)
{
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (u < 0x20) {
                char escaped[7];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(u));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

// The shortest text that reads back as the same double; null for a value JSON
// has no number for. Zero is "0" whatever its sign, as the table writes it.
void AppendNumber(QByteArray &out, double value)
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
    explicit JsonObject(QByteArray &out) : out_(out) { out_ += '{'; }
    ~JsonObject() { out_ += '}'; }
    JsonObject(const JsonObject &) = delete;
    JsonObject &operator=(const JsonObject &) = delete;

    QByteArray &key(const char *name)
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

private:
    QByteArray &out_;
    bool first_ = true;
};

void AppendStrings(QByteArray &out, const QStringList &texts)
{
    out += '[';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendString(out, texts[i]);
    }
    out += ']';
}

void AppendCandidates(QByteArray &out, const std::vector<Candidate> &list)
{
    out += '[';
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            out += ',';
        const Candidate &c = list[i];
        const ProductRecord &r = c.record;
        JsonObject row(out);
        row.number("slot", c.slot);
        row.number("number", double(i + 1));
        row.string("name", r.Name);
        row.number("dn", r.DN);
        row.number("pmin", r.Pmin);
        row.number("pmax", r.Pmax);
        row.number("qmax", r.Qmax);
        row.number("qmin", r.Qmin);
        row.number("price", r.Price);
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

void AppendConditions(QByteArray &out, const AppliedConditions &c)
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

std::vector<QStringList> BatchTableLines(const BatchRecord &record)
{
    QStringList fields = PointFields(record);
    if (record.hasError()) {
        fields[Result] = QStringLiteral("error");
        return {fields};
    }
    const SizingOutcome &out = record.outcome;
    std::vector<QStringList> lines;
    lines.reserve(out.optimal.size() + out.possible.size());
    for (const Candidate &c : out.optimal)
        lines.push_back(RowFields(fields, QStringLiteral("optimal"), c));
    for (const Candidate &c : out.possible)
        lines.push_back(RowFields(fields, QStringLiteral("possible"), c));
    if (lines.empty()) {
        fields[Result] = QStringLiteral("none");
        lines.push_back(fields);
    }
    return lines;
}

qint64 BatchTableLineCount(const BatchRecord &record)
{
    if (record.hasError())
        return 1;
    return std::max<qint64>(1, qint64(record.outcome.optimal.size() + record.outcome.possible.size()));
}

QByteArray BatchJsonObject(const BatchRecord &record)
{
    const BatchPoint &p = record.point;
    const SizingOutcome &out = record.outcome;
    const bool sized = record.sized && !record.hasError();
    QByteArray text;
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
        AppendCandidates(o.key("optimal"), sized ? out.optimal : std::vector<Candidate>{});
        AppendCandidates(o.key("possible"), sized ? out.possible : std::vector<Candidate>{});
    }
    return text;
}

BatchStreamWriter::BatchStreamWriter(QIODevice &device, Format format)
    : device_(device), format_(format)
{
}

void BatchStreamWriter::put(const QByteArray &bytes)
{
    // A file may take part of the bytes; the rest is offered again, which fails
    // with the reason when there is no room.
    for (qint64 done = 0; ok_ && done < bytes.size();) {
        const qint64 written = device_.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            ok_ = false;
        else
            done += written;
    }
}

void BatchStreamWriter::begin()
{
    if (format_ == Format::Json)
        put("{\"points\":[");
    else
        put(CsvLine(BatchTableHeader()).toUtf8() + '\n');
}

void BatchStreamWriter::write(const BatchRecord &record)
{
    if (format_ == Format::Json) {
        put((first_ ? QByteArray("\n") : QByteArray(",\n")) + BatchJsonObject(record));
    } else {
        QByteArray lines;
        for (const QStringList &fields : BatchTableLines(record))
            lines += CsvLine(fields).toUtf8() + '\n';
        put(lines);
    }
    first_ = false;
}

void BatchStreamWriter::end()
{
    if (format_ == Format::Json)
        put(first_ ? QByteArray("]}\n") : QByteArray("\n]}\n"));
}
