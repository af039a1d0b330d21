// Every figure outside a method's range of validity is refused with its key and range.

#include "core/gas/aga8.h"
#include "core/gas/gerg91.h"

#include <QTest>

#include <cmath>
#include <limits>

using gas::Component;
using gas::Composition;
using namespace Qt::StringLiterals;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// Gas 1 of ISO 12213-2, Annex C, with some fractions replaced and methane making up the
// rest unless told otherwise.
Composition Gas1With(std::initializer_list<std::pair<Component, double>> changes,
                     double methaneShift = 0)
{
    Composition x{};
    auto at = [&x](Component c) -> double & { return x[gas::IndexOf(c)]; };
    at(Component::Methane) = 96.5;
    at(Component::Nitrogen) = 0.3;
    at(Component::CarbonDioxide) = 0.6;
    at(Component::Ethane) = 1.8;
    at(Component::Propane) = 0.45;
    at(Component::Isobutane) = 0.1;
    at(Component::NButane) = 0.1;
    at(Component::Isopentane) = 0.05;
    at(Component::NPentane) = 0.03;
    at(Component::NHexane) = 0.07;
    for (const auto &[component, value] : changes) {
        if (std::isfinite(value))
            at(Component::Methane) -= value - at(component);
        at(component) = value;
    }
    at(Component::Methane) += methaneShift;
    return x;
}

// The key and a piece of the message of a refusal, or empty texts for an acceptance.
struct Outcome {
    QString key;
    QString message;
};

template <typename T>
Outcome OutcomeOf(const gas::Checked<T> &checked)
{
    if (const auto *error = std::get_if<gas::GasError>(&checked))
        return {error->key, error->message};
    return {};
}

Outcome Aga8Outcome(const Composition &x, double p, double t)
{
    const auto made = gas::Aga8Gas::Make(x);
    if (std::holds_alternative<gas::GasError>(made))
        return OutcomeOf(made);
    return OutcomeOf(std::get<gas::Aga8Gas>(made).Z(p, t));
}

Outcome Gerg91Outcome(double density, double n2, double co2, double p, double t)
{
    const auto made = gas::Gerg91Gas::Make(density, n2, co2);
    if (std::holds_alternative<gas::GasError>(made))
        return OutcomeOf(made);
    return OutcomeOf(std::get<gas::Gerg91Gas>(made).Z(p, t));
}

} // namespace

Q_DECLARE_METATYPE(Composition)

class TestGasRefusals : public QObject {
    Q_OBJECT
private slots:
    void aga8_data();
    void aga8();
    void gerg91_data();
    void gerg91();
    void wholeMessages();
};

