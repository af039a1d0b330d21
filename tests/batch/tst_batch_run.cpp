// The batch program without windows: its table reader, the reading of a point,
// the exit statuses and what is left at the output, in-process and as the real
// executable.

#include "batch/batch_output.h"
#include "core/table/batch_point.h"
#include "batch/batch_run.h"
#include "core/table/csv_reader.h"
#include "core/pressure/pressure_units.h"
#include "core/input/number_text.h"

#include "../report/report_test_support.h"
#include "batch_test_support.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

namespace {

const QString Header =
    u"id;mode;families;qmax;qmin;pmax;pmax_unit;pmin;pmin_unit;p;p_unit;cabinet;variant;side;bypass;gauges;pout;pout_unit\n"_s;

// Every record of a text, as "line: field|field|..."; the error as "error line:field".
QStringList ReadAll(const QByteArray &text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer);
    QStringList seen;
    while (const auto record = reader.next())
        seen << QString::number(record->line) + u": "_s + record->fields.join(u'|');
    if (reader.hasError())
        seen << u"error %1:%2"_s.arg(reader.errorLine()).arg(reader.errorField());
    return seen;
}

// The fields of every record of a text.
std::vector<QStringList> Records(const QByteArray &text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer);
    std::vector<QStringList> records;
    while (const auto record = reader.next())
        records.push_back(record->fields);
    return records;
}

using Result = BatchResult;

Result Run(const QStringList &arguments, const QByteArray &input = {})
{
    return RunInProcess(arguments, input);
}

// One point given by column=value pairs, sized, as its JSON object.
QJsonObject SizedPoint(const QStringList &cells)
{
    QStringList names, values;
    for (const QString &cell : cells) {
        names << cell.section(u'=', 0, 0);
        values << cell.section(u'=', 1);
    }
    const Result r =
        Run({u"--format"_s, u"json"_s}, (CsvLine(names) + u'\n' + CsvLine(values) + u'\n').toUtf8());
    return QJsonDocument::fromJson(r.out).object()[u"points"_s].toArray().at(0).toObject();
}

} // namespace

