// The batch program on many threads and over long runs: every number of threads
// writes the bytes one thread writes, --rows optimal keeps exactly the optimal lines,
// and the progress line, --quiet and a stop by a signal behave as the manual says.

#include "batch/batch_output.h"
#include "batch/batch_run.h"
#include "core/table/csv_reader.h"

#include "../report/report_test_support.h"
#include "batch_tables.h"
#include "batch_test_support.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// Over a dozen chunks of points, with refused ones among them.
QByteArray MixedTable(int points)
{
    return TableText(MixedHeader(), MixedPoints(points)).toUtf8();
}

std::vector<QStringList> CsvRecords(const QByteArray &text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer);
    std::vector<QStringList> records;
    while (const auto record = reader.next())
        records.push_back(record->fields);
    return records;
}

} // namespace

class TestBatchThreads : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // The same bytes, messages and status for every number of threads, in each
    // streamed format, with every row or the optimal ones, in either locale.
    void threadsWriteTheSameBytes_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<bool>("russian");
        for (const QString &format : {u"csv"_s, u"json"_s})
            for (const QString &rows : {u"all"_s, u"optimal"_s})
                for (const bool russian : {false, true})
                    QTest::addRow("%s, rows %s%s", qPrintable(format), qPrintable(rows), russian ? ", ru" : "")
                        << format << rows << russian;
    }

    void threadsWriteTheSameBytes()
    {
        QFETCH(QString, format);
        QFETCH(QString, rows);
        QFETCH(bool, russian);
        if (russian)
            QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        constexpr int Points = 1500;
        const QByteArray input = MixedTable(Points);
        const QStringList arguments{u"-f"_s, format, u"--rows"_s, rows};
        const BatchResult one = RunInProcess(arguments + QStringList{u"--jobs"_s, u"1"_s}, input);
        QCOMPARE(one.status, BatchInputErrors);
        QVERIFY(one.out.size() > 100'000);
        int refused = 0; // the kinds of point refused for their Qmin and their Pmin
        for (int i = 1; i <= Points; ++i)
            refused += i % 14 == 9 || i % 14 == 10;
        QCOMPARE(one.errors.count(u'\n'), refused); // every refused point named once
        for (const int jobs : {2, 3, 8}) {
            const BatchResult many = RunInProcess(arguments + QStringList{u"--jobs"_s, QString::number(jobs)}, input);
            QCOMPARE(many.status, one.status);
            QCOMPARE(many.errors, one.errors);
            QVERIFY2(many.out == one.out, qPrintable(u"%1 threads"_s.arg(jobs)));
        }
    }

    // A table that breaks off in its middle: the points before it written and named as
    // one thread writes them, then the fault, whatever the number of threads.
    void faultAfterManyPoints()
    {
        const QByteArray input = MixedTable(1500) + "p;2\n" + MixedTable(10).mid(MixedTable(10).indexOf('\n') + 1);
        const BatchResult one = RunInProcess({u"--jobs"_s, u"1"_s}, input);
        QCOMPARE(one.status, BatchFailed);
        QVERIFY2(one.errors.endsWith(u"строка 1502, столбец 3 (families): нет поля; в строке полей: 2, в заголовке: 22\n"_s),
                 qPrintable(one.errors.right(200)));
        const BatchResult four = RunInProcess({u"--jobs"_s, u"4"_s}, input);
        QCOMPARE(four.status, one.status);
        QCOMPARE(four.errors, one.errors);
        QCOMPARE(four.out, one.out);
    }

    // --rows optimal: each point's optimal lines of the full table, in order, and its
    // one line (none or error) when it has no optimal row; in JSON the same optimal
    // rows and no possible ones.
    void optimalRowsOnly()
    {
        const QByteArray input = MixedTable(600);
        const std::vector<QStringList> all = CsvRecords(RunInProcess({}, input).out);
        const std::vector<QStringList> optimal = CsvRecords(RunInProcess({u"--rows"_s, u"optimal"_s}, input).out);
        QCOMPARE(optimal.front(), all.front());
        const qsizetype line = all.front().indexOf(u"line"_s), result = all.front().indexOf(u"result"_s),
                        flags = all.front().indexOf(u"flags"_s);
        std::vector<QStringList> expected;
        int withoutOptimal = 0;
        for (std::size_t i = 1; i < all.size();) {
            std::size_t end = i;
            while (end < all.size() && all[end][line] == all[i][line])
                ++end;
            const std::size_t before = expected.size();
            for (std::size_t j = i; j < end; ++j) {
                if (all[j][result] == u"optimal"_s)
                    expected.push_back(all[j]);
            }
            if (expected.size() == before) {
                QStringList one = all[i];
                if (one[result] == u"possible"_s) { // rows, but none of them optimal
                    ++withoutOptimal;
                    one[result] = u"none"_s;
                    for (qsizetype c = all.front().indexOf(u"slot"_s); c <= all.front().indexOf(u"qmin_margin"_s); ++c)
                        one[c].clear();
                    one[flags].clear();
                    one[all.front().indexOf(u"v_inlet"_s)].clear();
                }
                expected.push_back(one);
            }
            i = end;
        }
        QVERIFY(withoutOptimal > 0);
        QCOMPARE(std::vector<QStringList>(optimal.begin() + 1, optimal.end()), expected);

        const QJsonArray full = QJsonDocument::fromJson(RunInProcess({u"-f"_s, u"json"_s}, input).out)[u"points"_s].toArray();
        const QJsonArray kept =
            QJsonDocument::fromJson(RunInProcess({u"-f"_s, u"json"_s, u"--rows"_s, u"optimal"_s}, input).out)[u"points"_s]
                .toArray();
        QCOMPARE(kept.size(), full.size());
        for (qsizetype i = 0; i < full.size(); ++i) {
            QCOMPARE(kept[i][u"optimal"_s], full[i][u"optimal"_s]);
            QCOMPARE(kept[i][u"possible"_s].toArray(), QJsonArray());
            QCOMPARE(kept[i][u"no_fit_reason"_s], full[i][u"no_fit_reason"_s]);
        }
    }

    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("refusal"); // empty: taken
        QTest::newRow("jobs") << QStringList{u"--jobs"_s, u"3"_s} << QString();
        QTest::newRow("jobs joined") << QStringList{u"-j4"_s, u"--jobs=2"_s} << QString();
        QTest::newRow("no threads") << QStringList{u"--jobs"_s, u"0"_s} << u"--jobs"_s;
        QTest::newRow("jobs not a number") << QStringList{u"-j"_s, u"two"_s} << u"«two»"_s;
        QTest::newRow("rows") << QStringList{u"--rows=optimal"_s} << QString();
        QTest::newRow("rows unknown") << QStringList{u"--rows"_s, u"best"_s} << u"all или optimal"_s;
        QTest::newRow("optimal rows in a report") << QStringList{u"--rows"_s, u"optimal"_s, u"-o"_s, u"r.pdf"_s}
                                                 << u"pdf"_s;
        QTest::newRow("progress and quiet") << QStringList{u"--progress"_s, u"-q"_s} << u"--quiet"_s;
        QTest::newRow("workbook input") << QStringList{u"--input-format"_s, u"xlsx"_s, u"--sheet"_s, u"Точки"_s}
                                        << QString();
        QTest::newRow("input format unknown") << QStringList{u"--input-format=ods"_s} << u"csv, project или xlsx"_s;
    }

    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, refusal);
        QString why;
        const std::optional<BatchOptions> options = ParseBatchArguments(arguments, &why);
        QCOMPARE(options.has_value(), refusal.isEmpty());
        QVERIFY2(why.contains(refusal), qPrintable(why));
    }

    // --quiet: no message about a refused point (the status still says so); a fault of
    // the whole input is still named.
    void quietKeepsFatalMessages()
    {
        const QByteArray input = MixedTable(30);
        const BatchResult quiet = RunInProcess({u"--quiet"_s}, input);
        QCOMPARE(quiet.status, BatchInputErrors);
        QCOMPARE(quiet.errors, QString());
        QCOMPARE(quiet.out, RunInProcess({}, input).out);
        const BatchResult broken = RunInProcess({u"-q"_s}, input + "p;1\n");
        QCOMPARE(broken.status, BatchFailed);
        QVERIFY2(broken.errors.contains(u"нет поля"_s), qPrintable(broken.errors));
    }

    // The collected formats on one thread or many: the same cells and the same pages.
    void collectedFormatsAlike_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("rows");
        QTest::newRow("xlsx, all rows") << u"xlsx"_s << u"all"_s;
        QTest::newRow("xlsx, optimal rows") << u"xlsx"_s << u"optimal"_s;
        QTest::newRow("pdf") << u"pdf"_s << u"all"_s;
    }

    void collectedFormatsAlike()
    {
        QFETCH(QString, format);
        QFETCH(QString, rows);
#ifdef Q_OS_WIN
        if (format == u"pdf"_s)
            SKIP_WITHOUT_PDFTOTEXT();
#endif
        QTemporaryDir dir;
        const QByteArray input = MixedTable(format == u"pdf"_s ? 30 : 200);
        const QByteArray csv = RunInProcess({u"--rows"_s, rows}, input).out;
        QStringList written;
        for (const QString &jobs : {u"1"_s, u"3"_s}) {
            const QString file = dir.filePath(u"r"_s + jobs + u'.' + format);
            QProcess p;
            p.start(QStringLiteral(GAS_BATCH_EXECUTABLE), {u"-j"_s, jobs, u"--rows"_s, rows, u"-o"_s, file});
            p.write(input);
            p.closeWriteChannel();
            QVERIFY(p.waitForFinished(120000));
            QCOMPARE(p.exitCode(), BatchInputErrors);
            written << file;
        }
        if (format == u"pdf"_s) {
            // Each report names the time of its sizing, which differs between the runs.
            static const QRegularExpression when(u"\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d"_s);
            const QString text = PdfText(written[0]).remove(when);
            QVERIFY(text.contains(u"Точка 29"_s));
            QCOMPARE(PdfText(written[1]).remove(when), text);
            return;
        }
        const QMap<QString, SheetCell> cells = SheetCells(written[0]);
        // One sheet row for each line of the table (and its header).
        QCOMPARE(cells.value(u"A"_s + QString::number(csv.count('\n'))).value, CsvRecords(csv).back().front());
        QVERIFY(!cells.contains(u"A"_s + QString::number(csv.count('\n') + 1)));
        const QMap<QString, SheetCell> again = SheetCells(written[1]);
        QCOMPARE(again.size(), cells.size());
        for (auto it = cells.cbegin(); it != cells.cend(); ++it)
            QCOMPARE(again.value(it.key()).value, it->value);
    }

