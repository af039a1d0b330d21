#include "core/catalogue/catalogue.h"
#include "core/catalogue/catalogue_blocks.h"

#include <QMap>
#include <QRegularExpression>
#include <QTest>

// Checks the filled catalogue against the maker's tables, slot by slot where it
// matters and block by block for the layout the selections rely on.
class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void emptyBeforeFill();
    void holdsAllProducts();
    void fillingTwiceChangesNothing();

    void blockLayout_data();
    void blockLayout();
    void emptySlots_data();
    void emptySlots();
    void secondTurbineHighPressurePattern();

    void exactRows_data();
    void exactRows();
    void temperatureComplexesOfSecondTurbineHaveNoPrice();
    void repeatedNamesAreDistinctRows_data();
    void repeatedNamesAreDistinctRows();
    void nameLengths();
    void meterFlowFollowsGSize();

private:
    ProductCatalogue catalogue_;
};

namespace {
bool isBlank(const ProductRecord &row)
{
    return row.Name.isEmpty() && row.DN == 0 && row.Pmin == 0 && row.Pmax == 0 && row.Qmax == 0
        && row.Qmin == 0 && row.Price == 0;
}
} // namespace

void TestCatalogue::initTestCase() { catalogue_.Fill(); }

void TestCatalogue::emptyBeforeFill()
{
    ProductCatalogue fresh;
    QCOMPARE(fresh.usedCount(), 0);
    for (int i = ProductCatalogue::FirstSlot; i <= ProductCatalogue::LastSlot; ++i)
        QVERIFY2(isBlank(fresh.at(i)), qPrintable(QString::number(i)));
}

void TestCatalogue::holdsAllProducts()
{
    QCOMPARE(catalogue_.usedCount(), 558);
    int named = 0;
    for (int i = 1; i <= 2000; ++i) {
        const ProductRecord &row = catalogue_[i];
        if (row.isEmpty()) {
            QVERIFY2(isBlank(row), qPrintable(QString::number(i)));
        } else {
            ++named;
            QVERIFY2(row.DN > 0 && row.Qmax > 0 && row.Pmax > 0, qPrintable(QString::number(i)));
        }
    }
    QCOMPARE(named, 558);
}

void TestCatalogue::fillingTwiceChangesNothing()
{
    ProductCatalogue twice;
    twice.Fill();
    twice.Fill();
    QCOMPARE(twice.usedCount(), 558);
    for (int i : {1, 605, 951, 1951, 1704})
        QCOMPARE(twice.at(i).Name, catalogue_.at(i).Name);
}

void TestCatalogue::blockLayout_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("firstUsed");
    QTest::addColumn<int>("lastUsed");
    QTest::addColumn<int>("used");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("suffix");

    const auto add = [](const char *tag, CatalogueBlock b, int firstUsed, int lastUsed, int used,
                        const QString &prefix, const QString &suffix) {
        QTest::newRow(tag) << b.first << b.last << firstUsed << lastUsed << used << prefix << suffix;
    };
    add("rotary complexes", Blocks::ComplexRotary16, 1, 115, 115, QStringLiteral("ВЕЛОНВз-Р-"), QStringLiteral("/1,6"));
    add("T1 complexes 1,6", Blocks::ComplexTurbine1_16, 201, 275, 75, QStringLiteral("ВЕЛОНВз-Т1-"), QStringLiteral("/1,6"));
    add("T1 complexes 7,5", Blocks::ComplexTurbine1_75, 301, 342, 42, QStringLiteral("ВЕЛОНВз-Т1-"), QStringLiteral("/7,5"));
    add("T2 complexes 1,6", Blocks::ComplexTurbine2_16, 405, 494, 90, QStringLiteral("ВЕЛОНВз-Т2-"), QStringLiteral("/1,6"));
    add("T2 complexes 7,5", Blocks::ComplexTurbine2_75, 605, 692, 54, QStringLiteral("ВЕЛОНВз-Т2-"), QStringLiteral("/7,5"));
    add("rotary meters", Blocks::RotaryMeters, 801, 820, 20, QStringLiteral("ZAM G"), QString());
    add("T1 meters 16", Blocks::Turbine1Meters16, 901, 915, 15, QStringLiteral("ЗЕТ-16М(МТ)-"), QString());
    add("T1 meters 75", Blocks::Turbine1Meters75, 952, 965, 14, QStringLiteral("ЗЕТ-75М-"), QString());
    add("T2 meters 1,6", Blocks::Turbine2Meters16, 1002, 1019, 18, QStringLiteral("KEL G"), QStringLiteral("/1,6"));
    add("T2 meters high", Blocks::Turbine2MetersHigh, 1052, 1069, 18, QStringLiteral("KEL G"), QString());
    add("utility", Blocks::UtilityMeters, 1101, 1106, 6, QString(), QString());
    add("utility compensated", Blocks::UtilityMetersCompensated, 1151, 1155, 5, QStringLiteral("NM G"),
        QString());
    add("cabinet R", Blocks::CabinetMeteringR, 1201, 1206, 6, QStringLiteral("ТИВ-Р-"), QString());
    add("cabinet Sh", Blocks::CabinetMeteringSh, 1301, 1306, 6, QStringLiteral("ТИВ-Ш-"), QString());
    add("cabinet ShUGO", Blocks::CabinetMeteringShugo, 1401, 1406, 6, QStringLiteral("ТИВ-ШУГО-"), QString());
    add("cabinet ShUEO", Blocks::CabinetMeteringShueo, 1501, 1506, 6, QStringLiteral("ТИВ-ШУЭО-"), QString());
    add("reducing", Blocks::CabinetReducing, 1601, 1604, 4, QStringLiteral("ЛЕМА-"), QStringLiteral("-500"));
    add("metering-reducing", Blocks::CabinetMeteringReducing, 1701, 1704, 4, QStringLiteral("ОРНИК-"),
        QStringLiteral("-100"));
    add("temp rotary", Blocks::TempComplexRotary, 1801, 1820, 20, QStringLiteral("ZAM G"), QStringLiteral("+KQ730"));
    add("temp T1", Blocks::TempComplexTurbine1, 1901, 1915, 15, QStringLiteral("МАРИН/"), QString());
    add("temp T2", Blocks::TempComplexTurbine2, 1951, 1969, 19, QStringLiteral("KEL G"), QStringLiteral("+KQ730"));
}

