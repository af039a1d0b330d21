// The priced list's arithmetic against tables computed by hand: quantities summed per
// product, amounts and VAT to the kopeck, mixed currencies with and without a euro rate,
// a product without a list price, rounding at half a kopeck, and the rates refused.
#include "core/pricing/priced_list.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

PricedListItem Item(const QString &point, const QString &name, int quantity, std::int64_t kopecks,
                       Currency currency = Currency::Roubles)
{
    return {point, name, 50, quantity, Money{kopecks}, currency};
}

QString Text(Money m)
{
    return MoneyText(m);
}

} // namespace

class TestPricedList : public QObject {
    Q_OBJECT

private slots:
    void divideRounded_data();
    void divideRounded();
    void readScaled_data();
    void readScaled();
    void mixedTable();
    void rowRounding_data();
    void rowRounding();
    void rates_data();
    void rates();
};

void TestPricedList::divideRounded_data()
{
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<qint64>("rounded");
    QTest::newRow("below half") << qint64(14) << qint64(10) << qint64(1);
    QTest::newRow("half up") << qint64(15) << qint64(10) << qint64(2);
    QTest::newRow("half of an odd denominator is not reached") << qint64(1) << qint64(3) << qint64(0);
    QTest::newRow("two thirds") << qint64(2) << qint64(3) << qint64(1);
    QTest::newRow("negative half away from zero") << qint64(-15) << qint64(10) << qint64(-2);
    QTest::newRow("negative below half") << qint64(-14) << qint64(10) << qint64(-1);
    QTest::newRow("exact") << qint64(30) << qint64(10) << qint64(3);
    QTest::newRow("large") << qint64(922337203685477580) << qint64(10000) << qint64(92233720368548);
}

void TestPricedList::divideRounded()
{
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(qint64, rounded);
    QCOMPARE(DivideRounded(numerator, denominator), rounded);
}

void TestPricedList::readScaled_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("read");
    QTest::addColumn<qint64>("value");
    QTest::newRow("whole") << u"79400"_s << 2 << true << qint64(7940000);
    QTest::newRow("point") << u"62.5"_s << 2 << true << qint64(6250);
    QTest::newRow("comma") << u"62,50"_s << 2 << true << qint64(6250);
    QTest::newRow("blanks and sign") << u" -0,05 "_s << 2 << true << qint64(-5);
    QTest::newRow("rate to four decimals") << u"100,5123"_s << 4 << true << qint64(1005123);
    QTest::newRow("too many decimals") << u"22,555"_s << 2 << false << qint64(0);
    QTest::newRow("two separators") << u"1.000,5"_s << 2 << false << qint64(0);
    QTest::newRow("letters") << u"abc"_s << 2 << false << qint64(0);
    QTest::newRow("empty") << u""_s << 2 << false << qint64(0);
    QTest::newRow("lone separator") << u","_s << 2 << false << qint64(0);
    QTest::newRow("Arabic-Indic digit") << u"\u0662"_s << 2 << false << qint64(0);
    QTest::newRow("overflow") << u"99999999999999999999"_s << 2 << false << qint64(0);
}

void TestPricedList::readScaled()
{
    QFETCH(QString, text);
    QFETCH(int, decimals);
    QFETCH(bool, read);
    QFETCH(qint64, value);
    const auto scaled = ReadScaled(text, decimals);
    QCOMPARE(scaled.has_value(), read);
    if (read)
        QCOMPARE(*scaled, value);
}

