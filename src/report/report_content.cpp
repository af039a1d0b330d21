#include "report/report_content.h"

#include "core/pressure/pressure_units.h"
#include "core/selection/candidate_load.h"
#include "core/sizing/sizing.h"
#include "core/sizing/conditions_text.h"
#include "core/selection/result_row.h"
#include "core/input/message_texts.h"
#include "core/input/number_text.h"

#include <algorithm>

#ifndef GAS_PROGRAM_VERSION
#error "GAS_PROGRAM_VERSION is the project version (src/report/CMakeLists.txt)"
#endif

namespace {

// A value of the step as the results window rounds it.
std::optional<double> Rounded(double value)
{
    return Round3(value);
}

bool InBar(int unit)
{
    return PressureUnitText(unit) == PressureUnitText(static_cast<int>(PressureUnit::Bar));
}

// A pressure as typed and, when the step converted it and the unit is not bar, in bar.
void AddPressure(std::vector<ReportLine> &lines, const QString &name, const QString &typed,
                 int unit, const std::optional<QString> &gauge, double gaugeBar)
{
    lines.push_back({name + QStringLiteral(" (избыточное, как введено)"), typed, ReadNumber(typed),
                     PressureUnitText(unit)});
    if (gauge && !InBar(unit))
        lines.push_back({name + QStringLiteral(" (избыточное)"), *gauge, gaugeBar, BarUnit()});
}

void CollectChoice(const SizingOutcome &outcome, ReportContent &content)
{
    if (outcome.request.mode != 5) {
        for (const QString &family : outcome.familyCaptions)
            content.choice.push_back({QStringLiteral("Выбрано"), family, std::nullopt, QString()});
        return;
    }
    content.choice.push_back({QStringLiteral("Пункт"), outcome.cabinetCaption, std::nullopt, QString()});
    content.choice.push_back({QStringLiteral("Исполнение"), outcome.variantCaption, std::nullopt, QString()});
    QStringList options;
    for (const QString &option : outcome.optionCaptions) {
        if (!option.isEmpty())
            options << option;
    }
    content.choice.push_back({QStringLiteral("Комплектация"), options.join(QStringLiteral(", ")),
                              std::nullopt, QString()});
}

void CollectInput(const SizingOutcome &outcome, ReportContent &content)
{
    const SizingRequest &r = outcome.request;
    const ResultTexts &t = outcome.texts;
    const PressureSet &p = outcome.pressures;
    auto &lines = content.input;
    const QString standard = QStringLiteral(" при стандартных условиях");
    if (r.mode == 5) {
        lines.push_back({QStringLiteral("Qmax") + standard, t.qmaxStd.value_or(r.entries.qmax),
                         t.qmaxStd ? std::optional(outcome.qmaxStd) : ReadNumber(r.entries.qmax), FlowUnit()});
        lines.push_back({QStringLiteral("Qmin") + standard, t.qminStd.value_or(r.entries.qmin),
                         t.qminStd ? std::optional(outcome.qminStd) : ReadNumber(r.entries.qmin), FlowUnit()});
        AddPressure(lines, QStringLiteral("Pmax"), r.entries.pmax, r.entries.pmaxUnit, t.pmaxGauge,
                    p.PmaxGauge);
        AddPressure(lines, QStringLiteral("Pmin"), r.entries.pmin, r.entries.pminUnit, t.pminGauge,
                    p.PminGauge);
        return;
    }
    lines.push_back({QStringLiteral("Qmax") + standard, WriteNumber(outcome.qmaxStd), outcome.qmaxStd, FlowUnit()});
    lines.push_back({QStringLiteral("Qmin") + standard, WriteNumber(outcome.qminStd), outcome.qminStd, FlowUnit()});
    if (outcome.rangeLayout) {
        AddPressure(lines, QStringLiteral("Pmax"), r.pmax.text, r.pmax.unit, t.pmaxGauge, p.PmaxGauge);
        AddPressure(lines, QStringLiteral("Pmin"), r.pmin.text, r.pmin.unit, t.pminGauge, p.PminGauge);
    } else {
        AddPressure(lines, QStringLiteral("Рср"), r.working.text, r.working.unit, t.workingGauge,
                    p.PmaxGauge);
    }
}

void CollectWorking(const SizingOutcome &outcome, ReportContent &content)
{
    const ResultTexts &t = outcome.texts;
    const PressureSet &p = outcome.pressures;
    if (!t.qmaxWork || !t.qminWork || !t.denominators)
        return;
    auto &lines = content.working;
    const QString absolute = QStringLiteral(" (абсолютное)");
    QString upper, lower;
    if (outcome.rangeLayout && t.pmaxAbs && t.pminAbs) {
        lines.push_back({QStringLiteral("Pmax") + absolute, *t.pmaxAbs, Rounded(p.PmaxAbs), BarUnit()});
        lines.push_back({QStringLiteral("Pmin") + absolute, *t.pminAbs, Rounded(p.PminAbs), BarUnit()});
        upper = *t.pmaxAbs;
        lower = *t.pminAbs;
    } else if (!outcome.rangeLayout && t.workingAbs) {
        lines.push_back({QStringLiteral("Рср") + absolute, *t.workingAbs, Rounded(p.PmaxAbs), BarUnit()});
        upper = lower = *t.workingAbs;
    } else {
        return;
    }
    const QString qmaxStd = t.qmaxStd.value_or(WriteNumber(outcome.qmaxStd));
    const QString qminStd = t.qminStd.value_or(WriteNumber(outcome.qminStd));
    const ConversionMethod method = outcome.request.conditions.method;
    if (method != ConversionMethod::Simple) {
        lines.push_back({FormulaLineMax(method, outcome.rangeLayout), *t.qmaxWork, Rounded(p.QmaxWork),
                         FlowUnit(), true});
        lines.push_back({FormulaLineMin(method, outcome.rangeLayout), *t.qminWork, Rounded(p.QminWork),
                         FlowUnit(), true});
        return;
    }
    // Qраб max divides by the lower pressure, Qраб min by the upper one.
    lines.push_back({QStringLiteral("Qраб max = Qmax / (%1) = %2 / %3")
                         .arg(t.denominators->first, qmaxStd, lower),
                     *t.qmaxWork, Rounded(p.QmaxWork), FlowUnit(), true});
    lines.push_back({QStringLiteral("Qраб min = Qmin / (%1) = %2 / %3")
                         .arg(t.denominators->second, qminStd, upper),
                     *t.qminWork, Rounded(p.QminWork), FlowUnit(), true});
}

void CollectHeading(const ReportHeader &h, ReportContent &content)
{
    const std::pair<QString, QString> fields[] = {{QStringLiteral("Объект"), h.object},
                                                  {QStringLiteral("Заказчик"), h.customer},
                                                  {QStringLiteral("Точка учёта"), h.point},
                                                  {QStringLiteral("Исполнитель"), h.engineer}};
    for (const auto &[caption, value] : fields)
        if (!value.trimmed().isEmpty())
            content.heading.push_back({caption, value.simplified(), std::nullopt, QString()});
}

void CollectConditions(const SizingOutcome &outcome, ReportContent &content)
{
    const SizingConditions &c = outcome.request.conditions;
    const AppliedConditions &a = outcome.conditions;
    auto &lines = content.conditions;
    auto text = [&lines](const QString &caption, const QString &value, const QString &unit = {}) {
        lines.push_back({caption, value, std::nullopt, unit});
    };
    auto number = [&lines](const QString &caption, double value, const QString &unit) {
        lines.push_back({caption, WriteNumber(value), value, unit});
    };
    text(QStringLiteral("Пересчёт к рабочим условиям"), MethodName(c.method));
    text(QStringLiteral("Стандартные условия"), QStringLiteral("20 °C, 101,325 кПа"));
    if (c.method != ConversionMethod::Simple) {
        // The temperatures as the conversion used them, the lower first whatever the order typed.
        const bool applied = !outcome.hasError() && a.method == c.method;
        number(QStringLiteral("Наименьшая температура газа"), applied ? a.tMin : std::min(c.tMin, c.tMax),
               QStringLiteral("°C"));
        number(QStringLiteral("Наибольшая температура газа"), applied ? a.tMax : std::max(c.tMin, c.tMax),
               QStringLiteral("°C"));
        number(QStringLiteral("Атмосферное давление"), c.pAtm, QStringLiteral("кПа"));
    }
    if (c.method == ConversionMethod::Gerg91) {
        number(QStringLiteral("Плотность при стандартных условиях"), c.density, QStringLiteral("кг/м³"));
        number(QStringLiteral("Азот N₂"), c.n2, QStringLiteral("мол. %"));
        number(QStringLiteral("Диоксид углерода CO₂"), c.co2, QStringLiteral("мол. %"));
    }
    if (c.method == ConversionMethod::Aga8) {
        for (int i = 0; i < gas::ComponentCount; ++i)
            if (c.composition[i] != 0)
                number(gas::ComponentName(gas::ComponentAt(i)), c.composition[i], QStringLiteral("мол. %"));
    }
    if ((c.method == ConversionMethod::Gerg91 || c.method == ConversionMethod::Aga8) && !outcome.hasError()) {
        lines.push_back({QStringLiteral("Zc"), ZText(a.zStd), a.zStd, QString()});
        lines.push_back({QStringLiteral("Z при Qраб max"), ZText(a.zQmax), a.zQmax, QString()});
        lines.push_back({QStringLiteral("Z при Qраб min"), ZText(a.zQmin), a.zQmin, QString()});
    }
    number(QStringLiteral("Целевая наибольшая загрузка"), c.maxLoad, QStringLiteral("%"));
    if (c.maxInletVelocity)
        number(QStringLiteral("Наибольшая скорость газа на входе"), *c.maxInletVelocity, QStringLiteral("м/с"));
    if (c.strict)
        text(QStringLiteral("Оптимальный вариант"), QStringLiteral("с учётом проверок"));
    content.formula << FormulaLineMax(c.method, outcome.rangeLayout)
                    << FormulaLineMin(c.method, outcome.rangeLayout);
}

bool AnyFlags(const std::vector<Candidate> &rows)
{
    return std::any_of(rows.begin(), rows.end(), [](const Candidate &row) { return !row.flags.isEmpty(); });
}

} // namespace

