#include "report/xlsx_table.h"
#include "report_test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The xlsx writers, read back from the written zip.
class TestXlsx : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

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
    void initTestCase() { QVERIFY(folder_.isValid()); }

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

    void refusedWrites_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sheetName");
        QTest::newRow("missing folder") << "missing/table.xlsx" << "Лист";
        QTest::newRow("a folder in the way") << "busy" << "Лист";
        QTest::newRow("sheet name refused") << "bad-sheet.xlsx" << "a/b";
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
        QVERIFY(!WriteXlsxTable(path, table, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        QCOMPARE(FolderEntries(target.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestXlsx)
#include "tst_xlsx.moc"
