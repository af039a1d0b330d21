// Speed of the report files of a 45-row result (mode 1, 150 and 20 m3/h at 1 bar
// gauge): the document built and its PDF written, and its workbook written.

#include "report/sizing_report.h"
#include "report/xlsx_sizing.h"
#include "core/sizing/sizing.h"

#include <QTemporaryDir>
#include <QTest>

class BenchReport : public QObject {
    Q_OBJECT

    ProductCatalogue catalogue_;
    SizingOutcome outcome_;
    QTemporaryDir folder_;

private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        catalogue_.Fill();
        SizingRequest request;
        request.mode = 1;
        request.qmaxStd = 150;
        request.qminStd = 20;
        request.range = true;
        request.pmax = {QStringLiteral("1"), 0};
        request.pmin = {QStringLiteral("0"), 0};
        outcome_ = Size(request, catalogue_);
        QCOMPARE(outcome_.possible.size(), std::size_t(45));
        // The fonts are loaded once per process, before the first measurement.
        QVERIFY(WriteReportPdf(folder_.filePath(QStringLiteral("warm.pdf")), {outcome_}, catalogue_,
                               nullptr));
    }

    void reportPdf()
    {
        const QString path = folder_.filePath(QStringLiteral("report.pdf"));
        bool written = false;
        QBENCHMARK {
            written = WriteReportPdf(path, {outcome_}, catalogue_, nullptr);
        }
        QVERIFY(written);
    }

    void reportXlsx()
    {
        const QString path = folder_.filePath(QStringLiteral("report.xlsx"));
        bool written = false;
        QBENCHMARK {
            written = WriteSizingXlsx(path, outcome_, catalogue_, nullptr);
        }
        QVERIFY(written);
    }
};

QTEST_MAIN(BenchReport)
#include "bench_report.moc"
