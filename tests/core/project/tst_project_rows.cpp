// The project's points as the project window shows them: a run of the windows added with
// a chosen row or its first optimal one, the row of each point, a chosen product that
// no longer fits kept and flagged, refused points kept with their error, ids and
// quantities refused in place.
#include "core/input/number_text.h"
#include "core/project/project_file.h"
#include "core/project/project_points.h"
#include "filled_catalogue.h"
#include "repeated_points.h"

#include <QFile>
#include <QSet>
#include <QTest>
#include <QThread>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Mode 3 at 230 m3/h and 1,3 bar gauge: 100 m3/h working, ZAM G65 at 100 %.
SizingOutcome Run()
{
    SizingRequest r;
    r.mode = 3;
    r.qmaxStd = 230;
    r.qminStd = 5;
    r.working = {u"1"_s + LocaleDecimalSeparator() + u"3"_s, 0};
    return Size(r, FilledCatalogue());
}

QString Cell(const ProjectRowView &row, ProjectColumn column)
{
    return row.cells.at(static_cast<int>(column));
}

} // namespace

class TestProjectRows : public QObject {
    Q_OBJECT

private slots:
    void addedRun();
    void choiceNoLongerFits();
    void refusedPoint();
    void ids();
    void exampleProject();
    void sizedOnEveryCore_data();
    void sizedOnEveryCore();
    void quantity_data();
    void quantity();
};

void TestProjectRows::addedRun()
{
    Project project;
    const SizingOutcome run = Run();
    QCOMPARE(run.optimal.front().record.Name, u"ZAM G65"_s);

    ProjectPoint first = PointOfRun(project, run, std::nullopt);
    QCOMPARE(first.id, u"Точка 1"_s);
    QCOMPARE(first.choice, u"ZAM G65"_s); // the first optimal row
    project.points.push_back(first);

    // A possible row picked in a grid wins over the optimal one.
    const QString picked = run.possible.back().record.Name;
    QVERIFY(picked != u"ZAM G65"_s);
    const ProjectPoint second = PointOfRun(project, run, picked);
    QCOMPARE(second.id, u"Точка 2"_s);
    QCOMPARE(second.choice, picked);

    const BatchRecord sized = SizeProjectPoint(first, FilledCatalogue());
    QVERIFY(!sized.hasError());
    // Each designation once, though a product may stand in two lines.
    const QStringList choices = ChoicesOf(sized);
    QVERIFY(choices.contains(u"ZAM G65"_s) && choices.contains(picked));
    QCOMPARE(QSet<QString>(choices.begin(), choices.end()).size(), choices.size());
    const ProjectRowView row = ProjectRow(1, first, sized);
    QCOMPARE(row.cells.size(), ProjectColumnCaptions().size());
    QCOMPARE(Cell(row, ProjectColumn::Id), u"Точка 1"_s);
    QCOMPARE(Cell(row, ProjectColumn::Category), run.categoryCaption);
    QCOMPARE(Cell(row, ProjectColumn::Product), u"ZAM G65"_s);
    QCOMPARE(Cell(row, ProjectColumn::Dn), u"50"_s);
    QCOMPARE(Cell(row, ProjectColumn::Currency), u"RUB"_s);
    QCOMPARE(Cell(row, ProjectColumn::Load), u"100"_s + LocaleDecimalSeparator() + u"0"_s);
    QCOMPARE(Cell(row, ProjectColumn::Pressure), u"1"_s + LocaleDecimalSeparator() + u"3 бар"_s);
    QCOMPARE(Cell(row, ProjectColumn::Method), u"simple"_s);
    QVERIFY(!row.choiceLost);
    QVERIFY(Cell(row, ProjectColumn::Note).isEmpty());
}

void TestProjectRows::choiceNoLongerFits()
{
    Project project;
    ProjectPoint point = PointOfRun(project, Run(), std::nullopt);
    point.note = u"у котла"_s;
    // Colder gas at a lower atmosphere: more working flow than ZAM G65 takes.
    point.setText(BatchColumn::Method, u"ideal"_s);
    point.setText(BatchColumn::TMin, u"-20"_s);
    point.setText(BatchColumn::TMax, u"40"_s);
    const BatchRecord sized = SizeProjectPoint(point, FilledCatalogue());
    QVERIFY(!sized.hasError());
    QCOMPARE(ChosenCandidate(point, sized), nullptr);
    QCOMPARE(point.choice, u"ZAM G65"_s); // kept, never swapped
    const ProjectRowView row = ProjectRow(1, point, sized);
    QVERIFY(row.choiceLost);
    QCOMPARE(Cell(row, ProjectColumn::Note), ChoiceNoLongerFitsText() + u"; у котла"_s);
    QVERIFY(Cell(row, ProjectColumn::Dn).isEmpty());
}

void TestProjectRows::refusedPoint()
{
    ProjectPoint point;
    point.id = u"a"_s;
    point.setText(BatchColumn::Mode, u"3"_s);
    point.setText(BatchColumn::Qmax, u"100"_s);
    point.setText(BatchColumn::Qmin, u"10"_s);
    point.setText(BatchColumn::P, u"1"_s);
    point.setText(BatchColumn::Method, u"gerg91"_s);
    point.setText(BatchColumn::Density, u"0,5"_s);
    const BatchRecord sized = SizeProjectPoint(point, FilledCatalogue());
    QVERIFY(sized.hasError());
    const ProjectRowView row = ProjectRow(4, point, sized);
    QVERIFY(row.refused);
    QVERIFY2(Cell(row, ProjectColumn::Note).startsWith(u"столбец density: Плотность газа 0,5"_s),
             qPrintable(Cell(row, ProjectColumn::Note)));
    QCOMPARE(Cell(row, ProjectColumn::Number), u"4"_s);

    point.setText(BatchColumn::Mode, u"7"_s);
    QCOMPARE(SizeProjectPoint(point, FilledCatalogue()).errorColumn, u"mode"_s);
}

