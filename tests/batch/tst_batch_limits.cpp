// Figures at a limit, as a person computes them by hand: a working flow, a pressure or
// a load that is exactly a product's limit fits it, a figure a relative 1e-9 beyond
// stays beyond, and every refusal names the figure with the digits that show why and
// the column it was typed in. Each point goes through the batch program in this
// process, the whole way from its table line to its JSON record.
#include "batch_test_support.h"

#include "core/input/number_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The one point of a two-line table.
QJsonObject SizedPoint(const QByteArray &header, const QByteArray &row)
{
    const BatchResult result = RunInProcess({u"--format"_s, u"json"_s}, header + '\n' + row + '\n');
    const QJsonArray points = QJsonDocument::fromJson(result.out).object()[u"points"_s].toArray();
    return points.size() == 1 ? points[0].toObject() : QJsonObject{};
}

QString FirstOptimal(const QJsonObject &point)
{
    const QJsonArray optimal = point[u"optimal"_s].toArray();
    return optimal.isEmpty() ? QString() : optimal[0].toObject()[u"name"_s].toString();
}

QStringList FlagsOfFirstPossible(const QJsonObject &point)
{
    QStringList flags;
    const QJsonArray possible = point[u"possible"_s].toArray();
    if (!possible.isEmpty()) {
        for (const QJsonValue &flag : possible[0].toObject()[u"flags"_s].toArray())
            flags << flag.toString();
    }
    return flags;
}

} // namespace

class TestBatchLimits : public QObject {
    Q_OBJECT

private slots:
    void fitsAtLimit_data();
    void fitsAtLimit();
    void pressureLimits_data();
    void pressureLimits();
    void loadAtTarget_data();
    void loadAtTarget();
    void rangeEdges_data();
    void rangeEdges();
    void columnOfRefusedValue_data();
    void columnOfRefusedValue();
};

void TestBatchLimits::fitsAtLimit_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QString>("optimal"); // the first optimal row; empty for none
    QTest::addColumn<QString>("reason");  // a part of the no-fit reason

    const QByteArray working = "id;mode;qmax;qmin;p;families";
    // 45,2 m3/h at 13 kPa is 45,2 / 1,13 = 40 m3/h working: NM G25's Qmax.
    QTest::newRow("mode 4, Qmax on NM G25's 40") << working << QByteArray("a;4;45.2;5;13;") << u"NM G25"_s << QString();
    QTest::newRow("mode 4, Qmax 1e-9 above 40")
        << working << QByteArray("a;4;45.2000000452;5;13;10") << QString()
        << u"Qраб max = 40,00000004 куб.м/ч больше наибольшего Qmax"_s;
    // 0,0642 m3/h at 7 kPa is 0,06 m3/h working: NM G6's Qmin.
    QTest::newRow("mode 4, Qmin on NM G6's 0,06") << working << QByteArray("b;4;8;0.0642;7;10") << u"NM G6"_s << QString();
    QTest::newRow("mode 4, Qmin 1e-9 below 0,06")
        << working << QByteArray("b;4;8;0.0641999999358;7;10") << QString()
        << u"Qраб min = 0,05999999994 куб.м/ч меньше наименьшего Qmin"_s;
    // 230 m3/h at 1,3 bar is 100 m3/h working: ZAM G65's Qmax, not G100's.
    QTest::newRow("mode 3, ZAM G65 at 100 %") << working << QByteArray("c;3;230;5;1.3;") << u"ZAM G65"_s << QString();
    QTest::newRow("mode 3, 1e-9 above ZAM G65") << working << QByteArray("c;3;230.00000023;5;1.3;") << u"ZAM G100"_s << QString();
}

