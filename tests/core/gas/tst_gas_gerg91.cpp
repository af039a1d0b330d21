// GERG-91 мод. held to the published SGERG-88 examples, and checked against AGA8-92DC.

#include "core/gas/aga8.h"
#include "core/gas/gerg91.h"

#include <QTest>

#include <cmath>

using gas::Component;
using gas::Composition;

namespace {

// The example gases of ISO 12213-3:2006, Annex C (example calculations). Its inputs are
// the superior calorific value Hs (MJ/m3, combustion at 25 °C) and the relative density d,
// both at metering conditions of 0 °C and 101,325 kPa, with the CO2 and H2 fractions; this
// method takes the density at 20 °C and 101,325 kPa with the N2 and CO2 fractions. Gas 4
// carries 9,5 % hydrogen, which the method takes as 0, and is left out. The conversion
// follows the characterization of ISO 12213-3, Annex B, which the published Z values come
// from, with hydrogen and carbon monoxide 0:
//   rho0 = d * 1,292923 kg/m3 (dry air at 0 °C, 101,325 kPa, as in ISO 12213-3);
//   n0 = molar density at 0 °C and M = rho0 / n0 the molar mass of the gas;
//   Hs = x_CH * H_CH * n0 and M = x_CH * M_CH + x_N2 * 28,0135 + x_CO2 * 44,010 with
//   M_CH = -2,709328 + 0,021062199 H_CH and x_N2 = 1 - x_CH - x_CO2, which is linear in
//   1 / H_CH and gives x_N2 in closed form;
//   rho20 = rho0 * (273,15 / 293,15) * Z(0 °C) / Z(20 °C).
// The gases are those of ISO 12213-2, Annex C; their compositions give the Z at 101,325 kPa
// needed for n0 and for the 0 °C to 20 °C step, by AGA8-92DC (held to ISO 12213-2 in
// tst_gas_aga8). Those two Z differ from the SGERG-88 ones by about 1e-5, far below the
// tolerance below.
struct ExampleGas {
    const char *name;
    double hs; // MJ/m3
    double d;
    double co2; // mol %
    Composition composition;
    double z[10]; // 6 MPa at 270, 280, 290, 310, 330 K, then 12 MPa at the same
};

Composition Mix(double co2, double n2, double c1, double c2, double c3, double ic4, double nc4,
                double ic5, double nc5, double c6, double c7)
{
    Composition x{};
    x[gas::IndexOf(Component::CarbonDioxide)] = co2;
    x[gas::IndexOf(Component::Nitrogen)] = n2;
    x[gas::IndexOf(Component::Methane)] = c1;
    x[gas::IndexOf(Component::Ethane)] = c2;
    x[gas::IndexOf(Component::Propane)] = c3;
    x[gas::IndexOf(Component::Isobutane)] = ic4;
    x[gas::IndexOf(Component::NButane)] = nc4;
    x[gas::IndexOf(Component::Isopentane)] = ic5;
    x[gas::IndexOf(Component::NPentane)] = nc5;
    x[gas::IndexOf(Component::NHexane)] = c6;
    x[gas::IndexOf(Component::NHeptane)] = c7;
    return x;
}

const ExampleGas Gases[] = {
    {"gas 1", 40.66, 0.581, 0.6, Mix(0.6, 0.3, 96.5, 1.8, 0.45, 0.10, 0.10, 0.05, 0.03, 0.07, 0),
     {0.84084, 0.86202, 0.88007, 0.90881, 0.92996, 0.72146, 0.75969, 0.79257, 0.84492, 0.88322}},
    {"gas 2", 40.62, 0.609, 0.5, Mix(0.5, 3.1, 90.7, 4.5, 0.84, 0.10, 0.15, 0.03, 0.04, 0.04, 0),
     {0.83397, 0.85615, 0.87500, 0.90491, 0.92690, 0.71140, 0.75079, 0.78472, 0.83877, 0.87832}},
    {"gas 3", 43.53, 0.650, 1.5, Mix(1.5, 1.0, 85.9, 8.5, 2.3, 0.35, 0.35, 0.05, 0.05, 0, 0),
     {0.79415, 0.82210, 0.84553, 0.88223, 0.90893, 0.64322, 0.69062, 0.73196, 0.79778, 0.84554}},
    {"gas 5", 36.64, 0.686, 7.6, Mix(7.6, 5.7, 81.2, 4.3, 0.9, 0.15, 0.15, 0, 0, 0, 0),
     {0.82664, 0.85017, 0.87003, 0.90124, 0.92394, 0.69557, 0.73828, 0.77463, 0.83166, 0.87269}},
    {"gas 6", 36.58, 0.644, 1.1, Mix(1.1, 11.7, 82.6, 3.5, 0.75, 0.12, 0.12, 0.04, 0.04, 0.02, 0.01),
     {0.85406, 0.87388, 0.89071, 0.91736, 0.93690, 0.74939, 0.78473, 0.81490, 0.86266, 0.89749}},
};
constexpr double Temperatures[] = {270, 280, 290, 310, 330};

template <typename T>
T Accepted(const gas::Checked<T> &checked)
{
    if (const auto *error = std::get_if<gas::GasError>(&checked))
        qFatal("refused: %s", qPrintable(error->message));
    return std::get<T>(checked);
}

// This method's inputs for an example gas: density at 20 °C (kg/m3) and N2 (mol %).
struct PassportFigures {
    double density;
    double n2;
};

PassportFigures Converted(const ExampleGas &g)
{
    const gas::Aga8Gas aga8 = Accepted(gas::Aga8Gas::Make(g.composition));
    const double z0 = Accepted(aga8.Z(0.101325, 273.15));
    const double z20 = Accepted(aga8.Z(0.101325, 293.15));
    const double rho0 = g.d * 1.292923;
    const double n0 = 0.101325 / (z0 * 8.31451e-3 * 273.15);
    const double m = rho0 / n0;
    const double a = g.hs / n0; // x_CH * H_CH, kJ/mol
    const double xCo2 = g.co2 / 100;
    const double inverseH = (0.021062199 * a + 28.0135 * (1 - xCo2) + 44.010 * xCo2 - m)
                            / ((2.709328 + 28.0135) * a);
    const double xN2 = 1 - a * inverseH - xCo2;
    return {rho0 * (273.15 / 293.15) * z0 / z20, 100 * xN2};
}

} // namespace