void TestGasRefusals::aga8_data()
{
    QTest::addColumn<Composition>("composition");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("t");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("range"); // a piece of the message

    const QString pct = u" мол. %"_s;
    auto row = [&](const char *tag, const Composition &x, double p, double t, const QString &key,
                   const QString &range) { QTest::newRow(tag) << x << p << t << key << range; };
    const Composition gas1 = Gas1With({});

    row("inside", gas1, 6, 280, {}, {});
    row("sum 100,01", Gas1With({}, 0.01), 6, 280, {}, {});
    row("sum 99,99", Gas1With({}, -0.01), 6, 280, {}, {});
    row("12 MPa, 263 K", gas1, 12, 263, {}, {});
    row("338 K", gas1, 6, 338, {}, {});

    row("sum 100,02", Gas1With({}, 0.02), 6, 280, u"composition"_s, u"100,02 мол. %"_s);
    row("sum 99,98", Gas1With({}, -0.02), 6, 280, u"composition"_s, u"99,98 мол. %"_s);
    row("NaN", Gas1With({{Component::Ethane, NaN}}), 6, 280, u"x_ethane"_s, u"не задано числом"_s);
    row("infinity", Gas1With({{Component::Water, Inf}}), 6, 280, u"x_water"_s, u"не задано числом"_s);
    row("negative", Gas1With({{Component::Nitrogen, -0.1}}), 6, 280, u"x_nitrogen"_s, u"от 0 до 20"_s + pct);
    // A member of a group is named with the group's admitted range.
    row("negative isobutane", Gas1With({{Component::Isobutane, -0.05}}), 6, 280, u"x_isobutane"_s,
        u"-0,05 мол. % вне диапазона метода AGA8-92DC: от 0 до 1,5"_s + pct);
    row("negative n-decane", Gas1With({{Component::NDecane, -0.01}}), 6, 280, u"x_n_decane"_s,
        u"от 0 до 0,05"_s + pct);
    row("methane", Gas1With({{Component::CarbonDioxide, 20}, {Component::Nitrogen, 10.3}}), 6, 280,
        u"x_methane"_s, u"от 70 до 100"_s + pct);
    row("nitrogen", Gas1With({{Component::Nitrogen, 21}}), 6, 280, u"x_nitrogen"_s, u"от 0 до 20"_s + pct);
    row("carbon dioxide", Gas1With({{Component::CarbonDioxide, 21}}), 6, 280, u"x_carbon_dioxide"_s,
        u"от 0 до 20"_s + pct);
    row("ethane", Gas1With({{Component::Ethane, 11}}), 6, 280, u"x_ethane"_s, u"от 0 до 10"_s + pct);
    row("propane", Gas1With({{Component::Propane, 4}}), 6, 280, u"x_propane"_s, u"от 0 до 3,5"_s + pct);
    row("butanes", Gas1With({{Component::Isobutane, 0.5}, {Component::NButane, 1.1}}), 6, 280,
        u"x_n_butane"_s, u"бутанов (изо-Бутан, н-Бутан) 1,6"_s);
    row("pentanes", Gas1With({{Component::Isopentane, 0.35}, {Component::NPentane, 0.25}}), 6, 280,
        u"x_isopentane"_s, u"от 0 до 0,5"_s + pct);
    row("hexane", Gas1With({{Component::NHexane, 0.2}}), 6, 280, u"x_n_hexane"_s, u"от 0 до 0,1"_s + pct);
    row("heptane", Gas1With({{Component::NHeptane, 0.06}}), 6, 280, u"x_n_heptane"_s, u"от 0 до 0,05"_s + pct);
    row("octanes plus",
        Gas1With({{Component::NOctane, 0.02}, {Component::NNonane, 0.02}, {Component::NDecane, 0.02}}),
        6, 280, u"x_n_octane"_s, u"октанов и высших (н-Октан, н-Нонан, н-Декан) 0,06"_s);
    row("hydrogen", Gas1With({{Component::Hydrogen, 11}}), 6, 280, u"x_hydrogen"_s, u"от 0 до 10"_s + pct);
    row("oxygen", Gas1With({{Component::Oxygen, 0.03}}), 6, 280, u"x_oxygen"_s, u"от 0 до 0,02"_s + pct);
    row("carbon monoxide", Gas1With({{Component::CarbonMonoxide, 4}}), 6, 280, u"x_carbon_monoxide"_s,
        u"от 0 до 3"_s + pct);
    row("water", Gas1With({{Component::Water, 0.02}}), 6, 280, u"x_water"_s, u"от 0 до 0,015"_s + pct);
    row("hydrogen sulfide", Gas1With({{Component::HydrogenSulfide, 0.03}}), 6, 280,
        u"x_hydrogen_sulfide"_s, u"от 0 до 0,02"_s + pct);
    row("helium", Gas1With({{Component::Helium, 0.6}}), 6, 280, u"x_helium"_s, u"от 0 до 0,5"_s + pct);
    row("argon", Gas1With({{Component::Argon, 0.03}}), 6, 280, u"x_argon"_s, u"от 0 до 0,02"_s + pct);
    row("pressure 0", gas1, 0, 280, u"pressure"_s, u"больше 0 и не более 12 МПа"_s);
    row("pressure 12,01", gas1, 12.01, 280, u"pressure"_s, u"12,01 МПа"_s);
    row("pressure NaN", gas1, NaN, 280, u"pressure"_s, u"не задано числом"_s);
    row("262,9 K", gas1, 6, 262.9, u"temperature"_s, u"от 263 до 338 К"_s);
    row("338,1 K", gas1, 6, 338.1, u"temperature"_s, u"338,1 К"_s);
    row("temperature infinite", gas1, 6, Inf, u"temperature"_s, u"не задано числом"_s);
}

void TestGasRefusals::aga8()
{
    QFETCH(Composition, composition);
    QFETCH(double, p);
    QFETCH(double, t);
    QFETCH(QString, key);
    QFETCH(QString, range);

    const Outcome outcome = Aga8Outcome(composition, p, t);
    QCOMPARE(outcome.key, key);
    QVERIFY2(outcome.message.contains(range), qPrintable(outcome.message));
    if (!key.isEmpty())
        QVERIFY(outcome.message.contains(u"AGA8-92DC"_s));
}

