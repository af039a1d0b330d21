#include "core/input/number_text.h"

#include <QRegularExpression>
#include <QTest>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

// Checks the number rules on many random texts and values against a second,
// separately written reader: a regular expression for the grammar and
// std::from_chars for the value.
class TestNumberReference : public QObject {
    Q_OBJECT
private slots:
    void readingAgreesWithReference_data();
    void readingAgreesWithReference();
    void writtenTextReadsBackRounded_data();
    void writtenTextReadsBackRounded();
};

namespace {

constexpr std::uint64_t Seed = 0x5EED'2024'0601'0001ULL;
constexpr int TextCount = 100000;
constexpr int ValueCount = 100000;

// A small generator whose whole state is one word, so text number i of a run
// can be made again on its own from Seed + i.
struct SplitMix {
    using result_type = std::uint64_t;
    std::uint64_t state;
    static constexpr result_type min() { return 0; }
    static constexpr result_type max() { return UINT64_MAX; }
    result_type operator()()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>((*this)() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
};

// The text with everything outside printable ASCII escaped, for messages.
QString Printable(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'\\')
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
    }
    return out;
}

QString Describe(std::optional<double> value)
{
    if (!value)
        return QStringLiteral("refused");
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, *value).ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

bool SameValue(std::optional<double> a, std::optional<double> b)
{
    if (!a || !b)
        return !a && !b;
    if (*a == 0 && *b == 0)
        return true;
    return std::memcmp(&*a, &*b, sizeof(double)) == 0;
}

// ---------------------------------------------------------------------------
// The reference reader.

// What the reference reader saw, beyond the value.
enum class Outcome { Number, NotANumber, Overflow, Underflow };

struct ReferenceResult {
    std::optional<double> value;
    Outcome outcome = Outcome::NotANumber;
};

// The decimal order of magnitude of whole.fraction x 10^exponent (non-zero
// digits assumed); used only to tell overflow from underflow.
long long DecimalOrder(const std::string &whole, const std::string &fraction,
                       const std::string &exponentText)
{
    long long exponent = 0;
    const char *begin = exponentText.data();
    const char *end = begin + exponentText.size();
    const bool negative = begin != end && *begin == '-';
    if (begin != end && (*begin == '+' || *begin == '-'))
        ++begin;
    if (std::from_chars(begin, end, exponent).ec == std::errc::result_out_of_range)
        exponent = LLONG_MAX / 4;
    if (negative)
        exponent = -exponent;

    const std::size_t firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string::npos)
        return exponent + static_cast<long long>(whole.size() - firstWhole) - 1;
    return exponent - static_cast<long long>(fraction.find_first_not_of('0')) - 1;
}

ReferenceResult ReferenceRead(const QString &text, QChar separator)
{
    // Groups: sign, whole digits, separator, fraction digits, exponent. The
    // classes are ASCII; a blank is the space alone.
    static const QString pattern =
        QStringLiteral(" *([+-]?)([0-9]*)(%1?)([0-9]*)(?:[eE]([+-]?[0-9]+))? *");
    static const QRegularExpression withComma(
        QRegularExpression::anchoredPattern(pattern.arg(QStringLiteral(","))));
    static const QRegularExpression withPoint(
        QRegularExpression::anchoredPattern(pattern.arg(QStringLiteral("\\."))));

    const QRegularExpressionMatch match = (separator == u',' ? withComma : withPoint).match(text);
    if (!match.hasMatch())
        return {};
    const bool negative = match.capturedView(1) == u"-";
    const std::string whole = match.captured(2).toStdString();
    const bool hasSeparator = !match.capturedView(3).isEmpty();
    const std::string fraction = match.captured(4).toStdString();
    const std::string exponent = match.captured(5).toStdString();
    const double zero = negative ? -0.0 : 0.0;

    if (whole.empty() && fraction.empty()) {
        if (!hasSeparator)
            return {}; // a sign alone, or nothing
        return {zero, Outcome::Number};
    }

    std::string plain = whole + '.' + fraction;
    if (!exponent.empty())
        plain += 'e' + exponent;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (DecimalOrder(whole, fraction, exponent) >= 0)
            return {std::nullopt, Outcome::Overflow};
        return {zero, Outcome::Underflow};
    }
    if (ec != std::errc() || ptr != plain.data() + plain.size())
        return {}; // cannot happen for a text the grammar let through
    return {negative ? -value : value, Outcome::Number};
}

