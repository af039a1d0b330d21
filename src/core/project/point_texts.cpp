#include "core/project/point_texts.h"

#include "core/cabinet/cabinet_captions.h"
#include "core/input/number_text.h"
#include "core/pressure/pressure_units.h"
#include "core/selection/selection_modes.h"

namespace {

// A unit list index by its name; an unselected list counts as bar, as in the conversion.
QString UnitText(int unit)
{
    return PressureUnitText(unit >= 0 && unit < PressureUnitCount ? unit : static_cast<int>(PressureUnit::Bar));
}

QString Number(double value)
{
    return WriteNumber(value, u'.');
}

QString Caption(const QStringList &captions, int chosen)
{
    return chosen >= 1 && chosen <= captions.size() ? captions[chosen - 1] : QString();
}

void WriteConditions(const SizingConditions &c, ProjectPoint &point)
{
    if (c.method != ConversionMethod::Simple) {
        point.setText(BatchColumn::Method, MethodKey(c.method));
        point.setText(BatchColumn::TMin, Number(c.tMin));
        point.setText(BatchColumn::TMax, Number(c.tMax));
        point.setText(BatchColumn::PAtm, Number(c.pAtm));
    }
    if (c.method == ConversionMethod::Gerg91) {
        point.setText(BatchColumn::Density, Number(c.density));
        point.setText(BatchColumn::N2, Number(c.n2));
        point.setText(BatchColumn::CO2, Number(c.co2));
    }
    if (c.method == ConversionMethod::Aga8) {
        for (int i = 0; i < gas::ComponentCount; ++i) {
            const double share = c.composition[static_cast<std::size_t>(i)];
            if (share != 0)
                point.setText(FractionColumn(gas::ComponentAt(i)), Number(share));
        }
    }
    if (c.maxLoad != SizingConditions{}.maxLoad)
        point.setText(BatchColumn::MaxLoad, Number(c.maxLoad));
    if (c.strict)
        point.setText(BatchColumn::Strict, QStringLiteral("1"));
    point.setText(BatchColumn::MaxVelocity, c.maxInletVelocity ? Number(*c.maxInletVelocity) : QString());
}

void WriteCabinet(const SizingRequest &r, ProjectPoint &point)
{
    const int kind = r.cabinet == CabinetKind::Metering ? 1 : r.cabinet == CabinetKind::Reducing ? 2 : 3;
    point.setText(BatchColumn::Cabinet, QString::number(kind));
    point.setText(BatchColumn::Qmax, r.entries.qmax);
    point.setText(BatchColumn::Qmin, r.entries.qmin);
    point.setText(BatchColumn::Pmax, r.entries.pmax);
    point.setText(BatchColumn::PmaxUnit, UnitText(r.entries.pmaxUnit));
    point.setText(BatchColumn::Pmin, r.entries.pmin);
    point.setText(BatchColumn::PminUnit, UnitText(r.entries.pminUnit));
    if (r.options.variant >= 1)
        point.setText(BatchColumn::Variant, QString::number(r.options.variant));
    point.setText(BatchColumn::Side, Caption(SideCaptions(), r.options.side));
    point.setText(BatchColumn::Gauges, Caption(GaugeCaptions(), r.options.gauges));
    if (CabinetHasBypass(r.cabinet)) {
        point.setText(BatchColumn::Bypass, Caption(BypassCaptions(), r.options.bypass));
    } else {
        point.setText(BatchColumn::Pout, r.outlet.text);
        if (!r.outlet.text.isEmpty())
            point.setText(BatchColumn::PoutUnit, UnitText(r.outlet.unit));
    }
}

} // namespace

void WriteConditionTexts(const SizingConditions &conditions, ProjectPoint &point)
{
    for (int i = static_cast<int>(BatchColumn::Method); i < BatchColumnCount; ++i)
        point.setText(static_cast<BatchColumn>(i), QString());
    WriteConditions(conditions, point);
}

void WriteRequestTexts(const SizingRequest &r, ProjectPoint &point)
{
    const QString id = point.id;
    point.input.fill(QString());
    point.setText(BatchColumn::Mode, QString::number(r.mode));
    if (r.mode == 5) {
        WriteCabinet(r, point);
    } else {
        QString families;
        const int boxes = static_cast<int>(FamilyCaptions(r.mode).size());
        for (int i = 0; i < boxes; ++i)
            families += r.families[static_cast<std::size_t>(i)] ? u'1' : u'0';
        point.setText(BatchColumn::Families, families);
        point.setText(BatchColumn::Qmax, Number(r.qmaxStd));
        point.setText(BatchColumn::Qmin, Number(r.qminStd));
        if (r.range) {
            point.setText(BatchColumn::Pmax, r.pmax.text);
            point.setText(BatchColumn::PmaxUnit, UnitText(r.pmax.unit));
            point.setText(BatchColumn::Pmin, r.pmin.text);
            point.setText(BatchColumn::PminUnit, UnitText(r.pmin.unit));
        } else {
            point.setText(BatchColumn::P, r.working.text);
            point.setText(BatchColumn::PUnit, UnitText(r.working.unit));
        }
    }
    WriteConditions(r.conditions, point);
    point.id = id;
}
