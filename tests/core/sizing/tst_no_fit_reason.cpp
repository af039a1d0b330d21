#include "core/sizing/sizing.h"
#include "core/sizing/sizing.h"

#include <QLocale>
#include <QTest>

// Why a run found nothing, through Size() on the real catalogue (C locale: a point
// separates decimals).
class TestNoFitReason : public QObject {
    Q_OBJECT

    ProductCatalogue catalogue_;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        catalogue_.Fill();
    }

    void reason_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("pressure"); // gauge, bar: the upper bound, or the one pressure
        QTest::addColumn<double>("qmax");
        QTest::addColumn<double>("qmin");
        QTest::addColumn<QString>("gates");
        // Fragments the sentence holds, in order; none: the reason is empty.
        QTest::addColumn<QStringList>("fragments");

        QTest::newRow("fits") << 1 << "1" << 100.0 << 10.0 << "111" << QStringList{};
        QTest::newRow("refused input") << 1 << "x" << 100.0 << 10.0 << "111" << QStringList{};
        QTest::newRow("above the high class") << 1 << "80" << 100.0 << 10.0 << "111"
                                              << QStringList{"Pmax = 81 бар", "(75 бар)"};
        QTest::newRow("high class not chosen") << 1 << "20" << 100.0 << 10.0 << "100"
                                               << QStringList{"Pmax = 21 бар", "(16 бар)"};
        QTest::newRow("meters above 100 bar") << 3 << "120" << 100.0 << 10.0 << "111"
                                              << QStringList{"Pmax = 121 бар", "(100 бар)"};
        QTest::newRow("within the class, above every Pmax")
            << 1 << "69.5" << 1.0 << 0.5 << "010" << QStringList{"Pmax = 70.5 бар", "Pmax", "(70 бар)"};
        QTest::newRow("single pressure above the utility ceiling")
            << 4 << "3" << 5.0 << 0.1 << "11" << QStringList{"Рср = 4 бар", "(2 бар)"};
        QTest::newRow("flow above every Qmax") << 1 << "1" << 100000.0 << 10.0 << "111"
                                               << QStringList{"Qраб max = 100000", "(6500"};
        QTest::newRow("flow below every Qmin") << 1 << "1" << 100.0 << 0.01 << "111"
                                               << QStringList{"Qраб min = 0.005", "(1 "};
        QTest::newRow("tiny flow written in full") << 4 << "0.03" << 5.0 << 0.0001 << "11"
                                                   << QStringList{"Qраб min = 9.70873786407767E-5", "(0.06 "};
        QTest::newRow("nothing chosen") << 2 << "1" << 100.0 << 10.0 << "000"
                                        << QStringList{"Не выбрано"};
    }

    void reason()
    {
        QFETCH(int, mode);
        QFETCH(QString, pressure);
        QFETCH(double, qmax);
        QFETCH(double, qmin);
        QFETCH(QString, gates);
        QFETCH(QStringList, fragments);

        SizingRequest request;
        request.mode = mode;
        request.qmaxStd = qmax;
        request.qminStd = qmin;
        request.families = {gates.at(0) == u'1', gates.at(1) == u'1',
                            gates.size() > 2 && gates.at(2) == u'1'};
        request.range = mode == 1 || mode == 3;
        request.pmax = {pressure, 0};
        request.pmin = {QStringLiteral("0"), 0};
        request.working = {pressure, 0};
        const SizingOutcome outcome = Size(request, catalogue_);

        QCOMPARE(outcome.noFitReason, NoFitReason(outcome, catalogue_));
        if (fragments.isEmpty()) {
            QVERIFY2(outcome.noFitReason.isEmpty(), qPrintable(outcome.noFitReason));
            return;
        }
        QVERIFY(outcome.possible.empty());
        qsizetype from = 0;
        for (const QString &fragment : fragments) {
            from = outcome.noFitReason.indexOf(fragment, from);
            QVERIFY2(from >= 0, qPrintable(fragment + QStringLiteral(" in ") + outcome.noFitReason));
        }
    }
};

QTEST_GUILESS_MAIN(TestNoFitReason)
#include "tst_no_fit_reason.moc"
