#include "sizing_requests.h"
#include "core/sizing/conditions_text.h"
#include "core/input/number_text.h"
#include "report/report_content.h"
#include "report/sizing_report.h"
#include "report/xlsx_sizing.h"
#include "report_test_support.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
SizingRequest Working(const SizingConditions &conditions)
{
    return WorkingPressureRequest(conditions);
}

SizingConditions Gerg()
{
    SizingConditions c;
    c.method = ConversionMethod::Gerg91;
    c.tMin = -10;
    c.tMax = 25;
    c.maxLoad = 20;
    return c;
}
} // namespace

// The report's heading block, its section "Условия расчёта" and the flags column,
// read back from the PDF (pdftotext) and from the workbook.
class TestReportConditions : public QObject {
    Q_OBJECT
    ProductCatalogue catalogue_;
    QTemporaryDir folder_;

    QString pdf(const SizingOutcome &outcome, const ReportHeader &header)
    {
        const QString path = folder_.filePath(u"report.pdf"_s);
        QString error;
        if (!WriteReportPdf(path, {outcome}, catalogue_, &error, header))
            qWarning("%s", qPrintable(error));
        return PdfText(path).simplified();
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QVERIFY(folder_.isValid());
        catalogue_.Fill();
    }

    // A real method: the section names the method, the standard conditions, the
    // temperatures, the gas data and Z at both points, with the formula; flagged
    // rows carry their flags under "Примечание".
    void realMethodSection()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        const SizingOutcome o = Size(Working(Gerg()), catalogue_);
        QVERIFY(o.accepted);
        const QString text = pdf(o, {});
        QVERIFY(text.contains(u"Условия расчёта"_s));
        QVERIFY(text.contains(MethodName(ConversionMethod::Gerg91)));
        QVERIFY(text.contains(u"20 °C, 101,325 кПа"_s));
        QVERIFY(text.contains(u"Наименьшая температура газа: -10 °C"_s));
        QVERIFY(text.contains(u"Z при Qраб max: "_s + ZText(o.conditions.zQmax)));
        QVERIFY(text.contains(u"Z при Qраб min: "_s + ZText(o.conditions.zQmin)));
        QVERIFY(text.contains(u"Zc: "_s + ZText(o.conditions.zStd)));
        QVERIFY(text.contains(u"Qраб max = Qmax·(pc/(Pср+Patm))·(Tmax/Tc)·(Z/Zc)"_s));
        QVERIFY(text.contains(NoteHeader()));
        bool anyFlag = false;
        for (const Candidate &c : o.possible)
            for (const QString &flag : c.flags) {
                anyFlag = true;
                // pdftotext may break a long cell; its first words stay together.
                QVERIFY2(text.contains(flag.section(u' ', 0, 2)), qPrintable(flag));
            }
        QVERIFY(anyFlag); // the 20 % target flags the fuller rows
        QVERIFY(!text.contains(u"Поправки на температуру газа"_s));
    }

    // The catalogue's own conversion with the defaults: no section, no column, and
    // the note that nothing is corrected.
    void simpleKeepsFootnote()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        const SizingOutcome o = Size(Working({}), catalogue_);
        const QString text = pdf(o, {});
        QVERIFY(!text.contains(u"Условия расчёта"_s));
        QVERIFY(!text.contains(NoteHeader()));
        QVERIFY(text.contains(u"Поправки на температуру газа и коэффициент сжимаемости не вносятся"_s));
    }

    // A flag shows its column whatever the conditions; the section "Условия расчёта"
    // comes with conditions other than the defaults only.
    void flagsColumn_data()
    {
        QTest::addColumn<bool>("gerg");
        QTest::addColumn<bool>("range");
        QTest::addColumn<bool>("flagged");
        // Gauge 5 to 0 bar: the complexes from 1,5 bar (abs.) do not cover 1 bar (abs.).
        QTest::newRow("defaults, complex out of range") << false << true << true;
        QTest::newRow("defaults, nothing flagged") << false << false << false;
        QTest::newRow("GERG-91, complex out of range") << true << true << true;
    }
    void flagsColumn()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        QFETCH(bool, gerg);
        QFETCH(bool, range);
        QFETCH(bool, flagged);
        SizingRequest request = Working(gerg ? Gerg() : SizingConditions{});
        if (range) {
            request.mode = 1;
            request.families = {true, true, true};
            request.range = true;
            request.pmax = {u"5"_s, 0};
            request.pmin = {u"0"_s, 0};
            request.qminStd = 30;
        }
        const SizingOutcome o = Size(request, catalogue_);
        QVERIFY(o.accepted);
        QStringList flags;
        for (const Candidate &c : o.possible)
            flags << c.flags;
        QVERIFY2(!flags.isEmpty() == flagged, qPrintable(o.noFitReason));
        const QString text = pdf(o, {});
        QCOMPARE(text.contains(NoteHeader()), flagged || gerg);
        QCOMPARE(text.contains(u"Условия расчёта"_s), gerg);
        for (const QString &flag : flags)
            QVERIFY2(text.contains(flag.section(u' ', 0, 2)), qPrintable(flag));
    }

    // The temperatures are printed as the conversion used them, the lower first,
    // whichever order they were typed in.
    void temperaturesInOrder_data()
    {
        QTest::addColumn<double>("tMin");
        QTest::addColumn<double>("tMax");
        QTest::newRow("typed in order") << -10.0 << 30.0;
        QTest::newRow("typed reversed") << 30.0 << -10.0;
    }
    void temperaturesInOrder()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        QFETCH(double, tMin);
        QFETCH(double, tMax);
        SizingConditions c = Gerg();
        c.tMin = tMin;
        c.tMax = tMax;
        const SizingOutcome o = Size(Working(c), catalogue_);
        QVERIFY(o.accepted);
        const QString text = pdf(o, {});
        QVERIFY2(text.contains(u"Наименьшая температура газа: -10 °C"_s), qPrintable(text.left(2000)));
        QVERIFY(text.contains(u"Наибольшая температура газа: 30 °C"_s));
    }

    // The heading block: each filled field with its caption, empty ones left out.
    void headingFields_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("customer");
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("engineer");
        QTest::newRow("all") << u"Котельная № 3"_s << u"ООО Тепло"_s << u"Ввод 1"_s << u"Иванов И. И."_s;
        QTest::newRow("object only") << u"Котельная № 3"_s << QString() << QString() << QString();
        QTest::newRow("blank customer") << QString() << u"   "_s << u"Ввод 2"_s << QString();
        QTest::newRow("none") << QString() << QString() << QString() << QString();
    }
    void headingFields()
    {
        SKIP_WITHOUT_PDFTOTEXT();
        QFETCH(QString, object);
        QFETCH(QString, customer);
        QFETCH(QString, point);
        QFETCH(QString, engineer);
        const SizingOutcome o = Size(Working({}), catalogue_);
        const QString text = pdf(o, {object, customer, point, engineer});
        const std::pair<QString, QString> fields[] = {
            {u"Объект"_s, object}, {u"Заказчик"_s, customer}, {u"Точка учёта"_s, point}, {u"Исполнитель"_s, engineer}};
        for (const auto &[caption, value] : fields) {
            if (value.trimmed().isEmpty())
                QVERIFY2(!text.contains(caption + u':'), qPrintable(caption));
            else
                QVERIFY2(text.contains(caption + u": "_s + value), qPrintable(caption));
        }
    }

    // The workbook carries the same: heading, section with numeric Z, flags column.
    void workbook()
    {
        const SizingOutcome o = Size(Working(Gerg()), catalogue_);
        const QString path = folder_.filePath(u"report.xlsx"_s);
        QString error;
        QVERIFY2(WriteSizingXlsx(path, o, catalogue_, &error, {u"Котельная"_s, {}, {}, {}}), qPrintable(error));
        const auto cells = SheetCells(path);
        auto rowOf = [&cells](const QString &text) {
            for (auto it = cells.cbegin(); it != cells.cend(); ++it)
                if (it.key().startsWith(u'B') && it.value().value == text)
                    return it.key().mid(1).toInt();
            return 0;
        };
        QCOMPARE(cells.value(u"C"_s + QString::number(rowOf(u"Объект"_s))).value, u"Котельная"_s);
        QVERIFY(rowOf(u"Заказчик"_s) == 0);
        const int z = rowOf(u"Z при Qраб max"_s);
        QVERIFY(z > 0);
        QCOMPARE(cells.value(u"C"_s + QString::number(z)).type, u"n"_s);
        QCOMPARE(cells.value(u"C"_s + QString::number(z)).value.toDouble(), o.conditions.zQmax);
        bool noteHeader = false, flagged = false;
        for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
            noteHeader |= it.key().startsWith(u'K') && it.value().value == NoteHeader();
            flagged |= it.key().startsWith(u'K') && it.value().value.contains(u"выше целевой"_s);
        }
        QVERIFY(noteHeader);
        QVERIFY(flagged);
    }
};

QTEST_MAIN(TestReportConditions)
#include "tst_report_conditions.moc"