// ---------------------------------------------------------------------------
// The random texts.

QString Digits(SplitMix &random, int count)
{
    QString out(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i)
        out[i] = QChar(u'0' + random.below(10));
    return out;
}

// A digit count: mostly short, sometimes a full double's worth, rarely a long run.
int DigitCount(SplitMix &random)
{
    const int pick = random.below(1000);
    if (pick < 5)
        return 1000 + random.below(1500);
    if (pick < 200)
        return random.below(25);
    return random.below(4);
}

QString MakeExponent(SplitMix &random)
{
    static const char *const awkward[] = {"308", "309", "-308", "-324", "-325", "400", "-400",
                                          "+0", "-0", "99999999999999999999",
                                          "-99999999999999999999", "000000000000000000001"};
    QString out = random.chance(50) ? QStringLiteral("e") : QStringLiteral("E");
    if (random.chance(25)) {
        out += QLatin1String(awkward[random.below(std::size(awkward))]);
        return out;
    }
    const int sign = random.below(3);
    if (sign == 1)
        out += u'+';
    else if (sign == 2)
        out += u'-';
    out += Digits(random, 1 + random.below(3));
    return out;
}

// A text built by the reading rule's own grammar, so it should be a number.
QString MakeNumberText(SplitMix &random, QChar separator)
{
    QString out(random.chance(20) ? random.below(3) : 0, u' ');
    const int sign = random.below(4);
    if (sign == 1)
        out += u'+';
    else if (sign == 2)
        out += u'-';
    if (random.chance(10))
        out += QString(1 + random.below(5), u'0');
    out += Digits(random, DigitCount(random));
    if (random.chance(50)) {
        out += separator;
        if (random.chance(10))
            out += QString(1 + random.below(400), u'0');
        out += Digits(random, DigitCount(random));
    }
    if (random.chance(40))
        out += MakeExponent(random);
    out += QString(random.chance(20) ? random.below(3) : 0, u' ');
    return out;
}

// One character or piece from the alphabet that matters to the rule.
QString Piece(SplitMix &random)
{
    static const char16_t numberChars[] = u"0123456789,.,.+-eE  ";
    static const char16_t otherChars[] = {
        u'\t', u'\n', u'a', u'x', u'z', u'F', u'I', u'N', u'_', u'\'', u'/',
        u'\u0430', u'\u0435', u'\u0415', u'\u0431', u'\u044F', // Cyrillic, with the e look-alikes
        u'\u0660', u'\u0661', u'\u0669', u'\u06F5',             // Arabic-Indic digits
        u'\u066B', u'\u066C',                                    // Arabic separators
        u'\u00A0', u'\u2009', u'\u202F', u'\u3000',              // other blanks
        u'\u2212', u'\uFF11', u'\uFF0E', u'\u00B9'};             // minus sign, full-width, superscript
    static const char *const pieces[] = {"1e400", "1e-400", "1e99999999999999999999",
                                         "1e-99999999999999999999", "inf", "nan", "infinity",
                                         "0x1p3", "1.7976931348623157e308", "2.4703282292062328e-324",
                                         "e308", "e-324", "E+", "  "};
    const int pick = random.below(100);
    if (pick < 70)
        return QString(QChar(numberChars[random.below(std::size(numberChars) - 1)]));
    if (pick < 92)
        return QString(QChar(otherChars[random.below(std::size(otherChars))]));
    if (pick < 99 || random.chance(80))
        return QString::fromLatin1(pieces[random.below(std::size(pieces))]);
    return Digits(random, 1000 + random.below(1500));
}

