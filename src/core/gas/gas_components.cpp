#include "core/gas/gas_components.h"

namespace gas {

namespace {

struct ComponentFacts {
    const char16_t *key;
    const char16_t *name;
    double molarMass; // kg/kmol
};

// Molar masses as ISO 12213-2:2006 Table B.2 (= AGA Report No. 8, 1994, Table 5) gives them.
constexpr std::array<ComponentFacts, ComponentCount> Facts{{
    {u"methane", u"Метан", 16.043},
    {u"nitrogen", u"Азот", 28.0135},
    {u"carbon_dioxide", u"Диоксид углерода", 44.010},
    {u"ethane", u"Этан", 30.070},
    {u"propane", u"Пропан", 44.097},
    {u"isobutane", u"изо-Бутан", 58.123},
    {u"n_butane", u"н-Бутан", 58.123},
    {u"isopentane", u"изо-Пентан", 72.150},
    {u"n_pentane", u"н-Пентан", 72.150},
    {u"n_hexane", u"н-Гексан", 86.177},
    {u"n_heptane", u"н-Гептан", 100.204},
    {u"n_octane", u"н-Октан", 114.231},
    {u"n_nonane", u"н-Нонан", 128.258},
    {u"n_decane", u"н-Декан", 142.285},
    {u"hydrogen", u"Водород", 2.0159},
    {u"oxygen", u"Кислород", 31.9988},
    {u"carbon_monoxide", u"Оксид углерода", 28.010},
    {u"water", u"Вода", 18.0153},
    {u"hydrogen_sulfide", u"Сероводород", 34.082},
    {u"helium", u"Гелий", 4.0026},
    {u"argon", u"Аргон", 39.948},
}};

} // namespace

QString ComponentKey(Component c)
{
    return QString::fromUtf16(Facts[static_cast<std::size_t>(IndexOf(c))].key);
}

QString ComponentName(Component c)
{
    return QString::fromUtf16(Facts[static_cast<std::size_t>(IndexOf(c))].name);
}

double MolarMass(Component c)
{
    return Facts[static_cast<std::size_t>(IndexOf(c))].molarMass;
}

} // namespace gas
