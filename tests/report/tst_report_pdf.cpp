#include "report/batch_report.h"
#include "report/report_content.h"
#include "report/report_document.h"
#include "report/sizing_report.h"
#include "core/input/message_texts.h"
#include "core/pressure/pressure_units.h"
#include "report_test_support.h"

#include <algorithm>

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// The sizing report, written as PDF and read back with pdftotext (C locale: a
// point separates decimals).
class TestReportPdf : public QObject {
    Q_OBJECT

    ProductCatalogue catalogue_;
    QTemporaryDir folder_;

    QString written(const std::vector<SizingOutcome> &outcomes)
    {
        const QString path = folder_.filePath(QStringLiteral("report.pdf"));
        QString error;
        if (!WriteReportPdf(path, outcomes, catalogue_, &error))
            qWarning("%s", qPrintable(error));
        return PdfText(path);
    }

    // A product name as pdftotext lays it out: a narrow column may break it after a
    // hyphen, the rest of it on the next line under the same column.
    static QString namePattern(const QString &name)
    {
        QStringList pieces;
        qsizetype start = 0;
        for (qsizetype i = 0; i < name.size(); ++i) {
            if (name[i] == QLatin1Char('-') && i + 1 < name.size()) {
                pieces << QRegularExpression::escape(name.mid(start, i + 1 - start));
                start = i + 1;
            }
        }
        pieces << QRegularExpression::escape(name.mid(start));
        return pieces.join(QStringLiteral("(?:[^\\n]*\\n\\s+)?"));
    }

    // The text without the page furniture a row broken over two pages has between its
    // halves: the foot lines, the form feeds and the tables' header rows.
    static QString rowsText(const QString &text)
    {
        // A header row's lines: its first names the product column, the next ones hold
        // "№" or "изделия" or start far right; a row or a name's rest starts at the left.
        static const QRegularExpression headerLine(QStringLiteral("№|изделия|^\\s{10}"));
        QStringList kept;
        bool header = false;
        for (QString line : text.split(QLatin1Char('\n'))) {
            line.remove(QLatin1Char('\f'));
            if (line.contains(QStringLiteral("Наименование")))
                header = true;
            else if (header && !headerLine.match(line).hasMatch())
                header = false;
            if (!header && !line.contains(QStringLiteral("Стр. ")))
                kept << line;
        }
        return kept.join(QLatin1Char('\n'));
    }

    static QStringList pages(const QString &text)
    {
        QStringList pages = text.split(QLatin1Char('\f'));
        pages.removeAll(QString());
        return pages;
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QVERIFY(folder_.isValid());
        catalogue_.Fill();
    }

