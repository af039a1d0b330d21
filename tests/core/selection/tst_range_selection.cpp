#include "core/selection/range_selection.h"

#include <QList>
#include <QTest>

#include <vector>

namespace {

// Slots first..last, both included.
QList<int> span(int first, int last)
{
    QList<int> indices;
    for (int i = first; i <= last; ++i)
        indices.append(i);
    return indices;
}

QList<int> toList(const std::vector<int> &indices)
{
    return QList<int>(indices.begin(), indices.end());
}

// "101" opens the first and the third family.
FamilyGates gatesFrom(const QString &text)
{
    return {text.at(0) == u'1', text.at(1) == u'1', text.at(2) == u'1'};
}

} // namespace

// Range selection of the corrected complexes (mode 1) and industrial meters
// (mode 3) on the real catalogue.
class TestRangeSelection : public QObject {
    Q_OBJECT

    ProductCatalogue catalogue_;

private slots:
    void initTestCase() { catalogue_.Fill(); }

    void select_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("pmaxAbs");
        QTest::addColumn<double>("qmaxWork");
        QTest::addColumn<double>("qminWork");
        QTest::addColumn<QString>("gates");
        QTest::addColumn<QList<int>>("possible");
        QTest::addColumn<QList<int>>("optimal");

        // 1 bar gauge, 100 / 10 m3/h.
        QTest::newRow("complexes at 2 bar")
            << 1 << 2.0 << 100.0 << 5.0 << "111"
            << span(26, 40) + span(46, 55) + span(61, 70) + span(81, 85) << QList<int>{26};
        QTest::newRow("meters at 2 bar, Qmin equal to the working one")
            << 3 << 2.0 << 100.0 << 5.0 << "111" << QList<int>{806, 807, 808, 810, 811, 814}
            << QList<int>{806};
        // 15 bar gauge: only the top pressure class of the rotary complexes.
        QTest::newRow("complexes at 16 bar, small flows")
            << 1 << 16.0 << 31.25 << 3.125 << "111"
            << QList<int>{10, 15, 20, 25, 35, 40, 50, 55, 70} << QList<int>{10};
        // 16 bar is the low class only: the "/7,5" blocks are neither listed nor
        // searched for an optimal row.
        QTest::newRow("complexes at 16 bar, large flows")
            << 1 << 16.0 << 200.0 << 25.0 << "111"
            << QList<int>{60, 65, 70, 75, 80, 85, 95, 100, 110, 115, 210, 215, 225, 409, 414,
                          419, 424, 439}
            << QList<int>{60, 210, 409};
        QTest::newRow("high-pressure turbine meters")
            << 3 << 80.0 << 150.0 << 20.0 << "111" << QList<int>{1052, 1054, 1055, 1058}
            << QList<int>{1052};

        // Pressure class bounds, each gate on its own.
        QTest::newRow("complex turbine 1 at 16: low block")
            << 1 << 16.0 << 250.0 << 25.0 << "010" << QList<int>{210, 215, 225}
            << QList<int>{210};
        QTest::newRow("complex turbine 1 above 16: high block")
            << 1 << 16.5 << 250.0 << 25.0 << "010" << span(301, 306) + span(310, 312)
            << QList<int>{301};
        QTest::newRow("rotary complexes above 16")
            << 1 << 16.5 << 250.0 << 25.0 << "100" << QList<int>{} << QList<int>{};
        QTest::newRow("meter turbine 1 at 16: low block")
            << 3 << 16.0 << 250.0 << 25.0 << "010" << QList<int>{902, 903, 905}
            << QList<int>{902};
        QTest::newRow("meter turbine 1 at 75: high block")
            << 3 << 75.0 << 250.0 << 25.0 << "010" << QList<int>{952, 953, 955}
            << QList<int>{952};
        QTest::newRow("meter turbine 2 at 16: low block")
            << 3 << 16.0 << 250.0 << 13.0 << "001" << QList<int>{1002, 1005}
            << QList<int>{1002};
        QTest::newRow("meter turbine 2 just above 16")
            << 3 << 16.001 << 250.0 << 13.0 << "001" << QList<int>{1052, 1055}
            << QList<int>{1052};
        QTest::newRow("meter turbine 2 at 100")
            << 3 << 100.0 << 250.0 << 13.0 << "001" << QList<int>{1052, 1055}
            << QList<int>{1052};

        // Each gate alone, and none.
        QTest::newRow("rotary complexes alone")
            << 1 << 16.0 << 200.0 << 25.0 << "100"
            << QList<int>{60, 65, 70, 75, 80, 85, 95, 100, 110, 115} << QList<int>{60};
        QTest::newRow("turbine 2 complexes alone")
            << 1 << 16.0 << 200.0 << 25.0 << "001" << QList<int>{409, 414, 419, 424, 439}
            << QList<int>{409};
        QTest::newRow("no gate") << 1 << 2.0 << 100.0 << 5.0 << "000" << QList<int>{}
                                 << QList<int>{};

        // Equality passes in each row test.
        QTest::newRow("Pmax equal")
            << 1 << 2.0 << 25.0 << 1.3 << "100"
            << span(1, 5) + span(11, 15) + span(21, 25) + span(36, 40)
            << QList<int>{1};
        QTest::newRow("Qmax and Qmin equal")
            << 3 << 2.0 << 25.0 << 1.3 << "100" << QList<int>{801, 803, 805, 808}
            << QList<int>{801};

        // Only modes 1 and 3 select here.
        for (int mode : {0, 2, 4, 5}) {
            QTest::addRow("mode %d", mode) << mode << 2.0 << 100.0 << 5.0 << "111"
                                           << QList<int>{} << QList<int>{};
        }
    }

    void select()
    {
        QFETCH(int, mode);
        QFETCH(double, pmaxAbs);
        QFETCH(double, qmaxWork);
        QFETCH(double, qminWork);
        QFETCH(QString, gates);
        QFETCH(QList<int>, possible);
        QFETCH(QList<int>, optimal);

        const SelectionResult result =
            RangeSelection(catalogue_, mode, pmaxAbs, qmaxWork, qminWork, gatesFrom(gates));
        QCOMPARE(toList(result.possible), possible);
        QCOMPARE(toList(result.optimal), optimal);
    }
};

QTEST_APPLESS_MAIN(TestRangeSelection)
#include "tst_range_selection.moc"
