// The inlet velocity in the batch outputs (v_inlet, after the flags) and its
// limit as the column max_velocity: flagged rows, the strict choice, refused limits.
#include "batch/batch_run.h"

#include "batch_test_support.h"
#include "core/input/number_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;

class TestBatchVelocity : public QObject {
    Q_OBJECT

private slots:
    void columnAndField()
    {
        // 230 m3/h at 1,3 bar: 100 m3/h working, 14,147 m/s in ZAM G65's DN 50.
        const QByteArray table = "id;mode;qmax;qmin;p;max_velocity\nv;3;230;5;1.3;10\n";
        const BatchResult csv = RunInProcess({}, table);
        QCOMPARE(csv.status, BatchAllSized);
        const QStringList lines = QString::fromUtf8(csv.out).split(u'\n', Qt::SkipEmptyParts);
        const QStringList header = lines[0].split(u';');
        const qsizetype velocity = header.indexOf(u"v_inlet"_s);
        QCOMPARE(header[velocity - 1], u"flags"_s);
        bool sawG65 = false;
        for (const QString &line : lines.mid(1)) {
            const QStringList f = line.split(u';');
            const double v = *ReadNumber(f[velocity]);
            const bool fast = v > 10;
            QCOMPARE(f[header.indexOf(u"flags"_s)].contains(u"скорость на входе выше 10 м/с"_s), fast);
            if (f[header.indexOf(u"name"_s)] == u"ZAM G65"_s) {
                sawG65 = true;
                QVERIFY(std::abs(v - 14.1471) < 5e-4);
            }
        }
        QVERIFY(sawG65);

        const QJsonObject point = QJsonDocument::fromJson(RunInProcess({u"-f"_s, u"json"_s}, table).out)
                                      .object()[u"points"_s].toArray()[0].toObject();
        const QJsonObject first = point[u"possible"_s].toArray()[0].toObject();
        QVERIFY(first.contains(u"v_inlet"_s));
        QVERIFY(first[u"v_inlet"_s].toDouble() > 0);
    }

    void strictHonoursIt()
    {
        const BatchResult result = RunInProcess({u"-f"_s, u"json"_s},
                                                "id;mode;qmax;qmin;p;max_velocity;strict\nv;3;230;5;1.3;10;1\n");
        const QJsonArray optimal = QJsonDocument::fromJson(result.out).object()[u"points"_s].toArray()[0]
                                       .toObject()[u"optimal"_s].toArray();
        QVERIFY(!optimal.isEmpty());
        for (const QJsonValue &row : optimal)
            QVERIFY(row[u"v_inlet"_s].toDouble() <= 10);
    }

    void refused_data()
    {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("why");
        QTest::newRow("zero") << u"0"_s << u"вне диапазона"_s;
        QTest::newRow("text") << u"fast"_s << u"ожидается число"_s;
        QTest::newRow("too fast") << u"401"_s << u"вне диапазона"_s;
    }
    void refused()
    {
        QFETCH(QString, limit);
        QFETCH(QString, why);
        const BatchResult result = RunInProcess({}, ("id;mode;qmax;qmin;p;max_velocity\nv;3;230;5;1.3;" + limit + "\n").toUtf8());
        QCOMPARE(result.status, BatchInputErrors);
        QVERIFY2(result.errors.contains(u"столбец max_velocity"_s) && result.errors.contains(why),
                 qPrintable(result.errors));
    }
};

QTEST_GUILESS_MAIN(TestBatchVelocity)
#include "tst_batch_velocity.moc"
