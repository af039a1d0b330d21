#include "core/catalogue/catalogue.h"
#include "core/catalogue/catalogue_csv.h"
#include "core/catalogue/delimited_text.h"
#include "core/catalogue/kept_price_list.h"
#include "core/catalogue/price_list_check.h"
#include "core/catalogue/price_list_file.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Money)

// A price list read as the maker's spreadsheet saves it and checked against the
// built-in catalogue: the encodings and separators, the header found by its
// captions, exact prices, every refusal with its line and nothing put in force, and
// the catalogue written out and read back unchanged.
class TestPriceList : public QObject {
    Q_OBJECT
    ProductCatalogue catalogue_;

    static QByteArray Bytes(const QString &text, const QString &encoding)
    {
        if (encoding == u"windows-1251") {
            QStringEncoder encoder("windows-1251");
            return encoder.encode(text);
        }
        const QByteArray utf8 = text.toUtf8();
        return encoding == u"utf-8 bom" ? QByteArray("\xEF\xBB\xBF") + utf8 : utf8;
    }
    static PriceListFile Read(const QString &text)
    {
        return ReadPriceList(text.toUtf8(), u"файл"_s, QDate(2024, 12, 31));
    }
    PriceListCheck Check(const QString &text) const { return CheckPriceList(Read(text), catalogue_); }
    static std::vector<double> Prices(const ProductCatalogue &c)
    {
        std::vector<double> prices;
        for (int slot = ProductCatalogue::FirstSlot; slot <= ProductCatalogue::LastSlot; ++slot)
            prices.push_back(c.at(slot).Price);
        return prices;
    }
    static const PriceChange *ChangeOf(const PriceListCheck &check, int slot)
    {
        const auto it = std::find_if(check.changes.begin(), check.changes.end(),
                                     [slot](const PriceChange &c) { return c.slot == slot; });
        return it == check.changes.end() ? nullptr : &*it;
    }

private slots:
    void initTestCase() { catalogue_.Fill(); }

    void encodingsAndSeparators_data()
    {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("separator");
        for (const QString &encoding : {u"utf-8"_s, u"utf-8 bom"_s, u"windows-1251"_s})
            for (const QString &separator : {u";"_s, u","_s, u"\t"_s})
                QTest::addRow("%s, %s", qPrintable(encoding), separator == u"\t" ? "tab" : qPrintable(separator))
                    << encoding << separator;
    }

    void encodingsAndSeparators()
    {
        QFETCH(QString, encoding);
        QFETCH(QString, separator);
        // The second price holds the separator when it is a comma, so the spreadsheet quotes it.
        const QString text = QStringList{u"Обозначение"_s, u"Цена без НДС"_s}.join(separator) + u"\r\n"_s
            + QStringList{u"ЗЕТ-16М(МТ)-100"_s, u"23000"_s}.join(separator) + u"\r\n"_s
            + QStringList{u"ТИВ-ШУГО-650"_s, u"\"341 500,50\""_s}.join(separator) + u"\r\n"_s;
        const PriceListFile file = ReadPriceList(Bytes(text, encoding), u"файл"_s, {});
        QVERIFY2(file.ok(), qPrintable(file.error));
        QCOMPARE(file.separator, separator.front());
        QCOMPARE(file.encoding == TextEncoding::Windows1251, encoding == u"windows-1251");
        QCOMPARE(file.rows.size(), std::size_t(2));
        QCOMPARE(file.rows[0].designation, u"ЗЕТ-16М(МТ)-100"_s);
        QCOMPARE(file.rows[1].designation, u"ТИВ-ШУГО-650"_s);
        QCOMPARE(file.rows[1].line, 3);
        QCOMPARE(*file.rows[1].price, Money{34150050});
        const PriceListCheck check = CheckPriceList(file, catalogue_);
        QCOMPARE(check.changes.size(), std::size_t(2));
        QVERIFY(check.refused.empty());
    }