// Used slots of each block: where they start and end, how many, how they are
// named, and in ascending Qmax.
void TestCatalogue::blockLayout()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, firstUsed);
    QFETCH(int, lastUsed);
    QFETCH(int, used);
    QFETCH(QString, prefix);
    QFETCH(QString, suffix);

    int seenFirst = 0;
    int seenLast = 0;
    int seen = 0;
    double previousQmax = 0;
    for (int i = first; i <= last; ++i) {
        const ProductRecord &row = catalogue_.at(i);
        if (row.isEmpty())
            continue;
        if (seenFirst == 0)
            seenFirst = i;
        seenLast = i;
        ++seen;
        QVERIFY2(row.Name.startsWith(prefix), qPrintable(row.Name));
        QVERIFY2(row.Name.endsWith(suffix), qPrintable(row.Name));
        QVERIFY2(row.Qmax >= previousQmax, qPrintable(QString::number(i)));
        previousQmax = row.Qmax;
    }
    QCOMPARE(seenFirst, firstUsed);
    QCOMPARE(seenLast, lastUsed);
    QCOMPARE(seen, used);
}

void TestCatalogue::emptySlots_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");

    QTest::newRow("rotary complexes tail") << 116 << 200;
    QTest::newRow("T1 1,6 tail") << 276 << 300;
    QTest::newRow("T1 7,5 tail") << 343 << 399;
    QTest::newRow("T2 1,6 head") << 400 << 404;
    QTest::newRow("T2 1,6 tail") << 495 << 599;
    QTest::newRow("T2 7,5 head") << 600 << 604;
    QTest::newRow("T2 7,5 tail") << 693 << 799;
    QTest::newRow("slot 800") << 800 << 800;
    QTest::newRow("rotary meters tail") << 821 << 900;
    QTest::newRow("T1 meters 16 tail") << 916 << 950;
    QTest::newRow("slot 951") << 951 << 951;
    QTest::newRow("T1 meters 75 tail") << 966 << 1000;
    QTest::newRow("slot 1001") << 1001 << 1001;
    QTest::newRow("T2 meters 1,6 tail") << 1020 << 1050;
    QTest::newRow("slot 1051") << 1051 << 1051;
    QTest::newRow("T2 meters high tail") << 1070 << 1100;
    QTest::newRow("utility tail") << 1107 << 1150;
    QTest::newRow("utility compensated tail") << 1156 << 1200;
    QTest::newRow("cabinet R tail") << 1207 << 1300;
    QTest::newRow("cabinet Sh tail") << 1307 << 1400;
    QTest::newRow("cabinet ShUGO tail") << 1407 << 1500;
    QTest::newRow("cabinet ShUEO tail") << 1507 << 1600;
    QTest::newRow("after reducing") << 1605 << 1700;
    QTest::newRow("after metering-reducing") << 1705 << 1800;
    QTest::newRow("temp rotary tail") << 1821 << 1900;
    QTest::newRow("temp T1 tail") << 1916 << 1950;
    QTest::newRow("temp T2 tail") << 1970 << 2000;
}