class TestBatchRun : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void records_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("records");
        QTest::newRow("plain, empty fields kept") << QByteArray("a;b;\n1;;3") << QStringList{u"1: a|b|"_s, u"2: 1||3"_s};
        QTest::newRow("BOM, CR LF, blank lines passed over")
            << QByteArray("\xEF\xBB\xBFid;x\r\n\r\n1;2\r\n\n") << QStringList{u"1: id|x"_s, u"3: 1|2"_s};
        QTest::newRow("quotes: separator, doubled quote, empty")
            << QByteArray("\"a;b\";\"say \"\"hi\"\"\";\"\"") << QStringList{u"1: a;b|say \"hi\"|"_s};
        QTest::newRow("line breaks inside quotes; lines counted on")
            << QByteArray("\"one\r\ntwo\";x\nnext;y") << QStringList{u"1: one\ntwo|x"_s, u"3: next|y"_s};
        QTest::newRow("tab anywhere and CR inside quotes kept")
            << QByteArray("a\tb;\"c\rd\"\r\n") << QStringList{u"1: a\tb|c\rd"_s};
    }

    void records()
    {
        QFETCH(QByteArray, text);
        QTEST(ReadAll(text), "records");
    }

    void readerErrors_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("unterminated quote names where it opened") << QByteArray("a;b\n1;\"open\n2;3\n") << u"error 2:2"_s;
        QTest::newRow("text after the closing quote") << QByteArray("a;b\n\"x\"y;1") << u"error 2:1"_s;
        QTest::newRow("quote inside a bare field") << QByteArray("a;b\n1;x\"y") << u"error 2:2"_s;
        QTest::newRow("not UTF-8") << QByteArray("a;b\n\xC3\x28;1") << u"error 2:0"_s;
        // Control characters but the tab, with DEL, in the header, bare or quoted.
        QTest::newRow("NUL in a bare field") << QByteArray("a;b\n1;x\0y\n", 11) << u"error 2:2"_s;
        QTest::newRow("U+0001 inside quotes") << QByteArray("a;b\n\"\x01\";1\n") << u"error 2:1"_s;
        QTest::newRow("ESC in the header") << QByteArray("a;\x1b[0mb\n1;2\n") << u"error 1:2"_s;
        QTest::newRow("DEL") << QByteArray("a;b\n1;2\x7f\n") << u"error 2:2"_s;
        QTest::newRow("CR inside a bare field") << QByteArray("a;b\n1\r2;3\n") << u"error 2:1"_s;
        QTest::newRow("form feed on a quoted field's second line")
            << QByteArray("a;b\n1;\"x\n\fy\"\n") << u"error 3:2"_s;
    }

    void readerErrors()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        QCOMPARE(ReadAll(text).last(), error);
    }

    void quotedFieldsReadBack()
    {
        const QStringList fields{u"a;b"_s, u" lead"_s, u"q\"uote"_s, u"two\nlines"_s, QString(), u"cr\r"_s};
        QCOMPARE(ReadAll((CsvLine(fields) + u'\n' + CsvLine({QString()})).toUtf8()),
                 (QStringList{u"1: "_s + fields.join(u'|'), u"3: "_s}));
    }

    // What a record the windows could not take is refused for, and the column.
    void pointErrors_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("message");
        const QString bad = u"Правильно введите исходные данные!"_s;
        const QString noChoice = u"Внимание! Не было выбрано ни одной позиции из списка!"_s;
        QTest::newRow("mode 6") << QStringList{u"mode=6"_s} << u"mode"_s << u"от 1 до 5"_s;
        QTest::newRow("unknown unit, the accepted ones listed")
            << QStringList{u"mode=2"_s, u"qmax=10"_s, u"qmin=1"_s, u"p=1"_s, u"p_unit=psi"_s} << u"p_unit"_s
            << u"«psi»; допустимы: "_s + PressureUnitTexts().join(u", "_s);
        QTest::newRow("range and single") << QStringList{u"mode=1"_s, u"pmax=1"_s, u"p=1"_s} << u"p"_s << u"либо"_s;
        QTest::newRow("neither") << QStringList{u"mode=3"_s, u"qmax=1"_s} << u"p"_s << u"либо"_s;
        QTest::newRow("two boxes in mode 4") << QStringList{u"mode=4"_s, u"families=101"_s} << u"families"_s << u"2 знака"_s;
        QTest::newRow("every box cleared") << QStringList{u"mode=1"_s, u"families=000"_s} << u"families"_s << noChoice;
        QTest::newRow("no cabinet kind") << QStringList{u"mode=5"_s} << u"cabinet"_s << noChoice;
        QTest::newRow("column of another mode") << QStringList{u"mode=2"_s, u"p=1"_s, u"variant=1"_s} << u"variant"_s << u"режиме 2"_s;
        QTest::newRow("bypass on a reducing point") << QStringList{u"mode=5"_s, u"cabinet=2"_s, u"bypass=С байпасом"_s}
                                                    << u"bypass"_s << u"не используется"_s;
        const QString variantRange = u"ожидается номер варианта исполнения от 1 до 4"_s;
        QTest::newRow("variant 7") << QStringList{u"mode=5"_s, u"cabinet=1"_s, u"variant=7"_s} << u"variant"_s << variantRange;
        QTest::newRow("variant 0") << QStringList{u"mode=5"_s, u"cabinet=2"_s, u"variant=0"_s} << u"variant"_s << variantRange;
        QTest::newRow("variant 5") << QStringList{u"mode=5"_s, u"cabinet=3"_s, u"variant=5"_s} << u"variant"_s << variantRange;
        QTest::newRow("side not a caption") << QStringList{u"mode=5"_s, u"cabinet=3"_s, u"side=слева"_s} << u"side"_s << u"«Слева»"_s;
        // Refused by the core, named by its field.
        QTest::newRow("Qmin 0") << QStringList{u"mode=2"_s, u"qmax=10"_s, u"qmin=0"_s, u"p=1"_s} << u"qmin"_s << bad;
        QTest::newRow("mode 1 single pressure not a number")
            << QStringList{u"mode=1"_s, u"qmax=100"_s, u"qmin=10"_s, u"p=abc"_s} << u"p"_s << bad;
        QTest::newRow("mode 3 single pressure not a number")
            << QStringList{u"mode=3"_s, u"qmax=100"_s, u"qmin=10"_s, u"p=1,2,3"_s} << u"p"_s << bad;
        QTest::newRow("only the lower bound overflows in bar")
            << QStringList{u"mode=1"_s, u"qmax=100"_s, u"qmin=10"_s, u"pmax=1"_s, u"pmin=1e308"_s, u"pmin_unit=МПа"_s}
            << u"pmin"_s << bad;
        QTest::newRow("gauges unchosen") << QStringList{u"mode=5"_s, u"cabinet=1"_s, u"variant=1"_s, u"side=Слева"_s, u"bypass=С байпасом"_s,
                                                        u"qmax=10"_s, u"qmin=1"_s, u"pmax=1"_s, u"pmin=0,5"_s}
                                         << u"gauges"_s << bad;
    }

    void pointErrors()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, message);
        const QJsonObject point = SizedPoint(cells);
        QCOMPARE(point[u"status"_s].toString(), u"error"_s);
        QTEST(point[u"error"_s][u"column"_s].toString(), "column");
        const QString text = point[u"error"_s][u"message"_s].toString();
        QVERIFY2(text.contains(message), qPrintable(text));
    }

    // The unit an empty unit column stands for, and both separators, seen in the
    // gauge pressure in bar; the outlet is only echoed.
    void startUnits_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<double>("pmaxGauge");
        QTest::newRow("mode 4 starts in kPa") << QStringList{u"mode=4"_s, u"p=2.5"_s} << 0.025;
        QTest::newRow("mode 2 in bar") << QStringList{u"mode=2"_s, u"p=2,5"_s} << 2.5;
        QTest::newRow("mode 3 single in bar") << QStringList{u"mode=3"_s, u"p=2"_s} << 2.0;
        QTest::newRow("mode 1 range in bar, MPa given") << QStringList{u"mode=1"_s, u"pmax=0.2"_s, u"pmax_unit=МПа"_s, u"pmin=1"_s} << 2.0;
        QTest::newRow("units as typed: Cyrillic с in kgf/cm2, Latin M, blanks")
            << QStringList{u"mode=1"_s, u"pmax=10"_s, u"pmax_unit= кгс/см2 "_s, u"pmin=0.1"_s, u"pmin_unit=Mпa"_s} << 9.81;
        QTest::newRow("cabinet in bar") << QStringList{u"mode=5"_s, u"cabinet=2"_s, u"variant=1"_s, u"side=Слева"_s,
                                                       u"gauges=С манометрами"_s, u"pmax=3"_s, u"pmin=2"_s, u"pout=1,8"_s}
                                        << 3.0;
    }

    void startUnits()
    {
        QFETCH(QStringList, cells);
        const QJsonObject point = SizedPoint(cells + QStringList{u"qmax=10"_s, u"qmin=1"_s});
        QCOMPARE(point[u"status"_s].toString(), u"ok"_s);
        QTEST(point[u"pmax_gauge"_s].toDouble(), "pmaxGauge");
        if (point.contains(u"pout"_s)) {
            QCOMPARE(point[u"pout"_s].toString(), u"1,8"_s);
            QCOMPARE(point[u"pout_unit"_s].toString(), u"кПа"_s);
        }
    }

    void jsonNumbersAtFullPrecision()
    {
        const QJsonObject point = SizedPoint({u"mode=2"_s, u"qmax=160"_s, u"qmin=16"_s, u"p=0.5"_s});
        QCOMPARE(point[u"qmax_work"_s].toDouble(), 160 / 1.5);
        const QJsonArray optimal = point[u"optimal"_s].toArray();
        QVERIFY(!optimal.isEmpty());
        QCOMPARE(optimal[0][u"load_percent"_s].toDouble(), 160 / 1.5 / optimal[0][u"qmax"_s].toDouble() * 100);
    }

    // Each row's Qmin margin is the working Qmin over the product's Qmin, and a
    // product without a Qmin has none; the mode is the point's own, 1 as well.
    void jsonRowsAndMode()
    {
        const QJsonObject point =
            SizedPoint({u"mode=1"_s, u"qmax=100"_s, u"qmin=10"_s, u"pmax=1"_s, u"pmin=0"_s});
        QCOMPARE(point[u"mode"_s].toInt(-1), 1);
        const double qminWork = point[u"qmin_work"_s].toDouble();
        QCOMPARE(qminWork, 5.0);
        int rows = 0;
        for (const char16_t *list : {u"optimal", u"possible"}) {
            for (const QJsonValue row : point[QString::fromUtf16(list)].toArray()) {
                ++rows;
                const double qmin = row[u"qmin"_s].toDouble();
                if (qmin > 0)
                    QCOMPARE(row[u"qmin_margin"_s].toDouble(), qminWork / qmin);
                else
                    QVERIFY(row[u"qmin_margin"_s].isNull());
            }
        }
        QVERIFY(rows > 2);
        QCOMPARE(SizedPoint({u"mode=4"_s, u"qmax=4"_s, u"qmin=0.1"_s, u"p=2"_s})[u"mode"_s].toInt(-1), 4);
    }

    // A typed -0 is written 0 in JSON as in the table.
    void negativeZeroWrittenAsZero_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("column");
        QTest::newRow("range, lower bound") << QByteArray("p;1;;100;10;1;;-0;;;;;;;;;;") << u"pmin_gauge"_s;
        QTest::newRow("one working pressure") << QByteArray("p;2;;100;10;;;;;-0;;;;;;;;") << u"p_gauge"_s;
    }

    void negativeZeroWrittenAsZero()
    {
        QFETCH(QByteArray, record);
        QFETCH(QString, column);
        const QByteArray input = Header.toUtf8() + record + '\n';
        const std::vector<QStringList> csv = Records(Run({}, input).out);
        QVERIFY(csv.size() > 1);
        QCOMPARE(csv[1][csv.front().indexOf(column)], u"0"_s);
        const QByteArray json = Run({u"-f"_s, u"json"_s}, input).out;
        QVERIFY2(!json.contains(":-0,") && !json.contains(":-0}"), json.constData());
        // The JSON names the working pressure of modes 2 and 4 as both bounds.
        const QByteArray key = column == u"p_gauge"_s ? "pmin_gauge" : column.toUtf8();
        QVERIFY2(json.contains("\"" + key + "\":0,"), json.constData());
    }

    // Exit statuses, standard error and what stands at OUTPUT afterwards.
    void statuses_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QByteArray good = "p1;2;;160;16;;;;;0.5;;;;;;;;\n";
        const QByteArray refused = "p2;2;;160;0;;;;;0.5;;;;;;;;\n";
        QTest::newRow("all sized") << Header.toUtf8() + good << BatchAllSized << QString();
        QTest::newRow("nothing fits still counts as sized") << Header.toUtf8() + "p;4;;1000;500;;;;;2;;;;;;;;\n" << BatchAllSized << QString();
        QTest::newRow("one refused") << Header.toUtf8() + refused + good << BatchInputErrors << u"строка 2 (точка «p2»), столбец qmin"_s;
        QTest::newRow("field missing") << Header.toUtf8() + good + "p;2;;1;1\n" << BatchFailed << u"строка 3, столбец 6 (pmax): нет поля"_s;
        QTest::newRow("unknown column") << QByteArray("mode;qmax;colour\n") << BatchFailed << u"строка 1, столбец 3 (colour): неизвестный столбец"_s;
        QTest::newRow("no mode column") << QByteArray("id;qmax\nx;1\n") << BatchFailed << u"нет столбца «mode»"_s;
        QTest::newRow("unterminated quote") << Header.toUtf8() + good + "\"p3;2\n" << BatchFailed << u"строка 3, столбец 1 (id): кавычка не закрыта"_s;
        QTest::newRow("empty input") << QByteArray() << BatchFailed << u"нет строки заголовка"_s;
        const QString noPoints = u"в таблице нет ни одной точки"_s;
        QTest::newRow("header only") << Header.toUtf8() << BatchFailed << noPoints;
        QTest::newRow("header and blank lines") << Header.toUtf8() + "\n\r\n\n" << BatchFailed << noPoints;
        QTest::newRow("NUL in an id") << Header.toUtf8() + QByteArray("p\0", 2) + good.mid(1) << BatchFailed
                                      << u"строка 2, столбец 1 (id): управляющий символ U+0000"_s;
    }

    void statuses()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString input = dir.filePath(u"in.csv"_s);
        const QString output = dir.filePath(u"out.json"_s);
        QFile file(input);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(body);
        file.close();
        // An older output survives a failed run untouched.
        QFile old(output);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();

        const Result r = Run({u"-o"_s, output, input});
        QCOMPARE(r.status, status);
        if (message.isEmpty())
            QCOMPARE(r.errors, QString());
        else
            QVERIFY2(r.errors.contains(message), qPrintable(r.errors));
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray written = old.readAll();
        if (status == BatchFailed) {
            QCOMPARE(written, QByteArray("old"));
        } else {
            const QJsonArray points = QJsonDocument::fromJson(written).object()[u"points"_s].toArray();
            QCOMPARE(points.size(), body.count('\n') - 1);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    }

    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("format"); // -1: usage error
        QTest::addColumn<QString>("input");
        QTest::newRow("defaults") << QStringList{} << int(BatchFormat::Csv) << u"-"_s;
        QTest::newRow("extension") << QStringList{u"-o"_s, u"r.JSON"_s, u"a.csv"_s} << int(BatchFormat::Json) << u"a.csv"_s;
        QTest::newRow("unknown extension is csv") << QStringList{u"--output=r.txt"_s} << int(BatchFormat::Csv) << u"-"_s;
        QTest::newRow("--format wins") << QStringList{u"-or.json"_s, u"--format=xlsx"_s, u"-"_s} << int(BatchFormat::Xlsx) << u"-"_s;
        QTest::newRow("after --") << QStringList{u"--"_s, u"-o"_s} << int(BatchFormat::Csv) << u"-o"_s;
        QTest::newRow("unknown format") << QStringList{u"-f"_s, u"ods"_s} << -1 << QString();
        QTest::newRow("no value") << QStringList{u"-o"_s} << -1 << QString();
        QTest::newRow("two inputs") << QStringList{u"a"_s, u"b"_s} << -1 << QString();
        QTest::newRow("unknown option") << QStringList{u"--fast"_s} << -1 << QString();
    }

    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, format);
        QString why;
        const std::optional<BatchOptions> options = ParseBatchArguments(arguments, &why);
        QCOMPARE(options.has_value(), format >= 0);
        QCOMPARE(why.isEmpty(), format >= 0);
        if (options) {
            QCOMPARE(int(options->format), format);
            QTEST(options->input, "input");
        }
    }

    void csvInTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        const Result r = Run({}, Header.toUtf8() + "p;2;;160;16;;;;;0.5;;;;;;;;\n");
        const QList<QByteArray> lines = r.out.split('\n');
        const QStringList header = QString::fromUtf8(lines[0]).split(u';');
        const QStringList first = QString::fromUtf8(lines[1]).split(u';');
        QCOMPARE(first[header.indexOf(u"result"_s)], u"optimal"_s);
        QCOMPARE(first[header.indexOf(u"p_gauge"_s)], u"0,5"_s);
        QCOMPARE(first[header.indexOf(u"qmax_work"_s)], u"106,667"_s);
        QCOMPARE(first[header.indexOf(u"currency"_s)], u"RUB"_s);
        // The Qmin margin: working Qmin (16 m³/h over 1.5 bar absolute) over the
        // product's Qmin, as the line itself gives them.
        const auto number = [&](const char16_t *column) {
            return ReadNumber(first[header.indexOf(QString::fromUtf16(column))], u',').value_or(-1);
        };
        QCOMPARE(number(u"qmin_margin"), number(u"qmin_std") / number(u"p_abs") / number(u"qmin"));
        QCOMPARE(number(u"qmin_margin"), 16 / 1.5 / 8);
    }

    // Why nothing fits: the CSV's column, the JSON field and the same column of the
    // xlsx sheet say it alike, and only for a point with no row.
    void noFitReason_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("nothingFits");
        QTest::newRow("rows found") << QByteArray("p;2;;160;16;;;;;0.5;;;;;;;;") << false;
        QTest::newRow("working Qmax above every line") << QByteArray("p;4;;1000;500;;;;;2;;;;;;;;") << true;
        QTest::newRow("working Qmin below the lines that take Qmax") << QByteArray("p;3;;5000;10;1;;0;;;;;;;;;;") << true;
        QTest::newRow("refused") << QByteArray("p;2;;160;0;;;;;0.5;;;;;;;;") << false;
    }

    void noFitReason()
    {
        QFETCH(QByteArray, record);
        QFETCH(bool, nothingFits);
        const QByteArray input = Header.toUtf8() + record + '\n';
        const std::vector<QStringList> csv = Records(Run({}, input).out);
        const qsizetype noFit = csv.front().indexOf(u"no_fit_reason"_s);
        QVERIFY(noFit > 0);
        const QString reason = csv[1][noFit];
        QCOMPARE(reason.isEmpty(), !nothingFits);
        if (nothingFits) {
            QCOMPARE(csv.size(), std::size_t(2));
            QCOMPARE(csv[1][csv.front().indexOf(u"result"_s)], u"none"_s);
        }

        const QJsonObject point = QJsonDocument::fromJson(Run({u"-f"_s, u"json"_s}, input).out)
                                      .object()[u"points"_s].toArray().at(0).toObject();
        QVERIFY(point.contains(u"no_fit_reason"_s));
        QCOMPARE(point[u"no_fit_reason"_s].isNull(), !nothingFits);
        QCOMPARE(point[u"no_fit_reason"_s].toString(), reason);

        QTemporaryDir dir;
        const QString xlsx = dir.filePath(u"r.xlsx"_s);
        QProcess batch;
        // The same decimal point as the runs in this process.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
        batch.setProcessEnvironment(env);
        batch.start(QStringLiteral(GAS_BATCH_EXECUTABLE), {u"-o"_s, xlsx});
        batch.write(input);
        batch.closeWriteChannel();
        QVERIFY(batch.waitForFinished(30000));
        const QMap<QString, SheetCell> cells = SheetCells(xlsx);
        QString column;
        for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
            if (it.key().endsWith(u'1') && it->value == u"no_fit_reason"_s)
                column = it.key().chopped(1);
        }
        QVERIFY(!column.isEmpty());
        QCOMPARE(cells.value(column + u'2').value, reason);
    }

    // The installed command line: standard input and output, the statuses, the
    // message and no file at OUTPUT after a parse error.
    void executable()
    {
        QTemporaryDir dir;
        const auto run = [&](const QStringList &arguments, const QByteArray &input,
                             const QString &program = QStringLiteral(GAS_BATCH_EXECUTABLE)) {
            QProcess p;
            p.start(program, arguments);
            p.write(input);
            p.closeWriteChannel();
            p.waitForFinished(30000);
            return Result{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                          p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
        };
        const Result help = run({u"--help"_s}, {});
        QCOMPARE(help.status, 0);
        QVERIFY(QString::fromUtf8(help.out).contains(u"pmax_unit"_s));

        const Result piped = run({u"-"_s}, Header.toUtf8() + "p1;2;;160;16;;;;;0.5;;;;;;;;\np2;1;;100;10;;;;;;;;;;;;;\n");
        QCOMPARE(piped.status, BatchInputErrors);
        QVERIFY(piped.out.startsWith("id;line;mode;result;"));
        QCOMPARE(piped.out.count("\np1;2;2;optimal;"), 1);
        QCOMPARE(piped.out.count("\np2;3;1;error;p;"), 1);
        QVERIFY2(piped.errors.contains(u"строка 3"_s), qPrintable(piped.errors));

        const QString output = dir.filePath(u"r.csv"_s);
        const Result broken = run({u"-o"_s, output}, Header.toUtf8() + "p1;2;;160;16;;;;;0.5;;;;;;;;\np2;2\n");
        QCOMPARE(broken.status, BatchFailed);
        QVERIFY(broken.out.isEmpty());
        QVERIFY2(broken.errors.contains(u"строка 3, столбец 3 (families)"_s), qPrintable(broken.errors));
        QVERIFY(QDir(dir.path()).isEmpty());

        QCOMPARE(run({u"--format"_s, u"ods"_s}, {}).status, BatchFailed);

        // A streamed write that fails names where it went: standard output, or a file
        // (here over the size limit), which keeps what it held.
        QByteArray many = Header.toUtf8();
        for (int i = 0; i < 10; ++i)
            many += "p;1;;100;10;1;;0;;;;;;;;;;\n";
#ifdef Q_OS_UNIX
        QProcess full;
        full.setStandardOutputFile(u"/dev/full"_s);
        full.start(QStringLiteral(GAS_BATCH_EXECUTABLE), {u"-f"_s, u"json"_s});
        full.write(many);
        full.closeWriteChannel();
        QVERIFY(full.waitForFinished(30000));
        QCOMPARE(full.exitCode(), BatchFailed);
        QVERIFY(QString::fromUtf8(full.readAllStandardError()).contains(u"стандартный вывод: запись не удалась"_s));
#endif // a full device is a POSIX one

#ifdef Q_OS_UNIX // a file size limit is set by the POSIX shell
        const QString limited = dir.filePath(u"limited.csv"_s);
        QFile old(limited);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        const Result tooLarge = run({u"-c"_s, u"trap '' XFSZ; ulimit -f 2; exec \"$0\" \"$@\""_s,
                                     QStringLiteral(GAS_BATCH_EXECUTABLE), u"-o"_s, limited},
                                    many, u"sh"_s);
        QCOMPARE(tooLarge.status, BatchFailed);
        QVERIFY2(tooLarge.errors.contains(limited + u": запись не удалась"_s), qPrintable(tooLarge.errors));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
#endif
    }

    // The workbook's row count is known before anything is written: it is the number
    // of table lines each point gives (rows, or one for no row or an error), and the
    // points kept for it give back the same records in input order.
    void tableLineCount_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("rows found") << QByteArray("p1;1;111;100;10;1;;0;;;;;;;;;;\n");
        QTest::newRow("two optimal rows") << QByteArray("p2;4;;4;0,1;;;;;0.02;;;;;;;;\n");
        QTest::newRow("nothing fits") << QByteArray("p3;4;;1000;500;;;;;2;;;;;;;;\n");
        QTest::newRow("refused") << QByteArray("p4;2;;160;0;;;;;0.5;;;;;;;;\n");
        QTest::newRow("all of them") << QByteArray("p1;1;111;100;10;1;;0;;;;;;;;;;\np2;4;;4;0,1;;;;;0.02;;;;;;;;\n"
                                                   "p3;4;;1000;500;;;;;2;;;;;;;;\np4;2;;160;0;;;;;0.5;;;;;;;;\n");
    }
    void tableLineCount()
    {
        QFETCH(QByteArray, body);
        ProductCatalogue catalogue;
        catalogue.Fill();
        QBuffer input;
        input.setData(Header.toUtf8() + body);
        QVERIFY(input.open(QIODevice::ReadOnly));
        CsvReader reader(input);
        const std::optional<CsvReader::Record> header = reader.next();
        QVERIFY(header);
        int bad = 0;
        QString why;
        const std::optional<BatchColumns> columns = ReadBatchHeader(header->fields, &bad, &why);
        QVERIFY2(columns, qPrintable(why));
        CollectedPoints kept(catalogue);
        qint64 lines = 0;
        QStringList ids;
        while (const std::optional<CsvReader::Record> record = reader.next()) {
            const BatchRecord sized = SizeBatchPoint(ReadBatchPoint(*columns, *record), catalogue);
            QCOMPARE(BatchTableLineCount(sized), qint64(BatchTableLines(sized).size()));
            lines += qint64(BatchTableLines(sized).size());
            ids << sized.point.id;
            kept.add(sized);
        }
        QCOMPARE(kept.tableLines(), lines);
        QCOMPARE(kept.size(), std::size_t(ids.size()));
        QStringList again;
        qint64 linesAgain = 0;
        kept.forEach([&](const BatchRecord &record) {
            again << record.point.id;
            linesAgain += qint64(BatchTableLines(record).size());
        });
        QCOMPARE(again, ids);
        QCOMPARE(linesAgain, lines);
    }

