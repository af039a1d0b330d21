// Sizing under real gas conditions: the conversion of each method, the refusals
// with the figure named, the checks on each candidate and the optimal choice that
// honours them.

#include "core/gas/aga8.h"
#include "core/gas/gerg91.h"
#include "core/sizing/candidate_checks.h"
#include "core/sizing/sizing.h"

#include <QLocale>
#include <QTest>

#include <variant>

using namespace Qt::StringLiterals;

namespace {

constexpr double Pc = 1.01325;  // bar, 101.325 kPa
constexpr double Tc = 293.15;   // K, 20 °C

// Mode 1 (or 3), 100 and 10 m3/h at a gauge range of pmax..pmin bar.
SizingRequest Range(int mode, double pmax, double pmin, const SizingConditions &conditions)
{
    SizingRequest r;
    r.mode = mode;
    r.qmaxStd = 100;
    r.qminStd = 10;
    r.range = true;
    r.pmax = {QString::number(pmax), 0};
    r.pmin = {QString::number(pmin), 0};
    r.conditions = conditions;
    return r;
}

SizingConditions Real(ConversionMethod method, double tMin = -10, double tMax = 25)
{
    SizingConditions c;
    c.method = method;
    c.tMin = tMin;
    c.tMax = tMax;
    return c;
}

// A typical pipeline gas for the composition method, mol %.
gas::Composition PipelineGas()
{
    gas::Composition x{};
    x[gas::IndexOf(gas::Component::Methane)] = 96.5;
    x[gas::IndexOf(gas::Component::Nitrogen)] = 1.0;
    x[gas::IndexOf(gas::Component::CarbonDioxide)] = 0.5;
    x[gas::IndexOf(gas::Component::Ethane)] = 1.8;
    x[gas::IndexOf(gas::Component::Propane)] = 0.2;
    return x;
}

template <typename T>
T Accepted(const gas::Checked<T> &checked)
{
    return std::get<T>(checked);
}

} // namespace

class TestSizingConditions : public QObject {
    Q_OBJECT

