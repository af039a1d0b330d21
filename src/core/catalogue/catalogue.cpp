#include "core/catalogue/catalogue.h"

#include "core/gas/gas_error.h"
#include "core/input/number_text.h"

#include <QtGlobal>

#include <cstddef>
#include <iterator>
#include <optional>
#include <span>
#include <utility>

// The catalogue is written from the maker's size tables: each table row is one
// size variant, and the placement loops below put every variant into the blocks
// of the product lines built on it. An empty price (none) means the product line
// has no such variant, so no row is written for it.

namespace {

using Price = std::optional<double>;
constexpr Price none = std::nullopt;

QString text(const char16_t *literal) { return QString::fromUtf16(literal); }

// Designations carry whole flows only, so the separator never shows; the comma
// matches the rest of the designation ("0,75", "1,6").
QString flowText(double qmax) { return WriteNumber(qmax, QLatin1Char(',')); }

// The gas-meter G-size series and the maximum flow of each size.
enum class GSize { G6, G10, G16, G25, G40, G65, G100, G160, G250, G400, G650, G1000, G1600, G2500, G4000 };

struct GSizeInfo {
    const char16_t *label;
    double qmax;
};

constexpr GSizeInfo GSeries[] = {
    {u"G6", 10},     {u"G10", 16},     {u"G16", 25},     {u"G25", 40},     {u"G40", 65},
    {u"G65", 100},   {u"G100", 160},   {u"G160", 250},   {u"G250", 400},   {u"G400", 650},
    {u"G650", 1000}, {u"G1000", 1600}, {u"G1600", 2500}, {u"G2500", 4000}, {u"G4000", 6500},
};

constexpr const GSizeInfo &info(GSize size) { return GSeries[static_cast<std::size_t>(size)]; }

// Pressure classes of the complexes, per pressure rating, in row order.
struct PressureClass {
    const char16_t *code;
    double pmin;
    double pmax;
};

struct PressureRating {
    const char16_t *code;
    std::span<const PressureClass> classes;
};

constexpr PressureClass Classes16[] = {
    {u"0,2", 0.8, 2}, {u"0,5", 1, 5}, {u"0,75", 1.5, 7.5}, {u"1,0", 2, 10}, {u"2,0", 4, 20},
};
constexpr PressureClass Classes75[] = {
    {u"2,0", 4, 20}, {u"5,5", 11, 55}, {u"7,0", 14, 70},
};
constexpr PressureRating Rating16{u"1,6", Classes16};
constexpr PressureRating Rating75{u"7,5", Classes75};

// Complex type codes by meter line.
constexpr const char16_t *RotaryType = u"Р";
constexpr const char16_t *Turbine1Type = u"Т1";
constexpr const char16_t *Turbine2Type = u"Т2";

// Rotary base: complexes, the meters themselves, and the temperature-corrected
// complexes. Variants without a meter size carry complexes only.
struct RotaryVariant {
    double flow;
    int dn;
    double qmin;
    Price complex16;
    std::optional<GSize> meter;
    Price meterPrice;
    Price tempComplexPrice;

