#include "report/report_content.h"
#include "report/xlsx_library.h"
#include "report/xlsx_sizing.h"
#include "report/xlsx_table.h"
#include "report/xlsx_workbook.h"
#include "core/input/number_text.h"
#include "report_test_support.h"
#include "core/selection/result_row.h"

#include <QFile>
#include <cerrno>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include <clocale>
#include <cstdio>

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

// Every numeric cell and column width of a sheet written with a decimal point.
void VerifyPointDecimals(const QString &file, int sheetNumber)
{
    const QByteArray xml = Unzipped(file, QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheetNumber));
    QVERIFY(!xml.isEmpty());
    const QRegularExpression width(QStringLiteral("width=\"([^\"]*)\""));
    int widths = 0;
    for (const auto &match : width.globalMatch(QString::fromUtf8(xml))) {
        bool ok = false;
        match.captured(1).toDouble(&ok);
        QVERIFY2(ok, qPrintable(match.captured(0)));
        ++widths;
    }
    QVERIFY(widths > 0);
    const Cells cells = SheetCells(file, sheetNumber);
    for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
        bool ok = true;
        if (it.value().type == u'n')
            it.value().value.toDouble(&ok);
        QVERIFY2(ok, qPrintable(it.key() + QLatin1Char('=') + it.value().value));
    }
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


#ifdef GAS_XLSXWRITER_SONAME
    // The library is loaded when the first workbook is written; a missing file or
    // a library without the functions is refused with the reason.
    void libraryLoading_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("reason");
        QTest::newRow("the program's") << QStringLiteral(GAS_XLSXWRITER_SONAME) << true << QString();
        QTest::newRow("no such file") << "libgasmeter-no-such.so.0" << false << "libgasmeter-no-such";
        QTest::newRow("another library") << "libz.so.1" << false << "нет функции workbook_new";
    }

    void libraryLoading()
    {
        QFETCH(QString, file);
        QFETCH(bool, complete);
        QFETCH(QString, reason);
        QString error;
        const XlsxLibrary library = LoadXlsxLibrary(file, &error);
        QCOMPARE(library.complete(), complete);
        QVERIFY2(complete ? error.isEmpty() : error.contains(reason), qPrintable(error));
    }
