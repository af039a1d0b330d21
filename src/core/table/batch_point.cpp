#include "core/table/batch_point.h"

#include "core/table/batch_conditions.h"
#include "core/cabinet/cabinet_captions.h"
#include "core/pressure/pressure_units.h"
#include "core/selection/selection_modes.h"
#include "core/input/message_texts.h"
#include "core/input/number_text.h"

#include <algorithm>
#include <bitset>
#include <utility>

namespace {

constexpr int UnitBar = static_cast<int>(PressureUnit::Bar);
constexpr int UnitKilopascal = static_cast<int>(PressureUnit::Kilopascal);

using ColumnSet = std::bitset<BatchColumnCount>;

std::size_t Bit(BatchColumn column)
{
    return static_cast<std::size_t>(column);
}

// The whole number from 1 to `last` the text is written as; none for anything else.
std::optional<int> ChoiceNumber(const QString &text, int last)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1 || n > last || text != QString::number(n))
        return std::nullopt;
    return n;
}

QString Quoted(const QString &text)
{
    return u'«' + text + u'»';
}

QString Alternatives(const QStringList &options)
{
    QStringList quoted;
    for (const QString &option : options)
        quoted << Quoted(option);
    return quoted.join(QStringLiteral(" или "));
}

class PointReader {
public:
    PointReader(const BatchColumns &columns, const CsvReader::Record &record)
        : columns_(columns), record_(record),
          separator_(columns.decimalSeparator.isNull() ? LocaleDecimalSeparator() : columns.decimalSeparator)
    {
    }

    BatchPoint read();

private:
    QString raw(BatchColumn column) const
    {
        const int at = columns_.index[Bit(column)];
        return at >= 0 ? record_.fields[at] : QString();
    }
    QString text(BatchColumn column) const { return raw(column).trimmed(); }
    // A figure's text with the desktop's separator.
    QString number(BatchColumn column) const { return BatchLocaleNumber(raw(column), separator_); }
    bool given(BatchColumn column) const { return !text(column).isEmpty(); }

    bool fail(BatchColumn column, const QString &why)
    {
        point_.errorColumn = BatchColumnName(column);
        point_.error = why;
        return false;
    }

    bool readFamilies(int mode);
    bool readCabinetKind();
    bool checkUnused(const ColumnSet &used, const QString &where);
    bool readUnit(BatchColumn column, int defaultUnit, int &unit);
    bool readOption(BatchColumn column, const QStringList &captions, int &chosen);
    bool readPoint();
    bool readFigures();

    const BatchColumns &columns_;
    const CsvReader::Record &record_;
    QChar separator_;
    BatchPoint point_;
};

bool PointReader::readFamilies(int mode)
{
    const int boxes = int(FamilyCaptions(mode).size());
    FamilyGates gates{false, false, false};
    const QString typed = text(BatchColumn::Families);
    if (typed.isEmpty()) {
        for (int i = 0; i < boxes; ++i)
            gates[std::size_t(i)] = true;
    } else {
        if (typed.size() != boxes
            || !std::all_of(typed.begin(), typed.end(), [](QChar c) { return c == u'0' || c == u'1'; }))
            return fail(BatchColumn::Families,
                        QStringLiteral("ожидается %1 знака 0 или 1, по одному на каждый флажок режима %2")
                            .arg(boxes)
                            .arg(mode));
        for (int i = 0; i < boxes; ++i)
            gates[std::size_t(i)] = typed[i] == u'1';
    }
    // The choice dialog goes no further with every box cleared.
    if (gates == FamilyGates{false, false, false})
        return fail(BatchColumn::Families, Messages::NoChoice());
    point_.request.families = gates;
    return true;
}

bool PointReader::readCabinetKind()
{
    const QString typed = text(BatchColumn::Cabinet);
    // The cabinet choice goes no further with no kind picked.
    if (typed.isEmpty())
        return fail(BatchColumn::Cabinet, Messages::NoChoice());
    const std::optional<int> kind = ChoiceNumber(typed, 3);
    if (!kind)
        return fail(BatchColumn::Cabinet,
                    QStringLiteral("ожидается 1 (пункт учета), 2 (пункт редуцирования) или 3 (пункт учета и редуцирования)"));
    point_.request.cabinet = *kind == 1 ? CabinetKind::Metering
        : *kind == 2                    ? CabinetKind::Reducing
                                        : CabinetKind::MeteringReducing;
    return true;
}

bool PointReader::checkUnused(const ColumnSet &used, const QString &where)
{
    for (int c = 0; c < BatchColumnCount; ++c) {
        const auto column = static_cast<BatchColumn>(c);
        if (!used[std::size_t(c)] && given(column))
            return fail(column, QStringLiteral("столбец не используется %1").arg(where));
    }
    return true;
}

