#include "core/selection/result_row.h"

#include <QLocale>
#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ProductRecord)

namespace {

QStringList toList(const ResultRow &row)
{
    return QStringList(row.begin(), row.end());
}

ProductRecord record(const QString &name, int dn, double pmin, double pmax, double qmax,
                     double qmin, double price)
{
    ProductRecord r;
    r.Name = name;
    r.DN = dn;
    r.Pmin = pmin;
    r.Pmax = pmax;
    r.Qmax = qmax;
    r.Qmin = qmin;
    r.Price = price;
    return r;
}

} // namespace

// The column headers and the text of one result row.
class TestResultRow : public QObject {
    Q_OBJECT

private slots:
    void headers()
    {
        QCOMPARE(toList(ResultHeaderRow()),
                 (QStringList{u"№№"_s, u"Наименование изделия"_s, u"Ду, мм"_s, u"Pmin, бар"_s, u"Pmax, бар"_s,
                              u"Qmax, куб.м/ч"_s, u"Qmin, куб.м/ч"_s, u"Стоимость без НДС, руб. РФ"_s}));
        QCOMPARE(PriceHeaderRoubles(), u"Стоимость без НДС, руб. РФ"_s);
        QCOMPARE(PriceHeaderEuros(), u"Стоимость без НДС, EVR"_s);
    }

    void format_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<ProductRecord>("row");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QStringList>("expected");

        const ProductRecord complex = record(u"ZAM G25"_s, 50, 0.8, 2, 40, 0.8, 79400);
        QTest::newRow("comma") << 1 << complex << QChar(u',')
                               << QStringList{u"1"_s, u"ZAM G25"_s, u"50"_s, u"0,8"_s,
                                              u"2"_s, u"40"_s, u"0,8"_s, u"79400"_s};
        QTest::newRow("point") << 12 << complex << QChar(u'.')
                               << QStringList{u"12"_s, u"ZAM G25"_s, u"50"_s, u"0.8"_s,
                                              u"2"_s, u"40"_s, u"0.8"_s, u"79400"_s};
        QTest::newRow("no list price")
            << 3 << record(u"KEL G100+KQ730"_s, 80, 0, 6, 160, 16, 0) << QChar(u',')
            << QStringList{u"3"_s, u"KEL G100+KQ730"_s, u"80"_s, u"0"_s, u"6"_s,
                           u"160"_s, u"16"_s, u"договорная"_s};
        QTest::newRow("fractional price")
            << 9 << record(u"NM G16"_s, 40, 0, 1.5, 25, 0.16, 231.6) << QChar(u',')
            << QStringList{u"9"_s, u"NM G16"_s, u"40"_s, u"0"_s, u"1,5"_s, u"25"_s,
                           u"0,16"_s, u"231,6"_s};
        QTest::newRow("empty slot") << 1 << ProductRecord{} << QChar(u',')
                                    << QStringList{u"1"_s, QString(), u"0"_s, u"0"_s,
                                                   u"0"_s, u"0"_s, u"0"_s, u"договорная"_s};
    }

    void format()
    {
        QFETCH(int, number);
        QFETCH(ProductRecord, row);
        QFETCH(QChar, separator);
        QFETCH(QStringList, expected);
        QCOMPARE(toList(FormatResultRow(number, row, separator)), expected);
    }

    // Without a separator given the row follows the desktop locale.
    void localeSeparator_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("pmin");
        QTest::newRow("comma locale") << QLocale(QLocale::Russian, QLocale::Russia) << u"0,8"_s;
        QTest::newRow("point locale") << QLocale(QLocale::English, QLocale::UnitedStates)
                                      << u"0.8"_s;
    }

    void localeSeparator()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, pmin);
        const QLocale saved;
        QLocale::setDefault(locale);
        const ResultRow row = FormatResultRow(2, record(u"ZAM G25"_s, 50, 0.8, 2, 40, 0.8, 0));
        QLocale::setDefault(saved);
        QCOMPARE(row[3], pmin);
        QCOMPARE(row[6], pmin);
        QCOMPARE(row[7], u"договорная"_s);
    }
};

QTEST_APPLESS_MAIN(TestResultRow)
#include "tst_result_row.moc"