#ifdef Q_OS_UNIX
    // Every format's new file gets the mode the umask gives (0666 & ~umask).
    void newFileMode_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("mask");
        for (const int mask : {077, 022})
            for (const QString &format : {u"csv"_s, u"json"_s, u"xlsx"_s, u"pdf"_s})
                QTest::addRow("%s, umask %03o", qPrintable(format), mask) << format << mask;
    }
    void newFileMode()
    {
        QFETCH(QString, format);
        QFETCH(int, mask);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"new."_s + format);
        const mode_t old = ::umask(static_cast<mode_t>(mask));
        QProcess p;
        p.start(QStringLiteral(GAS_BATCH_EXECUTABLE), {u"-o"_s, file});
        p.write(Header.toUtf8() + "p1;2;;160;16;;;;;0.5;;;;;;;;\n");
        p.closeWriteChannel();
        const bool finished = p.waitForFinished(60000);
        ::umask(old);
        QVERIFY(finished);
        QCOMPARE(p.exitCode(), BatchAllSized);
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &status), 0);
        QCOMPARE(int(status.st_mode & 0777), 0666 & ~mask);
    }
#endif

    // The batch PDF shows the column «Примечание» with a row's flags under the
    // default conditions too: the example point with reversed bounds has complexes
    // outside their pressure range.
    void pdfShowsFlags()
    {
#ifdef Q_OS_WIN
        QSKIP("pdftotext does not run from a Windows program; the Linux run reads this PDF");
#endif
        QTemporaryDir dir;
        const QString file = dir.filePath(u"points.pdf"_s);
        QProcess p;
        p.start(QStringLiteral(GAS_BATCH_EXECUTABLE), {u"-o"_s, file, QStringLiteral(GAS_EXAMPLE_POINTS)});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), BatchInputErrors); // the example's refused points
        const QString text = PdfText(file).simplified();
        const qsizetype reversed = text.indexOf(u"Перепутаны границы"_s, text.indexOf(u"Точка «Перепутаны"_s));
        QVERIFY(reversed >= 0);
        const QString report = text.mid(reversed, text.indexOf(u"Точка «"_s, reversed + 40) - reversed);
        QVERIFY2(report.contains(u"Примечание"_s), qPrintable(report.left(3000)));
        QVERIFY(report.contains(u"вне диапазона комплекса"_s));
        QVERIFY(!report.contains(u"Условия расчёта"_s));
    }

    // A point with a field of a megabyte is written in every format, well within the
    // test's budget (its report and cells shortened, the table lines whole).
    void longField_data()
    {
        QTest::addColumn<QString>("format");
        for (const QString &format : {u"csv"_s, u"json"_s, u"xlsx"_s, u"pdf"_s})
            QTest::newRow(qPrintable(format)) << format;
    }
    void longField()
    {
        QFETCH(QString, format);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"long."_s + format);
        const QByteArray id(1 << 20, 'A');
        QProcess p;
        p.start(QStringLiteral(GAS_BATCH_EXECUTABLE), {u"-o"_s, file});
        p.write(Header.toUtf8() + id + ";2;;160;16;;;;;0.5;;;;;;;;\n");
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), BatchAllSized);
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        if (format == u"csv"_s || format == u"json"_s)
            QVERIFY(bytes.contains(id));
        else
            QVERIFY(bytes.startsWith(format == u"pdf"_s ? "%PDF-" : "PK"));
    }

    // The collected formats, to a file and to standard output, with every point
    // sized, one refused and a write that fails; the report needs no display even
    // when the platform is left unset.
    void collectedFormats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("target"); // a file name in the test's folder, or "-"
        QTest::addColumn<QString>("standardOutput"); // a file standard output goes to, or empty
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QByteArray sized = "p1;2;;160;16;;;;;0.5;;;;;;;;\np2;4;;4;0,1;;;;;2;;;;;;;;\n";
        const QByteArray refused = "p1;2;;160;16;;;;;0.5;;;;;;;;\np2;2;;160;0;;;;;0.5;;;;;;;;\n";
        for (const QString &format : {u"xlsx"_s, u"pdf"_s}) {
            const auto row = [&](const char *name) -> QTestData & {
                return QTest::addRow("%s, %s", qPrintable(format), name);
            };
            row("file") << format << sized << u"r."_s + format << QString() << BatchAllSized << QString();
            row("standard output") << format << sized << u"-"_s << QString() << BatchAllSized << QString();
            row("refused point") << format << refused << u"r."_s + format << QString() << BatchInputErrors
                                 << u"строка 3 (точка «p2»), столбец qmin"_s;
            // The message names the file as the system writes paths.
            row("folder gone") << format << sized << u"gone/r."_s + format << QString() << BatchFailed
                               << QDir::toNativeSeparators(u"gone/r."_s + format);
#ifdef Q_OS_UNIX
            row("standard output full") << format << sized << u"-"_s << u"/dev/full"_s << BatchFailed
                                        << u"стандартный вывод: запись не удалась"_s;
#endif
        }
        // A table without points fails alike in every format, before anything is
        // written, and the message says why.
        for (const QString &format : {u"csv"_s, u"json"_s, u"xlsx"_s, u"pdf"_s}) {
            for (const QString &target : {u"r."_s + format, u"-"_s})
                QTest::addRow("%s, no points, %s", qPrintable(format), qPrintable(target))
                    << format << QByteArray() << target << QString() << BatchFailed
                    << u"в таблице нет ни одной точки"_s;
        }
    }

    void collectedFormats()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, body);
        QFETCH(QString, target);
        QFETCH(QString, standardOutput);
        QFETCH(int, status);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString file = target == u"-"_s ? QString() : dir.filePath(target);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"QT_QPA_PLATFORM"_s);
        env.remove(u"DISPLAY"_s);
        p.setProcessEnvironment(env);
        if (!standardOutput.isEmpty())
            p.setStandardOutputFile(standardOutput);
        p.start(QStringLiteral(GAS_BATCH_EXECUTABLE),
                file.isEmpty() ? QStringList{u"-f"_s, format} : QStringList{u"-o"_s, file});
        p.write(Header.toUtf8() + body);
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), status);
        const QString errors = QString::fromUtf8(p.readAllStandardError());
        if (message.isEmpty()) // Qt may warn of its own; the program says nothing
            QVERIFY2(!errors.contains(u"gasmeter-batch:"_s), qPrintable(errors));
        else
            QVERIFY2(errors.contains(message), qPrintable(errors));
        if (body.isEmpty())
            QVERIFY2(!errors.contains(u"записать"_s), qPrintable(errors));

        QByteArray bytes = p.readAllStandardOutput();
        if (!file.isEmpty()) {
            QVERIFY(bytes.isEmpty());
            QFile written(file);
            if (written.open(QIODevice::ReadOnly))
                bytes = written.readAll();
        }
        if (status == BatchFailed) {
            QVERIFY(bytes.isEmpty());
            QVERIFY(QDir(dir.path()).isEmpty());
            return;
        }
        QVERIFY2(bytes.startsWith(format == u"pdf"_s ? "%PDF-" : "PK"), qPrintable(format));
        // One page at least per point.
        if (format == u"pdf"_s)
            QVERIFY(bytes.count("/Type /Page\n") >= 2);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), file.isEmpty() ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestBatchRun)
#include "tst_batch_run.moc"