void TestBatchLimits::fitsAtLimit()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, row);
    QFETCH(QString, optimal);
    QFETCH(QString, reason);

    const QJsonObject point = SizedPoint(header, row);
    QCOMPARE(point[u"status"_s].toString(), u"ok"_s);
    QCOMPARE(FirstOptimal(point), optimal);
    // The reason writes its figures with the desktop's separator.
    reason.replace(u',', LocaleDecimalSeparator());
    const QString written = point[u"no_fit_reason"_s].toString();
    if (!reason.isEmpty())
        QVERIFY2(written.contains(reason), qPrintable(written));
}

void TestBatchLimits::pressureLimits_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QString>("optimal"); // the first optimal row; empty for none
    QTest::addColumn<QString>("reason");  // a part of the no-fit reason, "," as separator
    QTest::addColumn<QString>("flag");    // a part of the first possible row's flags
    QTest::addColumn<bool>("wide");       // the wide-range doubt

    const QByteArray single = "id;mode;qmax;qmin;p";
    // 50 kPa gauge is 1,5 bar absolute: the utility meters' Pmax.
    QTest::newRow("utility Pmax 1,5") << single << QByteArray("a;4;5;0.1;50") << u"NM G6"_s << QString() << QString() << false;
    QTest::newRow("utility Pmax 1e-9 above")
        << single << QByteArray("a;4;5;0.1;50.00000005") << QString()
        << u"Рср = 1,5000000005 бар выше наибольшего Pmax выбранных изделий (1,5 бар)"_s << QString() << false;
    // 15 bar gauge is the 16 bar absolute that mode 2 takes at most.
    QTest::newRow("mode 2 ceiling 16")
        << single << QByteArray("c;2;100;10;15") << QString()
        << u"Рср = 16 бар выше наибольшего Pmax выбранных изделий (6 бар)"_s << QString() << false;
    QTest::newRow("mode 2 ceiling 1e-9 above")
        << single << QByteArray("c;2;100;10;15.000000016") << QString()
        << u"Рср = 16,000000016 бар выше предела выбранных изделий (16 бар)"_s << QString() << false;
    // 16 bar absolute is still the low-pressure class of mode 3; the high class starts above it.
    QTest::newRow("mode 3 low class at 16")
        << single << QByteArray("e;3;100;10;15") << QString() << u"Qраб max (0,8 куб"_s << QString() << false;
    QTest::newRow("mode 3 high class 1e-9 above 16")
        << single << QByteArray("e;3;100;10;15.000000016") << QString() << u"Qраб max (12,5 куб"_s << QString() << false;

    const QByteArray range = "id;mode;qmax;qmin;pmax;pmin";
    // 4 and 0 bar gauge: 5 and 1 bar absolute, a ratio of 5 (not wide) and the Pmax 5 of
    // the smallest complex.
    QTest::newRow("ratio 5, Pmax 5") << range << QByteArray("w;1;100;10;4;0") << u"ВЕЛОНВз-Р-0,5-100/1,6"_s
                                     << QString() << QString() << false;
    QTest::newRow("ratio and Pmax 1e-9 above 5")
        << range << QByteArray("w;1;100;10;4.000000005;0") << u"ВЕЛОНВз-Р-0,75-100/1,6"_s << QString()
        << u"рабочее давление 1–5 бар (абс.)"_s << true;
    // A complex of 1,5 to 7,5 bar takes a lowest absolute pressure of 1,5.
    QTest::newRow("complex range from 1,5") << range << QByteArray("y;1;100;10;5;0.5") << u"ВЕЛОНВз-Р-0,75-100/1,6"_s
                                            << QString() << QString() << false;
    QTest::newRow("complex range 1e-9 short of 1,5")
        << range << QByteArray("y;1;100;10;5;0.4999999985") << u"ВЕЛОНВз-Р-0,75-100/1,6"_s << QString()
        << u"рабочее давление 1,499999998–6 бар (абс.) вне диапазона комплекса 1,5–7,5 бар"_s << false;
}

