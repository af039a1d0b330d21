#include "core/table/batch_columns.h"

#include "core/input/number_text.h"

#include <utility>

namespace {

// The names up to the composition columns, which are named after the components.
constexpr std::array<const char16_t *, static_cast<std::size_t>(BatchColumn::FirstFraction)> ColumnNames{
    u"id",       u"mode",      u"families", u"qmax",    u"qmin",   u"pmax",
    u"pmax_unit", u"pmin",     u"pmin_unit", u"p",      u"p_unit", u"cabinet",
    u"variant",  u"side",      u"bypass",   u"gauges",  u"pout",   u"pout_unit",
    u"method",   u"t_min",     u"t_max",    u"p_atm",   u"density", u"n2",
    u"co2",      u"max_load",  u"strict",   u"max_velocity",
};

} // namespace

QString BatchColumnName(BatchColumn column)
{
    if (column >= BatchColumn::FirstFraction) {
        const int component = int(column) - int(BatchColumn::FirstFraction);
        return QStringLiteral("x_") + gas::ComponentKey(gas::ComponentAt(component));
    }
    return QString::fromUtf16(ColumnNames[static_cast<std::size_t>(column)]);
}

QString BatchLocaleNumber(QString text)
{
    return BatchLocaleNumber(std::move(text), LocaleDecimalSeparator());
}

QString BatchLocaleNumber(QString text, QChar separator)
{
    // Text that already reads with the separator is kept as it is (and not copied).
    const QChar other = separator == u',' ? u'.' : separator == u'.' ? u',' : QChar();
    if (!other.isNull() && !text.contains(other))
        return text;
    for (QChar &c : text) {
        if (c == u',' || c == u'.')
            c = separator;
    }
    return text;
}

bool BatchColumnIsFigure(BatchColumn column)
{
    switch (column) {
    case BatchColumn::Qmax:
    case BatchColumn::Qmin:
    case BatchColumn::Pmax:
    case BatchColumn::Pmin:
    case BatchColumn::P:
    case BatchColumn::Pout:
    case BatchColumn::TMin:
    case BatchColumn::TMax:
    case BatchColumn::PAtm:
    case BatchColumn::Density:
    case BatchColumn::N2:
    case BatchColumn::CO2:
    case BatchColumn::MaxLoad:
        return true;
    default:
        return column >= BatchColumn::FirstFraction;
    }
}

QString BatchColumnOfField(InputField field)
{
    switch (field) {
    case InputField::Qmax: return BatchColumnName(BatchColumn::Qmax);
    case InputField::Qmin: return BatchColumnName(BatchColumn::Qmin);
    case InputField::Pmax: return BatchColumnName(BatchColumn::Pmax);
    case InputField::Pmin: return BatchColumnName(BatchColumn::Pmin);
    case InputField::WorkingPressure: return BatchColumnName(BatchColumn::P);
    case InputField::Variant: return BatchColumnName(BatchColumn::Variant);
    case InputField::Side: return BatchColumnName(BatchColumn::Side);
    case InputField::Bypass: return BatchColumnName(BatchColumn::Bypass);
    case InputField::Gauges: return BatchColumnName(BatchColumn::Gauges);
    case InputField::Conditions: // named by the outcome's errorKey
    case InputField::None: break;
    }
    return QString();
}

std::optional<BatchColumn> BatchColumnOfName(const QString &name)
{
    for (int i = 0; i < BatchColumnCount; ++i) {
        if (BatchColumnName(static_cast<BatchColumn>(i)) == name)
            return static_cast<BatchColumn>(i);
    }
    return std::nullopt;
}