void TestCatalogue::emptySlots()
{
    QFETCH(int, from);
    QFETCH(int, to);
    for (int i = from; i <= to; ++i)
        QVERIFY2(isBlank(catalogue_.at(i)), qPrintable(QString::number(i)));
}

// Three used, two empty, from 605 to 694.
void TestCatalogue::secondTurbineHighPressurePattern()
{
    const QList<int> used = {605, 606, 607, 610, 611, 612, 615, 685, 686, 687, 690, 691, 692};
    const QList<int> empty = {608, 609, 613, 614, 618, 619, 683, 684, 688, 689, 693, 694};
    for (int i : used)
        QVERIFY2(!catalogue_.at(i).isEmpty(), qPrintable(QString::number(i)));
    for (int i : empty)
        QVERIFY2(isBlank(catalogue_.at(i)), qPrintable(QString::number(i)));
    int count = 0;
    for (int i = 605; i <= 694; ++i) {
        const bool inUse = !catalogue_.at(i).isEmpty();
        QCOMPARE(inUse, (i - 605) % 5 < 3);
        count += inUse;
    }
    QCOMPARE(count, 54);
}

void TestCatalogue::exactRows_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("dn");
    QTest::addColumn<double>("pmin");
    QTest::addColumn<double>("pmax");
    QTest::addColumn<double>("qmax");
    QTest::addColumn<double>("qmin");
    QTest::addColumn<double>("price");

    const auto row = [](int index, const QString &name, int dn, double pmin, double pmax, double qmax,
                        double qmin, double price) {
        QTest::addRow("%d", index) << index << name << dn << pmin << pmax << qmax << qmin << price;
    };
    // Complexes with temperature-and-pressure correction.
    row(1, QStringLiteral("ВЕЛОНВз-Р-0,2-25/1,6"), 50, 0.8, 2, 25, 1.3, 79400);
    row(12, QStringLiteral("ВЕЛОНВз-Р-0,5-40/1,6"), 50, 1, 5, 40, 0.8, 82350);
    row(58, QStringLiteral("ВЕЛОНВз-Р-0,75-250/1,6"), 80, 1.5, 7.5, 250, 13, 100750);
    row(69, QStringLiteral("ВЕЛОНВз-Р-1,0-250/1,6"), 80, 2, 10, 250, 2.5, 104875);
    row(115, QStringLiteral("ВЕЛОНВз-Р-2,0-650/1,6"), 100, 4, 20, 650, 6.5, 152325);
    row(201, QStringLiteral("ВЕЛОНВз-Т1-0,2-100/1,6"), 50, 0.8, 2, 100, 10, 84630);
    row(248, QStringLiteral("ВЕЛОНВз-Т1-0,75-1000/1,6"), 150, 1.5, 7.5, 1000, 100, 99665);
    row(275, QStringLiteral("ВЕЛОНВз-Т1-2,0-2500/1,6"), 200, 4, 20, 2500, 125, 134275);
    row(301, QStringLiteral("ВЕЛОНВз-Т1-2,0-250/7,5"), 80, 4, 20, 250, 25, 116488);
    row(305, QStringLiteral("ВЕЛОНВз-Т1-5,5-250/7,5"), 80, 11, 55, 250, 12.5, 116488);
    row(342, QStringLiteral("ВЕЛОНВз-Т1-7,0-2500/7,5"), 200, 14, 70, 2500, 125, 0);
    row(405, QStringLiteral("ВЕЛОНВз-Т2-0,2-250/1,6"), 80, 0.8, 2, 250, 13, 100680);
    row(464, QStringLiteral("ВЕЛОНВз-Т2-2,0-1600/1,6"), 150, 4, 20, 1600, 50, 150540);
    row(465, QStringLiteral("ВЕЛОНВз-Т2-0,2-2500/1,6"), 250, 0.8, 2, 2500, 130, 0);
    row(494, QStringLiteral("ВЕЛОНВз-Т2-2,0-6500/1,6"), 300, 4, 20, 6500, 200, 506670);
    row(605, QStringLiteral("ВЕЛОНВз-Т2-2,0-250/7,5"), 80, 4, 20, 250, 13, 0);
    row(671, QStringLiteral("ВЕЛОНВз-Т2-5,5-4000/7,5"), 250, 11, 55, 4000, 200, 479100);
    row(692, QStringLiteral("ВЕЛОНВз-Т2-7,0-6500/7,5"), 300, 14, 70, 6500, 200, 553050);
    // Industrial meters.
    row(801, QStringLiteral("ZAM G16"), 50, 0, 16, 25, 1.3, 28400);
    row(811, QStringLiteral("ZAM G100"), 80, 0, 16, 160, 1.6, 39425);
    row(812, QStringLiteral("ZAM G250"), 100, 0, 16, 400, 20, 71800);
    row(820, QStringLiteral("ZAM G400"), 100, 0, 16, 650, 6.5, 104725);
    row(901, QStringLiteral("ЗЕТ-16М(МТ)-100"), 50, 0, 16, 100, 10, 22760);
    row(915, QStringLiteral("ЗЕТ-16М(МТ)-2500"), 200, 0, 16, 2500, 125, 77175);
    row(952, QStringLiteral("ЗЕТ-75М-250"), 80, 0, 75, 250, 25, 52888);
    row(962, QStringLiteral("ЗЕТ-75М-1600"), 200, 0, 75, 1600, 160, 0);
    row(965, QStringLiteral("ЗЕТ-75М-2500"), 200, 0, 75, 2500, 125, 0);
    row(1002, QStringLiteral("KEL G160/1,6"), 80, 0, 16, 250, 13, 48380);
    row(1014, QStringLiteral("KEL G1600/1,6"), 250, 0, 16, 2500, 130, 0);
    row(1019, QStringLiteral("KEL G4000/1,6"), 300, 0, 16, 6500, 200, 454370);
    row(1052, QStringLiteral("KEL G160/10"), 80, 0, 100, 250, 13, 0);
    row(1064, QStringLiteral("KEL G1600/10"), 250, 0, 100, 2500, 130, 0);
    row(1065, QStringLiteral("KEL G2500/6.3"), 250, 0, 63, 4000, 200, 426800);
    row(1069, QStringLiteral("KEL G4000/6.3"), 300, 0, 63, 6500, 200, 500750);
    // Utility meters, in euros.
    row(1101, QStringLiteral("NM G6"), 25, 0, 1.5, 10, 0.06, 62.5);
    row(1102, QStringLiteral("PIX G6"), 25, 0, 1.5, 10, 0.06, 34.2);
    row(1105, QStringLiteral("NM G16"), 40, 0, 1.5, 25, 0.16, 231.6);
    row(1152, QStringLiteral("NM G10T(мех)"), 25, 0, 1.5, 16, 0.1, 210);
    row(1153, QStringLiteral("NM G10T(элек)"), 40, 0, 1.5, 16, 0.1, 450);
    row(1155, QStringLiteral("NM G25T"), 50, 0, 1.5, 40, 0.25, 520);
    // Cabinet points.
    row(1201, QStringLiteral("ТИВ-Р-100-исп.1"), 50, 0, 16, 100, 1, 160000);
    row(1205, QStringLiteral("ТИВ-Р-400"), 100, 0, 16, 400, 4, 230000);
    row(1302, QStringLiteral("ТИВ-Ш-100-исп.2"), 50, 0, 16, 100, 1, 185000);
    row(1306, QStringLiteral("ТИВ-Ш-650"), 100, 0, 16, 650, 6.5, 325000);
    row(1406, QStringLiteral("ТИВ-ШУГО-650"), 100, 0, 16, 650, 6.5, 340000);
    row(1503, QStringLiteral("ТИВ-ШУЭО-160"), 80, 0, 16, 160, 1.6, 245000);
    row(1504, QStringLiteral("ТИВ-ШУЭО-250"), 80, 0, 16, 250, 2.5, 255000);
    row(1601, QStringLiteral("ЛЕМА-Р-500"), 50, 0, 16, 500, 0, 120000);
    row(1602, QStringLiteral("ЛЕМА-Ш-500"), 50, 0, 6, 500, 0, 135000);
    row(1604, QStringLiteral("ЛЕМА-ШУЭО-500"), 50, 0, 6, 500, 0, 140000);
    row(1701, QStringLiteral("ОРНИК-Р-100"), 50, 0, 6, 100, 1, 195000);
    row(1703, QStringLiteral("ОРНИК-ШУГО-100"), 50, 0, 6, 100, 1, 225000);
    // Temperature-corrected complexes.
    row(1801, QStringLiteral("ZAM G16+KQ730"), 50, 0, 6, 25, 1.3, 42900);
    row(1812, QStringLiteral("ZAM G250+KQ730"), 100, 0, 6, 400, 20, 86400);
    row(1820, QStringLiteral("ZAM G400+KQ730"), 100, 0, 6, 650, 6.5, 121325);
    row(1901, QStringLiteral("МАРИН/100"), 50, 0, 6, 100, 10, 46180);
    row(1915, QStringLiteral("МАРИН/2500"), 200, 0, 6, 2500, 125, 95225);
    row(1951, QStringLiteral("KEL G100+KQ730"), 80, 0, 6, 160, 16, 0);
    row(1952, QStringLiteral("KEL G160+KQ730"), 80, 0, 6, 250, 13, 0);
    row(1969, QStringLiteral("KEL G4000+KQ730"), 300, 0, 6, 6500, 200, 0);
}

