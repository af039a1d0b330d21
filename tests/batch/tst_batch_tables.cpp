// The tables people have, through the whole batch program: the same points saved in
// UTF-8 or Windows-1251, with `;`, `,` or tab between fields and either line end, or
// as a workbook, give the same results; what cannot be read so is named by its line
// or cell.

#include "batch/batch_run.h"
#include "core/table/csv_reader.h"
#include "report/c_numeric_locale.h"
#include "report/xlsx_library.h"

#include "batch_tables.h"
#include "batch_test_support.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A fixed mix of points over every kind, with refused ones.
const TableRows &Points()
{
    static const TableRows rows = MixedPoints(60);
    return rows;
}

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray Windows1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder(text);
}

// The columns written as numbers in a workbook: the ones whose texts are figures or
// choices (the families stay text, their leading zeros with them).
bool NumberColumn(const QString &name)
{
    static const QStringList texts{u"id"_s, u"families"_s, u"pmax_unit"_s, u"pmin_unit"_s, u"p_unit"_s, u"side"_s,
                                   u"bypass"_s, u"gauges"_s, u"pout_unit"_s, u"method"_s};
    return !texts.contains(name);
}

struct SheetCellText {
    int row = 0;    // from 0
    int column = 0; // from 0
    QString text;
    bool date = false; // a number in the date format
};

// A workbook of sheets, each of cells; a number column's text is written as a number.
QString MakeWorkbook(const QString &path, const QList<std::pair<QString, std::vector<SheetCellText>>> &sheets,
                     const QStringList &header)
{
    QString why;
    const XlsxLibrary *x = Xlsx(&why);
    if (!x)
        return why;
    lxw_workbook *book = x->workbookNewOpt(QFile::encodeName(path).constData(), nullptr);
    if (!book)
        return u"workbook_new_opt"_s;
    lxw_format *date = x->addFormat(book);
    x->setNumberFormat(date, "dd.mm.yyyy");
    lxw_format *plain = x->addFormat(book);
    for (const auto &[name, cells] : sheets) {
        lxw_worksheet *sheet = x->addWorksheet(book, name.toUtf8().constData());
        for (const SheetCellText &cell : cells) {
            const QString column = cell.column < header.size() ? header[cell.column] : QString();
            bool number = false;
            const double value = cell.text.toDouble(&number);
            if (cell.date)
                x->writeNumber(sheet, cell.row, lxw_col_t(cell.column), value, date);
            else if (number && NumberColumn(column) && cell.row > 1)
                x->writeNumber(sheet, cell.row, lxw_col_t(cell.column), value, nullptr);
            else
                x->writeString(sheet, cell.row, lxw_col_t(cell.column), cell.text.toUtf8().constData(),
                               cell.text.isEmpty() ? plain : nullptr);
        }
    }
    return x->workbookClose(book) == LXW_NO_ERROR ? QString() : u"workbook_close"_s;
}

// The sheet of the points: row 1 empty, the header in row 2, the points below with
// an empty row after the fifth, and cells left empty (with a format) below them.
std::vector<SheetCellText> PointCells(const TableRows &rows, int dateRow = -1)
{
    std::vector<SheetCellText> cells;
    const QStringList header = MixedHeader();
    for (int c = 0; c < header.size(); ++c)
        cells.push_back({1, c, header[c]});
    int row = 2;
    for (std::size_t i = 0; i < rows.size(); ++i, ++row) {
        if (i == 5)
            ++row;
        for (int c = 0; c < rows[i].size(); ++c) {
            if (!rows[i][c].isEmpty())
                cells.push_back({row, c, rows[i][c], row == dateRow && header[c] == u"qmax"_s});
        }
    }
    for (int c = 0; c < 4; ++c)
        cells.push_back({row + 3, c, QString()});
    return cells;
}

// The same points as a CSV text whose lines are the sheet's rows.
QByteArray PointsAsSheetLines(const TableRows &rows)
{
    QString text = u"\n"_s + TableText(MixedHeader(), {});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i == 5)
            text += u'\n';
        text += TableText({}, {rows[i]}).mid(1);
    }
    return text.toUtf8();
}

} // namespace

class TestBatchTables : public QObject {
    Q_OBJECT

private slots:
    // libxlsxwriter writes its numbers by the C library's locale, as the program keeps it.
    void initTestCase() { UseCNumericLocale(); }
    void init() { QLocale::setDefault(QLocale::c()); }

