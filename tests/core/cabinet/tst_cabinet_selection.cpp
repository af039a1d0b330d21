#include "core/cabinet/cabinet_selection.h"

#include <QList>
#include <QStringList>
#include <QTest>

#include <vector>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(CabinetKind)
Q_DECLARE_METATYPE(PressureSet)

namespace {

QList<int> toList(const std::vector<int> &indices)
{
    return QList<int>(indices.begin(), indices.end());
}

// Gauge pressures in bar and standard flows, turned into the values a cabinet
// form hands over: absolute pressures and working flows.
PressureSet fromGauge(double pmaxGauge, double pminGauge, double qmaxStd, double qminStd)
{
    PressureSet set;
    set.PmaxGauge = pmaxGauge;
    set.PminGauge = pminGauge;
    set.PmaxAbs = pmaxGauge + Patm;
    set.PminAbs = pminGauge + Patm;
    set.QmaxWork = qmaxStd / set.PminAbs;
    set.QminWork = qminStd / set.PmaxAbs;
    return set;
}

// A metering point's name with its execution code, e.g. "ТИВ-Р-160" -> "ТИВ-Ш-160".
QString withExecution(const QString &name, const QString &code)
{
    QString result = name;
    return result.replace(u"-Р-"_s, u'-' + code + u'-');
}

} // namespace

// Cabinet point selection on the real catalogue.
class TestCabinetSelection : public QObject {
    Q_OBJECT

    ProductCatalogue catalogue_;

    QStringList namesOf(const std::vector<int> &indices) const
    {
        QStringList names;
        for (int slot : indices)
            names.append(catalogue_.at(slot).Name);
        return names;
    }

private slots:
    void initTestCase() { catalogue_.Fill(); }

    void select_data()
    {
        QTest::addColumn<CabinetKind>("kind");
        QTest::addColumn<int>("variant");
        QTest::addColumn<PressureSet>("values");
        QTest::addColumn<QList<int>>("possible");
        QTest::addColumn<QList<int>>("optimal");

        const auto M = CabinetKind::Metering;
        const auto R = CabinetKind::Reducing;
        const auto MR = CabinetKind::MeteringReducing;

        // 3 / 1 bar, 200 / 10 m3/h: the 400 and 650 sizes fail on Qmin.
        const PressureSet moderate = fromGauge(3, 1, 200, 10);
        QTest::newRow("metering R") << M << 1 << moderate << QList<int>{1201, 1202, 1203, 1204}
                                    << QList<int>{1201};

        // 15 bar gauge is 16 absolute, the cap; 15.5 is above it.
        QTest::newRow("metering at the cap") << M << 1 << fromGauge(15, 14, 1500, 40)
                                             << QList<int>{1201, 1202, 1203, 1204}
                                             << QList<int>{1201};
        QTest::newRow("metering above the cap")
            << M << 1 << fromGauge(15.5, 14, 1500, 40) << QList<int>{} << QList<int>{};

        QTest::newRow("reducing Sh at 5 bar") << R << 2 << fromGauge(5, 0, 100, 1)
                                              << QList<int>{1602} << QList<int>{1602};
        QTest::newRow("reducing Sh at 5.5 bar")
            << R << 2 << fromGauge(5.5, 0, 100, 1) << QList<int>{} << QList<int>{};
        QTest::newRow("reducing R at 5.5 bar") << R << 1 << fromGauge(5.5, 0, 100, 1)
                                               << QList<int>{1601} << QList<int>{1601};

        // Working Qmin 1 equals the entry's Qmin.
        const PressureSet atmospheric = fromGauge(0, 0, 50, 1);
        QTest::newRow("metering-reducing at 0 bar")
            << MR << 1 << atmospheric << QList<int>{1701} << QList<int>{1701};
        QTest::newRow("metering-reducing, Qmin too small")
            << MR << 1 << fromGauge(1, 0, 50, 1.9) << QList<int>{} << QList<int>{};

        // The lower absolute pressure is held against the entry's Pmin (0).
        PressureSet lowEqual = fromGauge(1, -1, 100, 2);
        lowEqual.QmaxWork = 50;
        QTest::newRow("PminAbs equal to Pmin")
            << R << 1 << lowEqual << QList<int>{1601} << QList<int>{1601};
        PressureSet lowBelow = lowEqual;
        lowBelow.PminAbs = -0.5;
        QTest::newRow("PminAbs below Pmin") << R << 1 << lowBelow << QList<int>{} << QList<int>{};
        QTest::newRow("metering, PminAbs below Pmin")
            << M << 1 << lowBelow << QList<int>{} << QList<int>{};

        for (int variant : {0, 5, -1}) {
            for (CabinetKind kind : {M, R, MR}) {
                QTest::addRow("kind %d variant %d", int(kind), variant)
                    << kind << variant << atmospheric << QList<int>{} << QList<int>{};
            }
        }
    }

