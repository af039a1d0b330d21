#include "core/selection/working_selection.h"

#include <QList>
#include <QStringList>
#include <QTest>

#include <vector>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(PressureSet)

namespace {

QList<int> toList(const std::vector<int> &indices)
{
    return QList<int>(indices.begin(), indices.end());
}

// "101" opens the first and the third family.
FamilyGates gatesFrom(const QString &text)
{
    return {text.at(0) == u'1', text.at(1) == u'1', text.at(2) == u'1'};
}

// One working pressure: both absolute pressures are the same.
PressureSet working(double absolute, double qmaxWork, double qminWork)
{
    PressureSet set;
    set.PmaxGauge = set.PminGauge = absolute - Patm;
    set.PmaxAbs = set.PminAbs = absolute;
    set.QmaxWork = qmaxWork;
    set.QminWork = qminWork;
    return set;
}

} // namespace

// Working-pressure selection of the temperature-corrected complexes (mode 2) and
// the utility meters (mode 4) on the real catalogue.
class TestWorkingSelection : public QObject {
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
        QTest::addColumn<int>("mode");
        QTest::addColumn<PressureSet>("values");
        QTest::addColumn<QString>("gates");
        QTest::addColumn<QList<int>>("possible");
        QTest::addColumn<QList<int>>("optimal");

        // 1 bar gauge, 100 / 10 m3/h.
        QTest::newRow("complexes at 1 bar")
            << 2 << working(2, 50, 5) << "111"
            << QList<int>{1804, 1805, 1806, 1807, 1808, 1810, 1811, 1814} << QList<int>{1804};
        // 2 bar gauge, 300 / 30 m3/h.
        QTest::newRow("complexes at 2 bar")
            << 2 << working(3, 100, 10) << "111"
            << QList<int>{1806, 1807, 1808, 1809, 1810, 1811, 1813, 1814, 1817, 1820, 1901}
            << QList<int>{1806, 1901};
        QTest::newRow("every complex family")
            << 2 << working(2, 160, 16) << "111"
            << QList<int>{1809, 1810, 1811, 1813, 1814, 1816, 1817, 1819, 1820, 1903, 1951,
                          1952, 1955}
            << QList<int>{1809, 1903, 1951};
        QTest::newRow("rotary complexes alone")
            << 2 << working(2, 160, 16) << "100"
            << QList<int>{1809, 1810, 1811, 1813, 1814, 1816, 1817, 1819, 1820}
            << QList<int>{1809};
        QTest::newRow("turbine 1 complexes alone") << 2 << working(2, 160, 16) << "010"
                                                   << QList<int>{1903} << QList<int>{1903};
        QTest::newRow("turbine 2 complexes alone")
            << 2 << working(2, 160, 16) << "001" << QList<int>{1951, 1952, 1955}
            << QList<int>{1951};
        QTest::newRow("complexes with no gate")
            << 2 << working(2, 160, 16) << "000" << QList<int>{} << QList<int>{};
        // Every complex takes 6 bar absolute; equality passes on Qmax and Qmin too.
        QTest::newRow("complexes at 6 bar absolute")
            << 2 << working(6, 25, 1.3) << "111" << QList<int>{1801, 1803, 1805, 1808}
            << QList<int>{1801};
        QTest::newRow("complexes above 6 bar absolute")
            << 2 << working(6.01, 25, 1.3) << "111" << QList<int>{} << QList<int>{};

        // 2 kPa gauge, 8 / 0.2 m3/h.
        QTest::newRow("utility meters at 2 kPa")
            << 4 << working(1.02, 8 / 1.02, 0.2 / 1.02) << "111"
            << QList<int>{1101, 1102, 1103, 1104, 1105, 1151, 1152, 1153, 1154}
            << QList<int>{1101, 1151};
        // 50 kPa gauge is 1.5 bar absolute, the meters' own Pmax; 51 kPa is above it.
        QTest::newRow("utility meters at 50 kPa")
            << 4 << working(1.5, 10, 0.06) << "111" << QList<int>{1101, 1102, 1151}
            << QList<int>{1101, 1151};
        QTest::newRow("utility meters at 51 kPa")
            << 4 << working(1.51, 10, 0.06) << "111" << QList<int>{} << QList<int>{};
        QTest::newRow("uncompensated meters alone")
            << 4 << working(1.5, 10, 0.06) << "100" << QList<int>{1101, 1102}
            << QList<int>{1101};
        QTest::newRow("compensated meters alone") << 4 << working(1.5, 10, 0.06) << "010"
                                                  << QList<int>{1151} << QList<int>{1151};
        QTest::newRow("utility meters ignore the third gate")
            << 4 << working(1.5, 10, 0.06) << "001" << QList<int>{} << QList<int>{};
        // Below -1 bar gauge the working flows turn negative and nothing fits.
        QTest::newRow("negative absolute pressure")
            << 2 << working(-1, -100, -10) << "111" << QList<int>{} << QList<int>{};

        for (int mode : {0, 1, 3, 5}) {
            QTest::addRow("mode %d", mode) << mode << working(2, 8, 1) << "111" << QList<int>{}
                                           << QList<int>{};
        }
    }

    void select()
    {
        QFETCH(int, mode);
        QFETCH(PressureSet, values);
        QFETCH(QString, gates);
        QFETCH(QList<int>, possible);
        QFETCH(QList<int>, optimal);

        const SelectionResult result =
            WorkingPressureSelection(catalogue_, mode, values, gatesFrom(gates));
        QCOMPARE(toList(result.possible), possible);
        QCOMPARE(toList(result.optimal), optimal);
    }

    // The lists by name, as the results window prints them.
    void names_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<PressureSet>("values");
        QTest::addColumn<QStringList>("possible");
        QTest::addColumn<QStringList>("optimal");

        QTest::newRow("complexes at 1 bar")
            << 2 << working(2, 50, 5)
            << QStringList{u"ZAM G40+KQ730"_s, u"ZAM G40+KQ730"_s, u"ZAM G65+KQ730"_s,
                           u"ZAM G65+KQ730"_s, u"ZAM G65+KQ730"_s, u"ZAM G100+KQ730"_s,
                           u"ZAM G100+KQ730"_s, u"ZAM G250+KQ730"_s}
            << QStringList{u"ZAM G40+KQ730"_s};
        QTest::newRow("utility meters at 2 kPa")
            << 4 << working(1.02, 8 / 1.02, 0.2 / 1.02)
            << QStringList{u"NM G6"_s, u"PIX G6"_s, u"NM G10"_s, u"NM G10"_s, u"NM G16"_s,
                           u"NM G6T"_s, u"NM G10T(мех)"_s, u"NM G10T(элек)"_s, u"NM G16T"_s}
            << QStringList{u"NM G6"_s, u"NM G6T"_s};
        QTest::newRow("complexes at 2 bar")
            << 2 << working(3, 100, 10) << QStringList{}
            << QStringList{u"ZAM G65+KQ730"_s, u"МАРИН/100"_s};
    }

    void names()
    {
        QFETCH(int, mode);
        QFETCH(PressureSet, values);
        QFETCH(QStringList, possible);
        QFETCH(QStringList, optimal);

        const SelectionResult result =
            WorkingPressureSelection(catalogue_, mode, values, {true, true, true});
        if (!possible.isEmpty())
            QCOMPARE(namesOf(result.possible), possible);
        QCOMPARE(namesOf(result.optimal), optimal);
    }
};

QTEST_APPLESS_MAIN(TestWorkingSelection)
#include "tst_working_selection.moc"