    // Every found row is listed (each name as often as the two tables hold it, a price
    // of 0 as "договорная"), in the run's currency, on numbered pages with the header.
    void everyRowListed_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("qmax");
        QTest::addColumn<double>("qmin");
        QTest::addColumn<QString>("pressure");
        QTest::addColumn<QString>("gates");
        QTest::addColumn<int>("unit");
        QTest::newRow("mode 1, 40 rows") << 1 << 100.0 << 10.0 << "1" << "111" << 0;
        QTest::newRow("mode 1, 45 rows") << 1 << 150.0 << 20.0 << "1" << "111" << 0;
        QTest::newRow("mode 3") << 3 << 100.0 << 10.0 << "1" << "111" << 0;
        QTest::newRow("mode 4, kPa, euros") << 4 << 5.0 << 0.1 << "3" << "110" << 5;
        // The KEL complexes have no list price.
        QTest::newRow("mode 2, KEL") << 2 << 400.0 << 60.0 << "1" << "001" << 0;
    }

    void everyRowListed()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        QFETCH(int, mode);
        QFETCH(double, qmax);
        QFETCH(double, qmin);
        QFETCH(QString, pressure);
        QFETCH(QString, gates);
        QFETCH(int, unit);
        const SizingOutcome outcome = Run(catalogue_, mode, qmax, qmin, pressure, gates, unit);
        QVERIFY(!outcome.possible.empty());
        const QString text = written({outcome});

        QMap<QString, int> names;
        int negotiable = 0;
        for (const auto *list : {&outcome.optimal, &outcome.possible}) {
            for (const Candidate &c : *list) {
                ++names[c.record.Name];
                negotiable += c.record.Price == 0;
            }
        }
        for (auto it = names.cbegin(); it != names.cend(); ++it) {
            // The whole name: "NM G6" is not counted in "NM G6T".
            const QRegularExpression name(namePattern(it.key()) + QStringLiteral("(?!\\S)"));
            int count = 0;
            for (auto match = name.globalMatch(rowsText(text)); match.hasNext(); match.next())
                ++count;
            QVERIFY2(count == it.value(), qPrintable(it.key()));
        }
        QCOMPARE(text.count(QStringLiteral("договорная")), negotiable);
        QCOMPARE(text.contains(QStringLiteral("EVR")), outcome.currency == Currency::Euros);

        const QStringList all = pages(text);
        QVERIFY(!all.isEmpty());
        // 45 rows among them; rows with flags under "Примечание" take more height.
        const bool notes = std::any_of(outcome.possible.begin(), outcome.possible.end(),
                                       [](const Candidate &c) { return !c.flags.isEmpty(); });
        QVERIFY(all.size() <= (notes ? 3 : 2));
        for (int page = 0; page < all.size(); ++page) {
            QVERIFY(all[page].contains(QStringLiteral("Стр. %1 из %2").arg(page + 1).arg(all.size())));
            // The narrower columns beside "Примечание" break the caption.
            QVERIFY(all[page].contains(ResultHeaderRow()[1].section(QLatin1Char(' '), 0, 0)));
        }
    }

    // At working flows 100 and 5 a product of Qmax 400 and Qmin 4 runs at 25 % with a
    // margin of 1.25.
    void loadAndMargin()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        const SizingOutcome outcome = Run(catalogue_, 1, 100, 10, QStringLiteral("1"));
        const auto known = std::find_if(outcome.possible.begin(), outcome.possible.end(),
                                        [](const Candidate &c) {
                                            return c.record.Qmax == 400 && c.record.Qmin == 4;
                                        });
        QVERIFY(known != outcome.possible.end());
        const QRegularExpression line(
            QStringLiteral("^\\s*%1\\s+%2\\s.*\\s25\\.0\\s+1\\.25(\\s|$)")
                .arg(known->cells[0], namePattern(known->record.Name)),
            QRegularExpression::MultilineOption);
        const QString text = written({outcome});
        QVERIFY(line.match(text).hasMatch());
        QVERIFY(text.contains(QStringLiteral("100 / 1")));
    }

    // A range run lists both absolute pressures, each from its own bound (3 and 1 bar
    // gauge: 4 and 2 bar absolute), and divides by the right one.
    void absolutePressures()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        SizingRequest request;
        request.mode = 1;
        request.qmaxStd = 100;
        request.qminStd = 10;
        request.families = {true, true, true};
        request.range = true;
        request.pmax = {QStringLiteral("3"), 0};
        request.pmin = {QStringLiteral("1"), 0};
        const QString text = written({Size(request, catalogue_)});
        const auto line = [](const QString &caption, const QString &value) {
            return QRegularExpression(QStringLiteral("^\\s*%1:\\s+%2\\s+бар\\s*$")
                                          .arg(QRegularExpression::escape(caption), value),
                                      QRegularExpression::MultilineOption);
        };
        QVERIFY(line(QStringLiteral("Pmax (абсолютное)"), QStringLiteral("4")).match(text).hasMatch());
        QVERIFY(line(QStringLiteral("Pmin (абсолютное)"), QStringLiteral("2")).match(text).hasMatch());
        QVERIFY(text.contains(QStringLiteral("100 / 2")));
        QVERIFY(text.contains(QStringLiteral("10 / 4")));
    }

    // A range run lists each gauge bound as typed with its unit and, typed in
    // another unit, in bar; the wide-range warning appears when the bounds are far
    // apart (their absolute ratio above 5) and only then.
    void gaugeLinesAndWarning_data()
    {
        QTest::addColumn<QString>("pmax");
        QTest::addColumn<QString>("pmin");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("pmaxBar");
        QTest::addColumn<QString>("pminBar");
        QTest::addColumn<bool>("wide");
        QTest::newRow("bar") << "3" << "1" << int(PressureUnit::Bar) << "" << "" << false;
        QTest::newRow("kPa") << "300" << "100" << int(PressureUnit::Kilopascal) << "3" << "1" << false;
        QTest::newRow("bar, wide") << "4.5" << "0" << int(PressureUnit::Bar) << "" << "" << true;
        QTest::newRow("MPa, wide") << "0.6" << "0" << int(PressureUnit::Megapascal) << "6" << "0" << true;
    }
    void gaugeLinesAndWarning()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        QFETCH(QString, pmax);
        QFETCH(QString, pmin);
        QFETCH(int, unit);
        QFETCH(QString, pmaxBar);
        QFETCH(QString, pminBar);
        QFETCH(bool, wide);
        SizingRequest request;
        request.mode = 1;
        request.qmaxStd = 100;
        request.qminStd = 10;
        request.families = {true, true, true};
        request.range = true;
        request.pmax = {pmax, unit};
        request.pmin = {pmin, unit};
        const SizingOutcome outcome = Size(request, catalogue_);
        QVERIFY(outcome.accepted);
        const QString text = written({outcome}).simplified();
        const QString typed = QStringLiteral("%1 (избыточное, как введено): %2 %3");
        QVERIFY2(text.contains(typed.arg(QStringLiteral("Pmax"), pmax, PressureUnitText(unit))), qPrintable(text.left(1500)));
        QVERIFY(text.contains(typed.arg(QStringLiteral("Pmin"), pmin, PressureUnitText(unit))));
        const QString inBar = QStringLiteral("%1 (избыточное): %2 бар");
        QCOMPARE(text.contains(QStringLiteral("(избыточное):")), !pmaxBar.isEmpty());
        if (!pmaxBar.isEmpty()) {
            QVERIFY(text.contains(inBar.arg(QStringLiteral("Pmax"), pmaxBar)));
            QVERIFY(text.contains(inBar.arg(QStringLiteral("Pmin"), pminBar)));
        }
        QCOMPARE(outcome.wideRange, wide);
        QCOMPARE(text.contains(Messages::WideRange()), wide);
    }

    // Each outcome's report starts on a page of its own and counts its own pages.
    void severalOutcomes()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        const SizingOutcome first = Run(catalogue_, 4, 5, 0.1, QStringLiteral("3"), QStringLiteral("110"), 5);
        const SizingOutcome second = Run(catalogue_, 1, 150, 20, QStringLiteral("1"));
        const qsizetype firstPages = pages(written({first})).size();
        const qsizetype secondPages = pages(written({second})).size();
        QCOMPARE(firstPages, 1);
        QVERIFY(secondPages >= 2);
        const QStringList all = pages(written({first, second}));
        QCOMPARE(all.size(), firstPages + secondPages);
        QVERIFY(all[0].contains(QStringLiteral("Стр. 1 из 1")));
        for (qsizetype page = 1; page <= secondPages; ++page)
            QVERIFY(all[firstPages + page - 1].contains(QStringLiteral("Стр. %1 из %2").arg(page).arg(secondPages)));
    }

    // A batch as one document: the contents list every point with the page its report
    // starts on; each point's pages, and only those, carry its heading; the pages are
    // counted over the whole file.
    void batchDocument_data()
    {
        QTest::addColumn<QString>("kinds"); // per point: 1 one page, 2 two pages, r refused, n nothing fits
        QTest::addColumn<bool>("ids");
        QTest::newRow("one point of two pages") << "2" << true;
        QTest::newRow("pages of one and two, refused, nothing fits") << "12r1n2" << true;
        QTest::newRow("no ids") << "21" << false;
        QTest::newRow("contents over more than one page") << QString(70, u'1') << true;
    }

    void batchDocument()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        QFETCH(QString, kinds);
        QFETCH(bool, ids);
        std::vector<ReportedPoint> points;
        for (qsizetype i = 0; i < kinds.size(); ++i) {
            const QChar kind = kinds[i];
            SizingOutcome outcome = kind == u'2' ? Run(catalogue_, 1, 150, 20, QStringLiteral("1"))
                : kind == u'r'                   ? Run(catalogue_, 1, 100, 10, QStringLiteral("x"))
                : kind == u'n'                   ? Run(catalogue_, 1, 100000, 10, QStringLiteral("1"))
                                                 : Run(catalogue_, 4, 5, 0.1, QStringLiteral("3"), QStringLiteral("110"), 5);
            points.push_back({ids ? QStringLiteral("Точка-%1").arg(i + 1, 2, 10, QLatin1Char('0')) : QString(),
                              int(i) + 2, std::move(outcome)});
        }
        const QString path = folder_.filePath(QStringLiteral("batch.pdf"));
        QString error;
        QVERIFY2(WriteBatchReportPdf(path, points, catalogue_, &error), qPrintable(error));
        const QStringList all = pages(PdfText(path));
        // The first page is headed by the title and the number of points; the file
        // carries the title too.
        QVERIFY(all.value(0).startsWith(ReportTitle()));
        QVERIFY(all.value(0).contains(QStringLiteral("Пакетный подбор, точек: %1").arg(points.size())));
        const QString info = QString::fromUtf8(ToolOutput(QStringLiteral("pdfinfo"), {path}));
        QVERIFY2(QRegularExpression(QStringLiteral("^Title:\\s+%1$").arg(ReportTitle()), QRegularExpression::MultilineOption)
                     .match(info).hasMatch(), qPrintable(info));
        for (int page = 0; page < all.size(); ++page)
            QVERIFY(all[page].contains(QStringLiteral("Стр. %1 из %2").arg(page + 1).arg(all.size())));

        // Each point's start as the contents give it, on the line of its input line
        // number (and id); the contents end where the first report starts.
        std::vector<int> starts;
        QString contents;
        for (const QString &page : all) {
            if (page.contains(PointHeading(points.front().id, points.front().line)))
                break;
            contents += page;
        }
        for (const ReportedPoint &point : points) {
            const QRegularExpression entry(QStringLiteral("^\\s*%1\\s+%2.*\\s(\\d+)\\s*$")
                                               .arg(point.line)
                                               .arg(QRegularExpression::escape(point.id)),
                                           QRegularExpression::MultilineOption);
            const QRegularExpressionMatch match = entry.match(contents);
            QVERIFY2(match.hasMatch(), qPrintable(point.id));
            starts.push_back(match.captured(1).toInt());
        }
        QCOMPARE(starts.front(), int(all.size()) - int(std::count_if(all.begin(), all.end(), [&](const QString &page) {
                                         return page.contains(QStringLiteral("входной таблицы"));
                                     })) + 1);
        starts.push_back(int(all.size()) + 1);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const QString heading = PointHeading(points[i].id, points[i].line);
            QVERIFY(starts[i] < starts[i + 1]);
            for (int page = starts[i]; page < starts[i + 1]; ++page) {
                QVERIFY2(all[page - 1].startsWith(heading), qPrintable(all[page - 1].left(80)));
                QCOMPARE(all[page - 1].count(QStringLiteral("входной таблицы")), 1);
            }
            QVERIFY(all[starts[i] - 1].contains(ReportTitle()));
        }
    }

    // A field of a megabyte, in the windows' report heading and as a batch point's
    // id, is shortened with "…" and the PDF is written well within the budget.
    void longField_data()
    {
        QTest::addColumn<bool>("batch");
        QTest::newRow("report heading") << false;
        QTest::newRow("batch id") << true;
    }
    void longField()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        QFETCH(bool, batch);
        const QString id(1 << 20, QLatin1Char('A'));
        const QString path = folder_.filePath(QStringLiteral("long.pdf"));
        const SizingOutcome outcome = Run(catalogue_, 1, 100, 10, QStringLiteral("1"));
        QString error;
        if (batch)
            QVERIFY2(WriteBatchReportPdf(path, {{id, 2, outcome}}, catalogue_, &error), qPrintable(error));
        else
            QVERIFY2(WriteReportPdf(path, {outcome}, catalogue_, &error, {{}, {}, id, {}}), qPrintable(error));
        const QString text = PdfText(path);
        QVERIFY(text.contains(QStringLiteral("A…")));
        QVERIFY(text.count(QLatin1Char('A')) < 10 * LongestReportText);
        QVERIFY(text.contains(OptimalTitle()));
    }

