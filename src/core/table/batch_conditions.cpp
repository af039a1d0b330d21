#include "core/table/batch_conditions.h"

#include "core/input/number_text.h"

#include <bitset>

namespace {

constexpr int FirstCondition = static_cast<int>(BatchColumn::Method);

using ConditionSet = std::bitset<BatchColumnCount - FirstCondition>;

std::size_t Bit(BatchColumn column)
{
    return static_cast<std::size_t>(static_cast<int>(column) - FirstCondition);
}

// The condition columns a method reads; the load target, the strict choice and the
// inlet velocity limit go with every method.
ConditionSet UsedBy(ConversionMethod method)
{
    ConditionSet used;
    used.set(Bit(BatchColumn::MaxLoad));
    used.set(Bit(BatchColumn::Strict));
    used.set(Bit(BatchColumn::MaxVelocity));
    if (method == ConversionMethod::Simple)
        return used;
    used.set(Bit(BatchColumn::TMin));
    used.set(Bit(BatchColumn::TMax));
    used.set(Bit(BatchColumn::PAtm));
    if (method == ConversionMethod::Gerg91) {
        used.set(Bit(BatchColumn::Density));
        used.set(Bit(BatchColumn::N2));
        used.set(Bit(BatchColumn::CO2));
    } else if (method == ConversionMethod::Aga8) {
        for (int i = 0; i < gas::ComponentCount; ++i)
            used.set(Bit(FractionColumn(gas::ComponentAt(i))));
    }
    return used;
}

class ConditionsReader {
public:
    ConditionsReader(const BatchColumns &columns, const CsvReader::Record &record)
        : columns_(columns), record_(record),
          separator_(columns.decimalSeparator.isNull() ? LocaleDecimalSeparator() : columns.decimalSeparator)
    {
    }

    std::optional<ColumnRefusal> read(SizingConditions &c);

private:
    QString text(BatchColumn column) const
    {
        const int at = columns_.index[static_cast<std::size_t>(column)];
        return at >= 0 ? record_.fields[at].trimmed() : QString();
    }
    bool given(BatchColumn column) const { return !text(column).isEmpty(); }

    // An empty column leaves `value` as it is.
    bool number(BatchColumn column, double &value)
    {
        const QString typed = text(column);
        if (typed.isEmpty())
            return true;
        const std::optional<double> read = ReadNumber(BatchLocaleNumber(typed, separator_), separator_);
        if (!read) {
            refusal_ = {column, QStringLiteral("ожидается число, а не «%1»").arg(typed)};
            return false;
        }
        value = *read;
        return true;
    }

    const BatchColumns &columns_;
    const CsvReader::Record &record_;
    QChar separator_;
    std::optional<ColumnRefusal> refusal_;
};

std::optional<ColumnRefusal> ConditionsReader::read(SizingConditions &c)
{
    const QString method = text(BatchColumn::Method);
    if (!method.isEmpty()) {
        const std::optional<ConversionMethod> known = MethodOfKey(method);
        if (!known)
            return ColumnRefusal{BatchColumn::Method,
                                 QStringLiteral("неизвестный метод «%1»; допустимы: simple, ideal, gerg91, aga8")
                                     .arg(method)};
        c.method = *known;
    }

    const ConditionSet used = UsedBy(c.method);
    const QString where = method.isEmpty()
        ? QStringLiteral("без метода (столбец method пуст, пересчет simple)")
        : QStringLiteral("с методом «%1»").arg(MethodKey(c.method));
    for (int at = FirstCondition; at < BatchColumnCount; ++at) {
        const auto column = static_cast<BatchColumn>(at);
        if (column != BatchColumn::Method && !used[Bit(column)] && given(column))
            return ColumnRefusal{column, QStringLiteral("столбец не используется %1").arg(where)};
    }

    if (c.method != ConversionMethod::Simple) {
        if (!number(BatchColumn::TMin, c.tMin) || !number(BatchColumn::TMax, c.tMax)
            || !number(BatchColumn::PAtm, c.pAtm))
            return refusal_;
        // One temperature given is the gas's only one.
        if (!given(BatchColumn::TMax))
            c.tMax = c.tMin;
        else if (!given(BatchColumn::TMin))
            c.tMin = c.tMax;
    }
    if (c.method == ConversionMethod::Gerg91
        && !(number(BatchColumn::Density, c.density) && number(BatchColumn::N2, c.n2)
             && number(BatchColumn::CO2, c.co2)))
        return refusal_;
    if (c.method == ConversionMethod::Aga8) {
        c.composition.fill(0);
        for (int i = 0; i < gas::ComponentCount; ++i) {
            if (!number(FractionColumn(gas::ComponentAt(i)), c.composition[std::size_t(i)]))
                return refusal_;
        }
    }
    if (!number(BatchColumn::MaxLoad, c.maxLoad))
        return refusal_;
    if (given(BatchColumn::MaxVelocity)) {
        double limit = 0;
        if (!number(BatchColumn::MaxVelocity, limit))
            return refusal_;
        c.maxInletVelocity = limit;
    }

    const QString strict = text(BatchColumn::Strict);
    if (!strict.isEmpty() && strict != u"0" && strict != u"1")
        return ColumnRefusal{BatchColumn::Strict, QStringLiteral("ожидается 0 или 1")};
    c.strict = strict == u"1";
    return std::nullopt;
}

} // namespace

std::optional<ColumnRefusal> ReadBatchConditions(const BatchColumns &columns,
                                                 const CsvReader::Record &record,
                                                 SizingConditions &conditions)
{
    return ConditionsReader(columns, record).read(conditions);
}
