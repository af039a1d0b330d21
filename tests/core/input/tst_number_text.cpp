#include "core/input/number_text.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>
#include <random>

// The reading and writing rules for numbers in edit boxes and labels.
class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_savedLocale = QLocale(); }
    void cleanup() { QLocale::setDefault(m_savedLocale); }

    void read_data();
    void read();
    void readHugeTexts();
    void readWithRussianLocale();
    void readWithEnglishLocale();
    void write_data();
    void write();
    void writeNonFinite();
    void roundTrip();
    void writeIntoBuffer_data() { write_data(); }
    void writeIntoBuffer();
    void writeIntoBufferAlike();

private:
    QLocale m_savedLocale;
};

namespace {

constexpr double Refused = std::numeric_limits<double>::quiet_NaN();

// Adds a row for each separator; '#' in the text stands for the separator. A
// text with '#' also gets a row with the other separator, which must fail.
void AddBoth(const char *name, const QString &pattern, double expected)
{
    for (const QChar sep : {QChar(u','), QChar(u'.')}) {
        const QChar other = sep == u',' ? QChar(u'.') : QChar(u',');
        QString text = pattern;
        text.replace(u'#', sep);
        QTest::addRow("%s [%c]", name, char(sep.unicode())) << text << sep << expected;
        if (pattern.contains(u'#')) {
            text = pattern;
            text.replace(u'#', other);
            QTest::addRow("%s [%c, other separator]", name, char(sep.unicode()))
                << text << sep << Refused;
        }
    }
}

} // namespace

void TestNumberText::read_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<double>("expected"); // NaN: the reading fails

    AddBoth("whole", "7", 7);
    AddBoth("spaces around", "  7 ", 7);
    AddBoth("fraction", "7#5", 7.5);
    AddBoth("signed fraction", "-2#5", -2.5);
    AddBoth("plus sign", "+3", 3);
    AddBoth("exponent", "1e3", 1000);
    AddBoth("capital exponent with sign", "1#5E+2", 150);
    AddBoth("negative exponent", "-2#5e-3", -0.0025);
    AddBoth("leading separator", "#5", 0.5);
    AddBoth("trailing separator", "5#", 5);
    AddBoth("lone separator", "#", 0);
    AddBoth("signed lone separator", "+#", 0);
    AddBoth("separator before exponent", "2#e1", 20);
    AddBoth("leading zeros", "007", 7);
    AddBoth("underflow", "1e-400", 0);
    AddBoth("denormal", "4#9406564584124654e-324", std::numeric_limits<double>::denorm_min());
    AddBoth("largest double", "1#7976931348623157e308", std::numeric_limits<double>::max());

    AddBoth("unit", "7 бар", Refused);
    AddBoth("empty", "", Refused);
    AddBoth("blanks only", "   ", Refused);
    AddBoth("bare plus", "+", Refused);
    AddBoth("bare minus", "-", Refused);
    AddBoth("two signs", "+-1", Refused);
    AddBoth("exponent without digits", "1e", Refused);
    AddBoth("exponent with sign only", "1e-", Refused);
    AddBoth("exponent without mantissa", "e5", Refused);
    AddBoth("fraction in exponent", "1e3#5", Refused);
    AddBoth("two separators", "1#2#3", Refused);
    AddBoth("thousands blank", "1 000", Refused);
    AddBoth("blank after sign", "- 1", Refused);
    AddBoth("leading tab", "\t7", Refused);
    AddBoth("trailing tab", "7\t", Refused);
    AddBoth("no-break space", QStringLiteral("7\u00A0"), Refused);
    AddBoth("arabic-indic digit", QStringLiteral("\u0661"), Refused);
    AddBoth("cyrillic e as exponent", QStringLiteral("1\u04353"), Refused);
    AddBoth("hexadecimal", "0x10", Refused);
    AddBoth("infinity word", "inf", Refused);
    AddBoth("nan word", "nan", Refused);
    AddBoth("overflow", "1e400", Refused);
    AddBoth("just above the largest double", "1#8e308", Refused);
}

