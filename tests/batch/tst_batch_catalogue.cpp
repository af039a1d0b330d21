// gasmeter-batch with a price list and writing its catalogue: --price-list sizes at the
// list's prices or, on a refused list, stops with status 2 and every refused line named;
// --catalogue-out writes the catalogue in force, which --price-list reads back
// unchanged; both in --help.
#include "batch/batch_files.h"
#include "batch_test_support.h"
#include "core/catalogue/catalogue.h"
#include "core/catalogue/price_list_check.h"
#include "core/catalogue/price_list_file.h"
#include "core/input/number_text.h"
#include "core/table/csv_reader.h"
#include "zip_member.h"

#include <QBuffer>
#include <QFile>
#include <QSet>
#include <QProcess>
#include <QTemporaryDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Examples = QStringLiteral(GAS_EXAMPLES);

BatchResult RunBatchProgram(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(GAS_BATCH_EXECUTABLE), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

// The price column of the CSV lines naming `name`.
QStringList PricesOf(const QByteArray &csv, const QString &name)
{
    const QStringList lines = QString::fromUtf8(csv).split(u'\n');
    const qsizetype nameColumn = lines.front().split(u';').indexOf(u"name"_s);
    const qsizetype priceColumn = lines.front().split(u';').indexOf(u"price"_s);
    QStringList prices;
    for (const QString &line : lines) {
        const QStringList fields = line.split(u';');
        if (fields.size() > priceColumn && fields[nameColumn] == name)
            prices << fields[priceColumn];
    }
    return prices;
}

} // namespace

class TestBatchCatalogue : public QObject {
    Q_OBJECT
    QTemporaryDir folder;

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }

private slots:
    void sizesAtTheListsPrices()
    {
        // Mode 4 at 5 and 0,2 m3/h, 2 kPa: NM G6 is the first row.
        const QByteArray table = "id;mode;qmax;qmin;p;p_unit\nкв;4;5;0,2;2;кПа\n";
        const BatchResult before = RunInProcess({}, table);
        QCOMPARE(before.status, BatchAllSized);
        QCOMPARE(PricesOf(before.out, u"NM G6"_s).value(0), WriteNumber(62.5));
        const BatchResult after = RunInProcess({u"--price-list"_s, Examples + u"/price-list-fixed.csv"_s}, table);
        QVERIFY2(after.errors.isEmpty(), qPrintable(after.errors));
        QCOMPARE(after.status, BatchAllSized);
        QCOMPARE(PricesOf(after.out, u"NM G6"_s).value(0), WriteNumber(64.9));
        QCOMPARE(PricesOf(after.out, u"PIX G6"_s).value(0), WriteNumber(35.5));

        // The JSON document names the list its prices come from.
        const auto named = [&table](const QStringList &arguments) {
            return QJsonDocument::fromJson(RunInProcess(arguments + QStringList{u"-f"_s, u"json"_s}, table).out)
                .object()[u"price_list"_s].toString();
        };
        QVERIFY2(named({}).startsWith(u"«Встроенный прайс-лист», версия "_s), qPrintable(named({})));
        const QString loaded = named({u"--price-list"_s, Examples + u"/price-list-fixed.csv"_s});
        QVERIFY2(!loaded.isEmpty() && !loaded.contains(u"Встроенный"_s), qPrintable(loaded));
    }

    // The table and the workbook name the same list on every line, in their last column:
    // a point with rows, one with none and a refused one.
    void tablesNameTheList_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("built-in") << QStringList();
        QTest::newRow("loaded") << QStringList{u"--price-list"_s, Examples + u"/price-list-fixed.csv"_s};
    }
    void tablesNameTheList()
    {
        QFETCH(QStringList, arguments);
        const QByteArray table = "id;mode;qmax;qmin;p;p_unit\nкв;4;5;0,2;2;кПа\nнет;4;90000;1;2;кПа\nплохо;4;x;1;2;кПа\n";
        const QString named = QJsonDocument::fromJson(RunInProcess(arguments + QStringList{u"-f"_s, u"json"_s}, table).out)
                                  .object()[u"price_list"_s].toString();
        QVERIFY(!named.isEmpty());

        QBuffer csvText;
        csvText.setData(RunInProcess(arguments, table).out);
        QVERIFY(csvText.open(QIODevice::ReadOnly));
        CsvReader reader(csvText);
        const std::optional<TableRecord> header = reader.next();
        QVERIFY(header);
        QCOMPARE(header->fields.last(), u"price_list"_s);
        QSet<QString> results;
        int lines = 0;
        while (const std::optional<TableRecord> line = reader.next()) {
            QCOMPARE(line->fields.size(), header->fields.size());
            QCOMPARE(line->fields.last(), named);
            results << line->fields[header->fields.indexOf(u"result"_s)];
            ++lines;
        }
        QVERIFY(lines > 2);
        QCOMPARE(results, (QSet<QString>{u"optimal"_s, u"possible"_s, u"none"_s, u"error"_s}));

        const QString book = folder.filePath(u"named-%1.xlsx"_s.arg(QTest::currentDataTag()));
        QString why;
        const std::optional<BatchOptions> options = ParseBatchArguments(arguments + QStringList{u"-o"_s, book}, &why);
        QVERIFY2(options, qPrintable(why));
        QBuffer in, out, errors;
        in.setData(table);
        in.open(QIODevice::ReadOnly);
        out.open(QIODevice::WriteOnly);
        errors.open(QIODevice::WriteOnly);
        QCOMPARE(RunBatch(*options, in, out, errors, WriteBatchFile, WriteCatalogueWorkbook), BatchInputErrors);
        const QString sheet = QString::fromUtf8(ZipMember(book, u"xl/worksheets/sheet1.xml"_s));
        QVERIFY(sheet.contains(u"<t>price_list</t>"_s));
        QCOMPARE(sheet.count(u"<t>%1</t>"_s.arg(named.toHtmlEscaped())), lines);
    }

    void refusedListStopsWithEveryLine_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QStringList>("named");
        QTest::newRow("the example") << QByteArray() << QStringList{u"строка 20 («МАРИН/100»)"_s};
        QTest::newRow("three rows refused")
            << "Обозначение;Цена;Валюта\nZAM G16;-1;\nZAM G25;1;\nNM G6;100;руб.\nZAM G40;x;\n"_ba
            << QStringList{u"строка 2 («ZAM G16»): цена «-1» отрицательная"_s,
                           u"строка 4 («NM G6»): валюта RUB, а изделие в каталоге в EUR"_s,
                           u"строка 5 («ZAM G40»): цена «x» не число"_s, u"исправьте строки 2, 4 и 5"_s};
        QTest::newRow("no header") << "ZAM G16;1\n"_ba << QStringList{u"не найдена строка заголовка"_s};
    }

    // Status 2 before anything is read or written: no row, no catalogue out.
    void refusedListStopsWithEveryLine()
    {
        QFETCH(QByteArray, list);
        QFETCH(QStringList, named);
        const QString path = list.isEmpty() ? Examples + u"/price-list.csv"_s
                                            : write(QTest::currentDataTag() + u".csv"_s, list);
        const QString out = folder.filePath(u"catalogue-%1.csv"_s.arg(QTest::currentDataTag()));
        const BatchResult result = RunBatchProgram(
            {u"--price-list"_s, path, u"--catalogue-out"_s, out, Examples + u"/points.csv"_s});
        QCOMPARE(result.status, BatchFailed);
        QVERIFY(result.out.isEmpty());
        QVERIFY(!QFile::exists(out));
        for (const QString &text : named)
            QVERIFY2(result.errors.contains(text), qPrintable(result.errors));
    }

    void catalogueOutReadBackUnchanged_data()
    {
        QTest::addColumn<bool>("priced");
        QTest::newRow("built-in") << false;
        QTest::newRow("priced by the example") << true;
    }

    // What --catalogue-out writes, --price-list reads back without a change, and its
    // own catalogue out again is the same file but for the date.
    void catalogueOutReadBackUnchanged()
    {
        QFETCH(bool, priced);
        const QString first = folder.filePath(u"first-%1.csv"_s.arg(priced));
        QStringList arguments{u"--catalogue-out"_s, first};
        if (priced)
            arguments << u"--price-list"_s << Examples + u"/price-list-fixed.csv"_s;
        const BatchResult written = RunInProcess(arguments);
        QCOMPARE(written.status, BatchAllSized);
        QVERIFY(written.out.isEmpty()); // nothing sized without a table
        QFile file(first);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();

        ProductCatalogue catalogue;
        catalogue.Fill();
        QBuffer said;
        said.open(QIODevice::WriteOnly);
        if (priced)
            QVERIFY(ApplyBatchPriceList(Examples + u"/price-list-fixed.csv"_s, catalogue, said));
        QVERIFY(said.data().isEmpty());
        const PriceListCheck check = CheckPriceList(ReadPriceList(bytes, u"x"_s, {}), catalogue);
        QVERIFY(check.refused.empty() && check.changes.empty() && check.unknown.empty() && check.leftOut.empty());
        QCOMPARE(check.unchanged, 558);

        const QString second = folder.filePath(u"second-%1.csv"_s.arg(priced));
        QCOMPARE(RunInProcess({u"--price-list"_s, first, u"--catalogue-out"_s, second}).status, BatchAllSized);
        QFile again(second);
        QVERIFY(again.open(QIODevice::ReadOnly));
        const QByteArray secondBytes = again.readAll();
        const auto body = [](const QByteArray &b) { return b.mid(b.indexOf("Позиция;")); };
        QCOMPARE(body(secondBytes), body(bytes));
        QCOMPARE(secondBytes.left(secondBytes.indexOf('\n')), bytes.left(bytes.indexOf('\n'))); // the list's name
    }

    void catalogueOutAsWorkbook()
    {
        const QString path = folder.filePath(u"catalogue.xlsx"_s);
        QString why;
        const std::optional<BatchOptions> options = ParseBatchArguments({u"--catalogue-out"_s, path}, &why);
        QVERIFY(options);
        QBuffer in, out, errors;
        in.open(QIODevice::ReadOnly);
        out.open(QIODevice::WriteOnly);
        errors.open(QIODevice::WriteOnly);
        QCOMPARE(RunBatch(*options, in, out, errors, WriteBatchFile, WriteCatalogueWorkbook), BatchAllSized);
        const QByteArray sheet = ZipMember(path, u"xl/worksheets/sheet1.xml"_s);
        QVERIFY(sheet.contains("ВЕЛОНВз-Р-0,2-25/1,6"));
        QVERIFY(sheet.contains("<v>79400</v>"));
        // Without a workbook writer the format is refused, as the other workbooks are.
        QCOMPARE(RunInProcess({u"--catalogue-out"_s, folder.filePath(u"other.xlsx"_s)}).status, BatchFailed);
    }

    void bothInTheHelp()
    {
        const BatchResult help = RunInProcess({u"--help"_s});
        QCOMPARE(help.status, BatchAllSized);
        const QString text = QString::fromUtf8(help.out);
        QVERIFY(text.contains(u"--price-list ФАЙЛ"_s));
        QVERIFY(text.contains(u"--catalogue-out ФАЙЛ"_s));
    }

    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("refused");
        QTest::newRow("no file after --price-list") << QStringList{u"--price-list"_s} << u"нужно значение"_s;
        QTest::newRow("both to standard output")
            << QStringList{u"--catalogue-out"_s, u"-"_s, u"points.csv"_s} << u"стандартный вывод"_s;
        QTest::newRow("with =") << QStringList{u"--catalogue-out=-"_s} << QString();
    }

    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, refused);
        QString why;
        const std::optional<BatchOptions> options = ParseBatchArguments(arguments, &why);
        QCOMPARE(!options, !refused.isEmpty());
        if (options)
            QCOMPARE(options->catalogueOut, u"-"_s);
        else
            QVERIFY2(why.contains(refused), qPrintable(why));
    }
};

QTEST_GUILESS_MAIN(TestBatchCatalogue)
#include "tst_batch_catalogue.moc"