    constexpr double qmax() const { return flow; }
};

// Qmax, DN, Qmin, complex "1,6", meter size, meter price, temperature-corrected complex price.
constexpr RotaryVariant RotaryVariants[] = {
    {25, 50, 1.3, 79400, GSize::G16, 28400, 42900}, // A1
    {40, 50, 2, 79400, GSize::G25, 28400, 42900}, // A2
    {40, 50, 0.8, 82350, GSize::G25, 31350, 45850}, // A3
    {65, 50, 3, 79400, GSize::G40, 28400, 42900}, // A4
    {65, 50, 1.3, 82350, GSize::G40, 31350, 45850}, // A5
    {100, 50, 5, 79400, GSize::G65, 28400, 42900}, // A6
    {100, 50, 2, 82350, GSize::G65, 31350, 45850}, // A7
    {100, 50, 1, 83525, GSize::G65, 32525, 47025}, // A8
    {160, 80, 8, 87800, GSize::G100, 35300, 49850}, // A9
    {160, 80, 3, 90750, GSize::G100, 35350, 52800}, // A10
    {160, 80, 1.6, 91925, GSize::G100, 39425, 53975}, // A11
    {250, 80, 13, 100750, std::nullopt, none, none}, // A12
    {250, 80, 5, 103700, std::nullopt, none, none}, // A13
    {250, 80, 2.5, 104875, std::nullopt, none, none}, // A14
    {400, 100, 20, 125650, GSize::G250, 71800, 86400}, // A15
    {400, 100, 8, 128600, GSize::G250, 74750, 89350}, // A16
    {400, 100, 4, 129775, GSize::G250, 75925, 90525}, // A17
    {650, 150, 32, 148200, GSize::G400, 100600, 117200}, // A18
    {650, 150, 13, 151150, GSize::G400, 104550, 120150}, // A19
    {650, 150, 6.5, 152325, GSize::G400, 104725, 121325}, // A20
    {650, 100, 32, 148200, GSize::G400, 100600, 117200}, // A21
    {650, 100, 13, 151150, GSize::G400, 104550, 120150}, // A22
    {650, 100, 6.5, 152325, GSize::G400, 104725, 121325}, // A23
};

// A variant has a meter exactly when it has meter prices, and the meter's flow
// is the one of its G size.
constexpr bool rotaryMetersMatchTheirFlow()
{
    for (const RotaryVariant &v : RotaryVariants) {
        if (v.meter.has_value() != v.meterPrice.has_value() || v.meter.has_value() != v.tempComplexPrice.has_value())
            return false;
        if (v.meter && info(*v.meter).qmax != v.flow)
            return false;
    }
    return true;
}
static_assert(rotaryMetersMatchTheirFlow());

// First turbine line, named by flow.
struct Turbine1Variant {
    double flow;
    int dn;
    double qmin;
    Price complex16;
    Price complex75;
    Price meter16Price;
    Price meter75Price;
    Price tempComplexPrice;

    constexpr double qmax() const { return flow; }
};

// Qmax, DN, Qmin, complex "1,6", complex "7,5", meter 16 bar, meter 75 bar, temperature-corrected
// complex.
constexpr Turbine1Variant Turbine1Variants[] = {
    {100, 50, 10, 84630, none, 22760, none, 46180}, // B1
    {250, 80, 25, 88670, 116488, 28770, 52888, 49220}, // B2
    {250, 80, 12.5, 88670, 116488, 28770, 52888, 49220}, // B3
    {400, 100, 40, 92755, 122623, 34785, 59213, 52305}, // B4
    {400, 100, 20, 92755, 122623, 34785, 59213, 52305}, // B5
    {650, 100, 65, 94910, 127120, 36940, 63820, 54510}, // B6
    {650, 100, 32.5, 94910, 127120, 36940, 63820, 54510}, // B7
    {800, 150, 80, 97110, 132360, 39080, 68420, 56660}, // B8
    {800, 150, 40, 97110, 132360, 39080, 68420, 56660}, // B9
    {1000, 150, 100, 99665, 157754, 42315, 89924, 59915}, // B10
    {1000, 150, 50, 99665, 157754, 42315, 89924, 59915}, // B11
    {1600, 200, 160, 127520, 0, 72870, 0, 90820}, // B12
    {1600, 200, 80, 127520, 0, 72870, 0, 90820}, // B13
    {2500, 200, 250, 134275, 0, 77175, 0, 95225}, // B14
    {2500, 200, 125, 134275, 0, 77175, 0, 95225}, // B15
};

// Second turbine line, named by G size. Its temperature-corrected complexes
// have no list price.
struct Turbine2Variant {
    GSize size;
    int dn;
    double qmin;
    Price complex16;
    Price complex75;
    Price meter16Price;
    Price meterHighPrice;