void TestCatalogue::exactRows()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, dn);
    QFETCH(double, pmin);
    QFETCH(double, pmax);
    QFETCH(double, qmax);
    QFETCH(double, qmin);
    QFETCH(double, price);

    const ProductRecord &row = catalogue_.at(index);
    QCOMPARE(row.Name, name);
    QCOMPARE(row.DN, dn);
    QCOMPARE(row.Pmin, pmin);
    QCOMPARE(row.Pmax, pmax);
    QCOMPARE(row.Qmax, qmax);
    QCOMPARE(row.Qmin, qmin);
    QCOMPARE(row.Price, price);
}

void TestCatalogue::temperatureComplexesOfSecondTurbineHaveNoPrice()
{
    for (int i = 1951; i <= 1969; ++i) {
        const ProductRecord &row = catalogue_.at(i);
        QVERIFY2(!row.isEmpty(), qPrintable(QString::number(i)));
        QCOMPARE(row.Price, 0.0);
        QCOMPARE(row.Pmin, 0.0);
        QCOMPARE(row.Pmax, 6.0);
    }
}

void TestCatalogue::repeatedNamesAreDistinctRows_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<QString>("name");

    QTest::newRow("NM G10") << 1103 << 1104 << QStringLiteral("NM G10");
    QTest::newRow("ZAM G25") << 802 << 803 << QStringLiteral("ZAM G25");
    QTest::newRow("rotary complex") << 6 << 11 << QStringLiteral("ВЕЛОНВз-Р-0,2-40/1,6");
    QTest::newRow("KEL G400/1,6") << 1007 << 1009 << QStringLiteral("KEL G400/1,6");
}

