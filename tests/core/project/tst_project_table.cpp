// A project's points as a point table and back: every column and Cyrillic ids survive
// the way out and in, imported points get free ids and their first optimal row, and a
// table refused anywhere adds nothing.
#include "core/project/project_table.h"

#include "core/project/project_points.h"
#include "filled_catalogue.h"

#include <QBuffer>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

ProjectTableReading Read(const QByteArray &table, const Project &project = {})
{
    QBuffer buffer;
    buffer.setData(table);
    buffer.open(QIODevice::ReadOnly);
    return ReadProjectTable(buffer, project, FilledCatalogue());
}

ProjectPoint Point(const QString &id, std::initializer_list<std::pair<BatchColumn, QString>> texts)
{
    ProjectPoint point;
    point.id = id;
    for (const auto &[column, text] : texts)
        point.setText(column, text);
    return point;
}

} // namespace

class TestProjectTable : public QObject {
    Q_OBJECT

private slots:
    void everyColumnOutAndIn();
    void onlyUsedColumns();
    void importedIds();
    void importedChoice();
    void refused_data();
    void refused();
};

void TestProjectTable::everyColumnOutAndIn()
{
    // Every column carries a text of its own, with a ';' and a quote among them.
    Project project;
    ProjectPoint first;
    first.id = u"Котельная; ввод \"1\""_s;
    for (int i = 0; i < BatchColumnCount; ++i) {
        const auto column = static_cast<BatchColumn>(i);
        if (column != BatchColumn::Id)
            first.setText(column, u"т%1;"_s.arg(i));
    }
    project.points.push_back(first);
    project.points.push_back(Point(u"Цех №2"_s, {{BatchColumn::Mode, u"3"_s}, {BatchColumn::Qmax, u"230"_s}}));

    const QByteArray table = WriteProjectTable(project);
    QVERIFY(table.startsWith("id;mode;families;qmax;"));
    const ProjectTableReading back = Read(table);
    QCOMPARE(back.error, QString());
    QCOMPARE(back.points.size(), std::size_t(2));
    for (std::size_t i = 0; i < 2; ++i) {
        QCOMPARE(back.points[i].id, project.points[i].id);
        QCOMPARE(back.points[i].input, project.points[i].input);
    }
}

void TestProjectTable::onlyUsedColumns()
{
    Project project;
    project.points.push_back(Point(u"А"_s, {{BatchColumn::Mode, u"4"_s}, {BatchColumn::Qmax, u"45,2"_s},
                                            {BatchColumn::Qmin, u"5"_s}, {BatchColumn::P, u"13"_s}}));
    project.points.push_back(Point(u"Б"_s, {{BatchColumn::Mode, u"2"_s}, {BatchColumn::Qmax, u"10"_s},
                                            {BatchColumn::Method, u"gerg91"_s}}));
    QCOMPARE(WriteProjectTable(project), QByteArray("id;mode;qmax;qmin;p;method\n"
                                                    "А;4;45,2;5;13;\n"
                                                    "Б;2;10;;;gerg91\n"));

    // A point without a mode still gives a table with the mode column, which the
    // sizing then refuses point by point rather than as a bad header.
    Project modeless;
    modeless.points.push_back(Point(u"В"_s, {{BatchColumn::Qmax, u"10"_s}}));
    QCOMPARE(WriteProjectTable(modeless), QByteArray("id;mode;qmax\nВ;;10\n"));
    const ProjectTableReading back = Read(WriteProjectTable(modeless));
    QCOMPARE(back.error, QString());
    QVERIFY(SizeProjectPoint(back.points.at(0), FilledCatalogue()).hasError());
}

void TestProjectTable::importedIds()
{
    // "Точка 1" and "Точка 3" are taken: the lines without an id get 2 and 4.
    Project project;
    project.points.push_back(Point(u"Точка 1"_s, {{BatchColumn::Mode, u"2"_s}}));
    project.points.push_back(Point(u"Точка 3"_s, {{BatchColumn::Mode, u"2"_s}}));
    const ProjectTableReading reading = Read("id;mode;qmax;qmin;p\n"
                                             ";2;10;1;0,5\n"
                                             "Склад;2;10;1;0,5\n"
                                             ";2;10;1;0,5\n",
                                             project);
    QCOMPARE(reading.error, QString());
    QStringList ids;
    for (const ProjectPoint &point : reading.points)
        ids << point.id;
    QCOMPARE(ids, (QStringList{u"Точка 2"_s, u"Склад"_s, u"Точка 4"_s}));

    // A table without an id column numbers every point.
    const ProjectTableReading numbered = Read("mode;qmax;qmin;p\n2;10;1;0,5\n2;20;1;0,5\n");
    QCOMPARE(numbered.points.size(), std::size_t(2));
    QCOMPARE(numbered.points[1].id, u"Точка 2"_s);
}

void TestProjectTable::importedChoice()
{
    // 45.2 m3/h at 13 kPa is 40 m3/h working: NM G25 at 100 %; a point nothing fits
    // and a refused one are imported without a product, the refusal kept.
    const ProjectTableReading reading = Read("id;mode;qmax;qmin;p\n"
                                             "m4;4;45.2;5;13\n"
                                             "big;4;100000;5;13\n"
                                             "bad;4;abc;5;13\n");
    QCOMPARE(reading.error, QString());
    QCOMPARE(reading.points.size(), std::size_t(3));
    QCOMPARE(reading.points[0].choice, u"NM G25"_s);
    QCOMPARE(reading.points[1].choice, QString());
    QCOMPARE(reading.points[2].choice, QString());
    QCOMPARE(reading.points[2].text(BatchColumn::Qmax), u"abc"_s);
    QVERIFY(SizeProjectPoint(reading.points[2], FilledCatalogue()).hasError());
}

void TestProjectTable::refused_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty") << QByteArray() << u"в файле нет строки заголовка"_s;
    QTest::newRow("header only") << QByteArray("id;mode\n") << u"в таблице нет ни одной точки"_s;
    QTest::newRow("unknown column") << QByteArray("id;mode;colour\nА;2;red\n") << u"строка 1: столбец 3"_s;
    QTest::newRow("field missing") << QByteArray("id;mode;qmax\nА;2;1\nБ;2\n") << u"строка 3: в строке полей: 2"_s;
    QTest::newRow("same id twice") << QByteArray("id;mode\nА;2\nБ;2\nА;2\n") << u"строка 4: точка «А» уже есть"_s;
    QTest::newRow("project's id") << QByteArray("id;mode\nТочка 1;2\n") << u"строка 2: точка «Точка 1» уже есть"_s;
    QTest::newRow("stray quote") << QByteArray("id;mode\nА;2\nБ\";2\n") << u"строка 3:"_s;
}

void TestProjectTable::refused()
{
    QFETCH(QByteArray, table);
    QFETCH(QString, error);
    Project project;
    project.points.push_back(Point(u"Точка 1"_s, {{BatchColumn::Mode, u"2"_s}}));
    const ProjectTableReading reading = Read(table, project);
    QVERIFY2(reading.error.startsWith(error), qPrintable(reading.error));
    QVERIFY(reading.points.empty()); // nothing of a refused table is taken
}

QTEST_GUILESS_MAIN(TestProjectTable)
#include "tst_project_table.moc"