    constexpr double qmax() const { return info(size).qmax; }
};

// Size, DN, Qmin, complex "1,6", complex "7,5", meter "/1,6", high-pressure meter.
constexpr Turbine2Variant Turbine2Variants[] = {
    {GSize::G160, 80, 13, 100680, 0, 48380, 0}, // C1  Qmax 250
    {GSize::G160, 100, 25, 112780, 0, 60480, 0}, // C2  Qmax 250
    {GSize::G250, 80, 20, 101720, 0, 49420, 0}, // C3  Qmax 400
    {GSize::G250, 80, 13, 105270, 0, 52970, 0}, // C4  Qmax 400
    {GSize::G250, 100, 40, 113810, 0, 61510, 0}, // C5  Qmax 400
    {GSize::G400, 100, 32, 114850, 0, 62550, 0}, // C6  Qmax 650
    {GSize::G400, 100, 20, 118400, 0, 66100, 0}, // C7  Qmax 650
    {GSize::G400, 150, 32, 143530, 0, 91230, 0}, // C8  Qmax 650
    {GSize::G650, 150, 50, 145260, 0, 92960, 0}, // C9  Qmax 1000
    {GSize::G650, 150, 32, 148810, 0, 96510, 0}, // C10  Qmax 1000
    {GSize::G1000, 150, 80, 146990, 0, 94690, 0}, // C11  Qmax 1600
    {GSize::G1000, 150, 50, 150540, 0, 98240, 0}, // C12  Qmax 1600
    {GSize::G1600, 250, 130, 0, 0, 0, 0}, // C13  Qmax 2500
    {GSize::G2500, 250, 200, 418760, 479100, 366460, 426800}, // C14  Qmax 4000
    {GSize::G2500, 250, 130, 422310, 482650, 370010, 430350}, // C15  Qmax 4000
    {GSize::G2500, 300, 200, 481200, 532000, 428900, 479700}, // C16  Qmax 4000
    {GSize::G4000, 300, 320, 503120, 549500, 450820, 497200}, // C17  Qmax 6500
    {GSize::G4000, 300, 200, 506670, 553050, 454370, 500750}, // C18  Qmax 6500
};

// The high-pressure meters of the second turbine line are "/10" (100 bar) up to
// this variant and "/6.3" (63 bar) above it.
constexpr int LastHundredBarVariant = 13;

// Utility meters, placed one by one.
struct UtilityRow {
    int slot;
    const char16_t *name;
    int dn;
    double qmax;
    double qmin;
    double price;
};

constexpr UtilityRow UtilityRows[] = {
    {1101, u"NM G6", 25, 10, 0.06, 62.5},
    {1102, u"PIX G6", 25, 10, 0.06, 34.2},
    {1103, u"NM G10", 25, 16, 0.1, 185},
    {1104, u"NM G10", 40, 16, 0.1, 185},
    {1105, u"NM G16", 40, 25, 0.16, 231.6},
    {1106, u"NM G25", 50, 40, 0.25, 280},
    {1151, u"NM G6T", 25, 10, 0.06, 62.5},
    {1152, u"NM G10T(мех)", 25, 16, 0.1, 210},
    {1153, u"NM G10T(элек)", 40, 16, 0.1, 450},
    {1154, u"NM G16T", 40, 25, 0.16, 470},
    {1155, u"NM G25T", 50, 40, 0.25, 520},
};

// Cabinet metering points: six sizes in each of four executions.
struct CabinetSize {
    const char16_t *label;
    int dn;
    double qmax;
    double qmin;
    double prices[4]; // in the order of CabinetExecutions
};

struct CabinetExecution {
    const char16_t *code;
    int firstSlot;
};

constexpr CabinetExecution CabinetExecutions[] = {
    {u"Р", 1201}, {u"Ш", 1301}, {u"ШУГО", 1401}, {u"ШУЭО", 1501},
};

constexpr CabinetSize CabinetSizes[] = {
    {u"100-исп.1", 50, 100, 1, {160000, 175000, 180000, 180000}},
    {u"100-исп.2", 50, 100, 1, {170000, 185000, 190000, 190000}},
    {u"160", 80, 160, 1.6, {215000, 230000, 245000, 245000}},
    {u"250", 80, 250, 2.5, {230000, 245000, 255000, 255000}},
    {u"400", 100, 400, 4, {230000, 265000, 280000, 280000}},
    {u"650", 100, 650, 6.5, {310000, 325000, 340000, 340000}},
};

// Reducing and metering-and-reducing cabinet points, one slot each.
struct ReducingRow {
    int slot;
    const char16_t *name;
    double pmax;
    double qmax;
    double qmin;
    double price;
};

constexpr ReducingRow ReducingRows[] = {
    {1601, u"ЛЕМА-Р-500", 16, 500, 0, 120000},
    {1602, u"ЛЕМА-Ш-500", 6, 500, 0, 135000},
    {1603, u"ЛЕМА-ШУГО-500", 6, 500, 0, 140000},
    {1604, u"ЛЕМА-ШУЭО-500", 6, 500, 0, 140000},
    {1701, u"ОРНИК-Р-100", 6, 100, 1, 195000},
    {1702, u"ОРНИК-Ш-100", 6, 100, 1, 220000},
    {1703, u"ОРНИК-ШУГО-100", 6, 100, 1, 225000},
    {1704, u"ОРНИК-ШУЭО-100", 6, 100, 1, 225000},
};

ProductRecord meterRecord(QString name, int dn, double pmax, double qmax, double qmin, double price)
{
    return ProductRecord{std::move(name), dn, 0, pmax, qmax, qmin, price};
}

// Writes one complex per pressure class for every variant that the line holds.
// The classes of variant v start at firstSlot + stride * (v - firstVariant).
template <typename Variant, std::size_t N, typename Put>
void placeComplexes(const Variant (&variants)[N], Price Variant::*price, const char16_t *type,
                    const PressureRating &rating, int firstSlot, int firstVariant, int stride, Put &&put)
{
    for (std::size_t i = 0; i < N; ++i) {
        const Variant &variant = variants[i];
        if (!(variant.*price))
            continue;
        const int v = static_cast<int>(i) + 1;
        int index = firstSlot + stride * (v - firstVariant);
        for (const PressureClass &cls : rating.classes) {
            const QString name = QStringLiteral("ВЕЛОНВз-") + text(type) + u'-' + text(cls.code) + u'-'
                + flowText(variant.qmax()) + u'/' + text(rating.code);
            put(index++, ProductRecord{name, variant.dn, cls.pmin, cls.pmax, variant.qmax(), variant.qmin,
                                       *(variant.*price)});
        }
    }
}

} // namespace

