// The sizing step on its own: what each mode decides from what a window read.

#include "core/selection/candidate_load.h"
#include "core/sizing/sizing.h"
#include "core/input/message_texts.h"
#include "core/input/number_text.h"

#include <QLocale>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
constexpr int Bar = 0;
constexpr int Millibar = 1;
constexpr int Kilopascal = 5;

SizingRequest RangeRequest(int mode, const QString &pmax, int pmaxUnit, const QString &pmin, int pminUnit)
{
    SizingRequest r;
    r.mode = mode;
    r.qmaxStd = 100;
    r.qminStd = 10;
    r.range = true;
    r.pmax = {pmax, pmaxUnit};
    r.pmin = {pmin, pminUnit};
    return r;
}

SizingRequest CabinetRequest(const QString &pmax, const QString &pmin, CabinetOptions options)
{
    SizingRequest r;
    r.mode = 5;
    r.entries = {u"100"_s, u"10"_s, pmax, pmin, Bar, Bar};
    r.options = options;
    return r;
}
} // namespace

class TestSizing : public QObject {
    Q_OBJECT

private:
    ProductCatalogue catalogue;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        catalogue.Fill();
    }

    // The road of a mode-1 run: bar, absolute pressure, working flows, 40 rows.
    void rangeRun()
    {
        const SizingOutcome o = Size(RangeRequest(1, u"1"_s, Bar, u"0"_s, Bar), catalogue);
        QVERIFY(o.accepted);
        QVERIFY(o.messages.empty());
        QCOMPARE(o.pressures.PmaxAbs, 2.0);
        QCOMPARE(o.pressures.QmaxWork, 100.0);
        QCOMPARE(o.pressures.QminWork, 5.0);
        QCOMPARE(o.possible.size(), std::size_t(40));
        QCOMPARE(*o.texts.qminWork, u"5"_s);
        QCOMPARE(*o.texts.pmaxAbs, u"2"_s);
        QCOMPARE(o.texts.denominators->first, u"Pmin+Patm"_s);
        // Every candidate is numbered in its list, names its own catalogue slot and
        // carries its load and margin.
        QSet<int> seenSlots;
        for (std::size_t i = 0; i < o.possible.size(); ++i) {
            const Candidate &c = o.possible[i];
            QCOMPARE(c.cells[0], QString::number(i + 1));
            QCOMPARE(catalogue.at(c.slot).Name, c.record.Name);
            QCOMPARE(catalogue.at(c.slot).Qmax, c.record.Qmax);
            seenSlots.insert(c.slot);
            QCOMPARE(c.loadPercent, 100.0 / c.record.Qmax * 100.0);
            QVERIFY(c.loadPercent <= 100.0);
            QVERIFY(!c.qminMargin || *c.qminMargin >= 1.0);
        }
        QCOMPARE(seenSlots.size(), int(o.possible.size()));
        QCOMPARE(catalogue.at(o.optimal.front().slot).Name, o.optimal.front().record.Name);
        QCOMPARE(o.familyCaptions.size(), 3);
    }

    void outcomes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("pmax");
        QTest::addColumn<int>("pmaxUnit");
        QTest::addColumn<QString>("pmin");
        QTest::addColumn<int>("pminUnit");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("shownPmax");
        QTest::addColumn<int>("shownPmaxUnit");

        const QString bad = Messages::BadInput();
        const QString wide = Messages::WideRange();
        QTest::newRow("exchanged with units") << 1 << u"5"_s << Kilopascal << u"100"_s << Millibar
                                              << true << int(InputField::None) << QStringList{} << u"100"_s << Millibar;
        QTest::newRow("wide range doubted") << 3 << u"9"_s << Bar << u"0"_s << Bar << true
                                            << int(InputField::None) << QStringList{wide} << u"9"_s << Bar;
        QTest::newRow("Pmin not a number") << 1 << u"1"_s << Bar << u"x"_s << Bar << false
                                           << int(InputField::Pmin) << QStringList{bad} << u"1"_s << Bar;
        QTest::newRow("absolute 0 refused") << 1 << u"-1"_s << Bar << u"-1"_s << Bar << false
                                            << int(InputField::Pmin) << QStringList{bad} << u"-1"_s << Bar;
        QTest::newRow("too large to round") << 3 << u"1e300"_s << Bar << u"1"_s << Bar << false
                                            << int(InputField::Pmax) << QStringList{bad} << u"1e300"_s << Bar;
    }

    void outcomes()
    {
        QFETCH(int, mode);
        QFETCH(QString, pmax);
        QFETCH(int, pmaxUnit);
        QFETCH(QString, pmin);
        QFETCH(int, pminUnit);
        SizingRequest r = RangeRequest(mode, pmax, pmaxUnit, pmin, pminUnit);
        r.working.unit = Kilopascal; // left from an earlier single entry
        const SizingOutcome o = Size(r, catalogue);
        QTEST(o.accepted, "accepted");
        QTEST(int(o.errorField), "field");
        QStringList texts;
        for (const SizingMessage &m : o.messages)
            texts << m.text;
        QTEST(texts, "messages");
        QTEST(o.request.pmax.text, "shownPmax");
        QTEST(o.request.pmax.unit, "shownPmaxUnit");
        if (o.accepted) {
            QVERIFY(o.pressures.PmaxGauge >= o.pressures.PminGauge);
            // A range entered clears the single pressure's unit.
            QCOMPARE(o.request.working.unit, -1);
        }
    }

    // A value that cannot be rounded stops the texts there; those before it stay.
    void textsStopAtRoundingFailure()
    {
        const SizingOutcome o = Size(RangeRequest(3, u"1e300"_s, Bar, u"1"_s, Bar), catalogue);
        QVERIFY(o.texts.qmaxWork && o.texts.qminWork && o.texts.pmaxGauge);
        QVERIFY(!o.texts.pmaxAbs);
        QVERIFY(!o.texts.pminAbs);
        // Values stored before the refusal stay, and the selection still runs on them.
        QCOMPARE(o.pressures.PminGauge, 1.0);
        QVERIFY(o.possible.empty());
    }

    // The utility meters are priced in euros; a refused flow range stops before the pressures.
    void workingPressureAndFlowStep()
    {
        SizingRequest r;
        r.mode = 4;
        r.families = {true, true, false};
        r.working = {u"2"_s, Kilopascal};
        const SizingOutcome o = SizePoint(r, u"5"_s, u"0,5"_s, catalogue);
        QVERIFY(o.accepted);
        QCOMPARE(o.currency, Currency::Euros);
        QCOMPARE(o.priceHeader(), PriceHeaderEuros());
        QVERIFY(!o.possible.empty());
        QCOMPARE(*o.texts.workingGauge, u"0,02"_s);

        const SizingOutcome refused = SizePoint(r, u"abc"_s, u"1"_s, catalogue);
        QVERIFY(!refused.accepted);
        QCOMPARE(refused.errorField, InputField::Qmax);
        QVERIFY(refused.possible.empty() && !refused.texts.qmaxWork);
    }

    // A cabinet form with an option missing: the error first, then the doubt.
    void cabinetOptions()
    {
        const SizingOutcome o = Size(CabinetRequest(u"9"_s, u"0"_s, {1, 0, 1, 1}), catalogue);
        QVERIFY(!o.accepted);
        QCOMPARE(o.errorField, InputField::Side);
        QCOMPARE(o.messages.size(), std::size_t(2));
        QCOMPARE(o.messages[0].kind, SizingMessage::Kind::Error);
        QCOMPARE(o.messages[1].kind, SizingMessage::Kind::Warning);
        QCOMPARE(*o.texts.qmaxStd, u"100"_s);

        const SizingOutcome ok = Size(CabinetRequest(u"0"_s, u"3"_s, {2, 1, 2, 1}), catalogue);
        QVERIFY(ok.accepted);
        QCOMPARE(ok.request.entries.pmax, u"3"_s); // put in order
        QCOMPARE(ok.optionCaptions, (QStringList{u"Слева"_s, u"Без байпаса"_s, u"С манометрами"_s}));
        QVERIFY(ok.variantCaption.startsWith(u"ТИВ-Ш"_s));
    }

    // Each cabinet kind's caption, as the results window and the report head it.
    void cabinetCaption_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::newRow("metering") << int(CabinetKind::Metering) << u"Пункт учета газа ТИВ"_s;
        QTest::newRow("reducing") << int(CabinetKind::Reducing) << u"Пункт редуцирования газа ЛЕМА"_s;
        QTest::newRow("metering and reducing")
            << int(CabinetKind::MeteringReducing) << u"Пункт учета и редуцирования газа ОРНИК"_s;
    }

    void cabinetCaption()
    {
        QFETCH(int, kind);
        SizingRequest r = CabinetRequest(u"3"_s, u"1"_s, {1, 1, 1, 1});
        r.cabinet = CabinetKind(kind);
        const SizingOutcome o = Size(r, catalogue);
        QVERIFY(o.accepted);
        QTEST(o.cabinetCaption, "caption");
    }

    // A cabinet form whose Qmax cannot be read is refused before the flows are
    // stored: the standard range of the program stays what it was.
    void cabinetUnreadableQmax()
    {
        SizingRequest r = CabinetRequest(u"3"_s, u"1"_s, {1, 1, 1, 1});
        r.qmaxStd = 77;
        r.qminStd = 7;
        r.entries.qmax = u"сто"_s;
        const SizingOutcome o = Size(r, catalogue);
        QVERIFY(!o.accepted);
        QCOMPARE(o.errorField, InputField::Qmax);
        QCOMPARE(o.qmaxStd, 77.0);
        QCOMPARE(o.qminStd, 7.0);
        QVERIFY(!o.texts.qmaxStd);
    }

    void fixedTexts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("one decimal") << 73.46 << 1 << u"73,5"_s;
        QTest::newRow("trailing zero kept") << 1.2 << 2 << u"1,20"_s;
        QTest::newRow("no minus zero") << -0.001 << 1 << u"0,0"_s;
        QTest::newRow("negative") << -2.5 << 0 << u"-2"_s;
    }

    void fixedTexts()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QTEST(WriteFixed(value, decimals, u','), "text");
    }

    void marginWithoutQmin()
    {
        ProductRecord record;
        record.Qmax = 40;
        QCOMPARE(LoadPercent(10, record), 25.0);
        QVERIFY(!QminMargin(1, record));
        QCOMPARE(MarginText(std::nullopt, u','), u"—"_s);
    }
};

QTEST_MAIN(TestSizing)
#include "tst_sizing.moc"
