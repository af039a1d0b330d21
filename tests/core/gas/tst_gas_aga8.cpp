// AGA8-92DC held to published compressibility factors.

#include "core/gas/aga8.h"
#include "core/gas/aga8_equation.h"

#include <QTest>

#include <cmath>

using gas::Component;
using gas::Composition;

namespace {

// The six example gases of ISO 12213-2:2006, Annex C (example calculations), mole per cent; the rest 0.
struct ExampleGas {
    const char *name;
    double co2, n2, h2, co, c1, c2, c3, ic4, nc4, ic5, nc5, c6, c7, c8;
};
constexpr ExampleGas IsoGases[] = {
    {"gas 1", 0.6, 0.3, 0, 0, 96.5, 1.8, 0.45, 0.10, 0.10, 0.05, 0.03, 0.07, 0, 0},
    {"gas 2", 0.5, 3.1, 0, 0, 90.7, 4.5, 0.84, 0.10, 0.15, 0.03, 0.04, 0.04, 0, 0},
    {"gas 3", 1.5, 1.0, 0, 0, 85.9, 8.5, 2.3, 0.35, 0.35, 0.05, 0.05, 0, 0, 0},
    {"gas 4", 1.6, 10.0, 9.5, 1.0, 73.5, 3.3, 0.74, 0.12, 0.12, 0.04, 0.04, 0.02, 0.01, 0.01},
    {"gas 5", 7.6, 5.7, 0, 0, 81.2, 4.3, 0.9, 0.15, 0.15, 0, 0, 0, 0, 0},
    {"gas 6", 1.1, 11.7, 0, 0, 82.6, 3.5, 0.75, 0.12, 0.12, 0.04, 0.04, 0.02, 0.01, 0},
};

Composition IsoComposition(const ExampleGas &g)
{
    Composition x{};
    x[gas::IndexOf(Component::CarbonDioxide)] = g.co2;
    x[gas::IndexOf(Component::Nitrogen)] = g.n2;
    x[gas::IndexOf(Component::Hydrogen)] = g.h2;
    x[gas::IndexOf(Component::CarbonMonoxide)] = g.co;
    x[gas::IndexOf(Component::Methane)] = g.c1;
    x[gas::IndexOf(Component::Ethane)] = g.c2;
    x[gas::IndexOf(Component::Propane)] = g.c3;
    x[gas::IndexOf(Component::Isobutane)] = g.ic4;
    x[gas::IndexOf(Component::NButane)] = g.nc4;
    x[gas::IndexOf(Component::Isopentane)] = g.ic5;
    x[gas::IndexOf(Component::NPentane)] = g.nc5;
    x[gas::IndexOf(Component::NHexane)] = g.c6;
    x[gas::IndexOf(Component::NHeptane)] = g.c7;
    x[gas::IndexOf(Component::NOctane)] = g.c8;
    return x;
}

// ISO 12213-2:2006, Annex C (example calculations): Z of gases 1 to 6 at 6 and 12 MPa and
// 270, 280, 290, 310 and 330 K, printed with five decimals.
struct IsoPoint {
    double p;
    double t;
    double z[6];
};
constexpr IsoPoint IsoTable[] = {
    {6, 270, {0.84053, 0.83348, 0.79380, 0.88550, 0.82609, 0.85380}},
    {6, 280, {0.86199, 0.85596, 0.82206, 0.90144, 0.84969, 0.87370}},
    {6, 290, {0.88006, 0.87484, 0.84544, 0.91501, 0.86944, 0.89052}},
    {6, 310, {0.90867, 0.90446, 0.88183, 0.93674, 0.90052, 0.91723}},
    {6, 330, {0.93011, 0.92696, 0.90868, 0.95318, 0.92368, 0.93730}},
    {12, 270, {0.72133, 0.71044, 0.64145, 0.81024, 0.69540, 0.75074}},
    {12, 280, {0.76025, 0.75066, 0.68971, 0.83782, 0.73780, 0.78586}},
    {12, 290, {0.79317, 0.78475, 0.73123, 0.86137, 0.77369, 0.81569}},
    {12, 310, {0.84515, 0.83863, 0.79698, 0.89913, 0.83022, 0.86311}},
    {12, 330, {0.88383, 0.87870, 0.84553, 0.92766, 0.87211, 0.89862}},
};

double ZOf(const gas::Aga8Gas &g, double p, double t)
{
    const gas::Checked<double> z = g.Z(p, t);
    if (const auto *error = std::get_if<gas::GasError>(&z))
        qFatal("refused: %s", qPrintable(error->message));
    return std::get<double>(z);
}

} // namespace

Q_DECLARE_METATYPE(Composition)

class TestGasAga8 : public QObject {
    Q_OBJECT
private slots:
    void isoExamples_data();
    void isoExamples();
    void nistCheckValue();
    void idealGasLimit();
    void standardZOfMethane();
};