void TestNumberText::read()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(double, expected);

    const std::optional<double> result = ReadNumber(text, separator);
    if (std::isnan(expected)) {
        QVERIFY2(!result, qPrintable(QStringLiteral("read as %1").arg(result.value_or(0))));
        return;
    }
    QVERIFY(result.has_value());
    QCOMPARE(std::signbit(*result), std::signbit(expected));
    QVERIFY2(*result == expected, qPrintable(QString::number(*result, 'g', 17)));
}

void TestNumberText::readHugeTexts()
{
    // Long digit runs and long exponents must neither crash nor take long.
    const auto read = [](const QString &text) {
        return ReadNumber(text, u',').value_or(Refused);
    };
    const QString zeros(100000, u'0');
    QCOMPARE(read(zeros + u'1'), 1.0);
    QCOMPARE(read(QStringLiteral("0,") + zeros + QStringLiteral("1e100001")), 1.0);
    QCOMPARE(read(u'1' + zeros + QStringLiteral("e-100000")), 1.0);
    QVERIFY(std::isnan(read(u'1' + zeros)));
    QCOMPARE(read(QStringLiteral("1e-") + zeros + QStringLiteral("99999999999999999999")), 0.0);
    QVERIFY(std::isnan(read(QStringLiteral("1e99999999999999999999999999"))));
    QCOMPARE(read(QStringLiteral("0e99999999999999999999999999")), 0.0);

    const std::optional<double> negativeZero = ReadNumber(QStringLiteral("-0"), u',');
    QVERIFY(negativeZero && *negativeZero == 0 && std::signbit(*negativeZero));
}

void TestNumberText::readWithRussianLocale()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QCOMPARE(LocaleDecimalSeparator(), QChar(u','));
    QCOMPARE(ReadNumber(QStringLiteral("7,5")).value_or(Refused), 7.5);
    QVERIFY(!ReadNumber(QStringLiteral("7.5")));
    QCOMPARE(WriteNumber(2.5), QStringLiteral("2,5"));
}

void TestNumberText::readWithEnglishLocale()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(LocaleDecimalSeparator(), QChar(u'.'));
    QCOMPARE(ReadNumber(QStringLiteral("7.5")).value_or(Refused), 7.5);
    QVERIFY(!ReadNumber(QStringLiteral("7,5")));
    QVERIFY(!ReadNumber(QStringLiteral("1,000")));
    QCOMPARE(WriteNumber(2.5), QStringLiteral("2.5"));
}

void TestNumberText::write_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");

    const QChar comma(u','), point(u'.');
    QTest::newRow("zero") << 0.0 << comma << "0";
    QTest::newRow("negative zero") << -0.0 << comma << "0";
    QTest::newRow("whole") << 100.0 << comma << "100";
    QTest::newRow("million") << 1e6 << comma << "1000000";
    QTest::newRow("fraction") << 2.5 << comma << "2,5";
    QTest::newRow("fraction, point") << 2.5 << point << "2.5";
    QTest::newRow("negative fraction") << -2.5 << comma << "-2,5";
    QTest::newRow("third") << 1.0 / 3 << comma << "0,333333333333333";
    QTest::newRow("minus third") << -1.0 / 3 << comma << "-0,333333333333333";
    QTest::newRow("two thirds rounds up") << 2.0 / 3 << comma << "0,666666666666667";
    QTest::newRow("binary noise dropped") << 0.1 + 0.2 << comma << "0,3";
    QTest::newRow("mixed") << 12345.678 << comma << "12345,678";
    QTest::newRow("smallest in full") << 0.0001 << comma << "0,0001";
    QTest::newRow("small in full") << 0.00012345 << comma << "0,00012345";
    QTest::newRow("rounds up to 0.0001") << 0.000099999999999999999 << comma << "0,0001";
    QTest::newRow("just below 0.0001") << 0.00009999 << comma << "9,999E-5";
    QTest::newRow("negative just below 0.0001") << -0.00009999 << comma << "-9,999E-5";
    QTest::newRow("small exponent") << 1.5e-7 << comma << "1,5E-7";
    QTest::newRow("small exponent, point") << 1.5e-7 << point << "1.5E-7";
    QTest::newRow("largest in full") << 999999999999999.0 << comma << "999999999999999";
    QTest::newRow("15 digits in full") << 123456789012345.0 << comma << "123456789012345";
    QTest::newRow("rounds up to 1E15") << 999999999999999.9 << comma << "1E15";
    QTest::newRow("1E15") << 1e15 << comma << "1E15";
    QTest::newRow("16 digits") << 1234567890123456.0 << comma << "1,23456789012346E15";
    QTest::newRow("18 digits") << 123456789012345678.0 << comma << "1,23456789012346E17";
    QTest::newRow("1E20") << 1e20 << comma << "1E20";
    QTest::newRow("negative large") << -2.5e20 << comma << "-2,5E20";
    QTest::newRow("three-digit exponent") << 1e-300 << comma << "1E-300";
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << comma
                                    << "1,79769313486232E308";
    QTest::newRow("denormal") << std::numeric_limits<double>::denorm_min() << comma
                              << "4,94065645841247E-324";
}