class TestGasGerg91 : public QObject {
    Q_OBJECT
private slots:
    void isoExamples_data();
    void isoExamples();
    void idealGasLimit();
    void agreesWithAga8_data();
    void agreesWithAga8();
};

void TestGasGerg91::isoExamples_data()
{
    QTest::addColumn<double>("density");
    QTest::addColumn<double>("n2");
    QTest::addColumn<double>("co2");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("expected");
    for (const ExampleGas &g : Gases) {
        const PassportFigures figures = Converted(g);
        for (int i = 0; i < 10; ++i) {
            const double p = i < 5 ? 6 : 12;
            const double t = Temperatures[i % 5];
            QTest::addRow("%s, %g MPa, %g K", g.name, p, t)
                << figures.density << figures.n2 << g.co2 << p << t << g.z[i];
        }
    }
}

// ISO 12213-3 characterizes the gas by an iteration; ГОСТ 30319.2 instead takes Z at
// standard conditions from its approximation zc = 1 - (0,0741 rho - 0,006 - 0,063 x_N2 -
// 0,0575 x_CO2)^2, which on these gases lies 1e-5 to 6e-5 below the value the virial
// equation itself gives; carried through the molar mass of the hydrocarbon part, that
// moves Z at 12 MPa and 270 K by up to 5,7e-5 (gas 5). The tolerance, 1e-4 in Z, is that
// plus the half unit of the printed fifth decimal, with some room for the 1e-5 of the
// input conversion.
void TestGasGerg91::isoExamples()
{
    QFETCH(double, density);
    QFETCH(double, n2);
    QFETCH(double, co2);
    QFETCH(double, p);
    QFETCH(double, t);
    QFETCH(double, expected);

    const gas::Gerg91Gas g = Accepted(gas::Gerg91Gas::Make(density, n2, co2));
    const double z = Accepted(g.Z(p, t));
    QVERIFY2(std::abs(z - expected) <= 1e-4, qPrintable(QString::number(z, 'f', 7)));
}

// 1 - Z is linear in p at low pressure: doubling 0,1 MPa doubles it to within the share
// of the third virial coefficient.
void TestGasGerg91::idealGasLimit()
{
    const gas::Gerg91Gas g = Accepted(gas::Gerg91Gas::Make(0.68, 1, 0.5));
    const double d1 = 1 - Accepted(g.Z(0.1, 290));
    const double d2 = 1 - Accepted(g.Z(0.2, 290));
    QVERIFY(d1 > 0 && d1 < 0.01);
    QVERIFY2(std::abs(d2 / d1 - 2) < 0.01, qPrintable(QString::number(d2 / d1, 'g', 10)));
}

void TestGasGerg91::agreesWithAga8_data()
{
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("standard conditions") << 0.101325 << 293.15 << 1e-4;
    QTest::newRow("5 MPa, 280 K") << 5.0 << 280.0 << 1e-3;
}

// Both methods claim about 0,1 % for pipeline gas (ISO 12213-2 and -3, clause 4.5): on the
// methane-rich gas 1 they agree to that, and at standard conditions far better.
void TestGasGerg91::agreesWithAga8()
{
    QFETCH(double, p);
    QFETCH(double, t);
    QFETCH(double, tolerance);

    const ExampleGas &g = Gases[0];
    const PassportFigures figures = Converted(g);
    const gas::Gerg91Gas gerg = Accepted(gas::Gerg91Gas::Make(figures.density, figures.n2, g.co2));
    const gas::Aga8Gas aga8 = Accepted(gas::Aga8Gas::Make(g.composition));
    const double zGerg = Accepted(gerg.Z(p, t));
    const double zAga8 = Accepted(aga8.Z(p, t));
    QVERIFY2(std::abs(zGerg / zAga8 - 1) <= tolerance,
             qPrintable(QStringLiteral("%1 / %2").arg(zGerg, 0, 'f', 6).arg(zAga8, 0, 'f', 6)));
}

QTEST_GUILESS_MAIN(TestGasGerg91)
#include "tst_gas_gerg91.moc"
