#include "core/pressure/pressure_units.h"

#include <array>
#include <cmath>
#include <string_view>
#include <utility>

namespace {

// One entry of every unit list: its item text and the factor that brings a
// value in that unit to bar.
struct UnitEntry {
    std::u16string_view text;
    double factorToBar;
};

// In list order; the list index is the unit's identity. The factors are exact
// decimal constants, kgf/cm2 deliberately taken as 0.981.
constexpr std::array<UnitEntry, PressureUnitCount> Units{{
    {u"бар", 1},
    {u"мбар", 0.001},
    {u"мкбар", 0.000001},
    {u"атм", 1.01325},
    {u"Па", 0.00001},
    {u"кПа", 0.01},
    {u"МПа", 10},
    {u"мм вод. ст.", 0.0000980665},
    {u"мм рт. ст.", 0.00133322},
    {u"кгc/см2", 0.981},
}};

bool IsUnitIndex(int index)
{
    return index >= 0 && index < PressureUnitCount;
}

// Lower-case Latin letters and the Cyrillic ones they look like.
constexpr std::array<std::pair<char16_t, char16_t>, 12> LookAlikes{{
    {u'a', u'а'}, {u'b', u'в'}, {u'c', u'с'}, {u'e', u'е'}, {u'h', u'н'}, {u'k', u'к'},
    {u'm', u'м'}, {u'o', u'о'}, {u'p', u'р'}, {u't', u'т'}, {u'x', u'х'}, {u'y', u'у'},
}};

// A unit text with case, blanks around it and the alphabet of look-alike letters
// left out of account.
QString UnitKey(const QString &text)
{
    QString key = text.trimmed().toLower();
    for (QChar &c : key) {
        for (const auto &[latin, cyrillic] : LookAlikes) {
            if (c == latin)
                c = cyrillic;
        }
    }
    return key;
}

} // namespace

int PressureUnitOfText(const QString &typed)
{
    const QString key = UnitKey(typed);
    for (int i = 0; i < PressureUnitCount; ++i) {
        if (UnitKey(PressureUnitText(i)) == key)
            return i;
    }
    return -1;
}

QString PressureUnitText(int index)
{
    if (!IsUnitIndex(index))
        return {};
    return QStringView(Units[static_cast<std::size_t>(index)].text).toString();
}

QStringList PressureUnitTexts()
{
    QStringList texts;
    texts.reserve(PressureUnitCount);
    for (int i = 0; i < PressureUnitCount; ++i)
        texts.append(PressureUnitText(i));
    return texts;
}

double PressureUnitFactor(int index)
{
    return IsUnitIndex(index) ? Units[static_cast<std::size_t>(index)].factorToBar : 1.0;
}

double PressureToBar(int unitIndex, double value)
{
    // An unselected list (-1) or any unknown index means the value is already bar.
    if (!IsUnitIndex(unitIndex))
        return value;
    return value * Units[static_cast<std::size_t>(unitIndex)].factorToBar;
}

double ToAbsolute(double gaugeBar)
{
    return gaugeBar + Patm;
}

namespace {

// One working flow: standard flow over absolute pressure. Empty when the
// pressure is not above zero (or not a number) or the quotient is not finite.
std::optional<double> WorkingFlow(double standardFlow, double absolutePressure)
{
    if (!(absolutePressure > 0))
        return std::nullopt;
    const double quotient = standardFlow / absolutePressure;
    if (!std::isfinite(quotient))
        return std::nullopt;
    return quotient;
}

} // namespace

bool ToWorkingFlows(PressureSet &set, double qmaxStd, double qminStd)
{
    // The largest working flow comes with the lowest pressure and the reverse.
    const std::optional<double> qmaxWork = WorkingFlow(qmaxStd, set.PminAbs);
    if (!qmaxWork)
        return false;
    set.QmaxWork = *qmaxWork;

    const std::optional<double> qminWork = WorkingFlow(qminStd, set.PmaxAbs);
    if (!qminWork)
        return false;
    set.QminWork = *qminWork;
    return true;
}

std::optional<double> Round3(double x)
{
    const double thousandths = x * 1000.0;
    if (!std::isfinite(thousandths))
        return std::nullopt;
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless someone changed it; it never raises the inexact exception.
    const double whole = std::nearbyint(thousandths);
    constexpr double Int64Bound = 9223372036854775808.0; // 2^63
    if (!(whole >= -Int64Bound && whole < Int64Bound))
        return std::nullopt;
    // Adding +0 turns a rounded -0 into 0.
    return whole / 1000.0 + 0.0;
}