void TestNumberText::write()
{
    QFETCH(double, value);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    QCOMPARE(WriteNumber(value, separator), expected);
}

void TestNumberText::writeNonFinite()
{
    // Never passed by callers; whatever is written must not read back as a number.
    for (const double value : {std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()}) {
        const QString text = WriteNumber(value, u',');
        QVERIFY(!text.isEmpty());
        QVERIFY2(!ReadNumber(text, u','), qPrintable(text));
    }
}

void TestNumberText::roundTrip()
{
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 400; ++i) {
        const double sign = (i % 3 == 0) ? -1.0 : 1.0;
        const double value = sign * mantissa(random) * std::pow(10.0, exponent(random));
        const QChar separator = (i % 2 == 0) ? QChar(u',') : QChar(u'.');

        const QString text = WriteNumber(value, separator);
        const std::optional<double> back = ReadNumber(text, separator);
        QVERIFY2(back, qPrintable(text));
        // Rounding to 15 significant digits moves a value by at most half a unit
        // in the 15th digit.
        QVERIFY2(std::abs(*back - value) <= 5.000001e-15 * std::abs(value), qPrintable(text));
        // A 15-digit decimal survives the trip through a double unchanged.
        QCOMPARE(WriteNumber(*back, separator), text);
    }
}

// The writers' rule into a character buffer gives the texts of WriteNumber().
void TestNumberText::writeIntoBuffer()
{
    QFETCH(double, value);
    QFETCH(QChar, separator);
    char buffer[NumberTextCapacity];
    const int length = WriteNumber(value, static_cast<char>(separator.unicode()), buffer);
    QTEST(QString::fromLatin1(buffer, length), "expected");
}

// The same on values of every size, long quotients and whole numbers beyond 15 digits
// (whose last digits a 15-digit rounding may tie on) among them.
void TestNumberText::writeIntoBufferAlike()
{
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 300);
    std::uniform_int_distribution<long long> whole(1'000'000'000'000'000LL, 9'007'199'254'740'992LL);
    char buffer[NumberTextCapacity];
    for (int i = 0; i < 20000; ++i) {
        const double value = i % 4 == 0 ? double(whole(random))
            : i % 4 == 1                ? 100.0 * (i % 997 + 1) / (i % 89 + 3)
                                        : (i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, exponent(random));
        const QString expected = WriteNumber(value, u',');
        QCOMPARE(QString::fromLatin1(buffer, WriteNumber(value, ',', buffer)), expected);
    }
    // Ties of the 15-digit rounding: whole numbers ending in 5 past the 15th digit.
    for (const double tie : {1000000000000005.0, 1000000000000015.0, 2000000000000025.0, 4503599627370495.0})
        QCOMPARE(QString::fromLatin1(buffer, WriteNumber(tie, '.', buffer)), WriteNumber(tie, u'.'));
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_number_text.moc"
