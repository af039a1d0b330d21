#pragma once

// The fixed slot ranges of the catalogue, one product line each. The selections
// address the catalogue only through these.
struct CatalogueBlock {
    int first;
    int last;
};

namespace Blocks {
// Complexes with temperature-and-pressure correction (mode 1).
inline constexpr CatalogueBlock ComplexRotary16{1, 200};      // "ВЕЛОНВз-Р-…/1,6"
inline constexpr CatalogueBlock ComplexTurbine1_16{201, 300}; // "ВЕЛОНВз-Т1-…/1,6"
inline constexpr CatalogueBlock ComplexTurbine1_75{301, 399}; // "ВЕЛОНВз-Т1-…/7,5"
inline constexpr CatalogueBlock ComplexTurbine2_16{400, 599}; // "ВЕЛОНВз-Т2-…/1,6"
inline constexpr CatalogueBlock ComplexTurbine2_75{600, 799}; // "ВЕЛОНВз-Т2-…/7,5"
// Industrial meters (mode 3).
inline constexpr CatalogueBlock RotaryMeters{801, 900};       // "ZAM G…"
inline constexpr CatalogueBlock Turbine1Meters16{901, 950};   // "ЗЕТ-16М(МТ)-…"
inline constexpr CatalogueBlock Turbine1Meters75{951, 1000};  // "ЗЕТ-75М-…"
inline constexpr CatalogueBlock Turbine2Meters16{1001, 1050}; // "KEL G…/1,6"
inline constexpr CatalogueBlock Turbine2MetersHigh{1051, 1100}; // "KEL G…/10", "/6.3"
// Utility meters (mode 4), priced in euros.
inline constexpr CatalogueBlock UtilityMeters{1101, 1150};
inline constexpr CatalogueBlock UtilityMetersCompensated{1151, 1200};
// Cabinet metering points (mode 5), one block per execution.
inline constexpr CatalogueBlock CabinetMeteringR{1201, 1300};
inline constexpr CatalogueBlock CabinetMeteringSh{1301, 1400};
inline constexpr CatalogueBlock CabinetMeteringShugo{1401, 1500};
inline constexpr CatalogueBlock CabinetMeteringShueo{1501, 1600};
// Cabinet reducing points and metering-and-reducing points: one slot each.
inline constexpr CatalogueBlock CabinetReducing{1601, 1604};
inline constexpr CatalogueBlock CabinetMeteringReducing{1701, 1704};
// Temperature-corrected complexes (mode 2).
inline constexpr CatalogueBlock TempComplexRotary{1801, 1900};   // "ZAM G…+KQ730"
inline constexpr CatalogueBlock TempComplexTurbine1{1901, 1950}; // "МАРИН/…"
inline constexpr CatalogueBlock TempComplexTurbine2{1951, 2000}; // "KEL G…+KQ730"
} // namespace Blocks
