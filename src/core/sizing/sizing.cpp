#include "core/sizing/sizing.h"

#include "core/cabinet/cabinet_captions.h"
#include "core/pressure/pressure_bounds.h"
#include "core/selection/candidate_load.h"
#include "core/selection/product_lines.h"
#include "core/selection/selection_modes.h"
#include "core/selection/working_selection.h"
#include "core/sizing/candidate_checks.h"
#include "core/input/flow_range_input.h"
#include "core/input/message_texts.h"
#include "core/input/number_text.h"

#include <algorithm>
#include <cmath>

namespace {

const QString RangeUnderQmax = QStringLiteral("Pmin+Patm");
const QString RangeUnderQmin = QStringLiteral("Pmax+Patm");
const QString SingleDenominator = QStringLiteral("Pср+Patm");

// A value of the step, kept only when it is a finite number.
bool StoreFinite(double &target, double value)
{
    if (!std::isfinite(value))
        return false;
    target = value;
    return true;
}

// A rounded value's text; empty when the value cannot be rounded.
std::optional<QString> RoundedText(double value, QChar separator)
{
    const auto rounded = Round3(value);
    if (!rounded)
        return std::nullopt;
    return WriteNumber(*rounded, separator);
}

// The working-flow texts; false (and the field) at the first that cannot be rounded.
bool WriteWorkingFlows(SizingOutcome &out, InputField &failed)
{
    out.texts.qmaxWork = RoundedText(out.pressures.QmaxWork, out.texts.separator);
    if (!out.texts.qmaxWork) {
        failed = InputField::Qmax;
        return false;
    }
    out.texts.qminWork = RoundedText(out.pressures.QminWork, out.texts.separator);
    if (!out.texts.qminWork) {
        failed = InputField::Qmin;
        return false;
    }
    return true;
}

bool WriteRangePressures(SizingOutcome &out, InputField &failed)
{
    const PressureSet &p = out.pressures;
    out.texts.rangeLayout = true;
    out.texts.pmaxGauge = WriteNumber(p.PmaxGauge, out.texts.separator);
    out.texts.pminGauge = WriteNumber(p.PminGauge, out.texts.separator);
    out.texts.pmaxAbs = RoundedText(p.PmaxAbs, out.texts.separator);
    if (!out.texts.pmaxAbs) {
        failed = InputField::Pmax;
        return false;
    }
    out.texts.pminAbs = RoundedText(p.PminAbs, out.texts.separator);
    if (!out.texts.pminAbs) {
        failed = InputField::Pmin;
        return false;
    }
    return true;
}

bool WriteSinglePressure(SizingOutcome &out, InputField &failed)
{
    out.texts.rangeLayout = false;
    out.texts.workingGauge = WriteNumber(out.pressures.PmaxGauge, out.texts.separator);
    out.texts.workingAbs = RoundedText(out.pressures.PmaxAbs, out.texts.separator);
    if (!out.texts.workingAbs) {
        failed = InputField::WorkingPressure;
        return false;
    }
    return true;
}

// The working flows from the absolute pressures; the field a failure concerns.
bool WorkingFlows(SizingOutcome &out, InputField lowerField, InputField &failed)
{
    if (ToWorkingFlows(out.pressures, out.qmaxStd, out.qminStd))
        return true;
    failed = out.pressures.PminAbs > 0 && out.pressures.PmaxAbs > 0 ? InputField::Qmax : lowerField;
    return false;
}

// Modes 1 and 3, a range: the bounds are read, put in order by their value in bar
// (each number with its unit) and converted.
bool ReadRange(SizingOutcome &out, InputField &failed)
{
    SizingRequest &shown = out.request;
    PressureSet &p = out.pressures;
    out.texts.denominators = std::pair(RangeUnderQmax, RangeUnderQmin);

    const std::optional<double> upper = ReadNumber(shown.pmax.text, out.texts.separator);
    if (!upper) {
        failed = InputField::Pmax;
        return false;
    }
    p.PmaxGauge = *upper;
    const std::optional<double> lower = ReadNumber(shown.pmin.text, out.texts.separator);
    if (!lower) {
        failed = InputField::Pmin;
        return false;
    }
    p.PminGauge = *lower;

    FailedBound bound = FailedBound::Upper;
    const auto bounds = OrderPressureBounds(*upper, shown.pmax.unit, *lower, shown.pmin.unit, &bound);
    if (!bounds) {
        failed = bound == FailedBound::Upper ? InputField::Pmax : InputField::Pmin;
        return false;
    }
    out.boundsExchanged = bounds->exchanged;
    if (bounds->exchanged) {
        shown.pmax = {WriteNumber(bounds->upper.typed, out.texts.separator), bounds->upper.unit};
        shown.pmin = {WriteNumber(bounds->lower.typed, out.texts.separator), bounds->lower.unit};
    }
    p.PmaxGauge = bounds->upper.bar;
    p.PminGauge = bounds->lower.bar;
    shown.working.unit = -1;
    return true;
}

// Modes 1 and 3, one working pressure for both bounds.
bool ReadSingle(SizingOutcome &out, InputField &failed)
{
    SizingRequest &shown = out.request;
    PressureSet &p = out.pressures;
    out.texts.denominators = std::pair(SingleDenominator, SingleDenominator);
    failed = InputField::WorkingPressure;

    const std::optional<double> typed = ReadNumber(shown.working.text, out.texts.separator);
    if (!typed)
        return false;
    p.PmaxGauge = *typed;
    p.PminGauge = *typed;
    const double bar = PressureToBar(shown.working.unit, *typed);
    if (!std::isfinite(bar))
        return false;
    p.PmaxGauge = bar;
    p.PminGauge = bar;
    shown.pmax.unit = -1;
    shown.pmin.unit = -1;
    failed = InputField::None;
    return true;
}

// The field a refusal of an ordered bound concerns: the one its value was typed in.
InputField TypedField(InputField field, bool exchanged)
{
    if (!exchanged)
        return field;
    if (field == InputField::Pmax)
        return InputField::Pmin;
    if (field == InputField::Pmin)
        return InputField::Pmax;
    return field;
}

QString TypedKey(const QString &key, bool exchanged)
{
    if (exchanged && key == u"pmax")
        return QStringLiteral("pmin");
    if (exchanged && key == u"pmin")
        return QStringLiteral("pmax");
    return key;
}

// Modes 1 and 3: the pressure-range dialog's input step.
bool EnterPressureRange(SizingOutcome &out, InputField &failed)
{
    const bool range = out.request.range;
    if (!(range ? ReadRange(out, failed) : ReadSingle(out, failed)))
        return false;
    PressureSet &p = out.pressures;
    p.PmaxAbs = ToAbsolute(p.PmaxGauge);
    p.PminAbs = ToAbsolute(p.PminGauge);
    const bool entered =
        WorkingFlows(out, range ? InputField::Pmin : InputField::WorkingPressure, failed)
        && WriteWorkingFlows(out, failed)
        && (range ? WriteRangePressures(out, failed) : WriteSinglePressure(out, failed));
    if (!entered)
        failed = TypedField(failed, out.boundsExchanged);
    return entered;
}

// Modes 2 and 4: the working-pressure dialog's input step. One pressure serves as
// both bounds.
bool EnterWorkingPressure(SizingOutcome &out, InputField &failed)
{
    PressureSet &p = out.pressures;
    out.texts.denominators = std::pair(SingleDenominator, SingleDenominator);
    failed = InputField::WorkingPressure;

    const std::optional<double> typed = ReadNumber(out.request.working.text, out.texts.separator);
    if (!typed)
        return false;
    p.PmaxGauge = *typed;
    p.PminGauge = *typed;
    const int unit = out.request.working.unit;
    if (!StoreFinite(p.PmaxGauge, PressureToBar(unit, p.PmaxGauge))
        || !StoreFinite(p.PminGauge, PressureToBar(unit, p.PminGauge))
        || !StoreFinite(p.PmaxAbs, ToAbsolute(p.PmaxGauge))
        || !StoreFinite(p.PminAbs, ToAbsolute(p.PminGauge)))
        return false;
    // An absolute pressure of 0 bar or below has no working flow.
    if (!WorkingFlows(out, InputField::WorkingPressure, failed))
        return false;
    if (!WriteWorkingFlows(out, failed))
        return false;
    failed = InputField::None;
    return WriteSinglePressure(out, failed);
}

// The first option group of a cabinet form that has no choice.
InputField UnchosenOption(const SizingRequest &request)
{
    const CabinetOptions &o = request.options;
    if (o.variant < 1 || o.variant > 4)
        return InputField::Variant;
    if (o.side < 1 || o.side > 2)
        return InputField::Side;
    if (CabinetHasBypass(request.cabinet) && (o.bypass < 1 || o.bypass > 2))
        return InputField::Bypass;
    if (o.gauges < 1 || o.gauges > 2)
        return InputField::Gauges;
    return InputField::None;
}

void Refuse(SizingOutcome &out, InputField field)
{
    out.accepted = false;
    out.errorField = field;
    out.error = Messages::BadInput();
    out.messages.push_back({SizingMessage::Kind::Error, out.error});
}

void Doubt(SizingOutcome &out)
{
    out.wideRange = true;
    out.messages.push_back({SizingMessage::Kind::Warning, Messages::WideRange()});
}

// The figure of the conditions a refusal concerns, as the windows point at it.
InputField FieldOfConditionsKey(const QString &key, bool range)
{
    if (key == u"pmax")
        return range ? InputField::Pmax : InputField::WorkingPressure;
    if (key == u"pmin")
        return range ? InputField::Pmin : InputField::WorkingPressure;
    return InputField::Conditions;
}

// Under real conditions the converted values are worked out again from the gauge
// pressures and written over the catalogue's; false when a figure was refused (the
// refusal recorded), under the catalogue's conversion too.
bool ConvertAtConditions(SizingOutcome &out)
{
    const SizingConditions &conditions = out.request.conditions;
    // The catalogue's conversion keeps its values; the load target is still checked.
    const auto refused = conditions.method == ConversionMethod::Simple
        ? CheckConditions(conditions)
        : ApplyConditions(conditions, out.qmaxStd, out.qminStd, out.pressures, out.conditions);
    if (refused) {
        out.accepted = false;
        const QString key = TypedKey(refused->key, out.boundsExchanged);
        out.errorField = FieldOfConditionsKey(key, out.rangeLayout);
        out.errorKey = key;
        if (!out.rangeLayout && (refused->key == u"pmax" || refused->key == u"pmin"))
            out.errorKey = QStringLiteral("p");
        out.error = refused->message;
        out.messages.push_back({SizingMessage::Kind::Error, out.error});
        return false;
    }
    if (conditions.method == ConversionMethod::Simple)
        return true;
    InputField failed = InputField::None;
    const bool written = WriteWorkingFlows(out, failed)
        && (out.rangeLayout ? WriteRangePressures(out, failed) : WriteSinglePressure(out, failed));
    if (!written)
        Refuse(out, TypedField(failed, out.boundsExchanged));
    return written;
}

// Mode 5: the cabinet form's "Далее".
void SizeCabinet(SizingOutcome &out)
{
    SizingRequest &shown = out.request;
    InputField failed = InputField::None;
    const bool computed =
        ReadCabinetInput(shown.entries, out.qmaxStd, out.qminStd, out.pressures, &failed,
                         &out.boundsExchanged, out.texts.separator);
    out.rangeLayout = true;

    bool panels = false;
    if (computed) {
        out.texts.denominators = std::pair(RangeUnderQmax, RangeUnderQmin);
        out.texts.qmaxStd = WriteNumber(out.qmaxStd, out.texts.separator);
        out.texts.qminStd = WriteNumber(out.qminStd, out.texts.separator);
        panels = WriteWorkingFlows(out, failed) && WriteRangePressures(out, failed);
        if (!panels)
            failed = TypedField(failed, out.boundsExchanged);
    }
    if (panels && !ConvertAtConditions(out))
        return;
    if (panels) {
        const InputField unchosen = UnchosenOption(shown);
        out.accepted = unchosen == InputField::None;
        if (!out.accepted)
            Refuse(out, unchosen);
        if (IsWideRange(out.pressures))
            Doubt(out);
    } else {
        Refuse(out, failed);
    }
}

QString OptionCaption(const QStringList &captions, int chosen)
{
    return chosen >= 1 && chosen <= captions.size() ? captions[chosen - 1] : QString();
}

void NameTheChoice(SizingOutcome &out)
{
    const SizingRequest &r = out.request;
    out.categoryCaption = CategoryCaption(r.mode);
    if (r.mode != 5) {
        out.familyCaptions = ChosenFamilyCaptions(r.mode, r.families);
        return;
    }
    out.cabinetCaption = CabinetKindCaption(r.cabinet);
    out.variantCaption = CabinetVariantCaption(r.cabinet, r.options.variant);
    out.optionCaptions << OptionCaption(SideCaptions(), r.options.side);
    if (CabinetHasBypass(r.cabinet))
        out.optionCaptions << OptionCaption(BypassCaptions(), r.options.bypass);
    out.optionCaptions << OptionCaption(GaugeCaptions(), r.options.gauges);
}

std::vector<Candidate> Candidates(const std::vector<int> &found, const SizingOutcome &out,
                                  const ProductCatalogue &catalogue)
{
    std::vector<Candidate> list;
    list.reserve(found.size());
    const CandidateChecks checks(out.request.mode, out.request.conditions.maxLoad, out.pressures.PminAbs,
                                 out.pressures.PmaxAbs, out.request.conditions.maxInletVelocity);
    for (const int slot : found) {
        // A row of the possible variants is taken as it is, numbered in this list.
        const auto known = std::find_if(out.possible.begin(), out.possible.end(),
                                        [slot](const Candidate &c) { return c.slot == slot; });
        if (known != out.possible.end()) {
            list.push_back(*known);
            list.back().cells[0] = RowNumberText(static_cast<int>(list.size()), out.texts.separator);
            continue;
        }
        Candidate c;
        c.slot = slot;
        c.record = catalogue.at(slot);
        const ProductFigureTexts *figures = catalogue.figureTexts(slot, out.texts.separator);
        c.cells = figures ? FormatResultRow(static_cast<int>(list.size()) + 1, c.record, *figures, out.texts.separator)
                          : FormatResultRow(static_cast<int>(list.size()) + 1, c.record, out.texts.separator);
        c.loadPercent = LoadPercent(out.pressures.QmaxWork, c.record);
        c.qminMargin = QminMargin(out.pressures.QminWork, c.record);
        c.inletVelocity = InletVelocity(out.pressures.QmaxWork, c.record.DN);
        c.flags = checks.flags(c.record, c.loadPercent, figures, c.inletVelocity);
        list.push_back(std::move(c));
    }
    return list;
}

// When the optimal choice honours the checks, a line's optimal is its first fitting
// row that passes them; a line whose rows all fail shows none, and the reason names
// the checks of its smallest row.
QString HonourChecks(SizingOutcome &out)
{
    std::vector<int> optimal;
    QStringList refused;
    for (std::size_t i = 0; i < out.possible.size(); ++i) {
        const int line = LineOf(out.possible[i].slot);
        if (i > 0 && LineOf(out.possible[i - 1].slot) == line)
            continue; // not the first row of its line
        std::size_t j = i;
        while (j < out.possible.size() && LineOf(out.possible[j].slot) == line
               && !out.possible[j].flags.isEmpty())
            ++j;
        if (j < out.possible.size() && LineOf(out.possible[j].slot) == line)
            optimal.push_back(out.possible[j].slot);
        else
            refused << QStringLiteral("«%1»: %2").arg(out.possible[i].record.Name,
                                                     out.possible[i].flags.join(QStringLiteral("; ")));
    }
    out.selection.optimal = optimal;
    if (refused.isEmpty())
        return {};
    return QStringLiteral("Оптимальный вариант не выбран в рядах, где ни одно изделие не проходит "
                          "проверки: %1.")
        .arg(refused.join(QStringLiteral("; ")));
}

SelectionResult Select(const SizingOutcome &out, const ProductCatalogue &catalogue)
{
    const SizingRequest &r = out.request;
    const PressureSet &p = out.pressures;
    if (AsksPressureRange(r.mode))
        return RangeSelection(catalogue, r.mode, p.PmaxAbs, p.QmaxWork, p.QminWork, r.families);
    if (AsksWorkingPressure(r.mode))
        return WorkingPressureSelection(catalogue, r.mode, p, r.families);
    if (r.mode == 5)
        return CabinetSelection(catalogue, r.cabinet, r.options.variant, p);
    return {};
}

// The outcome before the step: the request, the time of the run, the values it
// starts from and the currency of the mode.
SizingOutcome Begin(const SizingRequest &request)
{
    SizingOutcome out;
    out.request = request;
    // The catalogue's own conversion: 1 bar of atmosphere, the gas at 20 °C, Z = 1.
    out.conditions.pAtm = 100;
    // Kept in UTC, which needs no look-up of the time zone; shown in local time.
    out.when = QDateTime::currentDateTimeUtc();
    out.texts.separator = request.separator.isNull() ? LocaleDecimalSeparator() : request.separator;
    out.qmaxStd = request.qmaxStd;
    out.qminStd = request.qminStd;
    out.pressures = request.previous;
    out.currency = CurrencyOfMode(request.mode);
    return out;
}

} // namespace

