// The priced list of a project: the example's rows and totals against a table computed
// by hand, points that add nothing to it named, and the texts the window, the report and
// the workbook show (grouped amounts, a euro row in roubles, a price on request).
#include "core/pricing/priced_list_texts.h"
#include "core/project/project_file.h"
#include "core/project/project_points.h"
#include "core/project/project_priced_list.h"
#include "filled_catalogue.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

std::vector<BatchRecord> Sized(const Project &project)
{
    std::vector<BatchRecord> records;
    for (const ProjectPoint &point : project.points)
        records.push_back(SizeProjectPoint(point, FilledCatalogue()));
    return records;
}

Project Example()
{
    QFile file(QStringLiteral(GAS_EXAMPLE_PROJECT));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadProjectFile(file.readAll()).project.value_or(Project{});
}

// A text with '_' for the no-break space that groups thousands.
QString N(QString text)
{
    return text.replace(u'_', QChar(0x00A0));
}

} // namespace

class TestProjectPricedList : public QObject {
    Q_OBJECT

private slots:
    void example();
    void pointsNotSized();
    void grouped_data();
    void grouped();
    void euroRowInRoubles();
    void priceOnRequest();
};

void TestProjectPricedList::example()
{
    // By hand, at 22 %:
    //   ВЕЛОНВз-Р-0,75-100/1,6  1 x  83 525,00 =  83 525,00, VAT 18 375,50
    //   ZAM G65 (points 2 and 3) 3 x 31 350,00 =  94 050,00, VAT 20 691,00
    //   ТИВ-Ш-100-исп.1         1 x 175 000,00 = 175 000,00, VAT 38 500,00
    //   ЛЕМА-Ш-500              2 x 135 000,00 = 270 000,00, VAT 59 400,00
    //   622 575,00 without VAT, 136 966,50 VAT, 759 541,50 with it.
    const Project project = Example();
    QCOMPARE(project.points.size(), std::size_t(5));
    const PricedList priced = ProjectPricedList(project, Sized(project));
    QCOMPARE(priced.rows.size(), std::size_t(4));
    QStringList names, amounts, vats;
    for (const PricedListRow &row : priced.rows) {
        names << row.name + u" x"_s + QString::number(row.quantity);
        amounts << MoneyText(row.amount);
        vats << MoneyText(row.vat);
    }
    QCOMPARE(names, (QStringList{u"ВЕЛОНВз-Р-0,75-100/1,6 x1"_s, u"ZAM G65 x3"_s, u"ТИВ-Ш-100-исп.1 x1"_s,
                                 u"ЛЕМА-Ш-500 x2"_s}));
    QCOMPARE(amounts, (QStringList{u"83525.00"_s, u"94050.00"_s, u"175000.00"_s, u"270000.00"_s}));
    QCOMPARE(vats, (QStringList{u"18375.50"_s, u"20691.00"_s, u"38500.00"_s, u"59400.00"_s}));
    QCOMPARE(priced.rows[1].points, (QStringList{u"Ввод 2, котёл 2"_s, u"Ввод 3, резерв"_s}));
    QCOMPARE(priced.totals.size(), std::size_t(1));
    QCOMPARE(MoneyText(priced.totals[0].total), u"759541.50"_s);
    QVERIFY(!priced.totalRub);

    QCOMPARE(PricedListTotalLines(priced, u','),
             (QStringList{N(u"Итого без НДС: 622_575,00 руб."_s), N(u"НДС 22 %: 136_966,50 руб."_s),
                          N(u"Всего с НДС: 759_541,50 руб."_s)}));
}

void TestProjectPricedList::pointsNotSized()
{
    // No product chosen, a product that no longer fits, texts the sizing refuses: each
    // point is named below the table and adds nothing to it.
    Project project = Example();
    project.points[0].choice.clear();
    project.points[1].choice = u"NM G25"_s;
    project.points[3].setText(BatchColumn::Qmax, u"abc"_s);
    const PricedList priced = ProjectPricedList(project, Sized(project));
    QCOMPARE(priced.notSized, (QStringList{u"Ввод 1, котёл 1"_s, u"Ввод 2, котёл 2"_s, u"ГРП-1"_s}));
    QCOMPARE(priced.rows.size(), std::size_t(2));
    QCOMPARE(priced.rows[0].quantity, 2); // ZAM G65 of point 3 alone
    QCOMPARE(PricedListTotalLines(priced, u'.').last(),
             u"не подобрано: Ввод 1, котёл 1, Ввод 2, котёл 2, ГРП-1"_s);
}

