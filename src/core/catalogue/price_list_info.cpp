#include "core/catalogue/price_list_info.h"

using namespace Qt::StringLiterals;

QString BuiltInPriceListName()
{
    return u"Встроенный прайс-лист"_s;
}

QString PriceListDateText(const PriceListInfo &info)
{
    if (info.date.isValid())
        return info.date.toString(u"dd.MM.yyyy"_s);
    return u"версия "_s + QString::fromLatin1(GAS_PROGRAM_VERSION);
}

QString PriceListTitle(const PriceListInfo &info)
{
    const QString name = u"«"_s + info.name + u"»"_s;
    if (info.date.isValid())
        return name + u" от "_s + PriceListDateText(info);
    return name + u", "_s + PriceListDateText(info);
}
