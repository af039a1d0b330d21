#include "report/sizing_report.h"
#include "report_test_support.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The sizing report, written as PDF and read back with pdftotext (C locale: a
// point separates decimals).
class TestReportPdf : public QObject {
    Q_OBJECT

    ProductCatalogue catalogue_;
    QTemporaryDir folder_;

    // The text of the PDF of the outcomes.
    QString written(const std::vector<SizingOutcome> &outcomes, const QString &name)
    {
        const QString path = folder_.filePath(name);
        QString error;
        if (!WriteReportPdf(path, outcomes, catalogue_, &error))
            qWarning("%s", qPrintable(error));
        return PdfText(path);
    }

    static QStringList pages(const QString &text)
    {
        QStringList pages = text.split(QLatin1Char('\f'));
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        catalogue_.Fill();
    }

    // Every found row is listed: each name as often as the two tables hold it.
    void everyRowListed_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("qmax");
        QTest::addColumn<double>("qmin");
        QTest::addColumn<QString>("pmax");
        QTest::addColumn<int>("maxPages");
        // 40 possible rows at working flows 100 and 5.
        QTest::newRow("mode 1, 40 rows") << 1 << 100.0 << 10.0 << "1" << 2;
        // 45 possible rows and one optimal.
        QTest::newRow("mode 1, 45 rows") << 1 << 150.0 << 20.0 << "1" << 2;
        QTest::newRow("mode 3") << 3 << 100.0 << 10.0 << "1" << 2;
    }

    void everyRowListed()
    {
        QFETCH(int, mode);
        QFETCH(double, qmax);
        QFETCH(double, qmin);
        QFETCH(QString, pmax);
        QFETCH(int, maxPages);
        const SizingOutcome outcome = Run(catalogue_, mode, qmax, qmin, pmax);
        QVERIFY(!outcome.possible.empty());
        const QString text = written({outcome}, QStringLiteral("rows.pdf"));

        QMap<QString, int> expected;
        for (const auto *list : {&outcome.optimal, &outcome.possible}) {
            for (const Candidate &c : *list)
                ++expected[c.record.Name];
        }
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(text.count(it.key()), it.value());

        const QStringList all = pages(text);
        QVERIFY(!all.isEmpty());
        QVERIFY(all.size() <= maxPages);
        for (int page = 0; page < all.size(); ++page) {
            QVERIFY(all[page].contains(QStringLiteral("Стр. %1 из %2").arg(page + 1).arg(all.size())));
            // A table that runs on repeats its header.
            QVERIFY(all[page].contains(ResultHeaderRow()[1]));
        }
    }

    // At working flows 100 and 5 a product of Qmax 400 and Qmin 4 runs at 25 % with a
    // margin of 1.25.
    void loadAndMargin()
    {
        const SizingOutcome outcome = Run(catalogue_, 1, 100, 10, QStringLiteral("1"));
        const auto known = std::find_if(outcome.possible.begin(), outcome.possible.end(),
                                        [](const Candidate &c) {
                                            return c.record.Qmax == 400 && c.record.Qmin == 4;
                                        });
        QVERIFY(known != outcome.possible.end());
        const QString text = written({outcome}, QStringLiteral("load.pdf"));
        const QRegularExpression line(
            QStringLiteral("^\\s*%1\\s+%2\\s.*\\s25\\.0\\s+1\\.25\\s*$")
                .arg(known->cells[0], QRegularExpression::escape(known->record.Name)),
            QRegularExpression::MultilineOption);
        QVERIFY2(line.match(text).hasMatch(), qPrintable(text.left(3000)));
        QVERIFY(text.contains(QStringLiteral("100 / 1")));
    }

    void currency()
    {
        const SizingOutcome utility = Run(catalogue_, 4, 5, 0.1, QStringLiteral("3"),
                                          QStringLiteral("0"), QStringLiteral("110"), 5);
        QVERIFY(!utility.possible.empty());
        const QString euros = written({utility}, QStringLiteral("euros.pdf"));
        QVERIFY(euros.contains(QStringLiteral("EVR")));
        QVERIFY(!euros.contains(QStringLiteral("руб")));

        // The KEL complexes have no list price.
        const SizingOutcome kel = Run(catalogue_, 2, 400, 60, QStringLiteral("1"),
                                      QStringLiteral("0"), QStringLiteral("001"));
        const auto negotiable = std::count_if(kel.possible.begin(), kel.possible.end(),
                                              [](const Candidate &c) { return c.record.Price == 0; });
        QVERIFY(negotiable > 0);
        const QString text = written({kel}, QStringLiteral("kel.pdf"));
        QCOMPARE(text.count(QStringLiteral("договорная")), negotiable + kel.optimal.size());
    }

    // Each outcome's report starts on a page of its own and counts its own pages.
    void severalOutcomes()
    {
        const SizingOutcome small = Run(catalogue_, 4, 5, 0.1, QStringLiteral("3"),
                                        QStringLiteral("0"), QStringLiteral("110"), 5);
        const SizingOutcome large = Run(catalogue_, 1, 150, 20, QStringLiteral("1"));
        const QStringList all = pages(written({small, large}, QStringLiteral("both.pdf")));
        QCOMPARE(all.size(), 3);
        QVERIFY(all[0].contains(QStringLiteral("Стр. 1 из 1")));
        QVERIFY(all[1].contains(QStringLiteral("Стр. 1 из 2")));
        QVERIFY(all[2].contains(QStringLiteral("Стр. 2 из 2")));
    }

    // No rows: the reason, or the refusal, and no table.
    void nothingListed_data()
    {
        QTest::addColumn<double>("qmax");
        QTest::addColumn<QString>("pmax");
        QTest::newRow("nothing fits") << 100000.0 << "1";
        QTest::newRow("refused") << 100.0 << "x";
    }

    void nothingListed()
    {
        QFETCH(double, qmax);
        QFETCH(QString, pmax);
        const SizingOutcome outcome = Run(catalogue_, 1, qmax, 10, pmax);
        const QString said = outcome.hasError() ? outcome.error : outcome.noFitReason;
        QVERIFY(!said.isEmpty());
        const QString text = written({outcome}, QStringLiteral("none.pdf")).simplified();
        QVERIFY2(text.contains(said), qPrintable(text));
        QVERIFY(!text.contains(ResultHeaderRow()[1]));
    }

    void refusedFile()
    {
        QTemporaryDir target;
        const QString path = target.filePath(QStringLiteral("missing/report.pdf"));
        QString error;
        QVERIFY(!WriteReportPdf(path, {Run(catalogue_, 1, 100, 10, QStringLiteral("1"))}, catalogue_,
                                &error));
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY(FolderEntries(target.path()).isEmpty());
    }

    void suggestedName()
    {
        SizingOutcome outcome;
        outcome.request.mode = 3;
        outcome.when = QDateTime(QDate(2024, 3, 5), QTime(23, 59));
        QCOMPARE(SuggestedReportName(outcome, QStringLiteral(".xlsx")),
                 QStringLiteral("подбор-2024-03-05-3.xlsx"));
        QCOMPARE(SuggestedReportName(outcome, QStringLiteral("pdf")),
                 QStringLiteral("подбор-2024-03-05-3.pdf"));
    }
};

QTEST_MAIN(TestReportPdf)
#include "tst_report_pdf.moc"
