#include "core/gas/aga8_limits.h"
#include "core/input/limit_compare.h"

#include <QStringList>

#include <array>
#include <cmath>
#include <span>

using namespace Qt::StringLiterals;

namespace gas::aga8 {

namespace {

const QString Percent = u"мол. %"_s;

// Admitted mole per cent of one component, or of a group of components summed.
struct Limit {
    std::array<Component, 3> memberList;
    int memberCount;
    const char16_t *groupName; // nullptr for a single component
    double min;
    double max;

    std::span<const Component> members() const
    {
        return {memberList.data(), static_cast<std::size_t>(memberCount)};
    }
};

constexpr Limit One(Component c, double min, double max)
{
    return {{c, c, c}, 1, nullptr, min, max};
}

// ISO 12213-2:2006, 4.4.1, Table 1 "pipeline quality gas", converted from mole
// fractions to mole per cent. Butanes, pentanes and octanes plus (octane, nonane,
// decane) are limited as groups, as the table gives them. Oxygen, hydrogen sulfide and
// argon are not among the table's rows; they are admitted up to the 0,02 mol % that
// AGA Report No. 8 (1994), Table 1, gives as the normal range of hydrogen sulfide.
// No copy of the printed table was at hand when these were written down: check them
// against it.
const Limit Limits[] = {
    One(Component::Methane, 70, 100),
    One(Component::Nitrogen, 0, 20),
    One(Component::CarbonDioxide, 0, 20),
    One(Component::Ethane, 0, 10),
    One(Component::Propane, 0, 3.5),
    {{Component::Isobutane, Component::NButane, Component::NButane}, 2, u"бутанов", 0, 1.5},
    {{Component::Isopentane, Component::NPentane, Component::NPentane}, 2, u"пентанов", 0, 0.5},
    One(Component::NHexane, 0, 0.1),
    One(Component::NHeptane, 0, 0.05),
    {{Component::NOctane, Component::NNonane, Component::NDecane}, 3, u"октанов и высших", 0, 0.05},
    One(Component::Hydrogen, 0, 10),
    One(Component::Oxygen, 0, 0.02),
    One(Component::CarbonMonoxide, 0, 3),
    One(Component::Water, 0, 0.015),
    One(Component::HydrogenSulfide, 0, 0.02),
    One(Component::Helium, 0, 0.5),
    One(Component::Argon, 0, 0.02),
};

QString ComponentFigure(Component c)
{
    return u"Доля компонента «%1»"_s.arg(ComponentName(c));
}

QString FractionKey(Component c)
{
    return u"x_"_s + ComponentKey(c);
}

const Limit &LimitOf(Component c)
{
    for (const Limit &limit : Limits)
        for (Component member : limit.members())
            if (member == c)
                return limit;
    return Limits[0]; // every component has a row
}

double Value(const Composition &x, Component c)
{
    return x[static_cast<std::size_t>(IndexOf(c))];
}

} // namespace

QString MethodName()
{
    return u"AGA8-92DC"_s;
}

std::optional<GasError> CheckComposition(const Composition &molePercent)
{
    for (int i = 0; i < ComponentCount; ++i) {
        const Component c = ComponentAt(i);
        if (!std::isfinite(Value(molePercent, c)))
            return NotANumberError(FractionKey(c), ComponentFigure(c), MethodName());
    }
    for (int i = 0; i < ComponentCount; ++i) {
        const Component c = ComponentAt(i);
        const double value = Value(molePercent, c);
        if (value < 0) {
            const Limit &limit = LimitOf(c);
            return RangeError(FractionKey(c), ComponentFigure(c), MessageNumber(value), Percent,
                              MethodName(),
                              RangeText(limit.groupName ? 0.0 : limit.min, limit.max, Percent));
        }
    }
    double sum = 0;
    for (double value : molePercent)
        sum += value;
    // A hair above the tolerance absorbs the rounding of the sum itself.
    if (std::abs(sum - 100) > SumTolerancePercent + 1e-9)
        return GasError{u"composition"_s,
                        u"Сумма долей компонентов %1 мол. % отличается от 100 мол. % больше чем "
                        u"на %2 мол. % (метод %3)"_s
                            .arg(MessageNumber(sum), MessageNumber(SumTolerancePercent), MethodName())};

    for (const Limit &limit : Limits) {
        double total = 0;
        Component largest = limit.members().front();
        for (Component member : limit.members()) {
            total += Value(molePercent, member);
            if (Value(molePercent, member) > Value(molePercent, largest))
                largest = member;
        }
        if (limits::Within(total, limit.min, limit.max))
            continue;
        if (!limit.groupName)
            return RangeError(FractionKey(largest), ComponentFigure(largest),
                              MessageNumberOutside(total, limit.min, limit.max), Percent,
                              MethodName(), RangeText(limit.min, limit.max, Percent));
        QStringList names;
        for (Component member : limit.members())
            names << ComponentName(member);
        const QString figure = u"Сумма долей %1 (%2)"_s.arg(QString::fromUtf16(limit.groupName),
                                                            names.join(u", "_s));
        return RangeError(FractionKey(largest), figure,
                          MessageNumberOutside(total, limit.min, limit.max), Percent, MethodName(),
                          RangeText(limit.min, limit.max, Percent));
    }
    return std::nullopt;
}

std::optional<GasError> CheckConditions(double pressureMPa, double temperatureK)
{
    const QString pressure = u"Давление"_s;
    if (!std::isfinite(pressureMPa))
        return NotANumberError(u"pressure"_s, pressure, MethodName());
    if (pressureMPa <= 0 || limits::Above(pressureMPa, MaxPressureMPa))
        return RangeError(u"pressure"_s, pressure, MessageNumberOutside(pressureMPa, 0, MaxPressureMPa),
                          u"МПа"_s, MethodName(),
                          u"больше 0 и не более %1 МПа"_s.arg(MessageNumber(MaxPressureMPa)));
    return CheckRange(u"temperature"_s, u"Температура"_s, temperatureK, u"К"_s, MethodName(),
                      MinTemperatureK, MaxTemperatureK);
}

} // namespace gas::aga8