QString ShortenedText(const QString &text, qsizetype limit)
{
    if (text.size() <= limit || limit < 2)
        return text;
    qsizetype kept = limit - 1;
    if (text.at(kept - 1).isHighSurrogate())
        --kept; // a character is not split in halves
    return text.left(kept) + QChar(0x2026);
}

QString ConditionsTitle() { return QStringLiteral("Условия расчёта"); }
QString NoteHeader() { return QStringLiteral("Примечание"); }

QString ReportTitle() { return QStringLiteral("Подбор типоразмера"); }

QString ProgramLine()
{
    return QStringLiteral("Подбор типоразмера счетчиков газа, версия %1")
        .arg(QStringLiteral(GAS_PROGRAM_VERSION));
}

QString ProgramVersion() { return QStringLiteral(GAS_PROGRAM_VERSION); }

QString VelocityHeader() { return QStringLiteral("v, м/с"); }

QString OptimalTitle() { return QStringLiteral("Оптимальные варианты"); }
QString PossibleTitle() { return QStringLiteral("Возможные варианты"); }
QString FlowUnit() { return QStringLiteral("куб.м/ч"); }
QString BarUnit() { return QStringLiteral("бар"); }

QString OptimalOverflowNote(std::size_t optimalCount)
{
    if (optimalCount <= static_cast<std::size_t>(OptimalGridRowCount))
        return {};
    return QStringLiteral("В окне показаны первые %1 из %2 оптимальных вариантов.")
        .arg(OptimalGridRowCount)
        .arg(optimalCount);
}

