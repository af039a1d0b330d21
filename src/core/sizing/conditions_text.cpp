#include "core/sizing/conditions_text.h"

#include "core/input/number_text.h"

namespace {
bool CorrectsZ(ConversionMethod method)
{
    return method == ConversionMethod::Gerg91 || method == ConversionMethod::Aga8;
}

QString UnderQmax(bool range) { return range ? QStringLiteral("Pmin+Patm") : QStringLiteral("Pср+Patm"); }
QString UnderQmin(bool range) { return range ? QStringLiteral("Pmax+Patm") : QStringLiteral("Pср+Patm"); }

QString Line(ConversionMethod method, const QString &flow, const QString &q, const QString &pressure,
             const QString &t)
{
    if (method == ConversionMethod::Simple)
        return QStringLiteral("%1 = %2 / (%3)").arg(flow, q, pressure);
    QString line = QStringLiteral("%1 = %2·(pc/(%3))·(%4/Tc)").arg(flow, q, pressure, t);
    if (CorrectsZ(method))
        line += QStringLiteral("·(Z/Zc)");
    return line;
}
} // namespace

WorkingFormula FormulaOf(ConversionMethod method, bool rangeLayout)
{
    if (method == ConversionMethod::Simple)
        return {QStringLiteral("Qmax"), UnderQmax(rangeLayout), QStringLiteral("Qmin"), UnderQmin(rangeLayout)};
    const QString z = CorrectsZ(method) ? QStringLiteral("·Z") : QString();
    const QString zc = CorrectsZ(method) ? QStringLiteral("·Zc") : QString();
    return {QStringLiteral("Qmax·pc·Tmax") + z, QStringLiteral("(%1)·Tc").arg(UnderQmax(rangeLayout)) + zc,
            QStringLiteral("Qmin·pc·Tmin") + z, QStringLiteral("(%1)·Tc").arg(UnderQmin(rangeLayout)) + zc};
}

QString FormulaLineMax(ConversionMethod method, bool rangeLayout)
{
    return Line(method, QStringLiteral("Qраб max"), QStringLiteral("Qmax"), UnderQmax(rangeLayout),
                QStringLiteral("Tmax"));
}

QString FormulaLineMin(ConversionMethod method, bool rangeLayout)
{
    return Line(method, QStringLiteral("Qраб min"), QStringLiteral("Qmin"), UnderQmin(rangeLayout),
                QStringLiteral("Tmin"));
}

bool MarksFlags(const SizingConditions &conditions)
{
    return conditions.method != ConversionMethod::Simple || conditions.maxLoad < 100 || conditions.strict
        || conditions.maxInletVelocity.has_value();
}

QString ZText(double z)
{
    return WriteFixed(z, 4);
}

QString ConditionsSummary(const AppliedConditions &a)
{
    if (a.method == ConversionMethod::Simple)
        return {};
    QString line = QStringLiteral("Пересчёт %1; t газа %2…%3 °C; Patm = %4 кПа")
                       .arg(MethodName(a.method), WriteNumber(a.tMin), WriteNumber(a.tMax), WriteNumber(a.pAtm));
    if (CorrectsZ(a.method))
        line += QStringLiteral("; Z при Qраб max = %1, при Qраб min = %2, Zc = %3")
                    .arg(ZText(a.zQmax), ZText(a.zQmin), ZText(a.zStd));
    return line;
}
