// The gas velocity in a meter's inlet at the working Qmax, v = Q / (π DN² / 4), on cases
// computed by hand; the limit's flag, at the limit and above it; the strict choice that
// honours it; a limit outside its range refused.
#include "core/input/number_text.h"
#include "core/sizing/candidate_checks.h"
#include "core/sizing/sizing.h"
#include "filled_catalogue.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Mode 3, 230 m3/h at 1,3 bar gauge: 100 m3/h working.
SizingOutcome Run(std::optional<double> limit, bool strict = false)
{
    SizingRequest r;
    r.mode = 3;
    r.qmaxStd = 230;
    r.qminStd = 5;
    r.working = {u"1"_s + LocaleDecimalSeparator() + u"3"_s, 0};
    r.conditions.maxInletVelocity = limit;
    r.conditions.strict = strict;
    return Size(r, FilledCatalogue());
}

const Candidate *Named(const std::vector<Candidate> &rows, const QString &name)
{
    for (const Candidate &c : rows)
        if (c.record.Name == name)
            return &c;
    return nullptr;
}

} // namespace

class TestInletVelocity : public QObject {
    Q_OBJECT

private slots:
    void byHand_data()
    {
        QTest::addColumn<double>("qmaxWork"); // m3/h
        QTest::addColumn<int>("dn");          // mm
        QTest::addColumn<double>("velocity"); // m/s
        // 100 m3/h = 0,027778 m3/s through 0,0019635 m2 (DN 50).
        QTest::newRow("DN 50, 100 m3/h") << 100.0 << 50 << 14.1471;
        QTest::newRow("DN 50, 40 m3/h") << 40.0 << 50 << 5.6588;
        // 1 m3/s through π/4 m2.
        QTest::newRow("DN 1000, 3600 m3/h") << 3600.0 << 1000 << 1.27324;
        QTest::newRow("DN 80, 100 m3/h") << 100.0 << 80 << 5.52621;
        QTest::newRow("no flow") << 0.0 << 50 << 0.0;
        QTest::newRow("no bore") << 100.0 << 0 << 0.0;
    }
    void byHand()
    {
        QFETCH(double, qmaxWork);
        QFETCH(int, dn);
        QFETCH(double, velocity);
        QVERIFY2(std::abs(InletVelocity(qmaxWork, dn) - velocity) < 5e-5,
                 qPrintable(QString::number(InletVelocity(qmaxWork, dn), 'g', 10)));
    }

    void flagAboveLimit()
    {
        // Without a limit nothing is flagged, and the velocity is there all the same.
        const SizingOutcome free = Run(std::nullopt);
        const Candidate *g65 = Named(free.possible, u"ZAM G65"_s);
        QVERIFY(g65);
        QVERIFY(std::abs(g65->inletVelocity - 14.1471) < 5e-4);
        QVERIFY(g65->flags.isEmpty());

        const SizingOutcome limited = Run(10);
        QVERIFY(Named(limited.possible, u"ZAM G65"_s)->flags.contains(u"скорость на входе выше 10 м/с"_s));
        for (const Candidate &c : limited.possible) {
            if (c.record.DN >= 80)
                QVERIFY2(c.flags.isEmpty(), qPrintable(c.record.Name + c.flags.join(u';')));
        }
        // The choice is only flagged, not changed, unless it must honour the checks.
        QCOMPARE(limited.optimal.front().record.Name, free.optimal.front().record.Name);
        const SizingOutcome strict = Run(10, true);
        for (const Candidate &c : strict.optimal)
            QVERIFY2(c.flags.isEmpty() && c.record.DN >= 80, qPrintable(c.record.Name));

        // A limit the velocity only reaches is not exceeded.
        const SizingOutcome atLimit = Run(g65->inletVelocity);
        QVERIFY(Named(atLimit.possible, u"ZAM G65"_s)->flags.isEmpty());
    }

    void limitRefused_data()
    {
        QTest::addColumn<double>("limit");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("negative") << -5.0;
        QTest::newRow("faster than sound") << 1000.0;
    }
    void limitRefused()
    {
        QFETCH(double, limit);
        SizingConditions c;
        c.maxInletVelocity = limit;
        const std::optional<ConditionsError> refused = CheckConditions(c);
        QVERIFY(refused);
        QCOMPARE(refused->key, u"max_velocity"_s);
        QVERIFY2(refused->message.contains(u"от 0,1 до 400 м/с"_s) || refused->message.contains(u"от 0.1 до 400 м/с"_s),
                 qPrintable(refused->message));
    }
};

QTEST_GUILESS_MAIN(TestInletVelocity)
#include "tst_inlet_velocity.moc"