QString ReportFootnote(ConversionMethod method)
{
    if (method != ConversionMethod::Simple)
        return QStringLiteral(
            "Расходы при стандартных условиях приведены к температуре 20 °C и давлению 101,325 кПа; "
            "рабочий расход пересчитан при заданных температуре газа и атмосферном давлении "
            "(метод указан в разделе «Условия расчёта»). Стоимость указана без НДС. "
            "v — скорость газа на входе при Qраб max.");
    return QStringLiteral(
        "Расходы при стандартных условиях приведены к температуре 20 °C и давлению 1 атм; "
        "при пересчете к рабочим условиям атмосферное давление принято Patm = 1 бар. "
        "Поправки на температуру газа и коэффициент сжимаемости не вносятся. "
        "Стоимость указана без НДС. v — скорость газа на входе при Qраб max.");
}

ReportContent CollectReport(const SizingOutcome &outcome, const ProductCatalogue &catalogue,
                            const ReportHeader &heading)
{
    ReportContent content;
    CollectHeading(heading, content);
    // The flags' column whenever a row carries one; the conditions only when they are not the defaults.
    const bool marked = MarksFlags(outcome.request.conditions);
    content.notes = marked || AnyFlags(outcome.optimal) || AnyFlags(outcome.possible);
    if (marked)
        CollectConditions(outcome, content);
    content.category = outcome.categoryCaption;
    content.when = outcome.when.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    CollectChoice(outcome, content);
    CollectInput(outcome, content);
    content.error = outcome.error;
    if (!outcome.hasError()) {
        CollectWorking(outcome, content);
        if (outcome.wideRange)
            content.warning = Messages::WideRange();
        // An outcome made without Size() may lack the reason.
        content.noFit = outcome.noFitReason.isEmpty() ? NoFitReason(outcome, catalogue)
                                                      : outcome.noFitReason;
    }

    const ResultRow header = ResultHeaderRow();
    content.header = QStringList(header.begin(), header.end());
    content.header.last() = outcome.priceHeader();
    content.header << QStringLiteral("Загрузка, %") << QStringLiteral("Запас по Qmin");
    if (content.notes)
        content.header << NoteHeader();
    // Newer columns come after the ones the report always had.
    content.header << VelocityHeader();
    return content;
}

QStringList CandidateTexts(const Candidate &candidate, bool notes)
{
    QStringList texts(candidate.cells.begin(), candidate.cells.end());
    const QChar separator = LocaleDecimalSeparator();
    texts << LoadText(candidate.loadPercent, separator) << MarginText(candidate.qminMargin, separator);
    if (notes)
        texts << candidate.flags.join(QStringLiteral("; "));
    texts << WriteFixed(candidate.inletVelocity, 1, separator);
    return texts;
}