bool PointReader::readUnit(BatchColumn column, int defaultUnit, int &unit)
{
    const QString typed = text(column);
    if (typed.isEmpty()) {
        unit = defaultUnit;
        return true;
    }
    unit = PressureUnitOfText(typed);
    if (unit < 0)
        return fail(column, QStringLiteral("неизвестная единица давления %1; допустимы: %2")
                                .arg(Quoted(typed), PressureUnitTexts().join(QStringLiteral(", "))));
    return true;
}

bool PointReader::readOption(BatchColumn column, const QStringList &captions, int &chosen)
{
    const QString typed = text(column);
    chosen = typed.isEmpty() ? 0 : int(captions.indexOf(typed)) + 1;
    if (!typed.isEmpty() && chosen == 0)
        return fail(column, QStringLiteral("ожидается %1").arg(Alternatives(captions)));
    return true;
}

bool PointReader::readPoint()
{
    point_.modeText = text(BatchColumn::Mode);
    const std::optional<int> mode = ChoiceNumber(point_.modeText, LastMode);
    if (!mode)
        return fail(BatchColumn::Mode, QStringLiteral("ожидается номер режима от 1 до 5"));
    SizingRequest &r = point_.request;
    r.mode = *mode;
    point_.qmaxText = number(BatchColumn::Qmax);
    point_.qminText = number(BatchColumn::Qmin);

    ColumnSet used;
    for (BatchColumn c : {BatchColumn::Id, BatchColumn::Mode, BatchColumn::Qmax, BatchColumn::Qmin})
        used.set(Bit(c));
    // The conditions go with every mode; their method decides which are used.
    for (int c = int(BatchColumn::Method); c < BatchColumnCount; ++c)
        used.set(std::size_t(c));
    const QString inMode = QStringLiteral("в режиме %1").arg(r.mode);

    if (r.mode != 5) {
        used.set(Bit(BatchColumn::Families));
        if (!readFamilies(r.mode))
            return false;
        if (AsksPressureRange(r.mode)) {
            const bool range = given(BatchColumn::Pmax) || given(BatchColumn::Pmin);
            if (range == given(BatchColumn::P))
                return fail(BatchColumn::P,
                            QStringLiteral("в режиме %1 нужен либо диапазон pmax и pmin, либо одно давление p")
                                .arg(r.mode));
            r.range = range;
        }
        if (r.range) {
            for (BatchColumn c : {BatchColumn::Pmax, BatchColumn::PmaxUnit, BatchColumn::Pmin,
                                  BatchColumn::PminUnit})
                used.set(Bit(c));
            if (!checkUnused(used, inMode))
                return false;
            // Picking the range puts both lists on bar and leaves the single one empty.
            r.pmax.text = number(BatchColumn::Pmax);
            r.pmin.text = number(BatchColumn::Pmin);
            r.working.unit = -1;
            return readUnit(BatchColumn::PmaxUnit, UnitBar, r.pmax.unit)
                && readUnit(BatchColumn::PminUnit, UnitBar, r.pmin.unit);
        }
        used.set(Bit(BatchColumn::P));
        used.set(Bit(BatchColumn::PUnit));
        if (!checkUnused(used, inMode))
            return false;
        // The pressure-range dialog puts its single list on bar; the working-pressure
        // dialog starts with the unit of the mode.
        const int startUnit = AsksPressureRange(r.mode) ? UnitBar : WorkingPressureUnitOfMode(r.mode);
        r.working.text = number(BatchColumn::P);
        r.pmax.unit = -1;
        r.pmin.unit = -1;
        return readUnit(BatchColumn::PUnit, startUnit, r.working.unit);
    }

    used.set(Bit(BatchColumn::Cabinet));
    if (!readCabinetKind())
        return false;
    for (BatchColumn c : {BatchColumn::Pmax, BatchColumn::PmaxUnit, BatchColumn::Pmin,
                          BatchColumn::PminUnit, BatchColumn::Variant, BatchColumn::Side,
                          BatchColumn::Gauges})
        used.set(Bit(c));
    const bool bypass = CabinetHasBypass(r.cabinet);
    point_.hasOutlet = !bypass;
    used.set(Bit(bypass ? BatchColumn::Bypass : BatchColumn::Pout));
    if (!bypass)
        used.set(Bit(BatchColumn::PoutUnit));
    if (!checkUnused(used, QStringLiteral("для пункта %1").arg(Quoted(CabinetKindCaption(r.cabinet)))))
        return false;

    CabinetEntries &e = r.entries;
    e.pmax = number(BatchColumn::Pmax);
    e.pmin = number(BatchColumn::Pmin);
    if (!readUnit(BatchColumn::PmaxUnit, UnitBar, e.pmaxUnit)
        || !readUnit(BatchColumn::PminUnit, UnitBar, e.pminUnit))
        return false;
    if (point_.hasOutlet) {
        point_.outletText = raw(BatchColumn::Pout);
        if (!readUnit(BatchColumn::PoutUnit, UnitKilopascal, r.outlet.unit))
            return false;
        r.outlet.text = point_.outletText;
        point_.outletUnit = PressureUnitText(r.outlet.unit);
    }

    const QString variant = text(BatchColumn::Variant);
    if (!variant.isEmpty()) {
        const std::optional<int> n = ChoiceNumber(variant, 4);
        if (!n)
            return fail(BatchColumn::Variant, QStringLiteral("ожидается номер варианта исполнения от 1 до 4"));
        r.options.variant = *n;
    }
    return readOption(BatchColumn::Side, SideCaptions(), r.options.side)
        && (!bypass || readOption(BatchColumn::Bypass, BypassCaptions(), r.options.bypass))
        && readOption(BatchColumn::Gauges, GaugeCaptions(), r.options.gauges);
}