#endif

    // The program's functions, bound once, are there wherever the library comes from.
    void libraryBound()
    {
        QString error;
        const XlsxLibrary *library = Xlsx(&error);
        QVERIFY2(library && library->complete(), qPrintable(error));
        QCOMPARE(Xlsx(), library);
    }

    // The reader behind these tests gives nothing for a damaged member or a cut
    // archive, so that a broken workbook cannot pass as an empty sheet.
    void readerRefusesDamage_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("intact") << "";
        QTest::newRow("a byte of the first member flipped") << "flip";
        QTest::newRow("cut in half") << "cut";
    }

    void readerRefusesDamage()
    {
        QFETCH(QString, damage);
        QFile original(path(QStringLiteral("table.xlsx")));
        QVERIFY(original.open(QIODevice::ReadOnly));
        QByteArray zip = original.readAll();
        // The first member's name follows its 30-byte local header.
        const int nameLength = quint8(zip.at(26)) | quint8(zip.at(27)) << 8;
        const int extraLength = quint8(zip.at(28)) | quint8(zip.at(29)) << 8;
        const QString first = QString::fromUtf8(zip.mid(30, nameLength));
        if (damage == u"flip")
            zip[30 + nameLength + extraLength + 4] = char(zip.at(30 + nameLength + extraLength + 4) ^ 0x10);
        else if (damage == u"cut")
            zip.truncate(zip.size() / 2);
        const QString copy = path(QStringLiteral("damaged.xlsx"));
        QFile out(copy);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(out.write(zip), zip.size());
        out.close();
        QCOMPARE(ZipMember(copy, first).isEmpty(), !damage.isEmpty());
        QVERIFY(ZipMember(copy, QStringLiteral("no/such.xml")).isEmpty());
        // The other members survive a flipped byte in the first.
        QCOMPARE(ZipMember(copy, QStringLiteral("xl/workbook.xml")).contains("Пакет"), damage != u"cut");
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

        // The optimal rows stay on the first sheet, which freezes nothing.
        const int optimalHeader = RowOf(cells, ResultHeaderRow()[1]);
        QVERIFY(optimalHeader > 0);
        QCOMPARE(At(cells, 'B', optimalHeader + 1).value, outcome.optimal.front().record.Name);
        QVERIFY(!Unzipped(file, QStringLiteral("xl/worksheets/sheet1.xml")).contains("ySplit"));

        // Every possible row on the second sheet, under its frozen header row.
        const Cells possible = SheetCells(file, 2);
        QCOMPARE(At(possible, 'B', 1).value, ResultHeaderRow()[1]);
        for (std::size_t i = 0; i < outcome.possible.size(); ++i) {
            const Candidate &c = outcome.possible[i];
            const int row = 2 + static_cast<int>(i);
            QCOMPARE(At(possible, 'A', row).value.toInt(), static_cast<int>(i) + 1);
            QCOMPARE(At(possible, 'B', row).value, c.record.Name);
            for (const char column : {'A', 'C', 'F', 'G', 'I', 'J'})
                QCOMPARE(At(possible, column, row).type, QStringLiteral("n"));
            if (c.record.Price == 0)
                QCOMPARE(At(possible, 'H', row).value, QStringLiteral("договорная"));
            else
                QCOMPARE(At(possible, 'H', row).value.toDouble(), c.record.Price);
            QCOMPARE(At(possible, 'I', row).value.toDouble(), c.loadPercent);
            QCOMPARE(At(possible, 'J', row).value.toDouble(), *c.qminMargin);
        }
        QVERIFY(!possible.contains(QStringLiteral("B%1").arg(2 + int(outcome.possible.size()))));
        const QByteArray second = Unzipped(file, QStringLiteral("xl/worksheets/sheet2.xml"));
        QVERIFY(second.contains("ySplit=\"1\""));
        QVERIFY(Unzipped(file, QStringLiteral("xl/workbook.xml"))
                    .contains(QStringLiteral("name=\"%1\"").arg(PossibleTitle()).toUtf8()));
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
        const Cells possible = SheetCells(file, 2);
        QCOMPARE(At(possible, 'B', 2).value, outcome.possible[0].record.Name);
        QCOMPARE(At(possible, 'J', 2).type, QStringLiteral("s"));
        QCOMPARE(At(possible, 'J', 2).value, QStringLiteral("—"));
    }

    // On a Russian desktop the C library writes numbers with a comma; the workbook's
    // numbers and widths keep their point, or a spreadsheet calls the file damaged.
    void russianDesktop()
    {
        // The C library names the Russian locale its own way on each system.
#ifdef Q_OS_WIN
        const ProcessLocale russian("Russian_Russia.1251");
#else
        const ProcessLocale russian("ru_RU.UTF-8");
#endif
        QVERIFY2(russian.isSet(), "no Russian C locale (scripts/install-deps.sh makes ru_RU.UTF-8)");
        char probe[8];
        std::snprintf(probe, sizeof probe, "%.1f", 0.5);
        QCOMPARE(QByteArray(probe), QByteArray("0,5"));

        const QString table = path(QStringLiteral("ru-table.xlsx"));
        QVERIFY(WriteXlsxTable(table, SampleTable(), nullptr));
        const Cells cells = SheetCells(table);
        QCOMPARE(cells.value(QStringLiteral("B2")).value, QStringLiteral("12.5"));
        QCOMPARE(cells.value(QStringLiteral("B3")).value, QStringLiteral("0.001"));
        VerifyPointDecimals(table, 1);

        const SizingOutcome outcome = Run(catalogue_, 1, 100, 10, QStringLiteral("1"));
        const QString sizing = path(QStringLiteral("ru-sizing.xlsx"));
        QVERIFY(WriteSizingXlsx(sizing, outcome, catalogue_, nullptr));
        VerifyPointDecimals(sizing, 1);
        VerifyPointDecimals(sizing, 2);
        const Cells possible = SheetCells(sizing, 2);
        QCOMPARE(At(possible, 'D', 2).value.toDouble(), outcome.possible[0].record.Pmin);
        QCOMPARE(At(possible, 'J', 2).value.toDouble(), *outcome.possible[0].qminMargin);
    }

    // A text longer than a cell holds is cut to 32,767 characters, the last "…".
    void longText_data()
    {
        QTest::addColumn<qsizetype>("length");
        QTest::addColumn<qsizetype>("written");
        QTest::newRow("fits") << qsizetype(32767) << qsizetype(32767);
        QTest::newRow("one more") << qsizetype(32768) << qsizetype(32767);
        QTest::newRow("a megabyte") << qsizetype(1 << 20) << qsizetype(32767);
    }
    void longText()
    {
        QFETCH(qsizetype, length);
        QFETCH(qsizetype, written);
        const QString file = path(QStringLiteral("long.xlsx"));
        const QString id(length, QLatin1Char('A'));
        QString error;
        QVERIFY2(WriteSizingXlsx(file, Run(catalogue_, 1, 100, 10, QStringLiteral("1")), catalogue_, &error,
                                 {{}, {}, id, {}}),
                 qPrintable(error));
        const Cells cells = SheetCells(file);
        bool found = false;
        for (const SheetCell &cell : cells) {
            if (!cell.value.startsWith(QStringLiteral("AAAA")))
                continue;
            found = true;
            QCOMPARE(cell.value.size(), written);
            QCOMPARE(cell.value.endsWith(QChar(0x2026)), length > written);
        }
        QVERIFY(found);
    }

