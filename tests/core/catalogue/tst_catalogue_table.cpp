#include "core/catalogue/catalogue.h"
#include "core/catalogue/catalogue_table.h"
#include "core/selection/product_lines.h"
#include "core/selection/selection_modes.h"
#include "core/sizing/sizing.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The product table the catalogue is filled from: the built-in price list it names,
// every refusal of a damaged table with its line, and the lines and currencies the
// windows and the price lists give each product.
class TestCatalogueTable : public QObject {
    Q_OBJECT
    ProductCatalogue catalogue_;

    static QString Table(const QString &rows, const QString &date = QString())
    {
        return u"Прайс-лист;Проба\nДата;"_s + date + u'\n' + CatalogueTableHeader().join(u';') + u'\n' + rows;
    }

private slots:
    void initTestCase() { catalogue_.Fill(); }

    void builtInPriceList()
    {
        const PriceListInfo &info = catalogue_.priceList();
        QCOMPARE(info.name, u"Встроенный прайс-лист"_s);
        QVERIFY(!info.date.isValid());
        QVERIFY(info.isBuiltIn());
        QCOMPARE(PriceListTitle(info), u"«Встроенный прайс-лист», версия "_s + QStringLiteral(GAS_PROGRAM_VERSION));
    }

    void readsRowsExactly()
    {
        const CatalogueTable table = ReadCatalogueTable(
            Table(u"1102;PIX G6;25;0;1.5;10;0.06;34.20\r\n\r\n7;\"ВЕЛОН;1\";50;0.8;2;25;1.3;0.00\r\n"_s, u"01.03.2025"_s));
        QVERIFY2(table.error.isEmpty(), qPrintable(table.error));
        QCOMPARE(table.info.name, u"Проба"_s);
        QCOMPARE(table.info.date, QDate(2025, 3, 1));
        QCOMPARE(table.rows.size(), std::size_t(2));
        QCOMPARE(table.rows[0].slot, 1102);
        QCOMPARE(table.rows[0].record.Qmin, 0.06);
        QCOMPARE(table.rows[0].record.Price, 34.2);
        QCOMPARE(table.rows[1].record.Name, u"ВЕЛОН;1"_s);
        QCOMPARE(table.rows[1].record.Price, 0.0);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("where");
        const QString good = u"1;A;50;0;16;25;1.3;100.00\n"_s;
        QTest::newRow("no name row") << (u"Дата;\n"_s + CatalogueTableHeader().join(u';') + u"\n"_s + good) << u"строка 1:"_s;
        QTest::newRow("date not a date") << Table(good, u"2025-03-01"_s) << u"строка 2:"_s;
        QTest::newRow("other header") << u"Прайс-лист;Проба\nДата;\nПозиция;Обозначение\n"_s << u"строка 3:"_s;
        QTest::newRow("slot 0") << Table(u"0;A;50;0;16;25;1.3;100.00\n"_s) << u"строка 4:"_s;
        QTest::newRow("slot 2001") << Table(u"2001;A;50;0;16;25;1.3;100.00\n"_s) << u"строка 4:"_s;
        QTest::newRow("slot twice") << Table(good + good) << u"строка 5:"_s;
        QTest::newRow("no name") << Table(u"1;;50;0;16;25;1.3;100.00\n"_s) << u"строка 4:"_s;
        QTest::newRow("name of 32") << Table(u"1;"_s + QString(32, u'Ж') + u";50;0;16;25;1.3;100.00\n"_s) << u"строка 4:"_s;
        QTest::newRow("bore 0") << Table(u"1;A;0;0;16;25;1.3;100.00\n"_s) << u"строка 4:"_s;
        QTest::newRow("comma in a figure") << Table(u"1;A;50;0;16;25;1,3;100.00\n"_s) << u"строка 4:"_s;
        QTest::newRow("negative figure") << Table(u"1;A;50;-1;16;25;1.3;100.00\n"_s) << u"строка 4:"_s;
        QTest::newRow("three decimals") << Table(u"1;A;50;0;16;25;1.3;100.001\n"_s) << u"строка 4:"_s;
        QTest::newRow("negative price") << Table(u"1;A;50;0;16;25;1.3;-1.00\n"_s) << u"строка 4:"_s;
        QTest::newRow("price with a comma") << Table(u"1;A;50;0;16;25;1.3;100,00\n"_s) << u"строка 4:"_s;
        QTest::newRow("a field short") << Table(u"1;A;50;0;16;25;1.3\n"_s) << u"строка 4:"_s;
        QTest::newRow("open quote") << Table(good + u"2;\"B;50\n"_s) << u"строка 5:"_s;
        QTest::newRow("no product") << Table(QString()) << u"нет ни одного изделия"_s;
    }

    void refusals()
    {
        QFETCH(QString, text);
        QFETCH(QString, where);
        const CatalogueTable table = ReadCatalogueTable(text);
        QVERIFY2(table.error.contains(where), qPrintable(table.error));
        QVERIFY(table.rows.empty());
    }

    // Every product sits in a line whose family the choice dialogs name.
    void everyProductInALine()
    {
        int placed = 0;
        for (int slot = ProductCatalogue::FirstSlot; slot <= ProductCatalogue::LastSlot; ++slot) {
            if (catalogue_.at(slot).isEmpty())
                continue;
            const ProductLine *line = LineOfSlot(slot);
            QVERIFY2(line, qPrintable(QString::number(slot)));
            QVERIFY(!CategoryOfLine(*line).isEmpty());
            QVERIFY(!FamilyOfLine(*line).isEmpty());
            ++placed;
        }
        QCOMPARE(placed, 558);
        QCOMPARE(FamilyOfLine(*LineOfSlot(1052)), u"Турбинный счетчик KEL"_s);
        QCOMPARE(FamilyOfLine(*LineOfSlot(1703)), u"Пункт учета и редуцирования газа ОРНИК"_s);
        QCOMPARE(CategoryOfLine(*LineOfSlot(1915)), CategoryCaption(2));
        QVERIFY(!LineOfSlot(800));
    }

    // The currency a product is listed in is the one its sizing run is priced in.
    void currencyOfEveryRowIsItsRun_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("pressure");
        QTest::addColumn<double>("qmax");
        QTest::addColumn<double>("qmin");
        QTest::newRow("complexes") << 1 << u"1"_s << 100.0 << 10.0;
        QTest::newRow("temperature complexes") << 2 << u"1"_s << 100.0 << 10.0;
        QTest::newRow("industrial meters") << 3 << u"1"_s << 100.0 << 10.0;
        QTest::newRow("utility meters") << 4 << u"2"_s << 5.0 << 0.2;
    }

    void currencyOfEveryRowIsItsRun()
    {
        QFETCH(int, mode);
        QFETCH(QString, pressure);
        QFETCH(double, qmax);
        QFETCH(double, qmin);
        SizingRequest r;
        r.mode = mode;
        r.qmaxStd = qmax;
        r.qminStd = qmin;
        r.working = {pressure, mode == 4 ? int(PressureUnit::Kilopascal) : int(PressureUnit::Bar)};
        const SizingOutcome out = Size(r, catalogue_);
        QVERIFY2(out.error.isEmpty(), qPrintable(out.error));
        QVERIFY(!out.possible.empty());
        for (const Candidate &c : out.possible)
            QVERIFY2(CurrencyOfSlot(c.slot) == out.currency, qPrintable(QString::number(c.slot)));
        QCOMPARE(out.currency == Currency::Euros, mode == 4);
    }
};

QTEST_APPLESS_MAIN(TestCatalogueTable)
#include "tst_catalogue_table.moc"
