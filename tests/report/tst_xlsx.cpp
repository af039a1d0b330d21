#include "report/xlsx_sizing.h"
#include "report/xlsx_table.h"
#include "report_test_support.h"
#include "selection/result_row.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The xlsx writers, read back from the written zip.
class TestXlsx : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    ProductCatalogue catalogue_;

    // The cells of the sizing workbook of the outcome.
    QMap<QString, SheetCell> sizingCells(const SizingOutcome &outcome, const QString &name)
    {
        const QString path = folder_.filePath(name);
        QString error;
        if (!WriteSizingXlsx(path, outcome, catalogue_, &error))
            qWarning("%s", qPrintable(error));
        return SheetCells(path);
    }

    // The row (1-based) of the last candidate table header.
    static int possibleHeaderRow(const QMap<QString, SheetCell> &cells)
    {
        int found = 0;
        for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
            if (it.key().startsWith(u'B') && it.value().value == ResultHeaderRow()[1])
                found = std::max(found, it.key().mid(1).toInt());
        }
        return found;
    }

    // The row (1-based) whose caption column starts with the text; 0 when none.
    static int captionRow(const QMap<QString, SheetCell> &cells, const QString &start)
    {
        for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
            if (it.key().startsWith(u'B') && it.value().value.startsWith(start))
                return it.key().mid(1).toInt();
        }
        return 0;
    }

    static SheetCell at(const QMap<QString, SheetCell> &cells, char column, int row)
    {
        return cells.value(QLatin1Char(column) + QString::number(row));
    }

    XlsxTable sampleTable() const
    {
        XlsxTable table;
        table.sheetName = QStringLiteral("Пакет");
        table.header = {QStringLiteral("Точка"), QStringLiteral("Qmax"), QStringLiteral("Примечание")};
        table.rows.push_back({QStringLiteral("Котельная №1"), 12.5, QVariant()});
        table.rows.push_back({QStringLiteral("2"), 0.001, QStringLiteral("договорная")});
        return table;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        catalogue_.Fill();
    }

    void tableCells_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("value");
        QTest::newRow("header") << "B1" << "s" << "Qmax";
        QTest::newRow("Cyrillic text") << "A2" << "s" << "Котельная №1";
        QTest::newRow("number") << "B2" << "n" << "12.5";
        QTest::newRow("digits given as text stay text") << "A3" << "s" << "2";
        QTest::newRow("small number") << "B3" << "n" << "0.001";
        QTest::newRow("null is empty") << "C2" << "" << "";
    }

    void tableCells()
    {
        QFETCH(QString, reference);
        QFETCH(QString, type);
        QFETCH(QString, value);
        const QString path = folder_.filePath(QStringLiteral("table.xlsx"));
        QString error;
        QVERIFY2(WriteXlsxTable(path, sampleTable(), &error), qPrintable(error));
        const auto cells = SheetCells(path);
        QCOMPARE(cells.value(reference).type, type);
        QCOMPARE(cells.value(reference).value, value);
    }

    void tableLayout()
    {
        const QString path = folder_.filePath(QStringLiteral("layout.xlsx"));
        QVERIFY(WriteXlsxTable(path, sampleTable(), nullptr));
        const QByteArray workbook = Unzipped(path, QStringLiteral("xl/workbook.xml"));
        QVERIFY(workbook.contains(QStringLiteral("name=\"Пакет\"").toUtf8()));
        const QByteArray sheet = Unzipped(path, QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY(sheet.contains("ySplit=\"1\""));
        QVERIFY(sheet.contains("customWidth=\"1\""));
    }

    // An old file of the same name is replaced.
    void replacesOldFile()
    {
        const QString path = folder_.filePath(QStringLiteral("old.xlsx"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("not a workbook");
        old.close();
        QVERIFY(WriteXlsxTable(path, sampleTable(), nullptr));
        QCOMPARE(SheetCells(path).value(QStringLiteral("B2")).value, QStringLiteral("12.5"));
    }

    // Mode 1 at working flows 100 and 5: every figure a number a spreadsheet can use.
    void sizingNumbers()
    {
        const SizingOutcome outcome = Run(catalogue_, 1, 100, 10, QStringLiteral("1"));
        QVERIFY(!outcome.possible.empty());
        const auto cells = sizingCells(outcome, QStringLiteral("mode1.xlsx"));

        const int qmaxWork = captionRow(cells, QStringLiteral("Qраб max"));
        QVERIFY(qmaxWork > 0);
        QCOMPARE(at(cells, 'C', qmaxWork).type, QStringLiteral("n"));
        QCOMPARE(at(cells, 'C', qmaxWork).value, QStringLiteral("100"));

        const int header = possibleHeaderRow(cells);
        QVERIFY(header > 0);
        for (std::size_t i = 0; i < outcome.possible.size(); ++i) {
            const Candidate &c = outcome.possible[i];
            const int row = header + 1 + static_cast<int>(i);
            QCOMPARE(at(cells, 'A', row).value.toInt(), static_cast<int>(i) + 1);
            QCOMPARE(at(cells, 'B', row).value, c.record.Name);
            for (const char column : {'A', 'C', 'F', 'G', 'H', 'I', 'J'})
                QCOMPARE(at(cells, column, row).type, QStringLiteral("n"));
            QCOMPARE(at(cells, 'H', row).value.toDouble(), c.record.Price);
            QCOMPARE(at(cells, 'I', row).value.toDouble(), c.loadPercent);
            QCOMPARE(at(cells, 'J', row).value.toDouble(), *c.qminMargin);
        }
        QVERIFY(!cells.contains(QStringLiteral("B%1").arg(header + 1 + int(outcome.possible.size()))));
        const QByteArray sheet = Unzipped(folder_.filePath(QStringLiteral("mode1.xlsx")),
                                          QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY(sheet.contains(QStringLiteral("ySplit=\"%1\"").arg(header).toUtf8()));
    }

    // Mode 5, a reducing point (its product has no Qmin) at 100 kPa.
    void sizingCabinet()
    {
        const SizingOutcome outcome = CabinetRun(catalogue_, CabinetKind::Reducing,
                                                 QStringLiteral("100"), QStringLiteral("10"),
                                                 QStringLiteral("100"), 5);
        QCOMPARE(outcome.possible.size(), std::size_t(1));
        const auto cells = sizingCells(outcome, QStringLiteral("mode5.xlsx"));
        const int typed = captionRow(cells, QStringLiteral("Pmax"));
        QVERIFY(typed > 0);
        QCOMPARE(at(cells, 'C', typed).type, QStringLiteral("n"));
        QCOMPARE(at(cells, 'C', typed).value, QStringLiteral("100"));
        QCOMPARE(at(cells, 'D', typed).value, QStringLiteral("кПа"));
        QCOMPARE(at(cells, 'C', typed + 1).value, QStringLiteral("1"));
        const int row = possibleHeaderRow(cells) + 1;
        QCOMPARE(at(cells, 'B', row).value, outcome.possible[0].record.Name);
        QCOMPARE(at(cells, 'J', row).type, QStringLiteral("s"));
        QCOMPARE(at(cells, 'J', row).value, QStringLiteral("—"));
    }

    // The KEL complexes have no list price: a text where the price stands.
    void sizingNegotiablePrice()
    {
        const SizingOutcome outcome = Run(catalogue_, 2, 400, 60, QStringLiteral("1"),
                                          QStringLiteral("0"), QStringLiteral("001"));
        QVERIFY(!outcome.possible.empty());
        QCOMPARE(outcome.possible[0].record.Price, 0.0);
        const auto cells = sizingCells(outcome, QStringLiteral("kel.xlsx"));
        const SheetCell price = at(cells, 'H', possibleHeaderRow(cells) + 1);
        QCOMPARE(price.type, QStringLiteral("s"));
        QCOMPARE(price.value, QStringLiteral("договорная"));
    }

    void refusedWrites_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sheetName");
        QTest::newRow("missing folder") << "missing/table.xlsx" << "Лист";
        QTest::newRow("a folder in the way") << "busy" << "Лист";
        QTest::newRow("sheet name refused") << "bad-sheet.xlsx" << "a/b";
        QTest::newRow("sizing, missing folder") << "missing/sizing.xlsx" << "";
    }

    // Nothing is left behind and the reason names the file.
    void refusedWrites()
    {
        QFETCH(QString, name);
        QFETCH(QString, sheetName);
        QTemporaryDir target;
        QVERIFY(QDir(target.path()).mkdir(QStringLiteral("busy")));
        const QStringList before = FolderEntries(target.path());
        XlsxTable table = sampleTable();
        table.sheetName = sheetName;
        const QString path = target.filePath(name);
        QString error;
        // An empty sheet name marks the sizing workbook.
        QVERIFY(sheetName.isEmpty()
                    ? !WriteSizingXlsx(path, Run(catalogue_, 1, 100, 10, QStringLiteral("1")), catalogue_, &error)
                    : !WriteXlsxTable(path, table, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        QCOMPARE(FolderEntries(target.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestXlsx)
#include "tst_xlsx.moc"
