#include "core/selection/result_table_text.h"

#include <QTest>

using namespace Qt::StringLiterals;

using Table = QList<QStringList>;
Q_DECLARE_METATYPE(Table)

// The tab-separated text of result rows that goes to the clipboard.
class TestResultTableText : public QObject {
    Q_OBJECT

private slots:
    void text_data()
    {
        QTest::addColumn<Table>("rows");
        QTest::addColumn<QString>("expected");

        QTest::newRow("nothing") << Table{} << QString();
        QTest::newRow("header only")
            << Table{{u"№№"_s, u"Наименование изделия"_s, u"Стоимость без НДС, EVR"_s}}
            << u"№№\tНаименование изделия\tСтоимость без НДС, EVR"_s;
        QTest::newRow("header and two rows")
            << Table{{u"№№"_s, u"Ду, мм"_s}, {u"1"_s, u"50"_s}, {u"2"_s, u"0,8"_s}}
            << u"№№\tДу, мм\n1\t50\n2\t0,8"_s;
        // Empty cells keep their place, so the columns stay lined up.
        QTest::newRow("empty cells")
            << Table{{u"a"_s, QString(), u"c"_s}, {QString(), QString(), QString()}}
            << u"a\t\tc\n\t\t"_s;
        QTest::newRow("tab in a cell") << Table{{u"a\tb"_s, u"c"_s}} << u"a b\tc"_s;
        QTest::newRow("line breaks in a cell")
            << Table{{u"a\nb"_s, u"c\r\nd"_s}, {u"e"_s, u"f"_s}} << u"a b\tc  d\ne\tf"_s;
        QTest::newRow("spaces kept") << Table{{u" СГ-ЭК "_s}} << u" СГ-ЭК "_s;
    }

    void text()
    {
        QFETCH(Table, rows);
        QFETCH(QString, expected);
        QCOMPARE(ResultTableText(rows), expected);
    }

    // Whatever the cells hold, the text splits back into the same grid of cells.
    void shapeKept()
    {
        const Table rows{{u"x\ty"_s, u"\n"_s, u"z"_s}, {u"1"_s, u"2\r"_s, u"\t3\t"_s}};
        const QStringList lines = ResultTableText(rows).split(u'\n');
        QCOMPARE(lines.size(), 2);
        for (const QString &line : lines)
            QCOMPARE(line.split(u'\t').size(), 3);
        QCOMPARE(lines.at(1).split(u'\t').at(2), u" 3 "_s);
    }
};

QTEST_APPLESS_MAIN(TestResultTableText)
#include "tst_result_table_text.moc"