QString SizingOutcome::priceHeader() const
{
    return currency == Currency::Euros ? PriceHeaderEuros() : PriceHeaderRoubles();
}

SizingOutcome Size(const SizingRequest &request, const ProductCatalogue &catalogue)
{
    SizingOutcome out = Begin(request);
    if (request.mode == 5) {
        SizeCabinet(out);
    } else if (AsksPressureRange(request.mode) || AsksWorkingPressure(request.mode)) {
        InputField failed = InputField::None;
        const bool entered = AsksPressureRange(request.mode) ? EnterPressureRange(out, failed)
                                                             : EnterWorkingPressure(out, failed);
        out.rangeLayout = AsksPressureRange(request.mode) && request.range;
        if (entered) {
            out.accepted = ConvertAtConditions(out);
            if (out.accepted && IsWideRange(out.pressures))
                Doubt(out);
        } else {
            Refuse(out, failed);
        }
    } else {
        Refuse(out, InputField::None);
    }

    out.selection = Select(out, catalogue);
    out.possible = Candidates(out.selection.possible, out, catalogue);
    const QString checksReason =
        request.conditions.strict ? HonourChecks(out) : QString();
    out.optimal = Candidates(out.selection.optimal, out, catalogue);
    NameTheChoice(out);
    out.noFitReason = NoFitReason(out, catalogue);
    if (out.noFitReason.isEmpty())
        out.noFitReason = checksReason;
    return out;
}

SizingOutcome SizePoint(SizingRequest request, const QString &qmaxText, const QString &qminText,
                        const ProductCatalogue &catalogue)
{
    if (request.separator.isNull())
        request.separator = LocaleDecimalSeparator();
    if (request.mode == 5) {
        request.entries.qmax = qmaxText;
        request.entries.qmin = qminText;
        return Size(request, catalogue);
    }
    const FlowRangeReading flows =
        ReadFlowRange(qmaxText, qminText, request.qmaxStd, request.qminStd, request.separator);
    request.qmaxStd = flows.qmax;
    request.qminStd = flows.qmin;
    if (flows.valid)
        return Size(request, catalogue);

    SizingOutcome out = Begin(request);
    Refuse(out, flows.failed);
    NameTheChoice(out);
    return out;
}
