// The point table's readers: a CSV text with each separator, line end and encoding a
// desktop saves, and a workbook's sheet from its XML parts (the cells as a
// spreadsheet shows them, the dates marked, the places named as cells).

#include "core/input/number_text.h"
#include "core/table/csv_reader.h"
#include "core/table/table_reader.h"
#include "core/table/xlsx_reader.h"
#include "sequential_bytes.h"
#include "xlsx_parts_in_memory.h"

#include <QBuffer>
#include <QLocale>
#include <QMap>
#include <QStringEncoder>
#include <QTest>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// Every record as "line: field|field|... [dates]", the error as "error line:field why".
QStringList Seen(TableReader &reader)
{
    QStringList seen;
    while (const std::optional<TableRecord> record = reader.next()) {
        QString line = QString::number(record->line) + u": "_s + record->fields.join(u'|');
        if (!record->dateFields.empty()) {
            QStringList dates;
            for (const int f : record->dateFields)
                dates << QString::number(f);
            line += u" [dates "_s + dates.join(u',') + u']';
        }
        seen << line;
    }
    if (reader.hasError())
        seen << u"error %1 %2"_s.arg(reader.place(reader.errorLine(), reader.errorField()), reader.error());
    return seen;
}

QStringList CsvSeen(const QByteArray &bytes, bool stream, QString *note = nullptr)
{
    SequentialBytes streamed(bytes);
    QBuffer plain;
    plain.setData(bytes);
    plain.open(QIODevice::ReadOnly);
    QIODevice &device = stream ? static_cast<QIODevice &>(streamed) : plain;
    const std::unique_ptr<TableReader> reader = OpenCsvTable(device);
    QStringList seen = Seen(*reader);
    if (note)
        *note = reader->note();
    return seen;
}

QByteArray Windows1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder(text);
}

const QByteArray Namespace = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                             "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

// A workbook of one sheet "Лист1" with the given rows, shared strings and styles.
std::unique_ptr<XlsxParts> Workbook(const QByteArray &sheetData, const QByteArray &sharedStrings = {},
                                    const QByteArray &styles = {}, bool from1904 = false)
{
    QMap<QString, QByteArray> parts;
    parts[u"xl/workbook.xml"_s] = "<workbook " + Namespace + ">" + (from1904 ? "<workbookPr date1904=\"1\"/>" : "")
        + "<sheets><sheet name=\"Лист1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    parts[u"xl/_rels/workbook.xml.rels"_s] =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"worksheets/sheet1.xml\"/></Relationships>";
    parts[u"xl/worksheets/sheet1.xml"_s] = "<worksheet " + Namespace + "><sheetData>" + sheetData + "</sheetData></worksheet>";
    if (!sharedStrings.isEmpty())
        parts[u"xl/sharedStrings.xml"_s] = "<sst " + Namespace + ">" + sharedStrings + "</sst>";
    if (!styles.isEmpty())
        parts[u"xl/styles.xml"_s] = "<styleSheet " + Namespace + ">" + styles + "</styleSheet>";
    return std::make_unique<PartsInMemory>(parts);
}

} // namespace