void TestCatalogue::repeatedNamesAreDistinctRows()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(QString, name);
    const ProductRecord &first = catalogue_.at(a);
    const ProductRecord &second = catalogue_.at(b);
    QCOMPARE(first.Name, name);
    QCOMPARE(second.Name, name);
    QVERIFY(first.DN != second.DN || first.Qmin != second.Qmin || first.Price != second.Price);
}

void TestCatalogue::nameLengths()
{
    qsizetype longest = 0;
    for (int i = 1; i <= 2000; ++i)
        longest = qMax(longest, catalogue_.at(i).Name.size());
    QCOMPARE(longest, 24);
    QVERIFY(longest <= 31);
    QCOMPARE(catalogue_.at(248).Name.size(), 24);
}

// Every meter named by a G size has the flow of that size.
void TestCatalogue::meterFlowFollowsGSize()
{
    const QMap<int, double> series = {{6, 10},     {10, 16},     {16, 25},     {25, 40},     {40, 65},
                                      {65, 100},   {100, 160},   {160, 250},   {250, 400},   {400, 650},
                                      {650, 1000}, {1000, 1600}, {1600, 2500}, {2500, 4000}, {4000, 6500}};
    const QRegularExpression size(QStringLiteral("^(?:ZAM|KEL|NM|PIX) G(\\d+)"));
    int checked = 0;
    for (int i = 1; i <= 2000; ++i) {
        const ProductRecord &row = catalogue_.at(i);
        const QRegularExpressionMatch m = size.match(row.Name);
        if (!m.hasMatch())
            continue;
        const int g = m.captured(1).toInt();
        QVERIFY2(series.contains(g), qPrintable(row.Name));
        QCOMPARE(row.Qmax, series.value(g));
        ++checked;
    }
    // 20 + 20 rotary, 18 + 18 + 19 second turbine, 11 utility.
    QCOMPARE(checked, 106);
}

QTEST_APPLESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
