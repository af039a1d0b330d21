// Speed of the two compressibility methods as the sizing uses them: one gas made, then Z at
// the three points of a request (two working points and standard conditions).

#include "core/gas/aga8.h"
#include "core/gas/gerg91.h"

#include <QTest>

using gas::Component;

namespace {

// Gas 2 of ISO 12213-2, Annex C: ten components.
gas::Composition Gas2()
{
    gas::Composition x{};
    x[gas::IndexOf(Component::Methane)] = 90.7;
    x[gas::IndexOf(Component::Nitrogen)] = 3.1;
    x[gas::IndexOf(Component::CarbonDioxide)] = 0.5;
    x[gas::IndexOf(Component::Ethane)] = 4.5;
    x[gas::IndexOf(Component::Propane)] = 0.84;
    x[gas::IndexOf(Component::Isobutane)] = 0.10;
    x[gas::IndexOf(Component::NButane)] = 0.15;
    x[gas::IndexOf(Component::Isopentane)] = 0.03;
    x[gas::IndexOf(Component::NPentane)] = 0.04;
    x[gas::IndexOf(Component::NHexane)] = 0.04;
    return x;
}

constexpr double Points[3][2] = {{1.2, 268.15}, {0.35, 303.15}, {0.101325, 293.15}};

} // namespace

class BenchGas : public QObject {
    Q_OBJECT

private slots:
    void aga8MakeAndThreePoints()
    {
        const gas::Composition x = Gas2();
        double sum = 0;
        QBENCHMARK {
            const auto made = gas::Aga8Gas::Make(x);
            const auto &g = std::get<gas::Aga8Gas>(made);
            for (const auto &point : Points)
                sum += std::get<double>(g.Z(point[0], point[1]));
        }
        QVERIFY(sum > 0);
    }

    void gerg91MakeAndThreePoints()
    {
        double sum = 0;
        QBENCHMARK {
            const auto made = gas::Gerg91Gas::Make(0.7323, 3.1, 0.5);
            const auto &g = std::get<gas::Gerg91Gas>(made);
            for (const auto &point : Points)
                sum += std::get<double>(g.Z(point[0], point[1]));
        }
        QVERIFY(sum > 0);
    }
};

QTEST_GUILESS_MAIN(BenchGas)
#include "bench_gas.moc"
