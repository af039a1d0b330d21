#include "core/cabinet/cabinet_captions.h"

namespace {
// The variant captions after the product word, in button order.
QString VariantTail(int variant)
{
    switch (variant) {
    case 1:
        return QStringLiteral("-Р (монтаж оборудования производится на металлической раме)");
    case 2:
        return QStringLiteral("-Ш (монтаж оборудования производится в металлическом не утепленном, не отапливаемом шкафу)");
    case 3:
        return QStringLiteral("-ШУЭО (монтаж оборудования производится в металлическом утепленном шкафу с электрообогревом)");
    case 4:
        return QStringLiteral("-ШУГО (монтаж оборудования производится в металлическом утепленном шкафу с газовым обогревом)");
    default:
        return QString();
    }
}
} // namespace

QString CabinetKindCaption(CabinetKind kind)
{
    switch (kind) {
    case CabinetKind::Reducing:
        return QStringLiteral("Пункт редуцирования газа ЛЕМА");
    case CabinetKind::MeteringReducing:
        return QStringLiteral("Пункт учета и редуцирования газа ОРНИК");
    case CabinetKind::Metering:
        break;
    }
    return QStringLiteral("Пункт учета газа ТИВ");
}

QString CabinetProductWord(CabinetKind kind)
{
    switch (kind) {
    case CabinetKind::Reducing:
        return QStringLiteral("ЛЕМА");
    case CabinetKind::MeteringReducing:
        return QStringLiteral("ОРНИК");
    case CabinetKind::Metering:
        break;
    }
    return QStringLiteral("ТИВ");
}

QString CabinetVariantCaption(CabinetKind kind, int variant)
{
    const QString tail = VariantTail(variant);
    return tail.isEmpty() ? QString() : CabinetProductWord(kind) + tail;
}

bool CabinetHasBypass(CabinetKind kind)
{
    return kind == CabinetKind::Metering;
}

QStringList SideCaptions()
{
    return {QStringLiteral("Слева"), QStringLiteral("Справа")};
}

QStringList BypassCaptions()
{
    return {QStringLiteral("С байпасом"), QStringLiteral("Без байпаса")};
}

QStringList GaugeCaptions()
{
    return {QStringLiteral("С манометрами"), QStringLiteral("Без манометров")};
}
