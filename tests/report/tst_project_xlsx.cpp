// The project workbook read back, on a desktop of either decimal separator: the
// priced list's amounts, VAT and totals as formulas over its quantity, price and rate
// cells, each cached with the figure computed by hand; a euro row in roubles and the
// grand total; a row priced on request left out; the points' sheet; a refused write.
#include "report/xlsx_project.h"
#include "core/project/project_file.h"
#include "core/project/project_points.h"
#include "core/project/project_priced_list.h"
#include "report_test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

std::vector<BatchRecord> Sized(const Project &project)
{
    static const ProductCatalogue catalogue = [] {
        ProductCatalogue c;
        c.Fill();
        return c;
    }();
    std::vector<BatchRecord> records;
    for (const ProjectPoint &point : project.points)
        records.push_back(SizeProjectPoint(point, catalogue));
    return records;
}

Project Example()
{
    QFile file(QStringLiteral(GAS_EXAMPLE_PROJECT));
    return file.open(QIODevice::ReadOnly) ? ReadProjectFile(file.readAll()).project.value_or(Project{}) : Project{};
}

ProjectPoint Point(const QString &id, int quantity, const QString &choice,
                   const std::vector<std::pair<BatchColumn, QString>> &texts)
{
    ProjectPoint point{id, quantity, choice, {}, {}};
    for (const auto &[column, text] : texts)
        point.setText(column, text);
    return point;
}

// The C library's name of the Russian locale on the system.
#ifdef Q_OS_WIN
constexpr char RussianLocale[] = "Russian_Russia.1251";
#else
constexpr char RussianLocale[] = "ru_RU.UTF-8";
#endif

// The projects the workbooks are written of.
Project Named(const QString &name)
{
    const Project example = Example();
    Project project;
    if (name == u"example")
        return example;
    if (name == u"points") { // nothing chosen, a comma in a figure, a refused figure
        project = example;
        project.points[0].choice.clear();
        project.points[2].setText(BatchColumn::Qmax, u"120,0"_s);
        project.points[3].setText(BatchColumn::Qmax, u"сорок"_s);
    } else if (name == u"euro") { // 2 x NM G25 in euros at 100,5 roubles, the 175 000 cabinet
        project.heading = {u"Объект 7"_s, {}, u"Иванов И. И."_s};
        project.pricing.eurRate = 1005000;
        project.pricing.eurRateDate = QDate(2026, 1, 15);
        project.points = {Point(u"m4"_s, 2, u"NM G25"_s, {{BatchColumn::Mode, u"4"_s}, {BatchColumn::Qmax, u"45.2"_s},
                                                        {BatchColumn::Qmin, u"5"_s}, {BatchColumn::P, u"13"_s}}),
                          example.points[3]};
    } else { // a KEL without list price, the cabinet, a point with nothing chosen
        project.points = {Point(u"КЭЛ"_s, 1, u"KEL G160+KQ730"_s,
                                {{BatchColumn::Mode, u"2"_s}, {BatchColumn::Families, u"001"_s},
                                 {BatchColumn::Qmax, u"400"_s}, {BatchColumn::Qmin, u"60"_s},
                                 {BatchColumn::P, u"1"_s}, {BatchColumn::PUnit, u"бар"_s}}),
                          example.points[3], example.points[0]};
        project.points[2].id = u"без изделия"_s;
        project.points[2].choice.clear();
    }
    return project;
}

// The number format of a cell's style, by its code.
QString NumberFormat(const QString &xlsx, int style)
{
    QMap<int, QString> codes{{0, u"General"_s}};
    QList<int> styles;
    QXmlStreamReader xml(ZipMember(xlsx, u"xl/styles.xml"_s));
    bool cellStyles = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"cellXfs")
            cellStyles = false;
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        cellStyles = cellStyles || xml.name() == u"cellXfs";
        if (xml.name() == u"numFmt")
            codes.insert(a.value(u"numFmtId"_s).toInt(), a.value(u"formatCode"_s).toString());
        else if (cellStyles && xml.name() == u"xf")
            styles << a.value(u"numFmtId"_s).toInt();
    }
    return codes.value(styles.value(style, -1), u"?"_s);
}

} // namespace

class TestProjectXlsx : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    // The named project written with its priced list; empty when refused.
    QString write(const QString &name)
    {
        const Project project = Named(name);
        const std::vector<BatchRecord> records = Sized(project);
        const QString file = folder_.filePath(name + u".xlsx"_s);
        QString error;
        const bool written = WriteProjectXlsx(file, project, records, ProjectPricedList(project, records), &error);
        return written ? file : (qWarning("%s", qPrintable(error)), QString());
    }

