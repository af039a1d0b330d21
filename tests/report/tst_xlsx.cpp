#include "report/xlsx_sizing.h"
#include "report/xlsx_table.h"
#include "report_test_support.h"
#include "selection/result_row.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Cells = QMap<QString, SheetCell>;

SheetCell At(const Cells &cells, char column, int row)
{
    return cells.value(QLatin1Char(column) + QString::number(row));
}

// The last row (1-based) whose column B starts with the text; 0 when none.
int RowOf(const Cells &cells, const QString &start)
{
    int found = 0;
    for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
        if (it.key().startsWith(u'B') && it.value().value.startsWith(start))
            found = std::max(found, it.key().mid(1).toInt());
    }
    return found;
}

XlsxTable SampleTable()
{
    XlsxTable table;
    table.sheetName = QStringLiteral("Пакет");
    table.header = {QStringLiteral("Точка"), QStringLiteral("Qmax"), QStringLiteral("Примечание")};
    table.rows.push_back({QStringLiteral("Котельная №1"), 12.5, QVariant()});
    table.rows.push_back({QStringLiteral("2"), 0.001, QStringLiteral("договорная")});
    return table;
}

} // namespace

// The xlsx writers, read back from the written zip (C locale).
class TestXlsx : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    ProductCatalogue catalogue_;

    QString path(const QString &name) const { return folder_.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        catalogue_.Fill();
        // An old file of the same name is replaced.
        QFile old(path(QStringLiteral("table.xlsx")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        QString error;
        QVERIFY2(WriteXlsxTable(old.fileName(), SampleTable(), &error), qPrintable(error));
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
        const Cells cells = SheetCells(path(QStringLiteral("table.xlsx")));
        QCOMPARE(cells.value(reference).type, type);
        QCOMPARE(cells.value(reference).value, value);
    }

    void tableLayout()
    {
        const QString file = path(QStringLiteral("table.xlsx"));
        QVERIFY(Unzipped(file, QStringLiteral("xl/workbook.xml")).contains(QStringLiteral("name=\"Пакет\"").toUtf8()));
        const QByteArray sheet = Unzipped(file, QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY(sheet.contains("ySplit=\"1\""));
        QVERIFY(sheet.contains("customWidth=\"1\""));
    }

    // Every candidate figure a number (a price of 0 the text), the working data too.
    void sizingRows_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<double>("qmax");
        QTest::addColumn<double>("qmin");
        QTest::addColumn<QString>("gates");
        QTest::newRow("mode 1") << 1 << 100.0 << 10.0 << "111";
        QTest::newRow("mode 2, KEL without list price") << 2 << 400.0 << 60.0 << "001";
    }

    void sizingRows()
    {
        QFETCH(int, mode);
        QFETCH(double, qmax);
        QFETCH(double, qmin);
        QFETCH(QString, gates);
        const SizingOutcome outcome = Run(catalogue_, mode, qmax, qmin, QStringLiteral("1"), gates);
        QVERIFY(!outcome.possible.empty());
        const QString file = path(QStringLiteral("sizing.xlsx"));
        QVERIFY(WriteSizingXlsx(file, outcome, catalogue_, nullptr));
        const Cells cells = SheetCells(file);

        const int qmaxWork = RowOf(cells, QStringLiteral("Qраб max"));
        QCOMPARE(At(cells, 'C', qmaxWork).type, QStringLiteral("n"));
        QCOMPARE(At(cells, 'C', qmaxWork).value.toDouble(), *Round3(outcome.pressures.QmaxWork));

        const int header = RowOf(cells, ResultHeaderRow()[1]);
        QVERIFY(header > 0);
        for (std::size_t i = 0; i < outcome.possible.size(); ++i) {
            const Candidate &c = outcome.possible[i];
            const int row = header + 1 + static_cast<int>(i);
            QCOMPARE(At(cells, 'A', row).value.toInt(), static_cast<int>(i) + 1);
            QCOMPARE(At(cells, 'B', row).value, c.record.Name);
            for (const char column : {'A', 'C', 'F', 'G', 'I', 'J'})
                QCOMPARE(At(cells, column, row).type, QStringLiteral("n"));
            if (c.record.Price == 0)
                QCOMPARE(At(cells, 'H', row).value, QStringLiteral("договорная"));
            else
                QCOMPARE(At(cells, 'H', row).value.toDouble(), c.record.Price);
            QCOMPARE(At(cells, 'I', row).value.toDouble(), c.loadPercent);
            QCOMPARE(At(cells, 'J', row).value.toDouble(), *c.qminMargin);
        }
        QVERIFY(!cells.contains(QStringLiteral("B%1").arg(header + 1 + int(outcome.possible.size()))));
        QVERIFY(Unzipped(file, QStringLiteral("xl/worksheets/sheet1.xml"))
                    .contains(QStringLiteral("ySplit=\"%1\"").arg(header).toUtf8()));
    }

    // Mode 5: a reducing point (its product has no Qmin) at 100 kPa.
    void sizingCabinet()
    {
        SizingRequest request;
        request.mode = 5;
        request.cabinet = CabinetKind::Reducing;
        request.options = {1, 1, 1, 1};
        request.entries = {QStringLiteral("100"), QStringLiteral("10"), QStringLiteral("100"),
                           QStringLiteral("0"), 5, 0};
        const SizingOutcome outcome = Size(request, catalogue_);
        QCOMPARE(outcome.possible.size(), std::size_t(1));
        const QString file = path(QStringLiteral("cabinet.xlsx"));
        QVERIFY(WriteSizingXlsx(file, outcome, catalogue_, nullptr));
        const Cells cells = SheetCells(file);
        const int typed = RowOf(cells, QStringLiteral("Pmax (избыточное, как"));
        QCOMPARE(At(cells, 'C', typed).type, QStringLiteral("n"));
        QCOMPARE(At(cells, 'C', typed).value, QStringLiteral("100"));
        QCOMPARE(At(cells, 'D', typed).value, PressureUnitText(5));
        QCOMPARE(At(cells, 'C', typed + 1).value, QStringLiteral("1")); // in bar
        const int row = RowOf(cells, ResultHeaderRow()[1]) + 1;
        QCOMPARE(At(cells, 'B', row).value, outcome.possible[0].record.Name);
        QCOMPARE(At(cells, 'J', row).type, QStringLiteral("s"));
        QCOMPARE(At(cells, 'J', row).value, QStringLiteral("—"));
    }

    void refusedWrites_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sheetName"); // empty: the sizing workbook
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
        XlsxTable table = SampleTable();
        table.sheetName = sheetName;
        const QString file = target.filePath(name);
        QString error;
        QVERIFY(sheetName.isEmpty()
                    ? !WriteSizingXlsx(file, Run(catalogue_, 1, 100, 10, QStringLiteral("1")), catalogue_, &error)
                    : !WriteXlsxTable(file, table, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(file)), qPrintable(error));
        QCOMPARE(FolderEntries(target.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestXlsx)
#include "tst_xlsx.moc"