void TestGasAga8::isoExamples_data()
{
    QTest::addColumn<Composition>("composition");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("expected");
    for (int g = 0; g < 6; ++g)
        for (const IsoPoint &point : IsoTable)
            QTest::addRow("%s, %g MPa, %g K", IsoGases[g].name, point.p, point.t)
                << IsoComposition(IsoGases[g]) << point.p << point.t << point.z[g];
}

// Within one unit of the fifth decimal. All rows but one agree to half a unit; gas 3 at
// 12 MPa and 310 K gives 0,7969747 against 0,79698 (0,53 of a unit). The copy of the table
// at hand prints 0,90446 for gas 2 at 6 MPa and 310 K, where this equation gives 0,90466:
// every other gas-2 value lies within 0,00049 of its SGERG-88 counterpart of ISO 12213-3
// (0,90491 here) and shrinks with temperature, which 0,90466 follows and 0,90446 does not,
// so the copy is taken to have two digits swapped; the row stays, marked, until the printed
// standard settles it.
void TestGasAga8::isoExamples()
{
    QFETCH(Composition, composition);
    QFETCH(double, p);
    QFETCH(double, t);
    QFETCH(double, expected);

    const auto made = gas::Aga8Gas::Make(composition);
    QVERIFY(std::holds_alternative<gas::Aga8Gas>(made));
    const double z = ZOf(std::get<gas::Aga8Gas>(made), p, t);
    QEXPECT_FAIL("gas 2, 6 MPa, 310 K", "0,90446 in the copy at hand, 0,90466 computed", Continue);
    QVERIFY2(std::abs(z - expected) <= 1e-5, qPrintable(QString::number(z, 'f', 7)));
}

// The check value that NIST publishes with its AGA8 DETAIL code (usnistgov/AGA8,
// AGA8CODE/C/Detail.cpp; the DETAIL equation of AGA Report No. 8 Part 1, 2017, is the
// 1994 one): a 21-component gas at 400 K and 50 MPa has Z = 1.173801364147326. Far
// outside the pipeline ranges, so through the bare equation; it is the only published
// value found that exercises oxygen, water, hydrogen sulfide, helium, argon, nonane and
// decane. The same source gives the gas's molar mass, 20.54333051 g/mol, a check on the
// component molar masses.
void TestGasAga8::nistCheckValue()
{
    const std::array<double, 21> x{0.77824, 0.02, 0.06, 0.08, 0.03, 0.0015, 0.003,
                                   0.0005, 0.00165, 0.00215, 0.00088, 0.00024, 0.00015, 0.00009,
                                   0.004, 0.005, 0.002, 0.0001, 0.0025, 0.007, 0.001};
    const gas::aga8::Aga8Equation equation(x);
    const std::optional<double> z = equation.Z(50, 400);
    QVERIFY(z);
    QVERIFY2(std::abs(*z - 1.173801364147326) <= 1e-9, qPrintable(QString::number(*z, 'g', 16)));

    double molarMass = 0;
    for (int i = 0; i < gas::ComponentCount; ++i)
        molarMass += x[static_cast<std::size_t>(i)] * gas::MolarMass(gas::ComponentAt(i));
    QVERIFY2(std::abs(molarMass - 20.54333051) <= 1e-8, qPrintable(QString::number(molarMass, 'g', 12)));
}

// At vanishing pressure Z tends to 1 and 1 - Z to a straight line in p (the second
// virial coefficient); both are properties of any equation of state.
void TestGasAga8::idealGasLimit()
{
    const auto made = gas::Aga8Gas::Make(IsoComposition(IsoGases[0]));
    QVERIFY(std::holds_alternative<gas::Aga8Gas>(made));
    const gas::Aga8Gas &g = std::get<gas::Aga8Gas>(made);
    QVERIFY(std::abs(ZOf(g, 1e-7, 290) - 1) < 1e-8);
    const double d1 = 1 - ZOf(g, 0.001, 290);
    const double d2 = 1 - ZOf(g, 0.002, 290);
    QVERIFY(d1 > 0);
    QVERIFY2(std::abs(d2 / d1 - 2) < 1e-3, qPrintable(QString::number(d2 / d1, 'g', 10)));
}

// Zc, the Z at standard conditions that every working flow is divided by, of pure
// methane against ISO 6976:1995, Table 2: the summation factor of methane at 20 °C,
// √b = 0,0436, gives Z = 1 − b = 0,99810 at 293,15 K and 101,325 kPa (the second virial
// coefficient of about −45,5 cm³/mol at 293 K gives the same). 0,0001 covers the
// table's rounding and the two equations' difference at one atmosphere; Z = 1 is 0,0019
// away.
void TestGasAga8::standardZOfMethane()
{
    Composition methane{};
    methane[gas::IndexOf(Component::Methane)] = 100;
    const auto made = gas::Aga8Gas::Make(methane);
    QVERIFY(std::holds_alternative<gas::Aga8Gas>(made));
    const double zc = std::get<gas::Aga8Gas>(made).ZStandard();
    QVERIFY2(std::abs(zc - 0.99810) <= 1e-4, qPrintable(QString::number(zc, 'f', 6)));
}

QTEST_GUILESS_MAIN(TestGasAga8)
#include "tst_gas_aga8.moc"