void TestGasRefusals::gerg91_data()
{
    QTest::addColumn<double>("density");
    QTest::addColumn<double>("n2");
    QTest::addColumn<double>("co2");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("t");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("range");

    auto row = [](const char *tag, double density, double n2, double co2, double p, double t,
                  const QString &key, const QString &range) {
        QTest::newRow(tag) << density << n2 << co2 << p << t << key << range;
    };
    row("inside", 0.7, 1, 0.5, 6, 280, {}, {});
    row("nitrogen 20 %, 12 MPa, 250 K", 0.8, 20, 0, 12, 250, {}, {});
    // ГОСТ 30319.2-96, 3.2.1: carbon dioxide up to 15 mol %.
    row("carbon dioxide 15 %", 0.9, 0, 15, 6, 280, {}, {});
    row("nitrogen and carbon dioxide at their limits", 1.0, 20, 15, 6, 280, {}, {});
    row("methane, 0,1 MPa, 340 K", 0.668, 0, 0, 0.1, 340, {}, {});
    row("1 kg/m3", 1.0, 0, 0, 6, 280, {}, {});

    row("density low", 0.66, 1, 0.5, 6, 280, u"density"_s, u"от 0,668 до 1 кг/м³"_s);
    row("density high", 1.01, 1, 0.5, 6, 280, u"density"_s, u"1,01 кг/м³"_s);
    row("density NaN", NaN, 1, 0.5, 6, 280, u"density"_s, u"не задано числом"_s);
    row("density and inert gases", 0.668, 15, 0, 6, 280, u"density"_s, u"меньше 16 кг/кмоль"_s);
    row("nitrogen negative", 0.7, -0.1, 0.5, 6, 280, u"n2"_s, u"от 0 до 20 мол. %"_s);
    row("nitrogen 20,5", 0.8, 20.5, 0.5, 6, 280, u"n2"_s, u"20,5 мол. %"_s);
    row("nitrogen infinite", 0.7, Inf, 0.5, 6, 280, u"n2"_s, u"не задано числом"_s);
    row("carbon dioxide negative", 0.7, 1, -1, 6, 280, u"co2"_s, u"от 0 до 15 мол. %"_s);
    row("carbon dioxide 15,5", 0.9, 1, 15.5, 6, 280, u"co2"_s, u"15,5 мол. %"_s);
    row("carbon dioxide 20", 0.92, 0, 20, 6, 280, u"co2"_s, u"20 мол. % вне диапазона"_s);
    row("pressure 1e-9 above 12 MPa", 0.7, 1, 0.5, 12.000000012, 280, u"pressure"_s, u"12,00000001 МПа"_s);
    row("pressure on 12 MPa by arithmetic", 0.7, 1, 0.5, 120.0 / 10 * (1 + 1e-15), 280, {}, {});
    row("250 K by arithmetic", 0.7, 1, 0.5, 6, -23.15 + 273.15, {}, {});
    row("pressure below 0", 0.7, 1, 0.5, -0.01, 280, u"pressure"_s, u"от 0 до 12 МПа"_s);
    row("pressure 12,5", 0.7, 1, 0.5, 12.5, 280, u"pressure"_s, u"12,5 МПа"_s);
    row("249 K", 0.7, 1, 0.5, 6, 249, u"temperature"_s, u"от 250 до 340 К"_s);
    row("341 K", 0.7, 1, 0.5, 6, 341, u"temperature"_s, u"341 К"_s);
    row("temperature NaN", 0.7, 1, 0.5, 6, NaN, u"temperature"_s, u"не задано числом"_s);
}

void TestGasRefusals::gerg91()
{
    QFETCH(double, density);
    QFETCH(double, n2);
    QFETCH(double, co2);
    QFETCH(double, p);
    QFETCH(double, t);
    QFETCH(QString, key);
    QFETCH(QString, range);

    const Outcome outcome = Gerg91Outcome(density, n2, co2, p, t);
    QCOMPARE(outcome.key, key);
    QVERIFY2(outcome.message.contains(range), qPrintable(outcome.message));
    if (!key.isEmpty())
        QVERIFY(outcome.message.contains(u"GERG-91 мод."_s));
}

// Two messages word for word: the figure, its value and the admitted range.
void TestGasRefusals::wholeMessages()
{
    QCOMPARE(Aga8Outcome(Gas1With({{Component::Nitrogen, 21}}), 6, 280).message,
             u"Доля компонента «Азот» 21 мол. % вне диапазона метода AGA8-92DC: от 0 до 20 мол. %"_s);
    QCOMPARE(Gerg91Outcome(1.2, 1, 0.5, 6, 280).message,
             u"Плотность газа 1,2 кг/м³ вне диапазона метода GERG-91 мод.: от 0,668 до 1 кг/м³"_s);
}

QTEST_GUILESS_MAIN(TestGasRefusals)
#include "tst_gas_refusals.moc"
