#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The ten pressure units of every unit list, in list order. The list index is the
// unit's identity; index -1 (no selection) or any index outside 0..9 counts as bar.
enum class PressureUnit : int {
    Bar = 0,
    Millibar = 1,
    Microbar = 2,
    Atmosphere = 3,
    Pascal = 4,
    Kilopascal = 5,
    Megapascal = 6,
    MillimetreWater = 7,
    MillimetreMercury = 8,
    KilogramForcePerCm2 = 9,
};

inline constexpr int PressureUnitCount = 10;

// Atmospheric pressure added to every gauge pressure, bar (exactly 1, not 1.01325).
inline constexpr double Patm = 1.0;

// Item text of a unit list entry ("бар", "мбар", ..., "кгc/см2" with a Latin c).
QString PressureUnitText(int index);
// The ten item texts in list order.
QStringList PressureUnitTexts();
// The unit a typed text names, read as people type it: in any letter case, with
// blanks around it, and with Latin and Cyrillic letters that look alike taken for
// each other ("кгс/см2" with either "с", "MПa"). -1 for a text that names none. The
// unit lists show and take their item texts only; this is for texts read from files.
int PressureUnitOfText(const QString &typed);
// Factor that brings a value in this unit to bar; 1 for an index outside 0..9.
double PressureUnitFactor(int index);

// value x factor of the unit; for an index outside 0..9 the value unchanged.
double PressureToBar(int unitIndex, double value);
// Gauge pressure in bar to absolute pressure in bar.
double ToAbsolute(double gaugeBar);

// The six pressure and working-flow values one selection works on. The two
// pressure dialogs share one set; each cabinet form keeps its own.
struct PressureSet {
    double PmaxGauge = 0;
    double PminGauge = 0;
    double PmaxAbs = 0;
    double PminAbs = 0;
    double QmaxWork = 0;
    double QminWork = 0;
};

// QmaxWork := qmaxStd / PminAbs, then QminWork := qminStd / PmaxAbs. Fails (returns
// false) when a divisor is 0 or below or a quotient leaves the double range; a
// failed quotient is not stored and QminWork is not computed after a failed first
// division.
bool ToWorkingFlows(PressureSet &set, double qmaxStd, double qminStd);

// x to the nearest thousandth, exact halves to the even thousandth. Empty when x is
// not finite or x * 1000 does not fit a 64-bit integer.
std::optional<double> Round3(double x);