// A number text with a few characters put in, taken out or changed.
QString Mutate(SplitMix &random, QString text)
{
    const int edits = 1 + random.below(3);
    for (int i = 0; i < edits; ++i) {
        const int at = random.below(static_cast<int>(text.size()) + 1);
        switch (random.below(3)) {
        case 0:
            text.insert(at, Piece(random));
            break;
        case 1:
            if (at < text.size())
                text.remove(at, 1);
            break;
        default:
            if (at < text.size())
                text.replace(at, 1, Piece(random));
            break;
        }
    }
    return text;
}

QString MakeText(SplitMix &random, QChar separator)
{
    const int kind = random.below(100);
    if (kind < 45)
        return MakeNumberText(random, separator);
    if (kind < 55)
        return MakeNumberText(random, separator == u',' ? QChar(u'.') : QChar(u','));
    if (kind < 75)
        return Mutate(random, MakeNumberText(random, separator));
    QString out;
    const int length = random.below(15);
    for (int i = 0; i < length; ++i)
        out += Piece(random);
    return out;
}

// ---------------------------------------------------------------------------
// The writing rule's shape.

// Significant digits of a written number: all digits but the leading zeros.
int SignificantDigits(const QString &mantissa)
{
    int count = 0;
    bool started = false;
    for (const QChar c : mantissa) {
        if (c.isDigit() && (started || c != u'0')) {
            started = true;
            ++count;
        }
    }
    return count;
}

// A double of the given decimal digits and order of magnitude, or none when
// out of range.
std::optional<double> DecimalValue(SplitMix &random)
{
    std::string text(1, static_cast<char>('1' + random.below(9)));
    const int more = random.below(17);
    if (more > 0) {
        text += '.';
        for (int i = 0; i < more; ++i)
            text += static_cast<char>('0' + random.below(10));
    }
    const int order = random.chance(50) ? random.below(23) - 6 : random.below(641) - 330;
    text += 'e' + std::to_string(order);
    double value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc())
        return std::nullopt;
    return random.chance(30) ? -value : value;
}

} // namespace

void TestNumberReference::readingAgreesWithReference_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::newRow("comma") << QChar(u',');
    QTest::newRow("point") << QChar(u'.');
}

void TestNumberReference::readingAgreesWithReference()
{
    QFETCH(QChar, separator);
    const char separatorChar = static_cast<char>(separator.unicode());

    int accepted = 0, refused = 0, overflow = 0, underflow = 0;
    int longTexts = 0, longAccepted = 0;
    for (int i = 0; i < TextCount; ++i) {
        SplitMix random{Seed + static_cast<std::uint64_t>(i)};
        const QString text = MakeText(random, separator);

        const std::optional<double> actual = ReadNumber(text, separator);
        const ReferenceResult expected = ReferenceRead(text, separator);
        if (!SameValue(actual, expected.value)) {
            QFAIL(qPrintable(QStringLiteral("seed %1, text %2, separator '%3': \"%4\" read as %5, "
                                            "the reference says %6")
                                 .arg(Seed, 0, 16)
                                 .arg(i)
                                 .arg(separator)
                                 .arg(Printable(text), Describe(actual),
                                      Describe(expected.value))));
        }
        (actual ? accepted : refused) += 1;
        overflow += expected.outcome == Outcome::Overflow;
        underflow += expected.outcome == Outcome::Underflow;
        if (text.size() >= 1000) {
            ++longTexts;
            longAccepted += actual.has_value();
        }
    }
    qInfo("separator '%c': %d texts, %d accepted, %d refused (%d of them overflow), "
          "%d underflow to zero, %d long texts (%d accepted)",
          separatorChar, TextCount, accepted, refused, overflow, underflow, longTexts,
          longAccepted);

    // The texts must keep covering both outcomes and the edges of the range.
    QVERIFY(accepted > TextCount / 4);
    QVERIFY(refused > TextCount / 4);
    QVERIFY(overflow > 100);
    QVERIFY(underflow > 100);
    QVERIFY(longAccepted > 50);
    QVERIFY(longTexts - longAccepted > 50);
}