    // Every form of the table gives the bytes of the plain one, in each format; a
    // table not in UTF-8 is said to be read as Windows-1251, once.
    void formsGiveTheSameResults_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cp1251");
        const QStringList header = MixedHeader();
        for (const QChar separator : {QChar(u';'), QChar(u','), QChar(u'\t')}) {
            for (const QString &end : {u"\n"_s, u"\r\n"_s}) {
                const QString text = TableText(header, Points(), separator, end);
                const QByteArray name = (separator == u'\t' ? QByteArray("tab") : QString(separator).toUtf8())
                    + (end.size() == 2 ? ", CR LF" : ", LF");
                QTest::newRow(name + ", UTF-8") << text.toUtf8() << false;
                QTest::newRow(name + ", UTF-8 with its mark") << "\xEF\xBB\xBF" + text.toUtf8() << false;
                QTest::newRow(name + ", Windows-1251") << Windows1251(text) << true;
            }
        }
    }

    void formsGiveTheSameResults()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cp1251);
        const QByteArray plain = TableText(MixedHeader(), Points()).toUtf8();
        QTemporaryDir dir;
        const QString file = dir.filePath(u"points.csv"_s);
        QVERIFY(Write(file, bytes));
        for (const QString &format : {u"csv"_s, u"json"_s}) {
            const BatchResult expected = RunInProcess({u"-f"_s, format}, plain);
            QCOMPARE(expected.status, BatchInputErrors);
            const BatchResult fromFile = RunInProcess({u"-f"_s, format, file});
            QCOMPARE(fromFile.status, expected.status);
            QVERIFY(fromFile.out == expected.out);
            const QString note = u"таблица прочитана как Windows-1251"_s;
            QCOMPARE(fromFile.errors.count(note), cp1251 ? 1 : 0);
            QCOMPARE(QString(fromFile.errors).remove(QRegularExpression(u"^.*"_s + note + u".*\n"_s)),
                     QString(expected.errors).replace(u"стандартный ввод"_s, file));
        }
        // Standard input is judged by its first block: the whole table here.
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LC_ALL"_s, u"C.UTF-8"_s); // the decimal point of the runs in this process
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(GAS_BATCH_EXECUTABLE), {});
        p.write(bytes);
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), BatchInputErrors);
        QVERIFY(p.readAllStandardOutput() == RunInProcess({}, plain).out);
    }

    // In a table split at commas a fraction is written with a point: a comma outside
    // quotes splits the field (a fault of the table, with the hint), inside quotes it
    // refuses the point with its column.
    void commaTables_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("point") << QByteArray("p,2,160,16,0.5") << BatchAllSized << QString();
        QTest::newRow("decimal comma splits the field")
            << QByteArray("p,2,160,16,0,5") << BatchFailed
            << u"строка 2, столбец 6: лишнее поле; в строке полей: 6, в заголовке: 5 (в таблице через запятую дробная "
               u"часть числа отделяется точкой)"_s;
        QTest::newRow("decimal comma in quotes")
            << QByteArray("p,2,160,\"1,6\",0.5") << BatchInputErrors
            << u"строка 2 (точка «p»), столбец qmin: в таблице через запятую дробная часть числа отделяется точкой, "
               u"а не запятой: «1,6»"_s;
        QTest::newRow("the id may hold a comma in quotes") << QByteArray("\"p, 1\",2,160,16,0.5") << BatchAllSized
                                                           << QString();
    }

    void commaTables()
    {
        QFETCH(QByteArray, record);
        QFETCH(int, status);
        QFETCH(QString, message);
        const BatchResult r = RunInProcess({u"-f"_s, u"json"_s}, "id,mode,qmax,qmin,p\n" + record + '\n');
        QCOMPARE(r.status, status);
        QVERIFY2(message.isEmpty() ? r.errors.isEmpty() : r.errors.contains(message), qPrintable(r.errors));
        if (status == BatchInputErrors) {
            const QJsonObject point = QJsonDocument::fromJson(r.out)[u"points"_s][0].toObject();
            QCOMPARE(point[u"error"_s][u"column"_s].toString(), u"qmin"_s);
        }
    }

