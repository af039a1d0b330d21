// Speed of the logic behind every selection: filling the catalogue at start-up,
// each mode's selection function on inputs that find many rows, and one whole
// sizing step under each way of converting the flows.

#include "core/cabinet/cabinet_selection.h"
#include "core/pressure/pressure_units.h"
#include "core/catalogue/catalogue.h"
#include "core/catalogue/catalogue_table.h"
#include "core/selection/range_selection.h"
#include "core/selection/working_selection.h"
#include "core/sizing/sizing.h"

#include <QFile>
#include <QTest>

#include <memory>

namespace {

constexpr FamilyGates AllGates{true, true, true};

// One working pressure: both bounds equal, the flows already at working conditions.
PressureSet SinglePressure(double absolute, double qmaxWork, double qminWork)
{
    PressureSet p;
    p.PmaxAbs = absolute;
    p.PminAbs = absolute;
    p.PmaxGauge = absolute - 1;
    p.PminGauge = absolute - 1;
    p.QmaxWork = qmaxWork;
    p.QminWork = qminWork;
    return p;
}

// Mode 2, 100 and 10 m3/h at 3 bar gauge, the gas at -10 to 25 °C.
SizingRequest MeteringPoint(ConversionMethod method)
{
    SizingRequest r;
    r.mode = 2;
    r.qmaxStd = 100;
    r.qminStd = 10;
    r.working = {QStringLiteral("3"), static_cast<int>(PressureUnit::Bar)};
    r.conditions.method = method;
    r.conditions.tMin = -10;
    r.conditions.tMax = 25;
    if (method == ConversionMethod::Aga8) {
        gas::Composition &x = r.conditions.composition;
        x.fill(0);
        x[gas::IndexOf(gas::Component::Methane)] = 96.5;
        x[gas::IndexOf(gas::Component::Nitrogen)] = 1;
        x[gas::IndexOf(gas::Component::CarbonDioxide)] = 0.5;
        x[gas::IndexOf(gas::Component::Ethane)] = 1.8;
        x[gas::IndexOf(gas::Component::Propane)] = 0.2;
    }
    return r;
}

} // namespace

Q_DECLARE_METATYPE(PressureSet)

class BenchSelection : public QObject {
    Q_OBJECT

    ProductCatalogue catalogue;

private slots:
    void initTestCase() { catalogue.Fill(); }

    // What start-up does once: the product table read from the resource and parsed.
    void catalogueTable()
    {
        std::size_t rows = 0;
        QBENCHMARK {
            QFile file(QStringLiteral(":/catalogue/catalogue.csv"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            rows = ReadCatalogueTable(QString::fromUtf8(file.readAll())).rows.size();
        }
        QCOMPARE(rows, std::size_t(558));
    }

    // A fresh catalogue filled from the table already read (as every fill after the first).
    void catalogueFill()
    {
        int used = 0;
        QBENCHMARK {
            auto fresh = std::make_unique<ProductCatalogue>();
            fresh->Fill();
            used = fresh->usedCount();
        }
        QVERIFY(used > 0);
    }

    void rangeSelection_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("pmaxAbs");
        QTest::addColumn<double>("qmaxWork");
        QTest::addColumn<double>("qminWork");
        QTest::addColumn<int>("leastRows");
        QTest::newRow("mode 1") << 1 << 2.0 << 100.0 << 5.0 << 40;
        QTest::newRow("mode 3") << 3 << 2.0 << 100.0 << 50.0 << 30;
    }

    void rangeSelection()
    {
        QFETCH(int, mode);
        QFETCH(double, pmaxAbs);
        QFETCH(double, qmaxWork);
        QFETCH(double, qminWork);
        QFETCH(int, leastRows);
        SelectionResult result;
        QBENCHMARK {
            result = RangeSelection(catalogue, mode, pmaxAbs, qmaxWork, qminWork, AllGates);
        }
        // The measurement is only worth something on a long list.
        QVERIFY2(int(result.possible.size()) >= leastRows,
                 qPrintable(QString::number(result.possible.size())));
    }

    void workingPressureSelection_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<PressureSet>("values");
        QTest::addColumn<int>("leastRows");
        QTest::newRow("mode 2") << 2 << SinglePressure(1, 10, 5) << 10;
        QTest::newRow("mode 4") << 4 << SinglePressure(1, 10, 5) << 10;
    }

    void workingPressureSelection()
    {
        QFETCH(int, mode);
        QFETCH(PressureSet, values);
        QFETCH(int, leastRows);
        SelectionResult result;
        QBENCHMARK {
            result = WorkingPressureSelection(catalogue, mode, values, AllGates);
        }
        QVERIFY2(int(result.possible.size()) >= leastRows,
                 qPrintable(QString::number(result.possible.size())));
    }

    // Cabinet lists are short by nature; the metering point's first variant has
    // the longest one.
    void cabinetSelection_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("variant");
        QTest::addColumn<PressureSet>("values");
        QTest::addColumn<int>("leastRows");
        QTest::newRow("metering point") << int(CabinetKind::Metering) << 1
                                        << SinglePressure(1, 10, 10) << 5;
        QTest::newRow("reducing point") << int(CabinetKind::Reducing) << 1
                                        << SinglePressure(1.5, 0.5, 0.01) << 1;
    }

    void cabinetSelection()
    {
        QFETCH(int, kind);
        QFETCH(int, variant);
        QFETCH(PressureSet, values);
        QFETCH(int, leastRows);
        SelectionResult result;
        QBENCHMARK {
            result = CabinetSelection(catalogue, CabinetKind(kind), variant, values);
        }
        QVERIFY2(int(result.possible.size()) >= leastRows,
                 qPrintable(QString::number(result.possible.size())));
    }

    // One Size() of a metering point: the conversion, the selection and the rows with
    // their checks.
    void size_data()
    {
        QTest::addColumn<int>("method");
        for (const ConversionMethod m : {ConversionMethod::Simple, ConversionMethod::Gerg91,
                                         ConversionMethod::Aga8})
            QTest::newRow(qPrintable(MethodKey(m))) << static_cast<int>(m);
    }

    void size()
    {
        QFETCH(int, method);
        const SizingRequest request = MeteringPoint(static_cast<ConversionMethod>(method));
        SizingOutcome outcome;
        QBENCHMARK {
            outcome = Size(request, catalogue);
        }
        QVERIFY2(outcome.accepted && !outcome.possible.empty(), qPrintable(outcome.error));
    }
};

QTEST_GUILESS_MAIN(BenchSelection)
#include "bench_selection.moc"
