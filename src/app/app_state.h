#pragma once

#include "pressure/pressure_units.h"
#include "selection/catalogue.h"
#include "selection/range_selection.h"

// The values that cross windows, made once at start-up and handed to every window.
// Making it fills the catalogue, so it is complete before the first event.
struct AppState {
    AppState() { Catalogue.Fill(); }

    int SelectionMode = 0;     // 0 before the first launch, then 1..5
    FamilyGates Families{true, true, true}; // the choice the chain's choice dialog went on with
    double QmaxStd = 0;        // flow range at standard conditions, m3/h
    double QminStd = 0;
    PressureSet Pressures;     // shared by the pressure-range and working-pressure dialogs
    int PressureRangeMode = 0; // 1 = range, 0 = single working pressure
    ProductCatalogue Catalogue;
};