    void headerByItsCaptions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("price");
        QTest::newRow("name and price") << u"Наименование;Цена\nZAM G16;1\n"_s << 2 << u"1"_s;
        QTest::newRow("units in the captions") << u"Обозначение изделия;Цена без НДС, руб.\nZAM G16;1\n"_s << 2 << u"1"_s;
        QTest::newRow("with VAT is never taken")
            << u"Номенклатура;Цена с НДС;Цена без НДС\nZAM G16;1,22;1\n"_s << 2 << u"1"_s;
        QTest::newRow("without VAT said otherwise")
            << u"Обозначение;Цена, в т.ч. НДС;Цена без учёта НДС\nZAM G16;1,22;1\n"_s << 2 << u"1"_s;
        QTest::newRow("designation before name")
            << u"Наименование;Обозначение;Стоимость\nСчетчик;ZAM G16;7\n"_s << 2 << u"7"_s;
        QTest::newRow("title rows above")
            << u"ООО «Завод»;;\nПрайс-лист от 01.03.2025;;\n;;\n№;Изделие;Цена\n1;ZAM G16;2\n"_s << 5 << u"2"_s;
    }

    void headerByItsCaptions()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, price);
        const PriceListFile file = Read(text);
        QVERIFY2(file.ok(), qPrintable(file.error));
        QCOMPARE(file.rows.size(), std::size_t(1));
        QCOMPARE(file.rows[0].line, line);
        QCOMPARE(file.rows[0].designation, u"ZAM G16"_s);
        QCOMPARE(file.rows[0].priceText, price);
    }

    void fileRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no header") << u"ZAM G16;28400\n"_s << u"не найдена строка заголовка"_s;
        QTest::newRow("empty") << QString() << u"не найдена строка заголовка"_s;
        QTest::newRow("only with VAT") << u"Обозначение;Цена с НДС\nZAM G16;1\n"_s << u"только цена с НДС"_s;
        QTest::newRow("open quote") << u"Обозначение;Цена\nZAM G16;1\n\"ZAM G25;2\n"_s << u"строка 3:"_s;
    }

    void fileRefused()
    {
        QFETCH(QString, text);
        QFETCH(QString, reason);
        const PriceListFile file = Read(text);
        QVERIFY(!file.ok());
        QVERIFY2(file.error.contains(reason), qPrintable(file.error));
        QVERIFY(file.rows.empty());
    }

    void nameAndDate_data()
    {
        QTest::addColumn<QString>("above");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QDate>("date");
        QTest::newRow("nothing above") << QString() << u"файл"_s << QDate(2024, 12, 31);
        QTest::newRow("labelled rows") << u"Прайс-лист;Весна 2025\nДата:;01.03.2025\n"_s << u"Весна 2025"_s << QDate(2025, 3, 1);
        QTest::newRow("a title with its date") << u"Прайс-лист от 15.02.2025 г.;;\n"_s
                                               << u"Прайс-лист от 15.02.2025 г."_s << QDate(2025, 2, 15);
        QTest::newRow("an ISO date") << u"Дата;2025-04-30\n"_s << u"файл"_s << QDate(2025, 4, 30);
    }

    void nameAndDate()
    {
        QFETCH(QString, above);
        QFETCH(QString, name);
        QFETCH(QDate, date);
        const PriceListFile file = Read(above + u"Обозначение;Цена\nZAM G16;1\n"_s);
        QVERIFY2(file.ok(), qPrintable(file.error));
        QCOMPARE(file.info.name, name);
        QCOMPARE(file.info.date, date);
    }

    void pricesExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("kopecks");
        QTest::addColumn<QString>("why");
        QTest::newRow("whole") << u"28400"_s << qint64(2840000) << QString();
        QTest::newRow("comma") << u"62,5"_s << qint64(6250) << QString();
        QTest::newRow("point") << u"0.05"_s << qint64(5) << QString();
        QTest::newRow("blank thousands") << u"1 234,50"_s << qint64(123450) << QString();
        QTest::newRow("no-break thousands") << u"12\u00A0345\u00A0678,00"_s << qint64(1234567800) << QString();
        QTest::newRow("narrow no-break") << u"1\u202F234"_s << qint64(123400) << QString();
        QTest::newRow("negotiable") << u"Договорная"_s << qint64(0) << QString();
        QTest::newRow("not a number") << u"по запросу"_s << qint64(-1) << u"не число"_s;
        QTest::newRow("two separators") << u"1.234,50"_s << qint64(-1) << u"не число"_s;
        QTest::newRow("a blank not at the thousands") << u"12 34"_s << qint64(-1) << u"не число"_s;
        QTest::newRow("three decimals") << u"12,345"_s << qint64(-1) << u"больше двух знаков"_s;
        QTest::newRow("negative") << u"-100"_s << qint64(-1) << u"отрицательная"_s;
    }

    void pricesExactly()
    {
        QFETCH(QString, text);
        QFETCH(qint64, kopecks);
        QFETCH(QString, why);
        QString reason;
        const std::optional<Money> price = ReadPriceText(text, &reason);
        QCOMPARE(price.has_value(), kopecks >= 0);
        if (price)
            QCOMPARE(price->minor, kopecks);
        else
            QVERIFY2(reason.contains(why), qPrintable(reason));
    }

    // Each refused row is named with its line, and with any of them the list is not put
    // in force: not one price moves.
    void refusedRowsApplyNothing_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not a number") << u"ZAM G16;29000\nZAM G40;двадцать\n"_s << QList<int>{3} << u"не число"_s;
        QTest::newRow("negative") << u"ZAM G40;-5\nZAM G16;29000\n"_s << QList<int>{2} << u"отрицательная"_s;
        QTest::newRow("twice with two prices")
            << u"ЗЕТ-75М-250;53000\nZAM G16;29000\nЗЕТ-75М-250;54000\n"_s << QList<int>{4} << u"уже стоит в строке 2"_s;
        QTest::newRow("no price for a product") << u"ZAM G16;\n"_s << QList<int>{2} << u"нет цены"_s;
        QTest::newRow("no designation") << u";29000\n"_s << QList<int>{2} << u"нет обозначения"_s;
        QTest::newRow("two rows refused")
            << u"ZAM G16;x\nZAM G25;1\nZAM G40;-1\n"_s << QList<int>{2, 4} << u"не число"_s;
    }

    void refusedRowsApplyNothing()
    {
        QFETCH(QString, rows);
        QFETCH(QList<int>, lines);
        QFETCH(QString, reason);
        const PriceListCheck check = Check(u"Обозначение;Цена\n"_s + rows);
        QVERIFY(!check.applicable());
        const std::vector<int> refused = check.refusedLines();
        QCOMPARE(QList<int>(refused.begin(), refused.end()), lines);
        QVERIFY2(check.refused.front().reason.contains(reason), qPrintable(check.refused.front().reason));
        ProductCatalogue priced = catalogue_;
        QVERIFY(!ApplyPriceList(check, priced));
        QVERIFY(Prices(priced) == Prices(catalogue_));
        QCOMPARE(priced.priceList(), catalogue_.priceList());
    }

    void boreAndQminRead_data()
    {
        QTest::addColumn<QString>("dn");
        QTest::addColumn<QString>("qmin");
        QTest::addColumn<QString>("refused");
        QTest::newRow("both") << u"40"_s << u"0,1"_s << QString();
        QTest::newRow("a point in Qmin") << u"40"_s << u"0.1"_s << QString();
        QTest::newRow("a bore of a fraction") << u"40,5"_s << QString() << u"Ду «40,5»"_s;
        QTest::newRow("a bore beyond any int") << u"1e300"_s << QString() << u"Ду «1e300»"_s;
        QTest::newRow("a negative bore") << u"-40"_s << QString() << u"Ду «-40»"_s;
        QTest::newRow("Qmin not a number") << QString() << u"мало"_s << u"Qmin «мало»"_s;
    }

    void boreAndQminRead()
    {
        QFETCH(QString, dn);
        QFETCH(QString, qmin);
        QFETCH(QString, refused);
        const PriceListCheck check = Check(u"Обозначение;Ду;Qmin;Цена\nNM G10;"_s + dn + u';' + qmin + u";190\n"_s);
        QCOMPARE(check.applicable(), refused.isEmpty());
        if (refused.isEmpty()) {
            QCOMPARE(check.prices.size(), std::size_t(1));
            QCOMPARE(check.prices.front().first, 1104);
        } else {
            QVERIFY2(check.refused.front().reason.contains(refused), qPrintable(check.refused.front().reason));
        }
    }

    void currencyMustAgree_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<bool>("refused");
        QTest::newRow("euros for a utility meter") << u"NM G6;65;EUR"_s << false;
        QTest::newRow("евро written out") << u"NM G6;65;евро"_s << false;
        QTest::newRow("roubles for a utility meter") << u"NM G6;6500;руб."_s << true;
        QTest::newRow("euros for a rotary meter") << u"ZAM G16;300;EUR"_s << true;
        QTest::newRow("roubles for a rotary meter") << u"ZAM G16;29000;RUB"_s << false;
        QTest::newRow("no currency said") << u"ZAM G16;29000;"_s << false;
        QTest::newRow("another currency") << u"ZAM G16;400;USD"_s << true;
    }

    void currencyMustAgree()
    {
        QFETCH(QString, row);
        QFETCH(bool, refused);
        const PriceListCheck check = Check(u"Обозначение;Цена;Валюта\n"_s + row + u'\n');
        QCOMPARE(!check.applicable(), refused);
        QCOMPARE(check.changes.size(), std::size_t(refused ? 0 : 1));
        if (refused)
            QCOMPARE(check.refused.front().line, 2);
    }

    void whatTheListWouldDo()
    {
        const PriceListCheck check = Check(u"Обозначение;Ду;Цена\n"
                                           u"Счетчики NM;;\n"      // a heading
                                           u"NM G10;;190\n"        // both bores
                                           u"ВЕЛОНВз-P-0,2-25/1,6;;79400\n" // a Latin P, the price it has
                                           u"KEL G160/1,6;100;61000\n"      // one of two bores
                                           u"ZAM G16;65;1\n"       // no such bore
                                           u"ZAM G9999;;1\n"_s);   // no such product
        QVERIFY(check.applicable());
        QCOMPARE(check.changes.size(), std::size_t(3));
        QCOMPARE(ChangeOf(check, 1103)->after, Money{19000});
        QCOMPARE(ChangeOf(check, 1104)->before, Money{18500});
        QCOMPARE(ChangeOf(check, 1104)->line, 3);
        QCOMPARE(ChangeOf(check, 1003)->after, Money{6100000});
        QVERIFY(!ChangeOf(check, 1002)); // KEL G160/1,6 at DN 80 is left out
        QCOMPARE(check.unchanged, 1);
        QCOMPARE(check.unknown.size(), std::size_t(2));
        QCOMPARE(check.unknown[0].line, 6);
        QVERIFY(check.unknown[0].note.contains(u"Ду 65"_s));
        QCOMPARE(check.unknown[1].designation, u"ZAM G9999"_s);
        QCOMPARE(check.leftOut.size(), std::size_t(558 - 4));

        ProductCatalogue priced = catalogue_;
        QVERIFY(ApplyPriceList(check, priced));
        QCOMPARE(priced.at(1104).Price, 190.0);
        QCOMPARE(priced.at(1003).Price, 61000.0);
        QCOMPARE(priced.at(1002).Price, catalogue_.at(1002).Price);
        QCOMPARE(priced.priceList().name, u"файл"_s);
    }

    // What the program writes of the catalogue in force it reads back as a list that
    // changes nothing, whatever the decimal separator and after a list was applied.
    void catalogueReadBackUnchanged_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<bool>("repriced");
        QTest::newRow("built-in, comma") << QChar(u',') << false;
        QTest::newRow("built-in, point") << QChar(u'.') << false;
        QTest::newRow("repriced, comma") << QChar(u',') << true;
    }

    void catalogueReadBackUnchanged()
    {
        QFETCH(QChar, separator);
        QFETCH(bool, repriced);
        ProductCatalogue catalogue = catalogue_;
        if (repriced)
            QVERIFY(ApplyPriceList(Check(u"Обозначение;Цена\nNM G6;63,17\nZAM G16;1 234 567,89\n"_s), catalogue));
        const PriceListFile file = ReadPriceList(CatalogueCsv(catalogue, separator), u"x"_s, {});
        QVERIFY2(file.ok(), qPrintable(file.error));
        QCOMPARE(file.info.name, catalogue.priceList().name);
        const PriceListCheck check = CheckPriceList(file, catalogue);
        QVERIFY(check.refused.empty());
        QVERIFY(check.changes.empty());
        QVERIFY(check.unknown.empty());
        QVERIFY(check.leftOut.empty());
        QCOMPARE(check.unchanged, 558);
        // Read against the built-in catalogue, exactly the repriced products change.
        QCOMPARE(CheckPriceList(file, catalogue_).changes.size(), std::size_t(repriced ? 2 : 0));
    }

    // The list in force kept in the settings folder stands again as it was.
    void keptListStandsAgain()
    {
        QTemporaryDir folder;
        const QString path = KeptPriceListPath(folder.filePath(u"settings.ini"_s));
        QCOMPARE(path, folder.filePath(u"price-list.csv"_s));
        QVERIFY(!ReadKeptPriceList(path, catalogue_).found);

        PriceListCheck check = Check(u"Прайс-лист;\"Весна; 2025\"\nДата;01.03.2025\nОбозначение;Цена\nNM G6;63,17\nZAM G16;29 000\n"_s);
        check.info.source = u"/home/инженер/прайс;весна.csv"_s;
        ProductCatalogue priced = catalogue_;
        QVERIFY(ApplyPriceList(check, priced));
        QString why;
        QVERIFY2(WriteKeptPriceList(path, priced, &why), qPrintable(why));

        const KeptPriceListReading reading = ReadKeptPriceList(path, catalogue_);
        QVERIFY(reading.found);
        QVERIFY2(reading.error.isEmpty(), qPrintable(reading.error));
        ProductCatalogue again = catalogue_;
        QVERIFY(ApplyPriceList(reading.check, again));
        QVERIFY(Prices(again) == Prices(priced));
        QCOMPARE(again.priceList(), priced.priceList());
        QCOMPARE(again.priceList().name, u"Весна; 2025"_s);
        QCOMPARE(again.priceList().date, QDate(2025, 3, 1));
    }

    void keptListDamaged_data()
    {
        QTest::addColumn<int>("damage");
        QTest::addColumn<QString>("why");
        QTest::newRow("the last row cut off") << 0 << u"контрольная сумма"_s;
        QTest::newRow("cut in the middle of a price") << 1 << u"контрольная сумма"_s;
        QTest::newRow("a price changed by hand") << 2 << u"контрольная сумма"_s;
        QTest::newRow("not a price list") << 3 << u"контрольная сумма"_s;
        QTest::newRow("no source named") << 4 << u"не указан файл"_s;
        QTest::newRow("a price twice") << 5 << u"строка 383: изделие уже стоит в строке 382"_s;
        QTest::newRow("a price not a number") << 6 << u"строка 382: цена «abc» не число"_s;
    }

    // A damaged kept list cannot stand, and says why; nothing of it is offered to apply.
    void keptListDamaged()
    {
        QFETCH(int, damage);
        QFETCH(QString, why);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"price-list.csv"_s);
        ProductCatalogue priced = catalogue_;
        PriceListCheck check = Check(u"Обозначение;Цена\nZAM G16;29000\n"_s);
        check.info.source = u"/tmp/list.csv"_s;
        QVERIFY(ApplyPriceList(check, priced));
        QByteArray bytes = KeptPriceListBytes(priced);
        const QByteArray row = "801;ZAM G16;50;0;16;25;1.3;29000.00;RUB\n";
        QVERIFY(bytes.contains(row));
        // The damages the control line cannot tell are written with a control that fits.
        QByteArray body = bytes.mid(bytes.indexOf('\n') + 1);
        switch (damage) {
        case 0: bytes.chop(1); bytes = bytes.left(bytes.lastIndexOf('\n') + 1); break;
        case 1: bytes = bytes.left(bytes.indexOf(row) + row.size() - 8); break;
        case 2: bytes.replace(row, "801;ZAM G16;50;0;16;25;1.3;29.00;RUB\n"); break;
        case 3: bytes = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"; break;
        case 4: body.replace("Источник;/tmp/list.csv\n", ""); break;
        case 5: body.replace(row, row + "802;ZAM G16;50;0;16;25;1.3;1.00;RUB\n"); break;
        case 6: body.replace(row, "801;ZAM G16;50;0;16;25;1.3;abc;RUB\n"); break;
        }
        if (damage >= 4)
            bytes = "Контроль;" + QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex() + '\n' + body;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const KeptPriceListReading reading = ReadKeptPriceList(path, catalogue_);
        QVERIFY(reading.found);
        QVERIFY2(reading.error.contains(why), qPrintable(reading.error));
        QVERIFY(reading.check.prices.empty());
    }

    void delimitedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QStringList>>("records");
        QTest::addColumn<QList<int>>("lines");
        QTest::newRow("quotes") << u"a;\"b;c\";\"d\"\"e\"\n"_s << QList<QStringList>{{u"a"_s, u"b;c"_s, u"d\"e"_s}}
                                << QList<int>{1};
        QTest::newRow("a line break quoted") << u"\"a\r\nb\";c\r\nd;e"_s
                                             << QList<QStringList>{{u"a\nb"_s, u"c"_s}, {u"d"_s, u"e"_s}}
                                             << QList<int>{1, 3};
        QTest::newRow("empty lines and CR") << u"a\r\rb\n"_s
                                            << QList<QStringList>{{u"a"_s}, {u""_s}, {u"b"_s}} << QList<int>{1, 2, 3};
        QTest::newRow("a quote inside a field") << u"ZAM \"G16\";1"_s
                                                << QList<QStringList>{{u"ZAM \"G16\""_s, u"1"_s}} << QList<int>{1};
    }

    void delimitedText()
    {
        QFETCH(QString, text);
        QFETCH(QList<QStringList>, records);
        QFETCH(QList<int>, lines);
        const DelimitedText split = SplitDelimited(text, u';');
        QVERIFY(split.error.isEmpty());
        QCOMPARE(int(split.records.size()), records.size());
        for (int i = 0; i < records.size(); ++i) {
            QCOMPARE(split.records[i].fields, records[i]);
            QCOMPARE(split.records[i].line, lines[i]);
        }
        // Written back and split again, the fields are the same.
        for (const QStringList &fields : records) {
            const DelimitedText again = SplitDelimited(DelimitedLine(fields, u';') + u'\n', u';');
            QCOMPARE(again.records.size(), std::size_t(1));
            QCOMPARE(again.records.front().fields, fields);
        }
    }
};

QTEST_APPLESS_MAIN(TestPriceList)
#include "tst_price_list.moc"