// What the table's form refuses in a figure before anything is read: a spreadsheet's
// date, or a comma in a table whose fields the commas split.
bool PointReader::readFigures()
{
    for (int c = 0; c < BatchColumnCount; ++c) {
        const auto column = static_cast<BatchColumn>(c);
        const int at = columns_.index[std::size_t(c)];
        if (at < 0 || !BatchColumnIsFigure(column))
            continue;
        if (record_.isDate(at))
            return fail(column, QStringLiteral("в ячейке %1 дата, а нужно число")
                                    .arg(SheetColumnName(at + 1) + QString::number(record_.line)));
        if (columns_.decimalPointOnly && record_.fields[at].contains(u','))
            return fail(column, QStringLiteral("в таблице через запятую дробная часть числа отделяется "
                                               "точкой, а не запятой: %1")
                                    .arg(Quoted(record_.fields[at])));
    }
    return true;
}

BatchPoint PointReader::read()
{
    point_.line = record_.line;
    point_.id = raw(BatchColumn::Id);
    point_.request.separator = separator_;
    if (readFigures() && readPoint()) {
        if (const std::optional<ColumnRefusal> refused =
                ReadBatchConditions(columns_, record_, point_.request.conditions))
            fail(refused->column, refused->why);
    }
    return std::move(point_);
}

} // namespace

std::optional<BatchColumns> ReadBatchHeader(const QStringList &fields, int *badField,
                                            QString *error)
{
    BatchColumns columns;
    columns.index.fill(-1);
    columns.decimalSeparator = LocaleDecimalSeparator();
    columns.fieldCount = int(fields.size());
    for (int i = 0; i < columns.fieldCount; ++i) {
        const QString name = fields[i].trimmed();
        int known = -1;
        for (int c = 0; c < BatchColumnCount; ++c) {
            if (name == BatchColumnName(static_cast<BatchColumn>(c)))
                known = c;
        }
        const auto refuse = [&](const QString &why) {
            *badField = i + 1;
            *error = why;
            return std::nullopt;
        };
        if (known < 0)
            return refuse(QStringLiteral("неизвестный столбец %1").arg(Quoted(name)));
        if (columns.index[std::size_t(known)] >= 0)
            return refuse(QStringLiteral("столбец %1 указан дважды").arg(Quoted(name)));
        columns.index[std::size_t(known)] = i;
    }
    if (columns.index[Bit(BatchColumn::Mode)] < 0) {
        *badField = 0;
        *error = QStringLiteral("в заголовке нет столбца «mode»");
        return std::nullopt;
    }
    return columns;
}

BatchPoint ReadBatchPoint(const BatchColumns &columns, const CsvReader::Record &record)
{
    return PointReader(columns, record).read();
}

BatchRecord SizeBatchPoint(const BatchPoint &point, const ProductCatalogue &catalogue)
{
    return SizeBatchPoint(BatchPoint(point), catalogue);
}

BatchRecord SizeBatchPoint(BatchPoint &&point, const ProductCatalogue &catalogue)
{
    BatchRecord record;
    record.point = std::move(point);
    const BatchPoint &p = record.point;
    if (!p.error.isEmpty()) {
        record.errorColumn = p.errorColumn;
        record.error = p.error;
        return record;
    }
    record.sized = true;
    record.outcome = SizePoint(p.request, p.qmaxText, p.qminText, catalogue);
    const SizingOutcome &out = record.outcome;
    if (out.hasError()) {
        record.error = out.error;
        // A refused figure of the conditions is named by its column.
        record.errorColumn = out.errorKey.isEmpty() ? BatchColumnOfField(out.errorField) : out.errorKey;
    }
    for (const SizingMessage &m : out.messages) {
        if (m.kind == SizingMessage::Kind::Warning)
            record.warnings << m.text;
    }
    return record;
}