const ProductRecord &ProductCatalogue::at(int index) const
{
    Q_ASSERT(index >= FirstSlot && index <= LastSlot);
    return rows_[static_cast<std::size_t>(index - FirstSlot)];
}

void ProductCatalogue::PrepareFigureTexts(QChar separator)
{
    figureSeparator_ = separator;
    figureTexts_.assign(rows_.size(), {});
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const ProductRecord &r = rows_[i];
        if (r.isEmpty())
            continue;
        figureTexts_[i] = {WriteNumber(r.DN, separator),   WriteNumber(r.Pmin, separator),
                           WriteNumber(r.Pmax, separator), WriteNumber(r.Qmax, separator),
                           WriteNumber(r.Qmin, separator), WriteNumber(r.Price, separator),
                           gas::MessageNumber(r.Pmin),     gas::MessageNumber(r.Pmax)};
    }
}

const ProductFigureTexts *ProductCatalogue::figureTexts(int index, QChar separator) const
{
    if (figureTexts_.empty() || separator != figureSeparator_)
        return nullptr;
    Q_ASSERT(index >= FirstSlot && index <= LastSlot);
    return &figureTexts_[static_cast<std::size_t>(index - FirstSlot)];
}

ProductRecord &ProductCatalogue::slot(int index)
{
    Q_ASSERT(index >= FirstSlot && index <= LastSlot);
    return rows_[static_cast<std::size_t>(index - FirstSlot)];
}

int ProductCatalogue::usedCount() const
{
    int used = 0;
    for (const ProductRecord &row : rows_)
        if (!row.isEmpty())
            ++used;
    return used;
}