// Two points choose ZAM G65 at 32 525,00 roubles (2 + 1), one four NM G25 at 62,50 euros,
// one a product without a list price, one point found nothing. At 22 %:
//   ZAM G65: 3 x 32 525,00 = 97 575,00, VAT 21 466,50
//   NM G25:  4 x 62,50 = 250,00 EUR, VAT 55,00
// At 100,5 roubles per euro the euro row is 25 125,00 roubles, VAT 5 527,50, and the grand
// total 97 575,00 + 21 466,50 + 25 125,00 + 5 527,50 = 149 694,00.
void TestPricedList::mixedTable()
{
    const std::vector<PricedListItem> items{
        Item(u"Ввод 1"_s, u"ZAM G65"_s, 2, 3252500),
        Item(u"Ввод 2"_s, u"NM G25"_s, 4, 6250, Currency::Euros),
        Item(u"Ввод 3"_s, u"ZAM G65"_s, 1, 3252500),
        Item(u"Ввод 4"_s, u"ШУЭО"_s, 1, 0),
    };
    Pricing pricing;
    PricedList priced = BuildPricedList(items, {u"Ввод 5"_s}, pricing);

    QCOMPARE(priced.rows.size(), std::size_t(3));
    const PricedListRow &zam = priced.rows[0];
    QCOMPARE(zam.number, 1);
    QCOMPARE(zam.quantity, 3);
    QCOMPARE(zam.points, (QStringList{u"Ввод 1"_s, u"Ввод 3"_s}));
    QCOMPARE(Text(zam.amount), u"97575.00"_s);
    QCOMPARE(Text(zam.vat), u"21466.50"_s);
    QCOMPARE(Text(priced.rows[1].amount), u"250.00"_s);
    QCOMPARE(Text(priced.rows[1].vat), u"55.00"_s);
    QVERIFY(!priced.rows[1].amountRub);
    QVERIFY(priced.rows[2].onRequest);
    QCOMPARE(Text(priced.rows[2].amount), u"0.00"_s);
    QCOMPARE(priced.priceOnRequest, 1);
    QCOMPARE(priced.notSized, QStringList{u"Ввод 5"_s});

    QCOMPARE(priced.totals.size(), std::size_t(2));
    QCOMPARE(priced.totals[0].currency, Currency::Roubles);
    QCOMPARE(Text(priced.totals[0].amount), u"97575.00"_s);
    QCOMPARE(Text(priced.totals[0].vat), u"21466.50"_s);
    QCOMPARE(Text(priced.totals[0].total), u"119041.50"_s);
    QCOMPARE(priced.totals[1].currency, Currency::Euros);
    QCOMPARE(Text(priced.totals[1].total), u"305.00"_s);
    QVERIFY(!priced.totalRub); // no rate: the euro total stands on its own

    pricing.eurRate = 1005000;
    priced = BuildPricedList(items, {}, pricing);
    QCOMPARE(Text(*priced.rows[1].amountRub), u"25125.00"_s);
    QCOMPARE(Text(*priced.rows[1].vatRub), u"5527.50"_s);
    QCOMPARE(Text(*priced.totalRub), u"149694.00"_s);

    pricing.vatHundredths = 0;
    priced = BuildPricedList(items, {}, pricing);
    QCOMPARE(Text(priced.totals[0].vat), u"0.00"_s);
    QCOMPARE(Text(*priced.totalRub), u"122700.00"_s); // 97 575 + 25 125
}

void TestPricedList::rowRounding_data()
{
    QTest::addColumn<qint64>("price");  // kopecks or cents
    QTest::addColumn<int>("quantity");
    QTest::addColumn<int>("vat");       // hundredths of a per cent
    QTest::addColumn<qint64>("rate");   // ten-thousandths of a rouble per euro; 0: a rouble row
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("vatText");
    QTest::addColumn<QString>("rub");   // the grand total in roubles; empty without a rate

    // 0,25 x 22 % = 0,055: half a kopeck goes away from zero.
    QTest::newRow("half a kopeck of VAT") << qint64(25) << 1 << 2200 << qint64(0) << u"0.25"_s << u"0.06"_s << QString();
    // 0,24 x 22 % = 0,0528
    QTest::newRow("below half a kopeck") << qint64(24) << 1 << 2200 << qint64(0) << u"0.24"_s << u"0.05"_s << QString();
    // The VAT of the row, not the sum of the units' VAT: 3 x 0,25 = 0,75, 22 % = 0,165.
    QTest::newRow("VAT of the row") << qint64(25) << 3 << 2200 << qint64(0) << u"0.75"_s << u"0.17"_s << QString();
    QTest::newRow("20 %") << qint64(1000000) << 7 << 2000 << qint64(0) << u"70000.00"_s << u"14000.00"_s << QString();
    QTest::newRow("0 %") << qint64(1000000) << 7 << 0 << qint64(0) << u"70000.00"_s << u"0.00"_s << QString();
    // 0,01 EUR at 100,005 roubles = 1,00005 roubles = 100,005 kopecks: 1,00; VAT 0,22.
    QTest::newRow("euro cent converted") << qint64(1) << 1 << 2200 << qint64(1000050) << u"0.01"_s << u"0.00"_s << u"1.22"_s;
    // 0,01 EUR at 0,5 roubles is half a kopeck: 0,01 rouble; its VAT 0,0022 is 0.
    QTest::newRow("half a kopeck converted") << qint64(1) << 1 << 2200 << qint64(5000) << u"0.01"_s << u"0.00"_s << u"0.01"_s;
}