#ifdef Q_OS_UNIX
    // A new workbook gets the mode the umask gives, like every other file written;
    // an existing one keeps its own.
    void newFileMode_data()
    {
        QTest::addColumn<bool>("sizing");
        QTest::addColumn<int>("mask");
        for (const int mask : {077, 022, 027}) {
            QTest::addRow("table, umask %03o", mask) << false << mask;
            QTest::addRow("sizing, umask %03o", mask) << true << mask;
        }
    }
    void newFileMode()
    {
        QFETCH(bool, sizing);
        QFETCH(int, mask);
        QTemporaryDir target;
        const QString file = target.filePath(QStringLiteral("new.xlsx"));
        const auto write = [&] {
            QString error;
            return sizing ? WriteSizingXlsx(file, Run(catalogue_, 1, 100, 10, QStringLiteral("1")), catalogue_, &error)
                          : WriteXlsxTable(file, SampleTable(), &error);
        };
        const auto mode = [&file] {
            struct stat status {};
            return ::stat(QFile::encodeName(file).constData(), &status) == 0 ? int(status.st_mode & 0777) : -1;
        };
        const mode_t old = ::umask(static_cast<mode_t>(mask));
        const bool written = write();
        ::umask(old);
        QVERIFY(written);
        QCOMPARE(mode(), 0666 & ~mask);
        QVERIFY(::chmod(QFile::encodeName(file).constData(), 0640) == 0);
        QVERIFY(write());
        QCOMPARE(mode(), 0640);
    }
#endif

    // A text that reads as a character escape reaches the sheet as typed: the
    // underscore that starts "_xHHHH_" is written as "_x005F_".
    void escapeLookalikes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("an escape") << "_x0041_" << "_x005F_x0041_";
        QTest::newRow("inside, lower-case hex") << "a_x00e9_b" << "a_x005F_x00e9_b";
        QTest::newRow("two in a row") << "_x0041__x0042_" << "_x005F_x0041__x005F_x0042_";
        QTest::newRow("the underscore's own escape") << "_x005F_" << "_x005F_x005F_";
        QTest::newRow("after an underscore") << "__x0041_" << "__x005F_x0041_";
        QTest::newRow("three digits") << "_x004_" << "_x004_";
        QTest::newRow("no closing underscore") << "_x0041" << "_x0041";
        QTest::newRow("not hex") << "_x00G1_" << "_x00G1_";
        QTest::newRow("capital X") << "_X0041_" << "_X0041_";
        QTest::newRow("Cyrillic") << "Точка_x0410_" << "Точка_x005F_x0410_";
    }
    void escapeLookalikes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        XlsxTable table;
        table.sheetName = QStringLiteral("Лист");
        table.header = QStringList{typed};
        table.rows.push_back({typed});
        const QString file = path(QStringLiteral("escape.xlsx"));
        QString error;
        QVERIFY2(WriteXlsxTable(file, table, &error), qPrintable(error));
        const Cells cells = SheetCells(file);
        QCOMPARE(cells.value(QStringLiteral("A1")).value, written);
        QCOMPARE(cells.value(QStringLiteral("A2")).value, written);
    }

    // A table longer than a sheet is refused before anything is written, with the
    // limit and the formats that take it.
    void sheetRowLimit_data()
    {
        QTest::addColumn<qint64>("rows");
        QTest::addColumn<bool>("fits");
        QTest::newRow("none") << qint64(0) << true;
        QTest::newRow("the limit") << SheetRowLimit << true;
        QTest::newRow("one more") << SheetRowLimit + 1 << false;
        QTest::newRow("27,000 points of mode 1") << qint64(1100000) << false;
    }
    void sheetRowLimit()
    {
        QFETCH(qint64, rows);
        QFETCH(bool, fits);
        QCOMPARE(FitsOneSheet(rows), fits);
        if (fits)
            return;
        QTemporaryDir target;
        const QString file = target.filePath(QStringLiteral("big.xlsx"));
        bool asked = false;
        QString error;
        // The header takes the first row: rows - 1 rows below it.
        QVERIFY(!WriteXlsxRows(file, QStringLiteral("Лист"), {QStringLiteral("id")}, rows - 1,
                               [&asked](const std::function<void(const QVariantList &)> &) { asked = true; }, &error));
        QVERIFY(!asked);
        QVERIFY(FolderEntries(target.path()).isEmpty());
        QVERIFY2(error.contains(QDir::toNativeSeparators(file)), qPrintable(error));
        QVERIFY2(error.contains(WriteNumber(double(SheetRowLimit))), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("CSV")) && error.contains(QStringLiteral("JSON")), qPrintable(error));
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
        // No temporary file in a missing folder: the system says why.
        if (name.startsWith(QStringLiteral("missing/")))
            QVERIFY2(error.contains(qt_error_string(ENOENT)), qPrintable(error));
        QCOMPARE(FolderEntries(target.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestXlsx)
#include "tst_xlsx.moc"
