// The batch program under real gas conditions: the condition columns read, each kind
// of refusal named by its column, the outputs against the core's outcome for the
// same point, and the example's old columns as they were before the conditions.

#include "batch/batch_run.h"
#include "core/table/csv_reader.h"
#include "core/input/number_text.h"
#include "core/sizing/sizing.h"

#include "../report/report_test_support.h"
#include "batch_test_support.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Result = BatchResult;

Result Run(const QStringList &arguments, const QByteArray &input)
{
    return RunInProcess(arguments, input);
}

// A table of one point from column=value cells.
QByteArray Table(const QStringList &cells)
{
    QStringList names, values;
    for (const QString &cell : cells) {
        names << cell.section(u'=', 0, 0);
        values << cell.section(u'=', 1);
    }
    return (CsvLine(names) + u'\n' + CsvLine(values) + u'\n').toUtf8();
}

QJsonObject JsonPoint(const QStringList &cells)
{
    const Result r = Run({u"-f"_s, u"json"_s}, Table(cells));
    return QJsonDocument::fromJson(r.out).object()[u"points"_s].toArray().at(0).toObject();
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

// One point as the batch reads it (cells) and as the core is asked for it, 100 and
// 10 m3/h: mode 1 at a gauge range of pmax..pmin bar, or mode 2 or 3 at one pressure
// p bar (pmin < 0).
struct Case {
    QStringList cells;
    SizingRequest request;
};

Case Point(int mode, double pmax, double pmin, const QStringList &conditionCells,
           const SizingConditions &conditions)
{
    Case c;
    c.cells = QStringList{u"mode=%1"_s.arg(mode), u"qmax=100"_s, u"qmin=10"_s} + conditionCells;
    c.request.mode = mode;
    c.request.conditions = conditions;
    c.request.range = pmin >= 0;
    if (c.request.range) {
        c.cells << u"pmax=%1"_s.arg(pmax) << u"pmin=%1"_s.arg(pmin);
        c.request.pmax = {QString::number(pmax), 0};
        c.request.pmin = {QString::number(pmin), 0};
    } else {
        c.cells << u"p=%1"_s.arg(pmax);
        c.request.working = {QString::number(pmax), 0};
    }
    return c;
}

SizingConditions Conditions(ConversionMethod method, double tMin = -10, double tMax = 25)
{
    SizingConditions c;
    c.method = method;
    c.tMin = tMin;
    c.tMax = tMax;
    return c;
}

const QStringList Temperatures{u"t_min=-10"_s, u"t_max=25"_s};

} // namespace

Q_DECLARE_METATYPE(Case)

class TestBatchConditions : public QObject {
    Q_OBJECT

    ProductCatalogue catalogue_;

    SizingOutcome core(const Case &c) const
    {
        return SizePoint(c.request, u"100"_s, u"10"_s, catalogue_);
    }

private slots:
    void initTestCase() { catalogue_.Fill(); }
    void init() { QLocale::setDefault(QLocale::c()); }