class TestTableReaders : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }


    void separatorOfHeader_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("separator");
        QTest::newRow("semicolon") << u"id;mode"_s << u";"_s;
        QTest::newRow("tab") << u"id\tmode"_s << u"\t"_s;
        QTest::newRow("comma") << u"id,mode"_s << u","_s;
        QTest::newRow("semicolon before the others") << u"id,x;mode\ty"_s << u";"_s;
        QTest::newRow("tab before the comma") << u"id,x\tmode"_s << u"\t"_s;
        QTest::newRow("inside quotes it does not count") << u"\"a;b\",mode"_s << u","_s;
        QTest::newRow("one column") << u"mode"_s << u";"_s;
    }

    void separatorOfHeader()
    {
        QFETCH(QString, header);
        QTEST(QString(QChar(FindSeparator(header))), "separator");
    }

    // The same table however it was saved: each separator, LF or CR LF, UTF-8 with or
    // without its mark or Windows-1251, from a file or a stream.
    void csvForms_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cp1251");
        const QList<QStringList> lines{{u"id"_s, u"mode"_s, u"side"_s},
                                       {u"\"Котельная; ввод 1\""_s, u"5"_s, u"Слева"_s},
                                       {},
                                       {u"«Ё»"_s, u"1"_s, QString()}};
        for (const QChar separator : {QChar(u';'), QChar(u','), QChar(u'\t')}) {
            for (const QString &end : {u"\n"_s, u"\r\n"_s}) {
                QString text;
                for (const QStringList &line : lines)
                    text += line.join(separator) + end;
                const QByteArray name = (separator == u'\t' ? QByteArray("tab") : QString(separator).toUtf8())
                    + (end.size() == 2 ? ", CR LF" : ", LF");
                QTest::newRow(name + ", UTF-8") << text.toUtf8() << false;
                QTest::newRow(name + ", UTF-8 with its mark") << "\xEF\xBB\xBF" + text.toUtf8() << false;
                QTest::newRow(name + ", Windows-1251") << Windows1251(text) << true;
            }
        }
    }

    void csvForms()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cp1251);
        const QStringList expected{u"1: id|mode|side"_s, u"2: Котельная; ввод 1|5|Слева"_s, u"4: «Ё»|1|"_s};
        for (const bool stream : {false, true}) {
            QString note;
            QCOMPARE(CsvSeen(bytes, stream, &note), expected);
            QCOMPARE(note.contains(u"Windows-1251"_s), cp1251);
        }
    }

    // A stream is judged by its first block: bytes that are not UTF-8 after it are an
    // error of their line that says why; the same bytes in a file are Windows-1251.
    void lateWindows1251()
    {
        QByteArray bytes = "id;mode\n";
        constexpr int Lines = 9000; // more than the first block a stream is judged by
        for (int i = 0; i < Lines; ++i)
            bytes += "p" + QByteArray::number(i) + ";1\n";
        QVERIFY(bytes.size() > 64 * 1024);
        bytes += Windows1251(u"Котельная;2\n"_s);
        const QStringList streamed = CsvSeen(bytes, true);
        QCOMPARE(streamed.size(), Lines + 2);
        QVERIFY2(streamed.last().startsWith(u"error строка %1 текст не в кодировке UTF-8, хотя начало"_s.arg(Lines + 2)),
                 qPrintable(streamed.last()));
        QString note;
        const QStringList file = CsvSeen(bytes, false, &note);
        QCOMPARE(file.last(), u"%1: Котельная|2"_s.arg(Lines + 2));
        QVERIFY(!note.isEmpty());
    }

    // A file read from where it stands, and its share read so far.
    void progressOfFile()
    {
        QByteArray bytes = "junk\n" "id;mode\n";
        for (int i = 0; i < 1000; ++i)
            bytes += "p;1\n";
        QBuffer device;
        device.setData(bytes);
        device.open(QIODevice::ReadOnly);
        device.seek(5);
        const std::unique_ptr<TableReader> reader = OpenCsvTable(device);
        QCOMPARE(reader->progress(), 0.0);
        QCOMPARE(reader->next()->fields, (QStringList{u"id"_s, u"mode"_s}));
        int records = 0;
        while (reader->next())
            ++records;
        QCOMPARE(records, 1000);
        QCOMPARE(reader->progress(), 1.0);
    }