    void select()
    {
        QFETCH(CabinetKind, kind);
        QFETCH(int, variant);
        QFETCH(PressureSet, values);
        QFETCH(QList<int>, possible);
        QFETCH(QList<int>, optimal);

        const SelectionResult result = CabinetSelection(catalogue_, kind, variant, values);
        QCOMPARE(toList(result.possible), possible);
        QCOMPARE(toList(result.optimal), optimal);
    }

    // Which entry each button reaches, by name.
    void buttonNames_data()
    {
        QTest::addColumn<CabinetKind>("kind");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("name");

        const QString smallest = u"ТИВ-Р-100-исп.1"_s;
        QTest::newRow("metering 1") << CabinetKind::Metering << 1 << smallest;
        QTest::newRow("metering 2") << CabinetKind::Metering << 2
                                    << withExecution(smallest, u"Ш"_s);
        QTest::newRow("metering 3") << CabinetKind::Metering << 3
                                    << withExecution(smallest, u"ШУЭО"_s);
        QTest::newRow("metering 4") << CabinetKind::Metering << 4
                                    << withExecution(smallest, u"ШУГО"_s);
        QTest::newRow("reducing 1") << CabinetKind::Reducing << 1 << u"ЛЕМА-Р-500"_s;
        QTest::newRow("reducing 2") << CabinetKind::Reducing << 2 << u"ЛЕМА-Ш-500"_s;
        QTest::newRow("reducing 3") << CabinetKind::Reducing << 3 << u"ЛЕМА-ШУЭО-500"_s;
        QTest::newRow("reducing 4") << CabinetKind::Reducing << 4 << u"ЛЕМА-ШУГО-500"_s;
        QTest::newRow("metering-reducing 1") << CabinetKind::MeteringReducing << 1
                                             << u"ОРНИК-Р-100"_s;
        QTest::newRow("metering-reducing 2") << CabinetKind::MeteringReducing << 2
                                             << u"ОРНИК-Ш-100"_s;
        QTest::newRow("metering-reducing 3") << CabinetKind::MeteringReducing << 3
                                             << u"ОРНИК-ШУЭО-100"_s;
        QTest::newRow("metering-reducing 4") << CabinetKind::MeteringReducing << 4
                                             << u"ОРНИК-ШУГО-100"_s;
    }

    void buttonNames()
    {
        QFETCH(CabinetKind, kind);
        QFETCH(int, variant);
        QFETCH(QString, name);

        const SelectionResult result =
            CabinetSelection(catalogue_, kind, variant, fromGauge(0, 0, 50, 1));
        QCOMPARE(namesOf(result.optimal), QStringList{name});
    }

    // 3 / 1 bar, 200 / 10 m3/h with the third button: the electrically heated
    // block, its names and its prices.
    void electricHeatingBlock()
    {
        const SelectionResult result =
            CabinetSelection(catalogue_, CabinetKind::Metering, 3, fromGauge(3, 1, 200, 10));
        const QString code = u"ШУЭО"_s;
        QCOMPARE(namesOf(result.possible),
                 (QStringList{withExecution(u"ТИВ-Р-100-исп.1"_s, code), withExecution(u"ТИВ-Р-100-исп.2"_s, code),
                              withExecution(u"ТИВ-Р-160"_s, code),
                              withExecution(u"ТИВ-Р-250"_s, code)}));
        QList<double> prices;
        for (int slot : result.possible)
            prices.append(catalogue_.at(slot).Price);
        QCOMPARE(prices, (QList<double>{180000, 190000, 245000, 255000}));
    }
};

QTEST_APPLESS_MAIN(TestCabinetSelection)
#include "tst_cabinet_selection.moc"