    ProductCatalogue catalogue_;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        catalogue_.Fill();
    }

    // The catalogue's conversion ignores every other figure of the conditions.
    void simpleIgnoresTheRest()
    {
        SizingConditions other = Real(ConversionMethod::Simple, -40, 60);
        other.pAtm = 90;
        other.density = 0.9;
        const SizingOutcome plain = Size(Range(1, 3, 1, {}), catalogue_);
        const SizingOutcome same = Size(Range(1, 3, 1, other), catalogue_);
        QCOMPARE(same.pressures.PminAbs, 2.0);
        QCOMPARE(same.pressures.QmaxWork, plain.pressures.QmaxWork);
        QCOMPARE(same.pressures.QminWork, plain.pressures.QminWork);
        QCOMPARE(same.texts.qmaxWork, plain.texts.qmaxWork);
        QCOMPARE(same.selection, plain.selection);
        QCOMPARE(same.conditions.zQmax, 1.0);
        QCOMPARE(same.conditions.pAtm, 100.0);
    }

    // Ideal gas, by hand: 3 and 1 bar gauge at 101.325 kPa are 4.01325 and 2.01325 bar;
    // Qmax at 25 °C and the lower pressure, Qmin at -10 °C and the upper one.
    void idealByHand()
    {
        const SizingOutcome o = Size(Range(1, 3, 1, Real(ConversionMethod::Ideal)), catalogue_);
        QVERIFY(o.accepted);
        QCOMPARE(o.pressures.PmaxAbs, 4.01325);
        QCOMPARE(o.pressures.PminAbs, 2.01325);
        QVERIFY(qAbs(o.pressures.QmaxWork - 51.1874882968) < 1e-8);
        QVERIFY(qAbs(o.pressures.QminWork - 2.26638597442) < 1e-9);
        QCOMPARE(*o.texts.qmaxWork, u"51.187"_s);
        QCOMPARE(*o.texts.pminAbs, u"2.013"_s);
        QCOMPARE(o.conditions.zStd, 1.0);
        QCOMPARE(o.conditions.tMin, -10.0);
    }

    // The two gas methods: the same formula with Z of the gas at each working point.
    void realGasFormula_data()
    {
        QTest::addColumn<int>("method");
        QTest::newRow("GERG-91 мод.") << int(ConversionMethod::Gerg91);
        QTest::newRow("AGA8-92DC") << int(ConversionMethod::Aga8);
    }

    void realGasFormula()
    {
        QFETCH(int, method);
        SizingConditions c = Real(ConversionMethod(method));
        c.composition = PipelineGas();
        const SizingOutcome o = Size(Range(3, 5, 2, c), catalogue_);
        QVERIFY2(o.accepted, qPrintable(o.error));

        double zCold = 0, zWarm = 0, zStd = 0;
        if (c.method == ConversionMethod::Gerg91) {
            const auto g = Accepted(gas::Gerg91Gas::Make(c.density, c.n2, c.co2));
            zWarm = Accepted(g.Z(0.301325, 298.15));
            zCold = Accepted(g.Z(0.601325, 263.15));
            zStd = g.ZStandard();
        } else {
            const auto g = Accepted(gas::Aga8Gas::Make(c.composition));
            zWarm = Accepted(g.Z(0.301325, 298.15));
            zCold = Accepted(g.Z(0.601325, 263.15));
            zStd = g.ZStandard();
        }
        // At a few bar Z of natural gas lies a little below 1, lower when colder.
        QVERIFY(zWarm < 1 && zWarm > 0.98);
        QVERIFY(zCold < zWarm);
        QCOMPARE(o.conditions.zQmax, zWarm);
        QCOMPARE(o.conditions.zQmin, zCold);
        QCOMPARE(o.conditions.zStd, zStd);
        const double qmax = 100 * (Pc / 3.01325) * (298.15 / Tc) * (zWarm / zStd);
        const double qmin = 10 * (Pc / 6.01325) * (263.15 / Tc) * (zCold / zStd);
        QVERIFY(qAbs(o.pressures.QmaxWork / qmax - 1) < 1e-12);
        QVERIFY(qAbs(o.pressures.QminWork / qmin - 1) < 1e-12);
        // The rows follow the real working flows.
        for (const Candidate &candidate : o.possible) {
            QVERIFY(candidate.record.Qmax >= o.pressures.QmaxWork);
            QVERIFY(candidate.record.Qmin <= o.pressures.QminWork);
        }
    }

    // A refused figure stops the run and names itself; the windows' fields when it is
    // a working pressure.
    void refusals_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("figure");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("pmax");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("field");
        const int conditions = int(InputField::Conditions);
        QTest::newRow("t_min too cold") << int(ConversionMethod::Ideal) << "t_min" << -70.0 << 3.0 << "t_min" << conditions;
        QTest::newRow("atmosphere") << int(ConversionMethod::Ideal) << "p_atm" << 30.0 << 3.0 << "p_atm" << conditions;
        QTest::newRow("load target") << int(ConversionMethod::Gerg91) << "max_load" << 0.0 << 3.0 << "max_load" << conditions;
        QTest::newRow("load target, catalogue's conversion") << int(ConversionMethod::Simple) << "max_load" << 5.0 << 3.0 << "max_load" << conditions;
        QTest::newRow("density") << int(ConversionMethod::Gerg91) << "density" << 0.5 << 3.0 << "density" << conditions;
        QTest::newRow("nitrogen") << int(ConversionMethod::Gerg91) << "n2" << 25.0 << 3.0 << "n2" << conditions;
        QTest::newRow("composition sum") << int(ConversionMethod::Aga8) << "methane" << 99.0 << 3.0 << "composition" << conditions;
        QTest::newRow("warm beyond GERG-91") << int(ConversionMethod::Gerg91) << "t_max" << 80.0 << 3.0 << "t_max" << conditions;
        QTest::newRow("pressure beyond GERG-91") << int(ConversionMethod::Gerg91) << "" << 0.0 << 150.0 << "pmax" << int(InputField::Pmax);
    }

    void refusals()
    {
        QFETCH(int, method);
        QFETCH(QString, figure);
        QFETCH(double, value);
        QFETCH(double, pmax);
        QFETCH(QString, key);
        QFETCH(int, field);
        SizingConditions c = Real(ConversionMethod(method));
        if (figure == u"t_min") c.tMin = value;
        if (figure == u"t_max") c.tMax = value;
        if (figure == u"p_atm") c.pAtm = value;
        if (figure == u"max_load") c.maxLoad = value;
        if (figure == u"density") c.density = value;
        if (figure == u"n2") c.n2 = value;
        if (figure == u"methane") c.composition[gas::IndexOf(gas::Component::Methane)] = value;
        const SizingOutcome o = Size(Range(3, pmax, 1, c), catalogue_);
        QVERIFY(!o.accepted);
        QCOMPARE(o.errorKey, key);
        QCOMPARE(int(o.errorField), field);
        QCOMPARE(o.messages.size(), std::size_t(1));
        QCOMPARE(o.messages[0].text, o.error);
        QVERIFY2(o.error.contains(u"от "_s) || o.error.contains(u"100"_s), qPrintable(o.error));
        QCOMPARE(CheckConditions(c).has_value(), field == int(InputField::Conditions));
    }

    // The load target's admitted range, 10 to 100 %, under every method: its ends
    // taken, a hair beyond them refused with the range named.
    void loadTargetEnds_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<double>("maxLoad");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("10 %, catalogue's conversion") << int(ConversionMethod::Simple) << 10.0 << true;
        QTest::newRow("9,99 %, catalogue's conversion") << int(ConversionMethod::Simple) << 9.99 << false;
        QTest::newRow("10 %, GERG-91 мод.") << int(ConversionMethod::Gerg91) << 10.0 << true;
        QTest::newRow("9,99 %, GERG-91 мод.") << int(ConversionMethod::Gerg91) << 9.99 << false;
        QTest::newRow("100 %, ideal gas") << int(ConversionMethod::Ideal) << 100.0 << true;
        QTest::newRow("100,01 %, ideal gas") << int(ConversionMethod::Ideal) << 100.01 << false;
    }

    void loadTargetEnds()
    {
        QFETCH(int, method);
        QFETCH(double, maxLoad);
        QFETCH(bool, accepted);
        SizingConditions c = Real(ConversionMethod(method));
        c.maxLoad = maxLoad;
        const SizingOutcome o = Size(Range(3, 3, 1, c), catalogue_);
        QCOMPARE(o.accepted, accepted);
        QCOMPARE(CheckConditions(c).has_value(), !accepted);
        if (accepted) {
            QVERIFY(!o.possible.empty());
        } else {
            QCOMPARE(o.errorKey, u"max_load"_s);
            QVERIFY2(o.error.contains(u"от 10 до 100 %"_s), qPrintable(o.error));
        }
    }

    // One working pressure refused by the gas method is the working pressure's field.
    void singlePressureRefused()
    {
        SizingRequest r = Range(2, 0, 0, Real(ConversionMethod::Gerg91));
        r.range = false;
        r.working = {u"150"_s, 0};
        const SizingOutcome o = Size(r, catalogue_);
        QCOMPARE(o.errorField, InputField::WorkingPressure);
        QCOMPARE(o.errorKey, u"p"_s);
    }

    // The checks: the load above the target, and a complex whose pressure range does
    // not cover the working pressures (1 to 5.5 bar absolute against 1.5 to 7.5).
    void flags_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("maxLoad");
        QTest::newRow("complexes, target 100 %") << 1 << 100.0;
        QTest::newRow("complexes, target 80 %") << 1 << 80.0;
        QTest::newRow("industrial meters, target 80 %") << 3 << 80.0;
    }

    void flags()
    {
        QFETCH(int, mode);
        QFETCH(double, maxLoad);
        SizingConditions c;
        c.maxLoad = maxLoad;
        const SizingOutcome o = Size(Range(mode, 4.5, 0, c), catalogue_);
        QVERIFY(!o.possible.empty());
        int loadFlags = 0, pressureFlags = 0;
        for (const Candidate &candidate : o.possible) {
            const bool overloaded = candidate.loadPercent > maxLoad;
            const bool uncovered = mode == 1
                && (candidate.record.Pmin > o.pressures.PminAbs || candidate.record.Pmax < o.pressures.PmaxAbs);
            QCOMPARE(candidate.flags.size(), int(overloaded) + int(uncovered));
            for (const QString &flag : candidate.flags) {
                loadFlags += flag.startsWith(u"загрузка"_s);
                pressureFlags += flag.startsWith(u"рабочее давление 1–5,5 бар"_s);
            }
        }
        QCOMPARE(loadFlags > 0, maxLoad < 100);
        QCOMPARE(pressureFlags > 0, mode == 1);
        // Flags never remove a row.
        QCOMPARE(o.selection, Size(Range(mode, 4.5, 0, {}), catalogue_).selection);
    }

    // Honouring the checks: each line's optimal is its first row that passes them; a
    // line whose rows all fail shows none and the reason says why.
    void strictOptimal_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("pmax");
        QTest::addColumn<double>("pmin");
        QTest::addColumn<bool>("someLineEmpty");
        // Industrial meters: only the load counts, each line has a row below 80 %.
        QTest::newRow("industrial meters") << 3 << 4.5 << 0.0 << false;
        // Complexes at 2 to 5.5 bar absolute: the 7.5 bar lines cover it, no complex of
        // the 1.6 bar lines does.
        // Complexes at 1 to 5.5 bar absolute: the one line that takes 100 m3/h has no
        // row that covers 1 bar absolute (Pmin 1.5).
        QTest::newRow("complexes") << 1 << 4.5 << 0.0 << true;
    }

    void strictOptimal()
    {
        QFETCH(int, mode);
        QFETCH(double, pmax);
        QFETCH(double, pmin);
        QFETCH(bool, someLineEmpty);
        SizingConditions c;
        c.maxLoad = 80;
        c.strict = true;
        const SizingOutcome loose = Size(Range(mode, pmax, pmin, {}), catalogue_);
        const SizingOutcome o = Size(Range(mode, pmax, pmin, c), catalogue_);
        QCOMPARE(o.possible.size(), loose.possible.size());
        QVERIFY(o.selection.optimal != loose.selection.optimal);
        if (!o.optimal.empty())
            QCOMPARE(o.optimal.front().cells[0], u"1"_s);
        for (const Candidate &optimal : o.optimal) {
            QVERIFY(optimal.flags.isEmpty());
            // No earlier row of its line passes.
            for (const Candidate &row : o.possible) {
                if (row.slot == optimal.slot)
                    break;
                if (LineOf(row.slot) == LineOf(optimal.slot))
                    QVERIFY(!row.flags.isEmpty());
            }
        }
        QCOMPARE(o.optimal.size() < loose.optimal.size(), someLineEmpty);
        QCOMPARE(o.noFitReason.contains(u"не проходит проверки"_s), someLineEmpty);
    }

    void linesOfSlots()
    {
        QCOMPARE(LineOf(1), 1);
        QCOMPARE(LineOf(399), 301);
        QCOMPARE(LineOf(1704), 1701);
        QCOMPARE(LineOf(1650), 0);
    }
};

QTEST_GUILESS_MAIN(TestSizingConditions)
#include "tst_sizing_conditions.moc"
