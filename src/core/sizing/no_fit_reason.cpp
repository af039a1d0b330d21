#include "core/sizing/sizing.h"

#include "core/cabinet/cabinet_selection.h"
#include "core/catalogue/catalogue_blocks.h"
#include "core/selection/range_selection.h"
#include "core/selection/selection_modes.h"
#include "core/selection/working_selection.h"
#include "core/input/number_text.h"
#include "core/input/limit_compare.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// What a request's selection walks: the blocks and the pressure ceiling over all of them.
struct Walk {
    std::vector<CatalogueBlock> blocks;
    double ceiling = 0;
    bool checksPmin = false; // the cabinet points also have a lower pressure limit
};

Walk WalkOf(const SizingOutcome &outcome)
{
    const SizingRequest &r = outcome.request;
    const double pmaxAbs = outcome.pressures.PmaxAbs;
    if (AsksPressureRange(r.mode))
        return {RangeSelectionBlocks(r.mode, pmaxAbs, r.families),
                RangePressureCeiling(r.mode, r.families), false};
    if (AsksWorkingPressure(r.mode))
        return {WorkingPressureSelectionBlocks(r.mode, r.families), WorkingPressureCeiling(r.mode),
                false};
    if (r.mode == 5) {
        Walk walk{{}, CabinetPressureCeiling(), true};
        if (const auto reached = CabinetSelectionSlots(r.cabinet, r.options.variant))
            walk.blocks.push_back(*reached);
        return walk;
    }
    return {};
}

// A figure as the results window rounds it, in full where rounding would leave 0.
QString Figure(double value)
{
    const std::optional<double> rounded = Round3(value);
    return WriteNumber(rounded && (*rounded != 0 || value == 0) ? *rounded : value);
}

// A figure compared with a limit it passes, as Figure() writes it, or in full where the
// rounding would show it on the limit's side ("40" against a largest Qmax of 40).
QString FigureAbove(double value, double limit)
{
    const QString shown = Figure(value);
    const std::optional<double> back = ReadNumber(shown, LocaleDecimalSeparator());
    return back && limits::Above(*back, limit) ? shown : WriteNumber(value);
}

QString FigureBelow(double value, double limit)
{
    const QString shown = Figure(value);
    const std::optional<double> back = ReadNumber(shown, LocaleDecimalSeparator());
    return back && limits::Below(*back, limit) ? shown : WriteNumber(value);
}

using Rows = std::vector<const ProductRecord *>;

template <typename Keep>
Rows Narrowed(const Rows &rows, Keep keep)
{
    Rows kept;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(kept),
                 [&](const ProductRecord *row) { return keep(*row); });
    return kept;
}

// The smallest and the largest value of one field over the rows (not empty).
template <typename Field>
std::pair<double, double> Range(const Rows &rows, Field field)
{
    const auto [least, most] = std::minmax_element(
        rows.begin(), rows.end(),
        [&](const ProductRecord *a, const ProductRecord *b) { return field(*a) < field(*b); });
    return {field(**least), field(**most)};
}

} // namespace

QString NoFitReason(const SizingOutcome &outcome, const ProductCatalogue &catalogue)
{
    if (outcome.hasError() || !outcome.possible.empty() || !outcome.optimal.empty())
        return {};
    const PressureSet &p = outcome.pressures;
    // The upper absolute pressure is "Рср" when one pressure stands for both bounds.
    const QString upper = outcome.rangeLayout ? QStringLiteral("Pmax") : QStringLiteral("Рср");

    const Walk walk = WalkOf(outcome);
    if (walk.ceiling == 0)
        return QStringLiteral("Не выбрано ни одного типа изделий.");
    if (limits::Above(p.PmaxAbs, walk.ceiling))
        return QStringLiteral("Абсолютное давление %1 = %2 бар выше предела выбранных изделий (%3 бар).")
            .arg(upper, FigureAbove(p.PmaxAbs, walk.ceiling), Figure(walk.ceiling));

    Rows rows;
    for (const CatalogueBlock &block : walk.blocks) {
        for (int slot = block.first; slot <= block.last; ++slot) {
            if (!catalogue.at(slot).isEmpty())
                rows.push_back(&catalogue.at(slot));
        }
    }
    if (rows.empty())
        return QStringLiteral("Не выбрано ни одного типа изделий.");

    const auto pmax = [](const ProductRecord &row) { return row.Pmax; };
    const auto pmin = [](const ProductRecord &row) { return row.Pmin; };
    const auto qmax = [](const ProductRecord &row) { return row.Qmax; };
    const auto qmin = [](const ProductRecord &row) { return row.Qmin; };

    Rows kept = Narrowed(rows, [&](const ProductRecord &row) { return limits::AtMost(p.PmaxAbs, row.Pmax); });
    if (kept.empty()) {
        const double most = Range(rows, pmax).second;
        return QStringLiteral("Абсолютное давление %1 = %2 бар выше наибольшего Pmax выбранных изделий (%3 бар).")
            .arg(upper, FigureAbove(p.PmaxAbs, most), Figure(most));
    }
    if (walk.checksPmin) {
        rows = std::move(kept);
        kept = Narrowed(rows, [&](const ProductRecord &row) { return limits::AtLeast(p.PminAbs, row.Pmin); });
        if (kept.empty()) {
            const double least = Range(rows, pmin).first;
            return QStringLiteral("Абсолютное давление Pmin = %1 бар ниже наименьшего Pmin выбранных изделий (%2 бар).")
                .arg(FigureBelow(p.PminAbs, least), Figure(least));
        }
    }
    rows = std::move(kept);
    kept = Narrowed(rows, [&](const ProductRecord &row) { return limits::AtMost(p.QmaxWork, row.Qmax); });
    if (kept.empty()) {
        const double most = Range(rows, qmax).second;
        return QStringLiteral("Рабочий расход Qраб max = %1 куб.м/ч больше наибольшего Qmax выбранных изделий при этом давлении (%2 куб.м/ч).")
            .arg(FigureAbove(p.QmaxWork, most), Figure(most));
    }
    rows = std::move(kept);
    kept = Narrowed(rows, [&](const ProductRecord &row) { return limits::AtLeast(p.QminWork, row.Qmin); });
    if (kept.empty()) {
        const double least = Range(rows, qmin).first;
        return QStringLiteral("Рабочий расход Qраб min = %1 куб.м/ч меньше наименьшего Qmin выбранных изделий, пропускающих Qраб max (%2 куб.м/ч).")
            .arg(FigureBelow(p.QminWork, least), Figure(least));
    }
    return QStringLiteral("Ни одно из выбранных изделий не подходит под введенные данные.");
}
