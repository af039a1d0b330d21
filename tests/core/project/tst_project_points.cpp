// A request of the windows written as a project point's column texts and read back by
// the batch table's point reader is sized to the same outcome: every mode, the range and
// the single pressure, each cabinet kind with its options, every conversion method.
#include "core/table/batch_point.h"
#include "core/input/number_text.h"
#include "core/project/point_texts.h"
#include "filled_catalogue.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SizingRequest)

namespace {

// The point read back through a header of every column.
BatchPoint ReadBack(const ProjectPoint &point)
{
    QStringList header, fields;
    for (int i = 0; i < BatchColumnCount; ++i) {
        header << BatchColumnName(static_cast<BatchColumn>(i));
        fields << point.text(static_cast<BatchColumn>(i));
    }
    int bad = 0;
    QString why;
    const std::optional<BatchColumns> columns = ReadBatchHeader(header, &bad, &why);
    return ReadBatchPoint(*columns, CsvReader::Record{fields, 2});
}

std::vector<int> Slots(const std::vector<Candidate> &rows)
{
    std::vector<int> found;
    for (const Candidate &c : rows)
        found.push_back(c.slot);
    return found;
}

SizingRequest Flows(int mode, double qmax, double qmin)
{
    SizingRequest r;
    r.mode = mode;
    r.qmaxStd = qmax;
    r.qminStd = qmin;
    return r;
}

} // namespace

class TestProjectPoints : public QObject {
    Q_OBJECT

private slots:
    void sameOutcome_data();
    void sameOutcome();
};

void TestProjectPoints::sameOutcome_data()
{
    QTest::addColumn<SizingRequest>("request");

    SizingRequest r = Flows(1, 100, 10);
    r.range = true;
    r.pmax = {u"5,5"_s, 0};
    r.pmin = {u"300"_s, 1}; // mbar, typed the other way round
    QTest::newRow("mode 1, range in two units") << r;

    r = Flows(1, 500, 50);
    r.families = {true, false, true};
    r.working = {u"15"_s, -1};
    QTest::newRow("mode 1, one pressure, two lines") << r;

    r = Flows(2, 100, 10);
    r.families = {false, true, false};
    r.working = {u"0,3"_s, 2};
    r.conditions.method = ConversionMethod::Gerg91;
    r.conditions.tMin = -10;
    r.conditions.tMax = 25;
    r.conditions.density = 0.72;
    r.conditions.maxLoad = 80;
    r.conditions.strict = true;
    QTest::newRow("mode 2 under GERG-91") << r;

    r = Flows(3, 230, 5);
    r.working = {u"1,3"_s, 0};
    r.conditions.method = ConversionMethod::Aga8;
    r.conditions.composition.fill(0);
    r.conditions.composition[0] = 90;
    r.conditions.composition[1] = 4;
    r.conditions.composition[3] = 6;
    QTest::newRow("mode 3 under AGA8-92DC") << r;

    r = Flows(4, 45.2, 5);
    r.families = {true, false, false};
    r.working = {u"13"_s, 3};
    r.conditions.method = ConversionMethod::Ideal;
    r.conditions.pAtm = 99.5;
    QTest::newRow("mode 4, ideal gas") << r;

    r = Flows(5, 0, 0);
    r.cabinet = CabinetKind::Metering;
    r.entries = {u"40"_s, u"4"_s, u"3"_s, u"1"_s, 0, 0};
    r.options = {2, 1, 1, 2};
    QTest::newRow("metering point with bypass") << r;

    r = Flows(5, 0, 0);
    r.cabinet = CabinetKind::Reducing;
    r.entries = {u"40"_s, u"4"_s, u"0,3"_s, u"0,1"_s, 2, 2};
    r.options = {2, 2, 0, 2};
    r.outlet = {u"2,5"_s, 1};
    QTest::newRow("reducing point with an outlet") << r;

    r = Flows(5, 0, 0);
    r.cabinet = CabinetKind::MeteringReducing;
    r.entries = {u"100"_s, u"10"_s, u"6"_s, u"2"_s, 0, 0};
    r.options = {0, 1, 0, 1};
    QTest::newRow("metering and reducing, no variant") << r;

    r = Flows(3, 100, 10);
    r.working = {u"abc"_s, 0};
    QTest::newRow("a refused pressure") << r;
}

void TestProjectPoints::sameOutcome()
{
    QFETCH(SizingRequest, request);
    // The windows' texts follow the desktop's separator.
    for (PressureEntry *entry : {&request.pmax, &request.pmin, &request.working, &request.outlet})
        entry->text.replace(u',', LocaleDecimalSeparator());
    for (QString *text : {&request.entries.qmax, &request.entries.qmin, &request.entries.pmax,
                          &request.entries.pmin})
        text->replace(u',', LocaleDecimalSeparator());

    ProjectPoint point;
    point.id = u"Точка 1"_s;
    WriteRequestTexts(request, point);
    QCOMPARE(point.id, u"Точка 1"_s);
    const BatchPoint read = ReadBack(point);
    QVERIFY2(read.error.isEmpty(), qPrintable(read.errorColumn + u": "_s + read.error));

    const SizingOutcome expected = Size(request, FilledCatalogue());
    const SizingOutcome got = SizePoint(read.request, read.qmaxText, read.qminText, FilledCatalogue());
    QCOMPARE(got.error, expected.error);
    QCOMPARE(got.errorField, expected.errorField);
    QCOMPARE(Slots(got.possible), Slots(expected.possible));
    QCOMPARE(Slots(got.optimal), Slots(expected.optimal));
    QCOMPARE(got.texts.qmaxWork, expected.texts.qmaxWork);
    QCOMPARE(got.texts.qminWork, expected.texts.qminWork);
    QCOMPARE(got.pressures.PmaxAbs, expected.pressures.PmaxAbs);
    QCOMPARE(got.request.conditions, expected.request.conditions);
    QCOMPARE(got.request.options, expected.request.options);
    QCOMPARE(got.noFitReason, expected.noFitReason);
}

QTEST_GUILESS_MAIN(TestProjectPoints)
#include "tst_project_points.moc"