private slots:
    void initTestCase() { QVERIFY(folder_.isValid()); }

    void cells_data()
    {
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("project");
        QTest::addColumn<int>("sheet");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("type"); // "n", "s", empty: no cell
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("value"); // a number with at most two decimals, or the text
        QTest::addColumn<QString>("format"); // empty: not checked
        const QString money = u"#,##0.00"_s;
        const QString rub = u"SUMIF($H$9:$H$12,\"RUB\",$%1$9:$%1$12)"_s;
        const QString both = u"SUM($I$8:$I$9)+SUM($J$8:$J$9)"_s;
        const QString n = u"n"_s, s = u"s"_s;
        struct Row { const char *tag; QString project; int sheet; QString cell, type, formula, value, format; };
        const Row rows[] = {
            // The example by hand at 22 %, its rate in the head.
            {"rate", u"example"_s, 1, u"C5"_s, n, {}, u"0.22"_s, u"0.00%"_s},
            {"no euro rate", u"example"_s, 1, u"C6"_s, s, {}, u"не задан"_s, {}},
            {"price", u"example"_s, 1, u"E10"_s, n, {}, u"31350.00"_s, money},
            {"Velon", u"example"_s, 1, u"F9"_s, n, u"D9*E9"_s, u"83525.00"_s, money},
            {"Velon VAT", u"example"_s, 1, u"G9"_s, n, u"ROUND(F9*$C$5,2)"_s, u"18375.50"_s, money},
            {"ZAM of two points", u"example"_s, 1, u"F10"_s, n, u"D10*E10"_s, u"94050.00"_s, money},
            {"two cabinets", u"example"_s, 1, u"F12"_s, n, u"D12*E12"_s, u"270000.00"_s, {}},
            {"two cabinets VAT", u"example"_s, 1, u"G12"_s, n, u"ROUND(F12*$C$5,2)"_s, u"59400.00"_s, {}},
            {"total", u"example"_s, 1, u"F14"_s, n, rub.arg(u"F"_s), u"622575.00"_s, money},
            {"total VAT", u"example"_s, 1, u"F15"_s, n, rub.arg(u"G"_s), u"136966.50"_s, money},
            {"with VAT", u"example"_s, 1, u"F16"_s, n, u"F14+F15"_s, u"759541.50"_s, money},
            {"no rouble columns", u"example"_s, 1, u"I8"_s, s, {}, u"Точки учёта"_s, {}},
            {"nothing more", u"example"_s, 1, u"B17"_s, {}, {}, {}, {}},
            // 2 x 280 EUR = 560, VAT 123,20; 56 280,00 roubles, VAT 12 381,60; with the cabinet's
            // 175 000,00 and 38 500,00 the grand total is 282 161,60.
            {"euro rate", u"euro"_s, 1, u"C5"_s, n, {}, u"100.5"_s, {}},
            {"its date", u"euro"_s, 1, u"D5"_s, s, {}, u"на 15.01.2026"_s, {}},
            {"euro VAT", u"euro"_s, 1, u"G8"_s, n, u"ROUND(F8*$C$4,2)"_s, u"123.20"_s, {}},
            {"euro row in roubles", u"euro"_s, 1, u"I8"_s, n, u"ROUND(F8*$C$5,2)"_s, u"56280.00"_s, money},
            {"its VAT", u"euro"_s, 1, u"J8"_s, n, u"ROUND(I8*$C$4,2)"_s, u"12381.60"_s, money},
            {"rouble row", u"euro"_s, 1, u"I9"_s, n, u"F9"_s, u"175000.00"_s, {}},
            {"its VAT in roubles", u"euro"_s, 1, u"J9"_s, n, u"G9"_s, u"38500.00"_s, {}},
            {"euro total", u"euro"_s, 1, u"F14"_s, n, u"SUMIF($H$8:$H$9,\"EUR\",$F$8:$F$9)"_s, u"560.00"_s, {}},
            {"grand total", u"euro"_s, 1, u"F17"_s, n, both, u"282161.60"_s, money},
            {"points after the roubles", u"euro"_s, 1, u"K7"_s, s, {}, u"Точки учёта"_s, {}},
            {"price in euros", u"euro"_s, 2, u"L2"_s, s, {}, u"EUR"_s, {}},
            // A product without a list price counts in no total.
            {"on request", u"on request"_s, 1, u"E6"_s, s, {}, u"цена по запросу"_s, {}},
            {"no amount", u"on request"_s, 1, u"F6"_s, {}, {}, {}, {}},
            {"the priced row alone", u"on request"_s, 1, u"F9"_s, n, u"SUMIF($H$6:$H$7,\"RUB\",$F$6:$F$7)"_s,
             u"175000.00"_s, {}},
            {"rows on request", u"on request"_s, 1, u"F12"_s, n, {}, u"1"_s, {}},
            {"not sized", u"on request"_s, 1, u"B13"_s, s, {}, u"не подобрано: без изделия"_s, {}},
            // One row a point under the header.
            {"mode", u"points"_s, 2, u"D2"_s, n, {}, u"1"_s, {}},
            {"nothing chosen", u"points"_s, 2, u"I2"_s, {}, {}, {}, {}},
            {"Qmax typed with a comma", u"points"_s, 2, u"E4"_s, n, {}, u"120"_s, {}},
            {"price", u"points"_s, 2, u"K4"_s, n, {}, u"31350.00"_s, money},
            {"quantity", u"points"_s, 2, u"M4"_s, n, {}, u"2"_s, {}},
            {"load", u"points"_s, 2, u"N3"_s, n, {}, u"100"_s, u"0.0"_s},
            {"the point's note", u"points"_s, 2, u"P3"_s, s, {}, u"точно 100 % при 1,3 бар"_s, {}},
            {"a refused figure as typed", u"points"_s, 2, u"E5"_s, s, {}, u"сорок"_s, {}},
            {"its error", u"points"_s, 2, u"P5"_s, s, {}, u"столбец qmax: Правильно введите исходные данные!"_s, {}},
            {"no figures when refused", u"points"_s, 2, u"J5"_s, {}, {}, {}, {}},
            {"five points", u"points"_s, 2, u"A7"_s, {}, {}, {}, {}},
        };
        for (const char *locale : {"C", RussianLocale}) {
            for (const Row &r : rows)
                QTest::addRow("%s: %s, %s", locale, qPrintable(r.project), r.tag)
                    << QByteArray(locale) << r.project << r.sheet << r.cell << r.type << r.formula << r.value << r.format;
        }
    }

    void cells()
    {
        QFETCH(QByteArray, locale);
        QFETCH(QString, project);
        QFETCH(int, sheet);
        QFETCH(QString, cell);
        QFETCH(QString, type);
        QFETCH(QString, formula);
        QFETCH(QString, value);
        QFETCH(QString, format);
        const ProcessLocale desktop(locale.constData());
        QVERIFY2(desktop.isSet(), locale.constData());
        const QString file = write(project);
        QVERIFY(!file.isEmpty());
        const SheetCell read = SheetCells(file, sheet).value(cell);
        QCOMPARE(read.type, type);
        QCOMPARE(read.formula, formula);
        if (type == u"n") { // the exact figure, with a point
            QVERIFY2(!read.value.contains(u','), qPrintable(read.value));
            QCOMPARE(ReadScaled(read.value, 2), ReadScaled(value, 2));
        } else {
            QCOMPARE(read.value, value);
        }
        if (!format.isEmpty())
            QCOMPARE(NumberFormat(file, read.style), format);
    }

    void sheets()
    {
        const QString file = write(u"example"_s);
        const QByteArray workbook = ZipMember(file, u"xl/workbook.xml"_s);
        const qsizetype pricedList = workbook.indexOf("name=\"Спецификация\"");
        QVERIFY(pricedList > 0 && workbook.indexOf("name=\"Точки\"") > pricedList);
        QVERIFY(ZipMember(file, u"xl/worksheets/sheet2.xml"_s).contains("ySplit=\"1\""));
        QVERIFY(!ZipMember(file, u"xl/worksheets/sheet1.xml"_s).contains("ySplit"));
    }

    // Nothing is left behind and the reason names the file.
    void refusedWrite_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("missing folder") << u"missing"_s;
        QTest::newRow("a file in place of the folder") << u"file"_s;
#ifdef Q_OS_LINUX
        QTest::newRow("a folder no one writes in") << u"/proc"_s;
#endif
    }

    void refusedWrite()
    {
        QFETCH(QString, folder);
        QTemporaryDir target;
        QFile file(target.filePath(u"file"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QStringList before = FolderEntries(target.path());
        const QString path = QDir(target.path()).filePath(folder + u"/project.xlsx"_s);
        const Project project = Example();
        const std::vector<BatchRecord> records = Sized(project);
        QString error;
        QVERIFY(!WriteProjectXlsx(path, project, records, ProjectPricedList(project, records), &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(FolderEntries(target.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestProjectXlsx)
#include "tst_project_xlsx.moc"