void TestPricedList::rowRounding()
{
    QFETCH(qint64, price);
    QFETCH(int, quantity);
    QFETCH(int, vat);
    QFETCH(qint64, rate);
    QFETCH(QString, amount);
    QFETCH(QString, vatText);
    QFETCH(QString, rub);

    Pricing pricing;
    pricing.vatHundredths = vat;
    if (rate)
        pricing.eurRate = rate;
    const PricedList priced = BuildPricedList(
        {Item(u"a"_s, u"X"_s, quantity, price, rate ? Currency::Euros : Currency::Roubles)}, {}, pricing);
    QCOMPARE(Text(priced.rows[0].amount), amount);
    QCOMPARE(Text(priced.rows[0].vat), vatText);
    QCOMPARE(Text(priced.totals[0].total), Text(priced.rows[0].amount + priced.rows[0].vat));
    QCOMPARE(priced.totalRub ? Text(*priced.totalRub) : QString(), rub);
}

void TestPricedList::rates_data()
{
    QTest::addColumn<QString>("vat");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("refused"); // a part of the message; empty: accepted

    QTest::newRow("22 %, no rate") << u"22"_s << u""_s << u""_s << QString();
    QTest::newRow("0 and 100 %") << u"0"_s << u""_s << u""_s << QString();
    QTest::newRow("100 %") << u"100"_s << u"100,5"_s << u"10.12.2026"_s << QString();
    QTest::newRow("ISO date") << u"22,5"_s << u"98.1234"_s << u"2026-12-10"_s << QString();
    QTest::newRow("VAT above 100") << u"100,01"_s << u""_s << u""_s << u"Ставка НДС «100,01»"_s;
    QTest::newRow("VAT negative") << u"-1"_s << u""_s << u""_s << u"Ставка НДС «-1»"_s;
    QTest::newRow("VAT not a number") << u"abc"_s << u""_s << u""_s << u"Ставка НДС «abc»"_s;
    QTest::newRow("VAT empty") << u""_s << u""_s << u""_s << u"Ставка НДС «»"_s;
    QTest::newRow("VAT three decimals") << u"22,555"_s << u""_s << u""_s << u"Ставка НДС"_s;
    QTest::newRow("rate 0") << u"22"_s << u"0"_s << u""_s << u"Курс евро «0»"_s;
    QTest::newRow("rate negative") << u"22"_s << u"-90"_s << u""_s << u"Курс евро «-90»"_s;
    QTest::newRow("rate five decimals") << u"22"_s << u"90,12345"_s << u""_s << u"Курс евро"_s;
    QTest::newRow("31 February") << u"22"_s << u"90"_s << u"31.02.2026"_s << u"Дата курса «31.02.2026»"_s;
    QTest::newRow("date not a date") << u"22"_s << u"90"_s << u"вчера"_s << u"Дата курса «вчера»"_s;
}

void TestPricedList::rates()
{
    QFETCH(QString, vat);
    QFETCH(QString, rate);
    QFETCH(QString, date);
    QFETCH(QString, refused);

    const PricingReading reading = ReadPricing(vat, rate, date);
    if (!refused.isEmpty()) {
        QVERIFY(!reading.pricing);
        QVERIFY2(reading.error.contains(refused), qPrintable(reading.error));
        return;
    }
    QVERIFY2(reading.pricing, qPrintable(reading.error));
    // What is read is written back the same way.
    QCOMPARE(VatText(reading.pricing->vatHundredths, u','), vat);
    if (!rate.isEmpty())
        QCOMPARE(EurRateText(*reading.pricing->eurRate, u'.'), QString(rate).replace(u',', u'.'));
    QCOMPARE(reading.pricing->eurRateDate.isValid(), !date.isEmpty());
}

QTEST_GUILESS_MAIN(TestPricedList)
#include "tst_priced_list.moc"