#ifdef GAS_XLSX_INPUT // a build without libzip refuses every workbook
    // A sheet's cells as a spreadsheet shows them.
    void sheetCells_data()
    {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QStringList>("records");
        const QByteArray header = "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                                  "<c r=\"C1\" t=\"inlineStr\"><is><t>c</t></is></c></row>";
        const auto with = [&](const QByteArray &row) { return header + row; };
        QTest::newRow("numbers by the writing rule")
            << with("<row r=\"2\"><c r=\"A2\"><v>0.1</v></c><c r=\"B2\"><v>1.5E-3</v></c><c r=\"C2\"><v>-0</v></c></row>"
                    "<row r=\"3\"><c r=\"A3\"><v>0.30000000000000004</v></c><c r=\"B3\"><v>12345678901234567</v></c>"
                    "<c r=\"C3\"><v>100</v></c></row>")
            << QStringList{u"1: a|b|c"_s, u"2: 0.1|0.0015|0"_s, u"3: 0.3|1.23456789012346E16|100"_s};
        QTest::newRow("shared, rich and inline strings, booleans, errors, formulas' values")
            << with("<row r=\"2\"><c r=\"A2\" t=\"s\"><v>2</v></c><c r=\"B2\" t=\"inlineStr\"><is><r><t>Сле</t></r>"
                    "<r><t xml:space=\"preserve\">ва </t></r></is></c><c r=\"C2\" t=\"b\"><v>1</v></c></row>"
                    "<row r=\"3\"><c r=\"A3\" t=\"e\"><v>#DIV/0!</v></c><c r=\"B3\" t=\"str\"><f>A1&amp;B1</f><v>ab</v></c>"
                    "<c r=\"C3\"><f>1+1</f><v>2</v></c></row>")
            << QStringList{u"1: a|b|c"_s, u"2: Котельная|Слева |1"_s, u"3: #DIV/0!|ab|2"_s};
        QTest::newRow("empty rows and cells passed over, missing cells empty")
            << with("<row r=\"2\"/><row r=\"3\"><c r=\"A3\" s=\"0\"/><c r=\"B3\" t=\"s\"><v>3</v></c></row>"
                    "<row r=\"5\"><c r=\"C5\"><v>7</v></c></row><row r=\"9\"><c r=\"A9\" s=\"0\"/></row>")
            << QStringList{u"1: a|b|c"_s, u"3: |x|"_s, u"5: ||7"_s};
        QTest::newRow("rows and cells without their references")
            << with("<row><c><v>1</v></c><c><v>2</v></c></row><row><c r=\"B3\"><v>3</v></c><c><v>4</v></c></row>")
            << QStringList{u"1: a|b|c"_s, u"2: 1|2|"_s, u"3: |3|4"_s};
        QTest::newRow("the header is the first row with something in it")
            << QByteArray("<row r=\"2\"><c r=\"A2\" s=\"0\"/></row><row r=\"4\"><c r=\"A4\" t=\"s\"><v>0</v></c>"
                          "<c r=\"B4\" t=\"s\"><v>1</v></c></row><row r=\"5\"><c r=\"B5\"><v>5</v></c></row>")
            << QStringList{u"4: a|b"_s, u"5: |5"_s};
        QTest::newRow("a cell right of the header")
            << with("<row r=\"2\"><c r=\"A2\"><v>1</v></c><c r=\"D2\"><v>2</v></c></row>")
            << QStringList{u"1: a|b|c"_s, u"error ячейка D2 ячейка правее последнего столбца заголовка (C)"_s};
        QTest::newRow("rows out of order")
            << with("<row r=\"3\"><c r=\"A3\"><v>1</v></c></row><row r=\"3\"><c r=\"A3\"><v>2</v></c></row>")
            << QStringList{u"1: a|b|c"_s, u"3: 1||"_s, u"error строка 3 строки листа не по порядку: строка 3 после строки 3"_s};
        QTest::newRow("a shared string that is not there")
            << with("<row r=\"2\"><c r=\"A2\" t=\"s\"><v>99</v></c></row>")
            << QStringList{u"1: a|b|c"_s, u"error ячейка A2 ссылка на общую строку 99, которой нет в книге"_s};
        QTest::newRow("broken XML names the row after the last one read")
            << with("<row r=\"2\"><c r=\"A2\"><v>1</v></c></row><row r=\"3\"><c r=\"A3\">")
            << QStringList{u"1: a|b|c"_s, u"2: 1||"_s, u"error строка 3 лист «Лист1» не читается: Opening and ending tag mismatch."_s};
    }

    void sheetCells()
    {
        QFETCH(QByteArray, rows);
        const QByteArray strings = "<si><t>a</t></si><si><t>b</t></si><si><r><t>Котель</t></r><r><t>ная</t></r>"
                                   "<rPh><t>コ</t></rPh></si><si><t>x</t></si>";
        QString why;
        const std::unique_ptr<TableReader> reader = OpenXlsxTable(Workbook(rows, strings), QString(), &why);
        QVERIFY2(reader, qPrintable(why));
        QTEST(Seen(*reader), "records");
    }

    // A number in a date format is a date: shown as the spreadsheet's day (and time),
    // and marked in its record; in either of the two date systems.
    void dates_data()
    {
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<bool>("from1904");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("date");
        QTest::newRow("built-in format 14") << QByteArray("<c r=\"A2\" s=\"1\"><v>46000</v></c>") << false << u"09.12.2025"_s << true;
        QTest::newRow("custom day format") << QByteArray("<c r=\"A2\" s=\"2\"><v>45658.75</v></c>") << false
                                           << u"01.01.2025 18:00:00"_s << true;
        QTest::newRow("the 1904 system") << QByteArray("<c r=\"A2\" s=\"1\"><v>0</v></c>") << true << u"01.01.1904"_s << true;
        QTest::newRow("first days of 1900") << QByteArray("<c r=\"A2\" s=\"1\"><v>1</v></c>") << false << u"01.01.1900"_s << true;
        QTest::newRow("after the day 1900 had not") << QByteArray("<c r=\"A2\" s=\"1\"><v>61</v></c>") << false
                                                    << u"01.03.1900"_s << true;
        QTest::newRow("a time of day") << QByteArray("<c r=\"A2\" s=\"3\"><v>0.5</v></c>") << false << u"12:00:00"_s << true;
        QTest::newRow("quoted letters are no date") << QByteArray("<c r=\"A2\" s=\"4\"><v>2.5</v></c>") << false
                                                    << u"2.5"_s << false;
        QTest::newRow("a colour is no date") << QByteArray("<c r=\"A2\" s=\"5\"><v>3</v></c>") << false << u"3"_s << false;
        QTest::newRow("an ISO date cell") << QByteArray("<c r=\"A2\" t=\"d\"><v>2024-03-05</v></c>") << false
                                          << u"05.03.2024"_s << true;
    }

    void dates()
    {
        QFETCH(QByteArray, cell);
        QFETCH(bool, from1904);
        const QByteArray styles =
            "<numFmts count=\"4\"><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\\ hh:mm;@\"/>"
            "<numFmt numFmtId=\"165\" formatCode=\"[$-419]h:mm:ss\"/>"
            "<numFmt numFmtId=\"166\" formatCode=\"0.0&quot; дм&quot;\"/><numFmt numFmtId=\"167\" formatCode=\"[Red]0\"/></numFmts>"
            "<cellXfs count=\"6\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/>"
            "<xf numFmtId=\"166\"/><xf numFmtId=\"167\"/></cellXfs>";
        QString why;
        const std::unique_ptr<TableReader> reader = OpenXlsxTable(
            Workbook("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>a</t></is></c></row><row r=\"2\">" + cell + "</row>",
                     {}, styles, from1904),
            QString(), &why);
        QVERIFY2(reader, qPrintable(why));
        QVERIFY(reader->next());
        const std::optional<TableRecord> record = reader->next();
        QVERIFY(record);
        QTEST(record->fields.front(), "shown");
        QTEST(record->isDate(0), "date");
    }

    void workbookRefused_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("error");
        QTest::newRow("no such sheet") << u"Точки"_s << u"в книге нет листа «Точки»; листы: «Лист1»"_s;
    }

    void workbookRefused()
    {
        QFETCH(QString, sheet);
        QString why;
        QVERIFY(!OpenXlsxTable(Workbook({}), sheet, &why));
        QTEST(why, "error");
        QVERIFY(!OpenXlsxBytes("PK not a zip", &why));
        QVERIFY2(why.startsWith(u"не читается как книга xlsx: "_s), qPrintable(why));
        QVERIFY(!OpenXlsxTable(std::make_unique<PartsInMemory>(QMap<QString, QByteArray>{}), {}, &why));
        QCOMPARE(why, u"не книга xlsx: в архиве нет xl/workbook.xml"_s);
    }
#endif
};

QTEST_GUILESS_MAIN(TestTableReaders)
#include "tst_table_readers.moc"