void TestProjectRows::ids()
{
    Project project;
    for (const QString &id : {u"Точка 1"_s, u"Точка 3"_s, u"Котельная"_s}) {
        ProjectPoint point;
        point.id = id;
        project.points.push_back(point);
    }
    QCOMPARE(NextPointId(project), u"Точка 2"_s);
    QVERIFY(IdRefusal(project, 0, u"Точка 1"_s).isEmpty()); // its own id
    QVERIFY(IdRefusal(project, 0, u"Новая"_s).isEmpty());
    QCOMPARE(IdRefusal(project, 0, u"Котельная"_s), u"Точка «Котельная» в проекте уже есть."_s);
    QVERIFY(!IdRefusal(project, 1, u"  "_s).isEmpty());
}

// The example project of data/examples: every point sized, each chosen product among
// its possible rows.
void TestProjectRows::exampleProject()
{
    QFile file(QStringLiteral(GAS_EXAMPLE_PROJECT));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const ProjectReading reading = ReadProjectFile(file.readAll());
    QVERIFY2(reading.project, qPrintable(reading.error));
    QCOMPARE(reading.project->points.size(), std::size_t(5));
    QSet<QString> categories;
    for (const ProjectPoint &point : reading.project->points) {
        const BatchRecord sized = SizeProjectPoint(point, FilledCatalogue());
        QVERIFY2(!sized.hasError(), qPrintable(point.id + u": "_s + sized.error));
        QVERIFY2(ChosenCandidate(point, sized),
                 qPrintable(point.id + u": "_s + ChoicesOf(sized).join(u", "_s)));
        categories.insert(sized.outcome.categoryCaption);
    }
    QCOMPARE(categories.size(), 3);
}

void TestProjectRows::sizedOnEveryCore_data()
{
    QTest::addColumn<int>("jobs");
    QTest::newRow("one thread") << 1;
    QTest::newRow("two") << 2;
    QTest::newRow("five") << 5;
}

// The example's points over and over, every seventh one refused, sized on the threads
// of a pool: the same rows, in the same order, as one point after another; the progress
// heard on this thread, growing, up to the total.
void TestProjectRows::sizedOnEveryCore()
{
    QFETCH(int, jobs);
    QFile file(QStringLiteral(GAS_EXAMPLE_PROJECT));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const std::optional<Project> example = ReadProjectFile(file.readAll()).project;
    QVERIFY(example);
    std::vector<ProjectPoint> points = RepeatedPoints(example->points, 333);
    for (std::size_t i = 3; i < points.size(); i += 7)
        points[i].setText(BatchColumn::Qmax, u"много"_s);

    std::vector<qsizetype> heard;
    bool onThisThread = true;
    QThread *const here = QThread::currentThread();
    const std::vector<BatchRecord> records = SizeProjectPoints(
        points, FilledCatalogue(),
        [&](qsizetype done, qsizetype total) {
            QCOMPARE(total, qsizetype(points.size()));
            onThisThread = onThisThread && QThread::currentThread() == here;
            heard.push_back(done);
        },
        jobs);
    QCOMPARE(records.size(), points.size());
    int refused = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const BatchRecord one = SizeProjectPoint(points[i], FilledCatalogue());
        const BatchRecord &pooled = records[i];
        QCOMPARE(pooled.point.id, points[i].id);
        QCOMPARE(pooled.error, one.error);
        refused += pooled.hasError() ? 1 : 0;
        QCOMPARE(ProjectRow(int(i) + 1, points[i], pooled).cells, ProjectRow(int(i) + 1, points[i], one).cells);
        QCOMPARE(ChoicesOf(pooled), ChoicesOf(one));
        QCOMPARE(pooled.outcome.optimal.size(), one.outcome.optimal.size());
        for (std::size_t r = 0; r < one.outcome.optimal.size(); ++r) {
            QCOMPARE(pooled.outcome.optimal[r].cells, one.outcome.optimal[r].cells);
            QCOMPARE(pooled.outcome.optimal[r].flags, one.outcome.optimal[r].flags);
        }
    }
    QCOMPARE(refused, 48);
    QVERIFY(onThisThread);
    QVERIFY(heard.size() > 3);
    QCOMPARE(heard.back(), qsizetype(points.size()));
    QVERIFY(std::is_sorted(heard.begin(), heard.end()));
    QCOMPARE(std::adjacent_find(heard.begin(), heard.end()), heard.end());
}

void TestProjectRows::quantity_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("read"); // 0: refused
    QTest::newRow("1") << u"1"_s << 1;
    QTest::newRow("blanks") << u" 12 "_s << 12;
    QTest::newRow("0") << u"0"_s << 0;
    QTest::newRow("negative") << u"-2"_s << 0;
    QTest::newRow("letters") << u"abc"_s << 0;
    QTest::newRow("fraction") << u"1,5"_s << 0;
    QTest::newRow("plus sign") << u"+3"_s << 0;
    QTest::newRow("empty") << u""_s << 0;
    QTest::newRow("too large") << u"99999999999"_s << 0;
}

void TestProjectRows::quantity()
{
    QFETCH(QString, text);
    QFETCH(int, read);
    QString why;
    const std::optional<int> quantity = ReadQuantity(text, &why);
    QCOMPARE(quantity.value_or(0), read);
    QCOMPARE(why.isEmpty(), read != 0);
}

QTEST_GUILESS_MAIN(TestProjectRows)
#include "tst_project_rows.moc"
