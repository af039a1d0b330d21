#include "core/pressure/pressure_units.h"
#include "core/input/number_text.h"

#include <QTest>

#include <cmath>
#include <limits>

// Pressure units, absolute pressure, working flows and the display rounding.
class TestPressureUnits : public QObject {
    Q_OBJECT
private slots:
    void unitTexts();
    void unitOfText_data();
    void unitOfText();
    void toBar_data();
    void toBar();
    void toAbsolute();
    void workingFlows_data();
    void workingFlows();
    void round3_data();
    void round3();
};

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Untouched = 777;

} // namespace

void TestPressureUnits::unitTexts()
{
    const QStringList expected{
        QStringLiteral("бар"), QStringLiteral("мбар"), QStringLiteral("мкбар"),
        QStringLiteral("атм"), QStringLiteral("Па"), QStringLiteral("кПа"),
        QStringLiteral("МПа"), QStringLiteral("мм вод. ст."), QStringLiteral("мм рт. ст."),
        QStringLiteral("кгc/см2"),
    };
    QCOMPARE(PressureUnitTexts(), expected);
    for (int i = 0; i < PressureUnitCount; ++i)
        QCOMPARE(PressureUnitText(i), expected.at(i));
    // The "c" of the kgf/cm2 entry is the Latin letter.
    QCOMPARE(PressureUnitText(9).at(2), QChar(u'c'));
}

// A typed unit text: any case, blanks around it, Latin and Cyrillic look-alikes.
void TestPressureUnits::unitOfText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("unit");
    QTest::newRow("kgf/cm2 as listed, Latin c") << QStringLiteral("кгc/см2") << 9;
    QTest::newRow("kgf/cm2 all Cyrillic") << QStringLiteral("кгс/см2") << 9;
    QTest::newRow("kgf/cm2 upper case, Latin C and M") << QStringLiteral("КГC/CM2") << 9;
    QTest::newRow("MPa with Latin M and a") << QStringLiteral("MПa") << 6;
    QTest::newRow("kPa lower case, blanks around") << QStringLiteral("  кпа\t") << 5;
    QTest::newRow("bar upper case") << QStringLiteral("БАР") << 0;
    QTest::newRow("atm with Latin a, t") << QStringLiteral("atм") << 3;
    QTest::newRow("mm Hg with Latin p, t, c") << QStringLiteral("мм pт. cт.") << 8;
    QTest::newRow("mm water with Latin o") << QStringLiteral("MM вOд. ст.") << 7;
    // Not look-alikes: Latin P is Cyrillic Р, not П; the spelling inside counts.
    QTest::newRow("Pa in Latin") << QStringLiteral("Pa") << -1;
    QTest::newRow("bar in Latin") << QStringLiteral("bar") << -1;
    QTest::newRow("space missing inside") << QStringLiteral("мм рт.ст.") << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestPressureUnits::unitOfText()
{
    QFETCH(QString, typed);
    QTEST(PressureUnitOfText(typed), "unit");
}

void TestPressureUnits::toBar_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("bar");

    QTest::newRow("bar") << 0 << "15" << 15.0;
    QTest::newRow("negative bar") << 0 << "-0,5" << -0.5;
    QTest::newRow("millibar") << 1 << "1000" << 1.0;
    QTest::newRow("microbar") << 2 << "1000000" << 1.0;
    QTest::newRow("atmosphere") << 3 << "1" << 1.01325;
    QTest::newRow("pascal") << 4 << "100000" << 1.0;
    QTest::newRow("kilopascal") << 5 << "100" << 1.0;
    QTest::newRow("megapascal") << 6 << "0,6" << 6.0;
    QTest::newRow("mm water") << 7 << "10000" << 0.980665;
    QTest::newRow("mm mercury") << 8 << "760" << 1.0132472;
    QTest::newRow("kgf/cm2 is 0.981") << 9 << "1" << 0.981;
    QTest::newRow("no selection") << -1 << "2,5" << 2.5;
    QTest::newRow("past the list") << 10 << "2,5" << 2.5;
}

void TestPressureUnits::toBar()
{
    QFETCH(int, unit);
    QFETCH(QString, typed);
    QFETCH(double, bar);

    const std::optional<double> value = ReadNumber(typed, u',');
    QVERIFY(value);
    const double converted = PressureToBar(unit, *value);
    // Products of inexact decimal factors may be off by an ulp or two.
    QVERIFY2(std::abs(converted - bar) <= 1e-15 * std::abs(bar),
             qPrintable(QString::number(converted, 'g', 17)));
}