#ifdef GAS_XLSX_INPUT // a build without libzip refuses every workbook
    // A workbook of the points (numbers as numbers, texts as texts, an empty row
    // first and one among them, empty cells below) reads as the same table: the same
    // results line for line, by its extension or when told.
    void workbookSameAsTable()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath(u"points.xlsx"_s);
        const QString made = MakeWorkbook(book, {{u"Точки"_s, PointCells(Points())}}, MixedHeader());
        QVERIFY2(made.isEmpty(), qPrintable(made));
        const BatchResult table = RunInProcess({}, PointsAsSheetLines(Points()));
        QCOMPARE(table.status, BatchInputErrors);
        for (const QString &format : {u"csv"_s, u"json"_s}) {
            const BatchResult expected = RunInProcess({u"-f"_s, format}, PointsAsSheetLines(Points()));
            const BatchResult read = RunInProcess({u"-f"_s, format, book});
            QCOMPARE(read.status, expected.status);
            QVERIFY(read.out == expected.out);
        }
        // The refused points are named with the cell of their column.
        const BatchResult read = RunInProcess({book});
        QVERIFY2(read.errors.contains(u"строка 12 (точка «Точка 9»), столбец qmin, ячейка E12: "_s),
                 qPrintable(read.errors));
        // Standard input, when told it is a workbook.
        QFile bytes(book);
        QVERIFY(bytes.open(QIODevice::ReadOnly));
        QCOMPARE(RunInProcess({u"--input-format"_s, u"xlsx"_s}, bytes.readAll()).out, table.out);
    }

    // A date in a number column refuses its point, naming the cell; the others are
    // sized as before.
    void dateInNumberColumn()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath(u"points.xlsx"_s);
        const QString made = MakeWorkbook(book, {{u"Точки"_s, PointCells(Points(), 3)}}, MixedHeader());
        QVERIFY2(made.isEmpty(), qPrintable(made));
        const BatchResult read = RunInProcess({u"-f"_s, u"json"_s, book});
        QCOMPARE(read.status, BatchInputErrors);
        QVERIFY2(read.errors.contains(u"строка 4 (точка «Точка 2»), столбец qmax, ячейка D4: в ячейке D4 дата, а "
                                      u"нужно число"_s),
                 qPrintable(read.errors));
        const QJsonArray points = QJsonDocument::fromJson(read.out)[u"points"_s].toArray();
        QCOMPARE(points[1][u"error"_s][u"column"_s].toString(), u"qmax"_s);
        const QJsonArray expected = QJsonDocument::fromJson(RunInProcess({u"-f"_s, u"json"_s}, PointsAsSheetLines(Points())).out)[u"points"_s].toArray();
        QCOMPARE(points.size(), expected.size());
        QCOMPARE(points[0], expected[0]);
        QCOMPARE(points[2], expected[2]);
    }

    // --sheet picks a sheet by its name; the first is read otherwise; a name the
    // workbook has not is refused with the names it has.
    void sheets()
    {
        QTemporaryDir dir;
        const QString book = dir.filePath(u"two.xlsx"_s);
        const QString made = MakeWorkbook(
            book, {{u"Справка"_s, {{0, 0, u"colour"_s}, {1, 0, u"red"_s}}}, {u"Точки"_s, PointCells(Points())}},
            MixedHeader());
        QVERIFY2(made.isEmpty(), qPrintable(made));
        const BatchResult first = RunInProcess({book});
        QCOMPARE(first.status, BatchFailed);
        QVERIFY2(first.errors.contains(u"ячейка A1 (colour): неизвестный столбец «colour»"_s), qPrintable(first.errors));
        QCOMPARE(RunInProcess({u"--sheet"_s, u"Точки"_s, book}).out, RunInProcess({}, PointsAsSheetLines(Points())).out);
        const BatchResult missing = RunInProcess({u"--sheet=Итоги"_s, book});
        QCOMPARE(missing.status, BatchFailed);
        QVERIFY2(missing.errors.contains(u"в книге нет листа «Итоги»; листы: «Справка», «Точки»"_s),
                 qPrintable(missing.errors));
        // A file that is no workbook.
        const QString fake = dir.filePath(u"fake.xlsx"_s);
        QVERIFY(Write(fake, "id;mode\n"));
        const BatchResult refused = RunInProcess({fake});
        QCOMPARE(refused.status, BatchFailed);
        QVERIFY2(refused.errors.contains(u"не читается как книга xlsx"_s), qPrintable(refused.errors));
    }
#endif
};

QTEST_GUILESS_MAIN(TestBatchTables)
#include "tst_batch_tables.moc"