#ifdef Q_OS_UNIX
    // Standard input fed in portions, so that the run lasts while the test looks at
    // it: the progress line when it is asked for (and nothing of it otherwise, on a
    // standard error that is no terminal); SIGINT and SIGTERM stop the run with status
    // 130, with no file at OUTPUT and no temporary file beside it.
    void stoppedRun_data()
    {
        QTest::addColumn<bool>("progress");
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("jobs");
        QTest::newRow("SIGINT, progress shown") << true << int(SIGINT) << 2;
        QTest::newRow("SIGINT, one thread") << true << int(SIGINT) << 1;
        QTest::newRow("SIGTERM, no progress asked for") << false << int(SIGTERM) << 2;
    }

    void stoppedRun()
    {
        QFETCH(bool, progress);
        QFETCH(int, signal);
        QFETCH(int, jobs);
        QTemporaryDir dir;
        const QString output = dir.filePath(u"out.csv"_s);
        QProcess p;
        QStringList arguments{u"-j"_s, QString::number(jobs), u"-o"_s, output};
        if (progress)
            arguments << u"--progress"_s;
        p.start(QStringLiteral(GAS_BATCH_EXECUTABLE), arguments);
        QVERIFY(p.waitForStarted());
        const QByteArray portion = MixedTable(2000).mid(MixedTable(1).indexOf('\n') + 1);
        p.write(TableText(MixedHeader(), {}).toUtf8());
        QByteArray errors;
        QElapsedTimer clock;
        clock.start();
        // Without a progress line to wait for, as long as it takes one to show.
        while (clock.elapsed() < 20000 && (progress ? !errors.contains("точек:") : clock.elapsed() < 1500)) {
            p.write(portion);
            p.waitForBytesWritten(5000);
            QThread::msleep(150);
            errors += p.readAllStandardError();
        }
        QVERIFY2(!progress || errors.contains("точек:"), errors.constData());
        ::kill(static_cast<pid_t>(p.processId()), signal);
        // The run notices between points: more of them, then the end of the input.
        p.write(portion);
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(60000));
        errors += p.readAllStandardError();
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), BatchInterrupted);
        QVERIFY2(errors.contains("прервано: " + QFile::encodeName(output) + " не записан"), errors.constData());
        QCOMPARE(errors.contains("точек:"), progress);
        QCOMPARE(errors.contains('\r'), progress);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }
#endif
};

QTEST_GUILESS_MAIN(TestBatchThreads)
#include "tst_batch_threads.moc"