void TestProjectPricedList::grouped_data()
{
    QTest::addColumn<qint64>("kopecks");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << u"0,00"_s;
    QTest::newRow("three digits") << qint64(99999) << u"999,99"_s;
    QTest::newRow("four digits") << qint64(100000) << N(u"1_000,00"_s);
    QTest::newRow("seven digits") << qint64(123456789) << N(u"1_234_567,89"_s);
    QTest::newRow("negative") << qint64(-123456789) << N(u"-1_234_567,89"_s);
    QTest::newRow("negative three") << qint64(-12345) << u"-123,45"_s;
}

void TestProjectPricedList::grouped()
{
    QFETCH(qint64, kopecks);
    QFETCH(QString, text);
    QCOMPARE(GroupedMoney(Money{kopecks}, u','), text);
}

void TestProjectPricedList::euroRowInRoubles()
{
    // 2 x 123,45 EUR = 246,90 EUR, VAT 22 % 54,318 -> 54,32; at 100,5 roubles per euro
    // 24 813,45 roubles, VAT 5 458,959 -> 5 458,96; with 10 000,00 roubles and their VAT
    // 2 200,00 the grand total is 24 813,45 + 5 458,96 + 12 200,00 = 42 472,41.
    Pricing pricing;
    pricing.eurRate = 1005000;
    pricing.eurRateDate = QDate(2026, 12, 10);
    const PricedList priced = BuildPricedList(
        {{u"А"_s, u"NM G4"_s, 25, 2, Money{12345}, Currency::Euros},
         {u"Б"_s, u"ZAM G65"_s, 50, 1, Money{1000000}, Currency::Roubles}},
        {}, pricing);
    QVERIFY(ShowsRoubles(priced));
    const QStringList euro = PricedListCells(priced.rows[0], u',');
    QCOMPARE(euro[int(PricedListColumn::Amount)], u"246,90"_s);
    QCOMPARE(euro[int(PricedListColumn::Vat)], u"54,32"_s);
    QCOMPARE(euro[int(PricedListColumn::Currency)], u"EUR"_s);
    QCOMPARE(euro[int(PricedListColumn::AmountRub)], N(u"24_813,45"_s));
    QCOMPARE(euro[int(PricedListColumn::VatRub)], N(u"5_458,96"_s));
    const QStringList lines = PricedListTotalLines(priced, u',');
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[3], u"Итого без НДС: 246,90 евро"_s);
    QCOMPARE(lines[6], N(u"Всего с НДС в рублях (курс евро 100,5 руб. на 10.12.2026): 42_472,41 руб."_s));

    pricing.eurRate.reset();
    QVERIFY(!ShowsRoubles(BuildPricedList({{u"А"_s, u"NM G4"_s, 25, 2, Money{12345}, Currency::Euros}}, {},
                                             pricing)));
}

void TestProjectPricedList::priceOnRequest()
{
    const PricedList priced = BuildPricedList(
        {{u"А"_s, u"Особое"_s, 80, 3, Money{0}, Currency::Roubles}}, {}, Pricing{});
    const QStringList cells = PricedListCells(priced.rows[0], u',');
    QCOMPARE(cells[int(PricedListColumn::Price)], u"цена по запросу"_s);
    QCOMPARE(cells[int(PricedListColumn::Amount)], QString());
    QCOMPARE(PricedListTotalLines(priced, u','),
             QStringList{u"Позиций с ценой по запросу: 1 (в итоги не вошли)."_s});
}

QTEST_GUILESS_MAIN(TestProjectPricedList)
#include "tst_project_priced_list.moc"