    // Refused by the reader before sizing: the column and why.
    void refusedByReader_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("message");
        const QStringList p{u"mode=2"_s, u"qmax=100"_s, u"qmin=10"_s, u"p=3"_s};
        QTest::newRow("unknown method") << p + QStringList{u"method=gost"_s} << u"method"_s << u"«gost»; допустимы: simple"_s;
        QTest::newRow("temperature not a number") << p + QStringList{u"method=ideal"_s, u"t_min=холодно"_s} << u"t_min"_s << u"ожидается число"_s;
        QTest::newRow("two separators") << p + QStringList{u"method=aga8"_s, u"x_ethane=1,2.3"_s} << u"x_ethane"_s << u"ожидается число"_s;
        QTest::newRow("strict 2") << p + QStringList{u"strict=2"_s} << u"strict"_s << u"0 или 1"_s;
        QTest::newRow("density under ideal") << p + QStringList{u"method=ideal"_s, u"density=0.7"_s} << u"density"_s << u"с методом «ideal»"_s;
        QTest::newRow("component under gerg91") << p + QStringList{u"method=gerg91"_s, u"x_methane=100"_s} << u"x_methane"_s << u"с методом «gerg91»"_s;
        QTest::newRow("n2 under aga8") << p + QStringList{u"method=aga8"_s, u"n2=1"_s} << u"n2"_s << u"с методом «aga8»"_s;
        QTest::newRow("temperature, no method") << p + QStringList{u"t_min=5"_s} << u"t_min"_s << u"столбец method пуст"_s;
    }

    void refusedByReader()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, message);
        const QJsonObject point = JsonPoint(cells);
        QCOMPARE(point[u"status"_s].toString(), u"error"_s);
        QTEST(point[u"error"_s][u"column"_s].toString(), "column");
        const QString text = point[u"error"_s][u"message"_s].toString();
        QVERIFY2(text.contains(message), qPrintable(text));
    }

    // Refused by the core: its key is the column, its message the point's, status 1.
    void refusedByCore_data()
    {
        QTest::addColumn<Case>("point");
        QTest::addColumn<QString>("column");
        SizingConditions thin = Conditions(ConversionMethod::Gerg91);
        thin.density = 0.5;
        QTest::newRow("density") << Point(2, 3, -1, Temperatures + QStringList{u"method=gerg91"_s, u"density=0,5"_s}, thin) << u"density"_s;
        SizingConditions light = Conditions(ConversionMethod::Aga8);
        light.composition.fill(0);
        light.composition[gas::IndexOf(gas::Component::Methane)] = 99;
        QTest::newRow("composition sum") << Point(2, 3, -1, Temperatures + QStringList{u"method=aga8"_s, u"x_methane=99"_s}, light) << u"composition"_s;
        QTest::newRow("too cold") << Point(2, 3, -1, {u"method=ideal"_s, u"t_min=-70"_s}, Conditions(ConversionMethod::Ideal, -70, -70)) << u"t_min"_s;
        SizingConditions target;
        target.maxLoad = 5;
        QTest::newRow("load target, catalogue's conversion") << Point(2, 3, -1, {u"max_load=5"_s}, target) << u"max_load"_s;
        QTest::newRow("one pressure beyond GERG-91") << Point(2, 150, -1, Temperatures + QStringList{u"method=gerg91"_s}, Conditions(ConversionMethod::Gerg91)) << u"p"_s;
        QTest::newRow("upper bound beyond GERG-91") << Point(1, 150, 1, Temperatures + QStringList{u"method=gerg91"_s}, Conditions(ConversionMethod::Gerg91)) << u"pmax"_s;
    }

    void refusedByCore()
    {
        QFETCH(Case, point);
        QFETCH(QString, column);
        const SizingOutcome expected = core(point);
        QCOMPARE(expected.errorKey, column);
        const QJsonObject json = JsonPoint(point.cells);
        QCOMPARE(json[u"error"_s][u"column"_s].toString(), column);
        QCOMPARE(json[u"error"_s][u"message"_s].toString(), expected.error);
        const Result r = Run({}, Table(point.cells));
        QCOMPARE(r.status, BatchInputErrors);
        QVERIFY2(r.errors.contains(u"столбец %1: %2\n"_s.arg(column, expected.error)), qPrintable(r.errors));
    }

    // Under a real method one temperature given stands for both, none for 20 °C; the
    // working flows follow the temperatures taken.
    void temperatureDefaults_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<double>("tMin");
        QTest::addColumn<double>("tMax");
        QTest::newRow("none") << QStringList{} << 20.0 << 20.0;
        QTest::newRow("t_min only") << QStringList{u"t_min=-5,5"_s} << -5.5 << -5.5;
        QTest::newRow("t_max only") << QStringList{u"t_max=30"_s} << 30.0 << 30.0;
        QTest::newRow("both, reversed") << QStringList{u"t_min=25"_s, u"t_max=-10"_s} << -10.0 << 25.0;
    }

    void temperatureDefaults()
    {
        QFETCH(QStringList, cells);
        QFETCH(double, tMin);
        QFETCH(double, tMax);
        const Case point = Point(1, 3, 1, cells + QStringList{u"method=ideal"_s}, Conditions(ConversionMethod::Ideal, tMin, tMax));
        const QJsonObject json = JsonPoint(point.cells);
        QCOMPARE(json[u"conditions"_s][u"t_min"_s].toDouble(), tMin);
        QCOMPARE(json[u"conditions"_s][u"t_max"_s].toDouble(), tMax);
        const SizingOutcome expected = core(point);
        QCOMPARE(json[u"qmax_work"_s].toDouble(), expected.pressures.QmaxWork);
        QCOMPARE(json[u"qmin_work"_s].toDouble(), expected.pressures.QminWork);
    }

    // JSON's conditions and flags, and the CSV's columns in the Russian locale, as the
    // core gives them for the same point.
    void againstCore_data()
    {
        QTest::addColumn<Case>("point");
        QTest::addColumn<int>("mostFlags"); // on one row
        SizingConditions gerg = Conditions(ConversionMethod::Gerg91);
        gerg.pAtm = 101.325;
        QTest::newRow("gerg91, mode 2") << Point(2, 3, -1, Temperatures + QStringList{u"method=gerg91"_s, u"p_atm=101.325"_s, u"density=0.68"_s, u"n2=1"_s, u"co2=0,5"_s}, gerg) << 0;
        SizingConditions aga = Conditions(ConversionMethod::Aga8);
        aga.composition.fill(0);
        const QList<std::pair<gas::Component, double>> gasPercent{
            {gas::Component::Methane, 96.5}, {gas::Component::Nitrogen, 1}, {gas::Component::CarbonDioxide, 0.5},
            {gas::Component::Ethane, 1.8}, {gas::Component::Propane, 0.2}};
        QStringList agaCells = Temperatures + QStringList{u"method=aga8"_s, u"max_load=80"_s, u"strict=1"_s};
        for (const auto &[component, percent] : gasPercent) {
            aga.composition[gas::IndexOf(component)] = percent;
            agaCells << u"x_%1=%2"_s.arg(gas::ComponentKey(component)).arg(percent);
        }
        aga.maxLoad = 80;
        aga.strict = true;
        QTest::newRow("aga8, mode 1, strict") << Point(1, 4.5, 0, agaCells, aga) << 1;
        // 100 m3/h at 1 bar absolute: the first row loaded to 100 %, the default target.
        QTest::newRow("every condition empty") << Point(1, 1, 0, {}, {}) << 1;
        SizingConditions target;
        target.maxLoad = 50;
        QTest::newRow("simple, mode 1, target 50 %") << Point(1, 4.5, 0, {u"max_load=50"_s}, target) << 2;
    }

    void againstCore()
    {
        QFETCH(Case, point);
        QFETCH(int, mostFlags);
        const SizingOutcome expected = core(point);
        QVERIFY2(expected.accepted, qPrintable(expected.error));
        const AppliedConditions &c = expected.conditions;

        const std::vector<std::pair<QString, double>> figures{
            {u"t_min"_s, c.tMin}, {u"t_max"_s, c.tMax}, {u"p_atm"_s, c.pAtm},
            {u"z_qmax"_s, c.zQmax}, {u"z_qmin"_s, c.zQmin}, {u"z_std"_s, c.zStd}};
        std::vector<Candidate> rows = expected.optimal;
        rows.insert(rows.end(), expected.possible.begin(), expected.possible.end());
        qsizetype most = 0;
        for (const Candidate &row : rows)
            most = std::max(most, row.flags.size());
        QCOMPARE(most, qsizetype(mostFlags));

        const QJsonObject json = JsonPoint(point.cells);
        const QJsonObject conditions = json[u"conditions"_s].toObject();
        QCOMPARE(conditions[u"method"_s].toString(), MethodKey(c.method));
        for (const auto &[key, value] : figures)
            QCOMPARE(conditions[key].toDouble(), value);
        QJsonArray jsonRows = json[u"optimal"_s].toArray();
        for (const QJsonValue &row : json[u"possible"_s].toArray())
            jsonRows.append(row);
        QCOMPARE(jsonRows.size(), qsizetype(rows.size()));
        for (std::size_t i = 0; i < rows.size(); ++i)
            QCOMPARE(jsonRows[qsizetype(i)][u"flags"_s].toVariant().toStringList(), rows[i].flags);

        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        const std::vector<QStringList> csv = CsvRecords(Run({}, Table(point.cells)).out);
        QCOMPARE(csv.size(), rows.size() + 1);
        const QStringList &header = csv.front();
        // The columns after no_fit_reason in their order; the newer ones come after flags.
        QCOMPARE(header.mid(header.indexOf(u"no_fit_reason"_s) + 1).join(u';'),
                 u"method;t_min;t_max;p_atm;z_qmax;z_qmin;z_std;flags;v_inlet;price_list"_s);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const QStringList &line = csv[i + 1];
            QCOMPARE(line[header.indexOf(u"method"_s)], MethodKey(c.method));
            for (const auto &[key, value] : figures)
                QCOMPARE(line[header.indexOf(key)], WriteNumber(value));
            QCOMPARE(line[header.indexOf(u"flags"_s)], rows[i].flags.join(u"; "_s));
            QCOMPARE(line[header.indexOf(u"v_inlet"_s)], WriteNumber(rows[i].inletVelocity));
        }
    }

    // The workbook: the Z values as numbers, the flags as text.
    void xlsxColumns()
    {
        SizingConditions target = Conditions(ConversionMethod::Ideal);
        target.maxLoad = 70;
        const Case point = Point(3, 2, -1, Temperatures + QStringList{u"method=ideal"_s, u"max_load=70"_s}, target);
        const SizingOutcome expected = core(point);
        QTemporaryDir dir;
        const QString xlsx = dir.filePath(u"r.xlsx"_s);
        QProcess batch;
        batch.start(QStringLiteral(GAS_BATCH_EXECUTABLE), {u"-o"_s, xlsx});
        batch.write(Table(point.cells));
        batch.closeWriteChannel();
        QVERIFY(batch.waitForFinished(30000));
        QCOMPARE(batch.exitCode(), BatchAllSized);
        const QMap<QString, SheetCell> cells = SheetCells(xlsx);
        const auto column = [&](const QString &name) {
            for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
                if (it.key().endsWith(u'1') && it.key().size() <= 3 && it->value == name)
                    return it.key().chopped(1);
            }
            return QString();
        };
        const SheetCell t = cells.value(column(u"t_max"_s) + u'2');
        QCOMPARE(t.type, u"n"_s);
        QCOMPARE(t.value.toDouble(), expected.conditions.tMax);
        QCOMPARE(cells.value(column(u"method"_s) + u'2').value, u"ideal"_s);
        const Candidate &first = expected.optimal.front();
        QVERIFY(!first.flags.isEmpty());
        QCOMPARE(cells.value(column(u"flags"_s) + u'2').value, first.flags.join(u"; "_s));
    }

    // The example's points known before the conditions keep every old column as the
    // program wrote it then (C locale), the conditions being the catalogue's.
    void exampleOldColumns()
    {
        QFile example(QStringLiteral(GAS_EXAMPLE_POINTS));
        QFile before(QStringLiteral(GAS_EXAMPLE_BEFORE_CONDITIONS));
        QVERIFY(example.open(QIODevice::ReadOnly) && before.open(QIODevice::ReadOnly));
        const std::vector<QStringList> old = CsvRecords(before.readAll());
        const std::vector<QStringList> now = CsvRecords(Run({}, example.readAll()).out);
        QVERIFY(now.size() > old.size());
        const qsizetype width = old.front().size();
        const qsizetype method = now.front().indexOf(u"method"_s);
        QVERIFY(method >= width);
        for (std::size_t i = 0; i < old.size(); ++i) {
            QCOMPARE(now[i].mid(0, width), old[i]);
            if (i > 0 && now[i][3] != u"error"_s)
                QCOMPARE(now[i].mid(method, 7), (QStringList{u"simple"_s, u"20"_s, u"20"_s, u"100"_s, u"1"_s, u"1"_s, u"1"_s}));
        }
    }
};

QTEST_GUILESS_MAIN(TestBatchConditions)
#include "tst_batch_conditions.moc"