void TestPressureUnits::toAbsolute()
{
    QCOMPARE(ToAbsolute(PressureToBar(0, 15)), 16.0);
    QCOMPARE(ToAbsolute(PressureToBar(3, 1)), 2.01325);
    QCOMPARE(ToAbsolute(-1), 0.0);
    QCOMPARE(PressureUnitFactor(-1), 1.0);
    QCOMPARE(PressureUnitFactor(10), 1.0);
}

void TestPressureUnits::workingFlows_data()
{
    QTest::addColumn<double>("pminAbs");
    QTest::addColumn<double>("pmaxAbs");
    QTest::addColumn<double>("qmaxStd");
    QTest::addColumn<double>("qminStd");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("qmaxWork");
    QTest::addColumn<double>("qminWork");

    const double tiny = std::numeric_limits<double>::denorm_min();
    QTest::newRow("gauge 0") << ToAbsolute(0) << ToAbsolute(0) << 100.0 << 10.0 << true << 100.0 << 10.0;
    QTest::newRow("gauge 1") << ToAbsolute(1) << ToAbsolute(1) << 100.0 << 10.0 << true << 50.0 << 5.0;
    QTest::newRow("range 0 to 1") << ToAbsolute(0) << ToAbsolute(1) << 100.0 << 10.0 << true << 100.0 << 5.0;
    QTest::newRow("vacuum") << ToAbsolute(-0.5) << ToAbsolute(-0.5) << 100.0 << 10.0 << true << 200.0 << 20.0;
    QTest::newRow("lower absolute 0") << ToAbsolute(-1) << ToAbsolute(1) << 100.0 << 10.0 << false << Untouched << Untouched;
    QTest::newRow("both absolute 0") << 0.0 << 0.0 << 100.0 << 10.0 << false << Untouched << Untouched;
    QTest::newRow("upper absolute 0") << ToAbsolute(0) << ToAbsolute(-1) << 100.0 << 10.0 << false << 100.0 << Untouched;
    QTest::newRow("negative absolute") << ToAbsolute(-2) << ToAbsolute(-2) << 100.0 << 10.0 << false << Untouched << Untouched;
    QTest::newRow("negative upper") << 1.0 << -0.5 << 100.0 << 10.0 << false << 100.0 << Untouched;
    QTest::newRow("divisor not a number") << NaN << 1.0 << 100.0 << 10.0 << false << Untouched << Untouched;
    QTest::newRow("first quotient overflows") << tiny << 1.0 << 1e300 << 10.0 << false << Untouched << Untouched;
    QTest::newRow("second quotient overflows") << 1.0 << tiny << 100.0 << 1e300 << false << 100.0 << Untouched;
}

void TestPressureUnits::workingFlows()
{
    QFETCH(double, pminAbs);
    QFETCH(double, pmaxAbs);
    QFETCH(double, qmaxStd);
    QFETCH(double, qminStd);
    QFETCH(bool, ok);
    QFETCH(double, qmaxWork);
    QFETCH(double, qminWork);

    PressureSet set;
    set.PminAbs = pminAbs;
    set.PmaxAbs = pmaxAbs;
    set.QmaxWork = Untouched;
    set.QminWork = Untouched;
    QCOMPARE(ToWorkingFlows(set, qmaxStd, qminStd), ok);
    QCOMPARE(set.QmaxWork, qmaxWork);
    QCOMPARE(set.QminWork, qminWork);
}

void TestPressureUnits::round3_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("rounded"); // NaN: no result

    QTest::newRow("half to even down") << 2.0625 << 2.062;
    QTest::newRow("half to even up") << 0.1875 << 0.188;
    QTest::newRow("negative half down") << -2.0625 << -2.062;
    QTest::newRow("negative half up") << -0.1875 << -0.188;
    QTest::newRow("half near zero") << 0.0625 << 0.062;
    QTest::newRow("third") << 1.0 / 3 << 0.333;
    QTest::newRow("two thirds") << 2.0 / 3 << 0.667;
    QTest::newRow("whole") << 16.0 << 16.0;
    QTest::newRow("fits 64 bits") << 9.2e15 << 9.2e15;
    QTest::newRow("past 64 bits") << 9.3e15 << NaN;
    QTest::newRow("overflow") << 1e20 << NaN;
    QTest::newRow("negative overflow") << -1e20 << NaN;
    QTest::newRow("not a number") << NaN << NaN;
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << NaN;
}

void TestPressureUnits::round3()
{
    QFETCH(double, x);
    QFETCH(double, rounded);

    const std::optional<double> result = Round3(x);
    if (std::isnan(rounded)) {
        QVERIFY(!result);
        return;
    }
    QVERIFY(result);
    QVERIFY2(*result == rounded, qPrintable(QString::number(*result, 'g', 17)));
}

QTEST_GUILESS_MAIN(TestPressureUnits)
#include "tst_pressure_units.moc"
