// The batch program on a project file: the same results as on the table of its points
// that the project window exports, in every format, by the name or told; a damaged
// project refused as a whole.
#include "batch/batch_run.h"

#include "batch_test_support.h"
#include "core/project/project_file.h"
#include "core/project/project_table.h"
#include "zip_member.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ExampleTable()
{
    const ProjectReading reading = ReadProjectFile(ReadAll(QStringLiteral(GAS_EXAMPLE_PROJECT)));
    return reading.project ? WriteProjectTable(*reading.project) : QByteArray();
}

} // namespace

class TestBatchProject : public QObject {
    Q_OBJECT

private slots:
    void sameAsExportedTable_data();
    void sameAsExportedTable();
    void toldByOption();
    void documentAndWorkbook();
    void refusedProject_data();
    void refusedProject();
};

void TestBatchProject::sameAsExportedTable_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("csv") << u"csv"_s;
    QTest::newRow("json") << u"json"_s;
}

void TestBatchProject::sameAsExportedTable()
{
    QFETCH(QString, format);
    const QByteArray table = ExampleTable();
    QVERIFY(table.count('\n') == 6); // the header and five points

    const BatchResult ofTable = RunInProcess({u"--format"_s, format}, table);
    const BatchResult ofProject = RunInProcess({u"--format"_s, format, QStringLiteral(GAS_EXAMPLE_PROJECT)});
    QCOMPARE(ofProject.errors, QString());
    QCOMPARE(ofProject.status, ofTable.status);
    QVERIFY(!ofProject.out.isEmpty());
    QCOMPARE(ofProject.out, ofTable.out);
}

void TestBatchProject::toldByOption()
{
    // A project on standard input, and one under another name, read when told; the
    // same name read as a table is refused at its first line.
    const QByteArray project = ReadAll(QStringLiteral(GAS_EXAMPLE_PROJECT));
    const BatchResult ofTable = RunInProcess({}, ExampleTable());
    QCOMPARE(RunInProcess({u"--input-format"_s, u"project"_s}, project).out, ofTable.out);
    QCOMPARE(RunInProcess({u"--input-format=project"_s, u"-"_s}, project).out, ofTable.out);

    QTemporaryDir dir;
    const QString renamed = dir.filePath(u"points.json"_s);
    QVERIFY(Write(renamed, project));
    QCOMPARE(RunInProcess({u"--input-format"_s, u"project"_s, renamed}).out, ofTable.out);
    const BatchResult asTable = RunInProcess({renamed});
    QCOMPARE(asTable.status, BatchFailed);
    QVERIFY2(asTable.errors.contains(u"строка 1"_s), qPrintable(asTable.errors));

    QString why;
    QVERIFY(!ParseBatchArguments({u"--input-format"_s, u"ods"_s}, &why));
    QVERIFY2(why.contains(u"csv, project или xlsx"_s), qPrintable(why));
}

void TestBatchProject::documentAndWorkbook()
{
    // The workbook and the PDF of a project are the project's own: its priced list
    // first, then its points; a plain table keeps its table and its sizing reports.
    QTemporaryDir dir;
    const QString table = dir.filePath(u"points.csv"_s);
    QVERIFY(Write(table, ExampleTable()));
    const auto run = [&dir](const QStringList &arguments) {
        QProcess batch;
        batch.start(QStringLiteral(GAS_BATCH_EXECUTABLE), arguments);
        return batch.waitForFinished(120000) ? batch.exitCode() : -1;
    };
    const QString projectBook = dir.filePath(u"project.xlsx"_s), tableBook = dir.filePath(u"table.xlsx"_s);
    QCOMPARE(run({u"-o"_s, projectBook, QStringLiteral(GAS_EXAMPLE_PROJECT)}), 0);
    QCOMPARE(run({u"-o"_s, tableBook, table}), 0);
    const QString projectSheets = QString::fromUtf8(ZipMember(projectBook, u"xl/workbook.xml"_s));
    QVERIFY2(projectSheets.contains(u"name=\"Спецификация\""_s) && projectSheets.contains(u"name=\"Точки\""_s),
             qPrintable(projectSheets));
    QVERIFY(!QString::fromUtf8(ZipMember(tableBook, u"xl/workbook.xml"_s)).contains(u"Спецификация"_s));
    // With --spec the project's workbook is the same one.
    const QString pricedBook = dir.filePath(u"priced.xlsx"_s);
    QCOMPARE(run({u"--spec"_s, u"-o"_s, pricedBook, QStringLiteral(GAS_EXAMPLE_PROJECT)}), 0);
    QCOMPARE(ZipMember(pricedBook, u"xl/worksheets/sheet1.xml"_s), ZipMember(projectBook, u"xl/worksheets/sheet1.xml"_s));

    const QString pdf = dir.filePath(u"project.pdf"_s);
    QCOMPARE(run({u"-o"_s, pdf, QStringLiteral(GAS_EXAMPLE_PROJECT)}), 0);
    QProcess text;
    text.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    QVERIFY(text.waitForFinished(60000));
    const QString pages = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(pages.contains(u"Спецификация"_s) && pages.contains(u"Содержание"_s), qPrintable(pages.left(500)));
    QVERIFY(pages.contains(u"Стр. 8 из 8"_s));
}

void TestBatchProject::refusedProject_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("error");
    QTest::newRow("not JSON") << QByteArray("id;mode\nА;2\n") << u"не в формате JSON"_s;
    QTest::newRow("newer") << QByteArray(R"({"format":"gasmeter-sizing-project","version":2,"points":[]})")
                           << u"более новой версией"_s;
    QTest::newRow("unknown column")
        << QByteArray(R"({"format":"gasmeter-sizing-project","version":1,)"
                      R"("points":[{"id":"А","input":{"mode":"2","colour":"red"}}]})")
        << u"точка 1: неизвестный столбец «colour»"_s;
    QTest::newRow("no points") << QByteArray(R"({"format":"gasmeter-sizing-project","version":1,"points":[]})")
                               << u"нет ни одной точки"_s;
}

void TestBatchProject::refusedProject()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"damaged.gmsz"_s);
    QVERIFY(Write(path, file));
    const BatchResult result = RunInProcess({path});
    QCOMPARE(result.status, BatchFailed);
    QVERIFY(result.out.isEmpty());
    QVERIFY2(result.errors.contains(path) && result.errors.contains(error), qPrintable(result.errors));
}

QTEST_GUILESS_MAIN(TestBatchProject)
#include "tst_batch_project.moc"