#ifdef Q_OS_UNIX
    // A new report, of the windows or of a batch, gets the mode the umask gives.
    void newFileMode_data()
    {
        QTest::addColumn<bool>("batch");
        QTest::addColumn<int>("mask");
        for (const int mask : {077, 022}) {
            QTest::addRow("report, umask %03o", mask) << false << mask;
            QTest::addRow("batch, umask %03o", mask) << true << mask;
        }
    }
    void newFileMode()
    {
        QFETCH(bool, batch);
        QFETCH(int, mask);
        QTemporaryDir target;
        const QString path = target.filePath(QStringLiteral("new.pdf"));
        const SizingOutcome outcome = Run(catalogue_, 4, 5, 0.1, QStringLiteral("3"), QStringLiteral("110"), 5);
        QString error;
        const mode_t old = ::umask(static_cast<mode_t>(mask));
        const bool written = batch ? WriteBatchReportPdf(path, {{QStringLiteral("p"), 2, outcome}}, catalogue_, &error)
                                   : WriteReportPdf(path, {outcome}, catalogue_, &error);
        ::umask(old);
        QVERIFY2(written, qPrintable(error));
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
        QCOMPARE(int(status.st_mode & 0777), 0666 & ~mask);
    }
#endif

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
        SKIP_WITHOUT_PDFTOTEXT();
        QFETCH(double, qmax);
        QFETCH(QString, pmax);
        const SizingOutcome outcome = Run(catalogue_, 1, qmax, 10, pmax);
        const QString said = outcome.hasError() ? outcome.error : outcome.noFitReason;
        QVERIFY(!said.isEmpty());
        const QString text = written({outcome}).simplified();
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
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        QVERIFY(FolderEntries(target.path()).isEmpty());
    }

    // The report carries its fonts and their text (a platform without fonts would
    // write glyphless pages), and the file ends whole; this check needs no pdftotext.
    void embedsItsFonts()
    {
        const QString path = folder_.filePath(QStringLiteral("fonts.pdf"));
        QString error;
        QVERIFY2(WriteReportPdf(path, {Run(catalogue_, 1, 100, 10, QStringLiteral("1"))}, catalogue_, &error),
                 qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
        QVERIFY(pdf.contains("/FontFile2"));
        QVERIFY(pdf.contains("/ToUnicode"));
    }

    void suggestedName()
    {
        SizingOutcome outcome;
        outcome.request.mode = 3;
        outcome.when = QDateTime(QDate(2024, 3, 5), QTime(23, 59));
        QCOMPARE(SuggestedReportName(outcome, QStringLiteral(".pdf")), QStringLiteral("подбор-2024-03-05-3.pdf"));
        QCOMPARE(SuggestedReportName(outcome, QStringLiteral("xlsx")), QStringLiteral("подбор-2024-03-05-3.xlsx"));
    }
};

QTEST_MAIN(TestReportPdf)
#include "tst_report_pdf.moc"
