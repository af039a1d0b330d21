// The project file: a project written and read back is the same project (every batch
// column, Cyrillic texts, quantities, the heading and the rates), and every damaged or
// foreign file is refused whole, with the place and the reason.
#include "core/project/project_file.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

Project Example()
{
    Project project;
    project.heading = {u"Котельная №2, ул. Ленина"_s, u"АО «Газ»"_s, u"Иванов И. И."_s};
    project.pricing.vatHundredths = 2000;
    project.pricing.eurRate = 1005123;
    project.pricing.eurRateDate = QDate(2026, 12, 10);
    ProjectPoint first;
    first.id = u"Ввод 1; \"главный\""_s;
    first.quantity = 3;
    first.choice = u"ВЕЛОНВз-Р-0,75-100/1,6"_s;
    first.note = u"строка 1\nстрока 2"_s;
    // Every column but the id, each with a text of its own.
    for (int i = 1; i < BatchColumnCount; ++i)
        first.setText(static_cast<BatchColumn>(i), u"значение %1"_s.arg(i));
    ProjectPoint second;
    second.id = u"Точка 2"_s;
    second.setText(BatchColumn::Mode, u"4"_s);
    second.setText(BatchColumn::Qmax, u"45,2"_s);
    project.points = {first, second};
    return project;
}

// A file of one point whose JSON text is `point`.
QByteArray WithPoint(const QByteArray &point)
{
    return R"({"format": "gasmeter-sizing-project", "version": 1, "points": [)" + point + "]}";
}

} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT

private slots:
    void roundTrip();
    void defaults();
    void refused_data();
    void refused();
};

void TestProjectFile::roundTrip()
{
    Project project = Example();
    project.priceList = PriceListInfo{u"Прайс-лист «Газ» 2026"_s, QDate(2026, 3, 1), u"/home/u/прайс.csv"_s};
    const QByteArray written = WriteProjectFile(project);
    const ProjectReading reading = ReadProjectFile(written);
    QVERIFY2(reading.project, qPrintable(reading.error));
    QCOMPARE(*reading.project, project);
    // The empty columns are left out; the id is not a column of "input".
    QVERIFY(!written.contains("\"x_argon\": \"\""));
    QVERIFY(written.contains("\"vat_percent\": \"20\""));
    QVERIFY(written.contains("\"eur_rate\": \"100.5123\""));
    QVERIFY(written.contains("\"eur_rate_date\": \"2026-12-10\""));
    QVERIFY(written.contains("\"date\": \"2026-03-01\""));
    // Written again, byte for byte the same.
    QCOMPARE(WriteProjectFile(*reading.project), written);
}

void TestProjectFile::defaults()
{
    const ProjectReading reading = ReadProjectFile(WithPoint(R"({"id": "a", "input": {"mode": "1"}})"));
    QVERIFY2(reading.project, qPrintable(reading.error));
    const ProjectPoint &point = reading.project->points.at(0);
    QCOMPARE(point.quantity, 1);
    QVERIFY(point.choice.isEmpty());
    QCOMPARE(reading.project->pricing, Pricing{}); // 22 %, no euro rate
    QCOMPARE(reading.project->heading, ProjectHeading{});
    QVERIFY(!reading.project->priceList); // a file from before price lists were named
}

void TestProjectFile::refused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("why");

    QTest::newRow("not JSON") << QByteArray("{\"format\": ") << u"не в формате JSON"_s;
    QTest::newRow("empty") << QByteArray() << u"не в формате JSON"_s;
    QTest::newRow("an array") << QByteArray("[]") << u"не объект JSON"_s;
    QTest::newRow("another format") << QByteArray(R"({"format": "x", "version": 1, "points": []})")
                                    << u"это не файл проекта"_s;
    QTest::newRow("newer version") << QByteArray(R"({"format": "gasmeter-sizing-project", "version": 2, "points": []})")
                                   << u"создан более новой версией программы"_s;
    QTest::newRow("version 0") << QByteArray(R"({"format": "gasmeter-sizing-project", "version": 0, "points": []})")
                               << u"«version»"_s;
    QTest::newRow("version as text") << QByteArray(R"({"format": "gasmeter-sizing-project", "version": "1", "points": []})")
                                     << u"«version»"_s;
    QTest::newRow("no points") << QByteArray(R"({"format": "gasmeter-sizing-project", "version": 1})")
                               << u"«points» должно быть массивом"_s;
    QTest::newRow("heading a text") << QByteArray(R"({"format": "gasmeter-sizing-project", "version": 1, "heading": "x", "points": []})")
                                    << u"«heading» должно быть объектом"_s;
    QTest::newRow("price list a text")
        << QByteArray(R"({"format": "gasmeter-sizing-project", "version": 1, "price_list": "x", "points": []})")
        << u"«price_list» должно быть объектом"_s;
    QTest::newRow("price list's date")
        << QByteArray(R"({"format": "gasmeter-sizing-project", "version": 1, "price_list": {"name": "a", "date": "01.03.2026"}, "points": []})")
        << u"«price_list»: «date» должно быть датой ГГГГ-ММ-ДД"_s;
    QTest::newRow("customer a number")
        << QByteArray(R"({"format": "gasmeter-sizing-project", "version": 1, "heading": {"customer": 5}, "points": []})")
        << u"«heading»: «customer» должно быть строкой"_s;
    QTest::newRow("VAT 120 %")
        << QByteArray(R"({"format": "gasmeter-sizing-project", "version": 1, "pricing": {"vat_percent": "120"}, "points": []})")
        << u"«pricing»: Ставка НДС «120»"_s;
    QTest::newRow("unknown column") << WithPoint(R"({"id": "a", "input": {"mode": "1", "qmaks": "5"}})")
                                    << u"точка 1: неизвестный столбец «qmaks»"_s;
    QTest::newRow("id among the columns") << WithPoint(R"({"id": "a", "input": {"id": "b"}})")
                                          << u"точка 1: неизвестный столбец «id»"_s;
    QTest::newRow("column a number") << WithPoint(R"({"id": "a", "input": {"qmax": 5}})")
                                     << u"точка 1: столбец «qmax» должен быть строкой"_s;
    QTest::newRow("no input") << WithPoint(R"({"id": "a"})") << u"точка 1: «input»"_s;
    QTest::newRow("quantity 0") << WithPoint(R"({"id": "a", "quantity": 0, "input": {}})")
                                << u"точка 1: «quantity» должно быть целым"_s;
    QTest::newRow("quantity 1,5") << WithPoint(R"({"id": "a", "quantity": 1.5, "input": {}})")
                                  << u"точка 1: «quantity»"_s;
    QTest::newRow("quantity as text") << WithPoint(R"({"id": "a", "quantity": "2", "input": {}})")
                                      << u"точка 1: «quantity»"_s;
    QTest::newRow("no id") << WithPoint(R"({"input": {}})") << u"точка 1: у точки нет «id»"_s;
    QTest::newRow("id a number") << WithPoint(R"({"id": 7, "input": {}})") << u"точка 1: «id» должно быть строкой"_s;
    QTest::newRow("point a text") << WithPoint(R"("a")") << u"точка 1: точка должна быть объектом"_s;
    QTest::newRow("duplicate id") << WithPoint(R"({"id": "a", "input": {}}, {"id": "b", "input": {}}, {"id": "a", "input": {}})")
                                  << u"точка 3: «id» «a» уже есть"_s;
}

void TestProjectFile::refused()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, why);
    const ProjectReading reading = ReadProjectFile(file);
    QVERIFY(!reading.project);
    QVERIFY2(reading.error.contains(why), qPrintable(reading.error));
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_project_file.moc"
