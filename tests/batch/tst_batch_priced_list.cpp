// The batch program's --spec: the example project's priced list as JSON against its
// totals by hand and against what the project window computes, a plain table counted
// by its first optimal rows, a euro rate, and the table in the locale's numbers.
#include "batch/batch_run.h"

#include "batch_test_support.h"
#include "core/input/number_text.h"
#include "core/project/project_file.h"
#include "core/project/project_points.h"
#include "core/project/project_priced_list.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject Json(const BatchResult &result)
{
    return QJsonDocument::fromJson(result.out).object();
}

} // namespace

class TestBatchPricedList : public QObject {
    Q_OBJECT

private slots:
    void exampleProject();
    void sameAsWindow();
    void plainTable();
    void euroRate();
    void csvTable();
    void refusedFormats();
};

void TestBatchPricedList::exampleProject()
{
    const BatchResult result = RunInProcess({u"--spec"_s, u"--format"_s, u"json"_s, QStringLiteral(GAS_EXAMPLE_PROJECT)});
    QCOMPARE(result.status, BatchAllSized);
    const QJsonObject priced = Json(result);
    const QJsonArray rows = priced[u"rows"_s].toArray();
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[1][u"name"_s].toString(), u"ZAM G65"_s);
    QCOMPARE(rows[1][u"quantity"_s].toInt(), 3);
    QCOMPARE(rows[1][u"price"_s].toString(), u"31350.00"_s);
    QCOMPARE(rows[1][u"amount"_s].toString(), u"94050.00"_s);
    QCOMPARE(rows[1][u"vat"_s].toString(), u"20691.00"_s);
    QCOMPARE(rows[1][u"points"_s].toArray().size(), 2);
    QCOMPARE(rows[0][u"vat"_s].toString(), u"18375.50"_s);
    const QJsonArray totals = priced[u"totals"_s].toArray();
    QCOMPARE(totals.size(), 1);
    QCOMPARE(totals[0][u"currency"_s].toString(), u"RUB"_s);
    QCOMPARE(totals[0][u"amount"_s].toString(), u"622575.00"_s);
    QCOMPARE(totals[0][u"vat"_s].toString(), u"136966.50"_s);
    QCOMPARE(totals[0][u"total"_s].toString(), u"759541.50"_s);
    QVERIFY(priced[u"total_rub"_s].isNull());
    QVERIFY(priced[u"eur_rate"_s].isNull());
    QCOMPARE(priced[u"vat_percent"_s].toString(), u"22"_s);
    QCOMPARE(priced[u"price_on_request"_s].toInt(), 0);
    QCOMPARE(priced[u"not_sized"_s].toArray().size(), 0);
}

void TestBatchPricedList::sameAsWindow()
{
    // The project window's priced list of the same file, figure by figure.
    const Project project = *ReadProjectFile(ReadAll(QStringLiteral(GAS_EXAMPLE_PROJECT))).project;
    ProductCatalogue catalogue;
    catalogue.Fill();
    std::vector<BatchRecord> records;
    for (const ProjectPoint &point : project.points)
        records.push_back(SizeProjectPoint(point, catalogue));
    const PricedList window = ProjectPricedList(project, records);

    const QJsonArray rows = Json(RunInProcess({u"--spec"_s, u"-f"_s, u"json"_s, QStringLiteral(GAS_EXAMPLE_PROJECT)}))
                                [u"rows"_s].toArray();
    QCOMPARE(rows.size(), qsizetype(window.rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const PricedListRow &row = window.rows[std::size_t(i)];
        QCOMPARE(rows[i][u"name"_s].toString(), row.name);
        QCOMPARE(rows[i][u"quantity"_s].toInteger(), row.quantity);
        QCOMPARE(rows[i][u"amount"_s].toString(), MoneyText(row.amount));
        QCOMPARE(rows[i][u"vat"_s].toString(), MoneyText(row.vat));
        QStringList ids;
        for (const QJsonValue &id : rows[i][u"points"_s].toArray())
            ids << id.toString();
        QCOMPARE(ids, row.points);
    }
}

void TestBatchPricedList::plainTable()
{
    // Each point counts once as its first optimal row; a point without an id is named
    // by its line, a refused point and one nothing fits are not sized.
    const BatchResult result = RunInProcess({u"--spec"_s, u"--format=json"_s},
                                            "id;mode;qmax;qmin;p\n"
                                            "a;3;230;5;1.3\n"
                                            ";3;230;5;1.3\n"
                                            "bad;2;abc;1;1\n"
                                            "big;3;1000000;5;1.3\n");
    QCOMPARE(result.status, BatchInputErrors);
    const QJsonObject priced = Json(result);
    const QJsonArray rows = priced[u"rows"_s].toArray();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0][u"name"_s].toString(), u"ZAM G65"_s);
    QCOMPARE(rows[0][u"quantity"_s].toInt(), 2);
    QCOMPARE(rows[0][u"points"_s].toArray(), (QJsonArray{u"a"_s, u"строка 3"_s}));
    QCOMPARE(priced[u"not_sized"_s].toArray(), (QJsonArray{u"bad"_s, u"big"_s}));
    QCOMPARE(priced[u"totals"_s].toArray()[0][u"total"_s].toString(), u"76494.00"_s); // 62 700 + 13 794
}