void TestBatchLimits::pressureLimits()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, row);
    QFETCH(QString, optimal);
    QFETCH(QString, reason);
    QFETCH(QString, flag);
    QFETCH(bool, wide);

    const QJsonObject point = SizedPoint(header, row);
    QCOMPARE(point[u"status"_s].toString(), u"ok"_s);
    QCOMPARE(FirstOptimal(point), optimal);
    reason.replace(u',', LocaleDecimalSeparator());
    const QString written = point[u"no_fit_reason"_s].toString();
    QVERIFY2(reason.isEmpty() ? written.isEmpty() : written.contains(reason), qPrintable(written));
    const QString flags = FlagsOfFirstPossible(point).join(u"; "_s);
    QVERIFY2(flag.isEmpty() ? flags.isEmpty() : flags.contains(flag), qPrintable(flags));
    QCOMPARE(!point[u"warnings"_s].toArray().isEmpty(), wide);
}

void TestBatchLimits::loadAtTarget_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QString>("optimal");

    // 56 m3/h through ZAM G65 (Qmax 100) at 0 bar gauge: a load of 56 %.
    QTest::newRow("load on the target") << QByteArray("L;3;56;1;0;56;") << QStringList() << u"ZAM G65"_s;
    QTest::newRow("load on the target, strict") << QByteArray("L;3;56;1;0;56;1") << QStringList() << u"ZAM G65"_s;
    QTest::newRow("load 1e-9 above the target")
        << QByteArray("L;3;56.000000056;1;0;56;")
        << QStringList{u"загрузка 56,0000001 % выше целевой 56 %"_s} << u"ZAM G65"_s;
    QTest::newRow("load a tenth above the target")
        << QByteArray("L;3;56.1;1;0;56;") << QStringList{u"загрузка 56,1 % выше целевой 56 %"_s}
        << u"ZAM G65"_s;
    QTest::newRow("load 0,04 above the target: not written as 56")
        << QByteArray("L;3;56.04;1;0;56;") << QStringList{u"загрузка 56,04 % выше целевой 56 %"_s}
        << u"ZAM G65"_s;
}

void TestBatchLimits::loadAtTarget()
{
    QFETCH(QByteArray, row);
    QFETCH(QStringList, flags);
    QFETCH(QString, optimal);

    const QJsonObject point = SizedPoint("id;mode;qmax;qmin;p;max_load;strict", row);
    QCOMPARE(point[u"status"_s].toString(), u"ok"_s);
    QCOMPARE(FlagsOfFirstPossible(point), flags);
    QCOMPARE(FirstOptimal(point), optimal);
}

void TestBatchLimits::rangeEdges_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QString>("column"); // empty: accepted
    QTest::addColumn<QString>("message");

    const QByteArray load = "id;mode;qmax;qmin;p;max_load";
    QTest::newRow("max_load 100") << load << QByteArray("a;3;56;1;0;100") << QString() << QString();
    QTest::newRow("max_load 100,0000001") << load << QByteArray("a;3;56;1;0;100.0000001") << u"max_load"_s
                                          << u"загрузка 100,0000001 % вне диапазона"_s;
    QTest::newRow("max_load 10") << load << QByteArray("a;3;56;1;0;10") << QString() << QString();
    QTest::newRow("max_load 9,99999999") << load << QByteArray("a;3;56;1;0;9.99999999") << u"max_load"_s
                                         << u"загрузка 9,99999999 % вне диапазона"_s;

    // -23,15 °C is 250 K, the lowest temperature of GERG-91 мод.
    const QByteArray gerg = "id;mode;qmax;qmin;p;method;t_min;t_max;co2;density";
    QTest::newRow("gerg91 at 250 K") << gerg << QByteArray("t;3;56;1;1;gerg91;-23.15;20;;") << QString() << QString();
    QTest::newRow("gerg91 just below 250 K")
        << gerg << QByteArray("t;3;56;1;1;gerg91;-23.15000025;20;;") << u"t_min"_s
        << u"Температура 249,9999997 К вне диапазона метода GERG-91 мод.: от 250 до 340 К"_s;
    // ГОСТ 30319.2-96, 3.2.1: carbon dioxide up to 15 mol %.
    QTest::newRow("gerg91 CO2 15 %") << gerg << QByteArray("c;3;56;1;1;gerg91;;;15;0.9") << QString() << QString();
    QTest::newRow("gerg91 CO2 1e-9 above 15 %")
        << gerg << QByteArray("c;3;56;1;1;gerg91;;;15.000000015;0.9") << u"co2"_s
        << u"Доля диоксида углерода 15,00000001 мол. % вне диапазона метода GERG-91 мод.: от 0 до 15 мол. %"_s;
    QTest::newRow("gerg91 CO2 20 %") << gerg << QByteArray("c;3;56;1;1;gerg91;;;20;0.92") << u"co2"_s
                                     << u"20 мол. % вне диапазона"_s;
}

