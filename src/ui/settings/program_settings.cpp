#include "ui/settings/program_settings.h"

#include <QSettings>
#include <QStandardPaths>

namespace {
// A number as QSettings keeps it (its own text form, whatever the locale), or the
// fallback when missing or not a number.
double Number(const QSettings &settings, const QString &key, double fallback)
{
    bool ok = false;
    const double value = settings.value(key).toDouble(&ok);
    return ok ? value : fallback;
}
} // namespace

QString DefaultSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/gasmeter-sizing/settings.ini");
}

SizingConditions LoadConditions(const QString &path)
{
    const SizingConditions defaults;
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return defaults;
    settings.beginGroup(QStringLiteral("conditions"));
    SizingConditions c;
    const auto method = MethodOfKey(settings.value(QStringLiteral("method")).toString());
    if (!method)
        return defaults;
    c.method = *method;
    c.tMin = Number(settings, QStringLiteral("t_min"), c.tMin);
    c.tMax = Number(settings, QStringLiteral("t_max"), c.tMax);
    c.pAtm = Number(settings, QStringLiteral("p_atm"), c.pAtm);
    c.density = Number(settings, QStringLiteral("density"), c.density);
    c.n2 = Number(settings, QStringLiteral("n2"), c.n2);
    c.co2 = Number(settings, QStringLiteral("co2"), c.co2);
    for (int i = 0; i < gas::ComponentCount; ++i)
        c.composition[i] = Number(settings, QStringLiteral("x_") + gas::ComponentKey(gas::ComponentAt(i)),
                                  c.composition[i]);
    c.maxLoad = Number(settings, QStringLiteral("max_load"), c.maxLoad);
    // No limit kept (or none that reads as a number) is no check.
    if (const double limit = Number(settings, QStringLiteral("max_velocity"), 0); limit != 0)
        c.maxInletVelocity = limit;
    c.strict = settings.value(QStringLiteral("strict")).toString() == u"true";
    // What the core would refuse is not taken.
    return CheckConditions(c) ? defaults : c;
}

void SaveConditions(const QString &path, const SizingConditions &c)
{
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("conditions"));
    settings.setValue(QStringLiteral("method"), MethodKey(c.method));
    settings.setValue(QStringLiteral("t_min"), c.tMin);
    settings.setValue(QStringLiteral("t_max"), c.tMax);
    settings.setValue(QStringLiteral("p_atm"), c.pAtm);
    settings.setValue(QStringLiteral("density"), c.density);
    settings.setValue(QStringLiteral("n2"), c.n2);
    settings.setValue(QStringLiteral("co2"), c.co2);
    for (int i = 0; i < gas::ComponentCount; ++i)
        settings.setValue(QStringLiteral("x_") + gas::ComponentKey(gas::ComponentAt(i)), c.composition[i]);
    settings.setValue(QStringLiteral("max_load"), c.maxLoad);
    if (c.maxInletVelocity)
        settings.setValue(QStringLiteral("max_velocity"), *c.maxInletVelocity);
    else
        settings.remove(QStringLiteral("max_velocity"));
    settings.setValue(QStringLiteral("strict"), c.strict ? QStringLiteral("true") : QStringLiteral("false"));
    settings.endGroup();
    settings.sync();
}

ReportHeader LoadReportHeader(const QString &path)
{
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return {};
    settings.beginGroup(QStringLiteral("report"));
    return {settings.value(QStringLiteral("object")).toString(),
            settings.value(QStringLiteral("customer")).toString(),
            settings.value(QStringLiteral("point")).toString(),
            settings.value(QStringLiteral("engineer")).toString()};
}

void SaveReportHeader(const QString &path, const ReportHeader &h)
{
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("report"));
    settings.setValue(QStringLiteral("object"), h.object);
    settings.setValue(QStringLiteral("customer"), h.customer);
    settings.setValue(QStringLiteral("point"), h.point);
    settings.setValue(QStringLiteral("engineer"), h.engineer);
    settings.endGroup();
    settings.sync();
}

Pricing LoadPricing(const QString &path)
{
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return {};
    settings.beginGroup(QStringLiteral("pricing"));
    const PricingReading reading
        = ReadPricing(settings.value(QStringLiteral("vat_percent"), VatText(Pricing::DefaultVatHundredths)).toString(),
                      settings.value(QStringLiteral("eur_rate")).toString(),
                      settings.value(QStringLiteral("eur_rate_date")).toString());
    return reading.pricing.value_or(Pricing{});
}

void SavePricing(const QString &path, const Pricing &pricing)
{
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("pricing"));
    settings.setValue(QStringLiteral("vat_percent"), VatText(pricing.vatHundredths));
    settings.setValue(QStringLiteral("eur_rate"), pricing.eurRate ? EurRateText(*pricing.eurRate) : QString());
    settings.setValue(QStringLiteral("eur_rate_date"),
                      pricing.eurRateDate.isValid() ? pricing.eurRateDate.toString(Qt::ISODate) : QString());
    settings.endGroup();
    settings.sync();
}