void ProductCatalogue::Fill()
{
    rows_.fill(ProductRecord{});
    const auto put = [this](int index, ProductRecord row) {
        Q_ASSERT(slot(index).isEmpty()); // two rules never share a slot
        slot(index) = std::move(row);
    };

    // Complexes with temperature-and-pressure correction.
    placeComplexes(RotaryVariants, &RotaryVariant::complex16, RotaryType, Rating16, 1, 1, 5, put);
    placeComplexes(Turbine1Variants, &Turbine1Variant::complex16, Turbine1Type, Rating16, 201, 1, 5, put);
    placeComplexes(Turbine1Variants, &Turbine1Variant::complex75, Turbine1Type, Rating75, 301, 2, 3, put);
    placeComplexes(Turbine2Variants, &Turbine2Variant::complex16, Turbine2Type, Rating16, 405, 1, 5, put);
    // Three classes in steps of five: the two slots after each variant stay empty.
    placeComplexes(Turbine2Variants, &Turbine2Variant::complex75, Turbine2Type, Rating75, 605, 1, 5, put);

    // Rotary meters and their temperature-corrected complexes fill their blocks
    // without gaps, skipping the variants that have no meter.
    int rotarySlot = 0;
    for (const RotaryVariant &v : RotaryVariants) {
        if (!v.meterPrice)
            continue;
        const GSizeInfo &size = info(*v.meter);
        const QString meter = QStringLiteral("ZAM ") + text(size.label);
        put(801 + rotarySlot, meterRecord(meter, v.dn, 16, size.qmax, v.qmin, *v.meterPrice));
        put(1801 + rotarySlot, meterRecord(meter + QStringLiteral("+KQ730"), v.dn, 6, size.qmax, v.qmin,
                                           *v.tempComplexPrice));
        ++rotarySlot;
    }

    // First turbine line meters sit at block origin + variant number.
    for (std::size_t i = 0; i < std::size(Turbine1Variants); ++i) {
        const Turbine1Variant &v = Turbine1Variants[i];
        const int n = static_cast<int>(i) + 1;
        const QString flow = flowText(v.qmax());
        if (v.meter16Price)
            put(900 + n, meterRecord(QStringLiteral("ЗЕТ-16М(МТ)-") + flow, v.dn, 16, v.qmax(), v.qmin, *v.meter16Price));
        if (v.meter75Price)
            put(950 + n, meterRecord(QStringLiteral("ЗЕТ-75М-") + flow, v.dn, 75, v.qmax(), v.qmin, *v.meter75Price));
        if (v.tempComplexPrice)
            put(1900 + n, meterRecord(QStringLiteral("МАРИН/") + flow, v.dn, 6, v.qmax(), v.qmin, *v.tempComplexPrice));
    }

    // Second turbine line meters: the first slot of each block is left free,
    // except in the temperature-corrected block, which opens with one extra row.
    put(1951, meterRecord(QStringLiteral("KEL G100+KQ730"), 80, 6, info(GSize::G100).qmax, 16, 0));
    for (std::size_t i = 0; i < std::size(Turbine2Variants); ++i) {
        const Turbine2Variant &v = Turbine2Variants[i];
        const int n = static_cast<int>(i) + 1;
        const QString meter = QStringLiteral("KEL ") + text(info(v.size).label);
        if (v.meter16Price)
            put(1001 + n, meterRecord(meter + QStringLiteral("/1,6"), v.dn, 16, v.qmax(), v.qmin, *v.meter16Price));
        if (v.meterHighPrice) {
            const bool hundredBar = n <= LastHundredBarVariant;
            put(1051 + n, meterRecord(meter + (hundredBar ? QStringLiteral("/10") : QStringLiteral("/6.3")), v.dn,
                                      hundredBar ? 100 : 63, v.qmax(), v.qmin, *v.meterHighPrice));
        }
        put(1951 + n, meterRecord(meter + QStringLiteral("+KQ730"), v.dn, 6, v.qmax(), v.qmin, 0));
    }

    for (const UtilityRow &row : UtilityRows)
        put(row.slot, ProductRecord{text(row.name), row.dn, 0, 1.5, row.qmax, row.qmin, row.price});

    for (std::size_t e = 0; e < std::size(CabinetExecutions); ++e) {
        const CabinetExecution &execution = CabinetExecutions[e];
        int index = execution.firstSlot;
        for (const CabinetSize &size : CabinetSizes)
            put(index++, ProductRecord{QStringLiteral("ТИВ-") + text(execution.code) + u'-' + text(size.label),
                                       size.dn, 0, 16, size.qmax, size.qmin, size.prices[e]});
    }

    for (const ReducingRow &row : ReducingRows)
        put(row.slot, ProductRecord{text(row.name), 50, 0, row.pmax, row.qmax, row.qmin, row.price});
}