void TestBatchLimits::rangeEdges()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, row);
    QFETCH(QString, column);
    QFETCH(QString, message);

    const QJsonObject point = SizedPoint(header, row);
    if (column.isEmpty()) {
        QCOMPARE(point[u"status"_s].toString(), u"ok"_s);
        QVERIFY(point[u"error"_s].isNull());
        return;
    }
    const QJsonObject error = point[u"error"_s].toObject();
    QCOMPARE(error[u"column"_s].toString(), column);
    QVERIFY2(error[u"message"_s].toString().contains(message), qPrintable(error[u"message"_s].toString()));
}

void TestBatchLimits::columnOfRefusedValue_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QString>("column");

    const QByteArray range = "id;mode;qmax;qmin;pmax;pmin;method";
    // -2 bar gauge, typed as pmax, becomes the lower bound and is refused there.
    QTest::newRow("mode 1, pmax -2 and pmin 0") << range << QByteArray("a;1;56;1;-2;0;") << u"pmax"_s;
    QTest::newRow("mode 1, pmax 0 and pmin -2") << range << QByteArray("a;1;56;1;0;-2;") << u"pmin"_s;
    QTest::newRow("mode 3, pmax -2 and pmin 0") << range << QByteArray("a;3;56;1;-2;0;") << u"pmax"_s;
    // 130 bar, typed as pmin, becomes the upper bound, beyond GERG-91 мод.'s 12 MPa.
    QTest::newRow("gerg91, pmax 1 and pmin 130") << range << QByteArray("a;1;56;1;1;130;gerg91") << u"pmin"_s;
    QTest::newRow("gerg91, pmax 130 and pmin 1") << range << QByteArray("a;1;56;1;130;1;gerg91") << u"pmax"_s;

    const QByteArray cabinet = "id;mode;qmax;qmin;pmax;pmin;cabinet;variant;side;bypass;gauges";
    QTest::newRow("mode 5, qmax -5 and qmin 10")
        << cabinet << QByteArray("a;5;-5;10;3;1;1;2;Слева;С байпасом;С манометрами") << u"qmax"_s;
    QTest::newRow("mode 5, qmax 10 and qmin -5")
        << cabinet << QByteArray("a;5;10;-5;3;1;1;2;Слева;С байпасом;С манометрами") << u"qmin"_s;
    QTest::newRow("mode 5, pmax -2 and pmin 1")
        << cabinet << QByteArray("a;5;40;4;-2;1;1;2;Слева;С байпасом;С манометрами") << u"pmax"_s;
    QTest::newRow("mode 5, pmax 1 and pmin -2")
        << cabinet << QByteArray("a;5;40;4;1;-2;1;2;Слева;С байпасом;С манометрами") << u"pmin"_s;
}

void TestBatchLimits::columnOfRefusedValue()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, row);
    QFETCH(QString, column);

    const QJsonObject point = SizedPoint(header, row);
    QCOMPARE(point[u"status"_s].toString(), u"error"_s);
    QCOMPARE(point[u"error"_s].toObject()[u"column"_s].toString(), column);
}

QTEST_GUILESS_MAIN(TestBatchLimits)
#include "tst_batch_limits.moc"