void TestBatchPricedList::euroRate()
{
    // The utility meter NM G25 (280,00 EUR) at 100,5 roubles per euro: 28 140,00
    // roubles, VAT 6 190,80, grand total 34 330,80.
    Project project;
    project.pricing.eurRate = 1005000;
    project.pricing.eurRateDate = QDate(2026, 12, 10);
    ProjectPoint point;
    point.id = u"m4"_s;
    point.choice = u"NM G25"_s;
    point.setText(BatchColumn::Mode, u"4"_s);
    point.setText(BatchColumn::Qmax, u"45.2"_s);
    point.setText(BatchColumn::Qmin, u"5"_s);
    point.setText(BatchColumn::P, u"13"_s);
    project.points.push_back(point);
    const BatchResult result = RunInProcess({u"--spec"_s, u"--format"_s, u"json"_s, u"--input-format"_s,
                                             u"project"_s},
                                            WriteProjectFile(project));
    QCOMPARE(result.status, BatchAllSized);
    const QJsonObject priced = Json(result);
    const QJsonObject row = priced[u"rows"_s].toArray()[0].toObject();
    QCOMPARE(row[u"currency"_s].toString(), u"EUR"_s);
    QCOMPARE(row[u"amount"_s].toString(), u"280.00"_s);
    QCOMPARE(row[u"amount_rub"_s].toString(), u"28140.00"_s);
    QCOMPARE(row[u"vat_rub"_s].toString(), u"6190.80"_s);
    QCOMPARE(priced[u"total_rub"_s].toString(), u"34330.80"_s);
    QCOMPARE(priced[u"eur_rate"_s].toString(), u"100.5"_s);
    QCOMPARE(priced[u"eur_rate_date"_s].toString(), u"2026-12-10"_s);
}

void TestBatchPricedList::csvTable()
{
    const BatchResult result = RunInProcess({u"--spec"_s, QStringLiteral(GAS_EXAMPLE_PROJECT)});
    QCOMPARE(result.status, BatchAllSized);
    const QStringList lines = QString::fromUtf8(result.out).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.first(), u"kind;number;name;dn;quantity;price;amount;vat;total;currency;amount_rub;vat_rub;points"_s);
    QCOMPARE(lines.size(), 1 + 4 + 1 + 1); // header, rows, the rouble total, the VAT rate
    const QChar sep = LocaleDecimalSeparator();
    QCOMPARE(lines[2], u"row;2;ZAM G65;50;3;31350%100;94050%100;20691%100;114741%100;RUB;;;Ввод 2, котёл 2, Ввод 3, резерв"_s
                           .replace(u"%1"_s, QString(sep)));
    QCOMPARE(lines[5], u"total;;;;;;622575%100;136966%150;759541%150;RUB;;;"_s.replace(u"%1"_s, QString(sep)));
    QCOMPARE(lines[6], u"vat_percent;;;;;;;;22;;;;"_s);
}

void TestBatchPricedList::refusedFormats()
{
    // A plain table's priced list is CSV or JSON; the document and the workbook with
    // a priced list are a project's.
    const BatchResult result = RunInProcess({u"--spec"_s, u"--format"_s, u"pdf"_s}, "id;mode;qmax;qmin;p\na;2;10;1;1\n");
    QCOMPARE(result.status, BatchFailed);
    QVERIFY(result.out.isEmpty());
    QVERIFY2(result.errors.contains(u"--spec"_s), qPrintable(result.errors));
}

QTEST_GUILESS_MAIN(TestBatchPricedList)
#include "tst_batch_priced_list.moc"
