#include "core/gas/gerg91.h"

#include "core/gas/standard_conditions.h"
#include "core/input/limit_compare.h"

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace gas {

namespace {

const QString Method = u"GERG-91 мод."_s;
const QString Percent = u"мол. %"_s;

// Molar gas constant, MPa m3 kmol-1 K-1, as in ISO 12213-3 (R = 8,314 51 J/(mol K)).
constexpr double R = 8.31451e-3;
constexpr double MethaneMolarMass = 16.043; // kg/kmol, ISO 12213-2 Table B.2
// Lightest admitted equivalent hydrocarbon, kg/kmol: methane, less the 0,3 % by which
// pure methane at the method's lowest density, 0,668 kg/m3 (its 0,6682 rounded down),
// already comes out lighter.
constexpr double MinHydrocarbonMolarMass = 16.0;

// c0 + c1 T + c2 T^2.
struct Quadratic {
    double c0;
    double c1;
    double c2;
    double operator()(double t) const { return c0 + (c1 + c2 * t) * t; }
};

// SGERG-88 virial coefficients (ISO 12213-3:2006, Annex B, and the BLOCK DATA of the
// subroutine SGERG of its Annex F); B in m3/kmol, C in m6/kmol2, T in K, H in kJ/mol.
// B11 and C111 of the equivalent hydrocarbon are quadratic in H: X0(T) + X1(T) H + X2(T) H^2.
constexpr std::array<Quadratic, 3> B11{{{-0.425468, 0.286500e-2, -0.462073e-5},
                                        {0.877118e-3, -0.556281e-5, 0.881510e-8},
                                        {-0.824747e-6, 0.431436e-8, -0.608319e-11}}};
constexpr Quadratic B22{-0.144600, 0.740910e-3, -0.911950e-6};
constexpr Quadratic B23{-0.339693, 0.161176e-2, -0.204429e-5};
constexpr Quadratic B33{-0.868340, 0.403760e-2, -0.516570e-5};
constexpr std::array<Quadratic, 3> C111{{{-0.302488, 0.195861e-2, -0.316302e-5},
                                         {0.646422e-3, -0.422876e-5, 0.688157e-8},
                                         {-0.332805e-6, 0.223160e-8, -0.367713e-11}}};
constexpr Quadratic C222{0.784980e-2, -0.398950e-4, 0.611870e-7};
constexpr Quadratic C223{0.552066e-2, -0.168609e-4, 0.157169e-7};
constexpr Quadratic C233{0.358783e-2, 0.806674e-5, -0.325798e-7};
constexpr Quadratic C333{0.205130e-2, 0.348880e-4, -0.837030e-7};

// The largest real root of Z^3 - Z^2 - beta Z - gamma = 0, the virial equation
// Z = 1 + B rho + C rho^2 with rho = p/(Z R T), beta = B p/(R T), gamma = C (p/(R T))^2.
// Newton's method from the right of every root: the cubic is convex and rising there, so
// the iterates fall monotonically onto the gas root.
std::optional<double> GasRoot(double beta, double gamma)
{
    double z = 1 + std::abs(beta) + std::sqrt(std::abs(gamma)) + 0.1;
    for (int iteration = 0; iteration < 100; ++iteration) {
        const double f = ((z - 1) * z - beta) * z - gamma;
        const double slope = (3 * z - 2) * z - beta;
        if (!(slope > 0))
            return std::nullopt;
        const double step = f / slope;
        z -= step;
        if (std::abs(step) <= 1e-15 * z)
            return z;
    }
    return std::nullopt;
}

GasError FailedAt(double pressureMPa, double temperatureK)
{
    return {u"temperature"_s, u"Коэффициент сжимаемости при давлении %1 МПа и температуре %2 К "
                              u"не вычисляется (метод %3)"_s
                                  .arg(MessageNumber(pressureMPa), MessageNumber(temperatureK),
                                       Method)};
}

} // namespace

Checked<Gerg91Gas> Gerg91Gas::Make(double densityStandard, double n2Percent, double co2Percent)
{
    if (auto refused = CheckRange(u"density"_s, u"Плотность газа"_s, densityStandard, u"кг/м³"_s,
                                  Method, gerg91::MinDensity, gerg91::MaxDensity))
        return *refused;
    if (auto refused = CheckRange(u"n2"_s, u"Доля азота"_s, n2Percent, Percent, Method, 0,
                                  gerg91::MaxN2Percent))
        return *refused;
    if (auto refused = CheckRange(u"co2"_s, u"Доля диоксида углерода"_s, co2Percent, Percent,
                                  Method, 0, gerg91::MaxCo2Percent))
        return *refused;

    // ГОСТ 30319.2-96, GERG-91 мод.: Z at standard conditions from the passport figures,
    // the molar mass of the equivalent hydrocarbon from the density (24,05525 m3/kmol is
    // the ideal molar volume at 293,15 K and 101,325 kPa), and its molar heat of
    // combustion from that molar mass.
    const double xa = n2Percent / 100;
    const double xy = co2Percent / 100;
    const double xe = 1 - xa - xy;
    const double root = 0.0741 * densityStandard - 0.006 - 0.063 * xa - 0.0575 * xy;
    const double zc = 1 - root * root;
    const double me = (24.05525 * zc * densityStandard - 28.0135 * xa - 44.01 * xy) / xe;
    // A density too low for its inert gases leaves a hydrocarbon lighter than methane:
    // no natural gas has these three figures.
    if (limits::Below(me, MinHydrocarbonMolarMass))
        return GasError{u"density"_s,
                        u"Плотность газа %1 кг/м³ не согласуется с долями азота %2 мол. % и "
                        u"диоксида углерода %3 мол. %: молярная масса углеводородной части "
                        u"%4 кг/кмоль меньше %5 кг/кмоль (метан — %6 кг/кмоль) (метод %7)"_s
                            .arg(MessageNumber(densityStandard), MessageNumber(n2Percent),
                                 MessageNumber(co2Percent), MessageNumber(me),
                                 MessageNumber(MinHydrocarbonMolarMass),
                                 MessageNumber(MethaneMolarMass), Method)};
    Gerg91Gas made(xe, xa, xy, 128.64 + 47.479 * me);
    const std::optional<double> z = made.Unchecked(StandardPressureMPa, StandardTemperatureK);
    if (!z)
        return FailedAt(StandardPressureMPa, StandardTemperatureK);
    made.zStandard_ = *z;
    return made;
}

std::optional<double> Gerg91Gas::Unchecked(double pressureMPa, double temperatureK) const
{
    const double t = temperatureK;
    const double b1 = B11[0](t) + (B11[1](t) + B11[2](t) * h_) * h_;
    const double b2 = B22(t);
    const double b3 = B33(t);
    const double c1 = C111[0](t) + (C111[1](t) + C111[2](t) * h_) * h_;
    const double c2 = C222(t);
    const double c3 = C333(t);
    if (b1 * b3 < 0)
        return std::nullopt;
    // Interaction coefficients (ISO 12213-3, Annex B; ГОСТ 30319.2-96, GERG-91 мод.).
    const double bStar = 0.72 + 1.875e-5 * (320 - t) * (320 - t);
    const double cStar = 0.92 + 0.0013 * (t - 270);

    const double e = xe_;
    const double a = xa_;
    const double y = xy_;
    const double b = e * e * b1 + e * a * bStar * (b1 + b2) - 1.73 * e * y * std::sqrt(b1 * b3)
                     + a * a * b2 + 2 * a * y * B23(t) + y * y * b3;
    const double c = e * e * e * c1 + 3 * e * e * a * cStar * std::cbrt(c1 * c1 * c2)
                     + 2.76 * e * e * y * std::cbrt(c1 * c1 * c3)
                     + 3 * e * a * a * cStar * std::cbrt(c1 * c2 * c2)
                     + 6.6 * e * a * y * std::cbrt(c1 * c2 * c3)
                     + 2.76 * e * y * y * std::cbrt(c1 * c3 * c3) + a * a * a * c2
                     + 3 * a * a * y * C223(t) + 3 * a * y * y * C233(t) + y * y * y * c3;

    const double idealDensity = pressureMPa / (R * t); // kmol/m3
    return GasRoot(b * idealDensity, c * idealDensity * idealDensity);
}

Checked<double> Gerg91Gas::Z(double pressureMPa, double temperatureK) const
{
    const QString pressure = u"Давление"_s;
    if (auto refused = CheckRange(u"pressure"_s, pressure, pressureMPa, u"МПа"_s, Method,
                                  gerg91::MinPressureMPa, gerg91::MaxPressureMPa))
        return *refused;
    if (auto refused = CheckRange(u"temperature"_s, u"Температура"_s, temperatureK, u"К"_s, Method,
                                  gerg91::MinTemperatureK, gerg91::MaxTemperatureK))
        return *refused;
    if (const std::optional<double> z = Unchecked(pressureMPa, temperatureK))
        return *z;
    return FailedAt(pressureMPa, temperatureK);
}

} // namespace gas