void TestNumberReference::writtenTextReadsBackRounded_data()
{
    QTest::addColumn<QChar>("separator");
    QTest::newRow("comma") << QChar(u',');
    QTest::newRow("point") << QChar(u'.');
}

void TestNumberReference::writtenTextReadsBackRounded()
{
    QFETCH(QChar, separator);
    const QString s = separator == u'.' ? QStringLiteral("\\.") : QStringLiteral(",");
    const QRegularExpression fixedForm(
        QStringLiteral("^-?(0|[1-9][0-9]*)(%1[0-9]*[1-9])?$").arg(s));
    const QRegularExpression exponentForm(
        QStringLiteral("^-?[1-9](%1[0-9]*[1-9])?E-?[1-9][0-9]*$").arg(s));

    constexpr double max = std::numeric_limits<double>::max();
    std::vector<double> values = {0.0,
                                  -0.0,
                                  max,
                                  -max,
                                  std::nextafter(max, 0.0),
                                  1.797693134862315e308,
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::denorm_min(),
                                  1e15,
                                  std::nextafter(1e15, 0.0),
                                  999999999999999.4,
                                  999999999999999.5,
                                  1e-4,
                                  std::nextafter(1e-4, 0.0),
                                  0.000099999999999999,
                                  0.00009999999999999949,
                                  0.00009999999999999951};
    SplitMix random{Seed};
    while (values.size() < ValueCount / 2) {
        const std::uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            values.push_back(value);
    }
    while (values.size() < ValueCount) {
        if (const std::optional<double> value = DecimalValue(random))
            values.push_back(*value);
    }

    int fixed = 0, exponent = 0, unreadable = 0;
    for (const double value : values) {
        const QString text = WriteNumber(value, separator);
        const auto fail = [&](const char *what) {
            return QStringLiteral("%1: %2 written as \"%3\"")
                .arg(QLatin1String(what), Describe(value), text)
                .toUtf8();
        };

        // The value rounded to 15 significant digits, and its form.
        char buffer[64];
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14)
                .ptr;
        double rounded = 0;
        const bool inRange = std::from_chars(buffer, end, rounded).ec == std::errc();
        const bool inFull = inRange && std::abs(rounded) >= 1e-4 && std::abs(rounded) < 1e15;

        if (value == 0) {
            if (text != u"0")
                QFAIL(fail("zero").constData());
        } else if (inFull) {
            ++fixed;
            if (!fixedForm.match(text).hasMatch())
                QFAIL(fail("not in full").constData());
        } else {
            ++exponent;
            if (!exponentForm.match(text).hasMatch())
                QFAIL(fail("not in exponent form").constData());
        }
        if (SignificantDigits(text.section(u'E', 0, 0)) > 15)
            QFAIL(fail("too many digits").constData());

        const std::optional<double> back = ReadNumber(text, separator);
        if (inRange) {
            if (!SameValue(back, rounded))
                QFAIL(fail("read back as something else").constData());
        } else {
            // The largest doubles round up past the double range; the text then
            // reads as an overflow, as any typed value beyond the range does.
            ++unreadable;
            if (back)
                QFAIL(fail("read back although beyond the range").constData());
        }
    }
    qInfo("separator '%c': %d values, %d written in full, %d in exponent form, "
          "%d rounded beyond the double range",
          char(separator.unicode()), int(values.size()), fixed, exponent, unreadable);
    QVERIFY(fixed > ValueCount / 5);
    QVERIFY(exponent > ValueCount / 5);
}

QTEST_GUILESS_MAIN(TestNumberReference)
#include "tst_number_reference.moc"
