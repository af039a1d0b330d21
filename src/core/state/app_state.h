#pragma once

#include "core/pressure/pressure_units.h"
#include "core/catalogue/catalogue.h"
#include "core/selection/range_selection.h"
#include "core/sizing/sizing.h"

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
    SizingConditions Conditions; // what every sizing request of the windows carries
    ProductCatalogue Catalogue; // priced by the list in force (Catalogue.priceList())
};

// The price list the catalogue's prices come from: the built-in one unless the user
// put a maker's list in force.
inline const PriceListInfo &PriceListInForce(const AppState &state)
{
    return state.Catalogue.priceList();
}

// The part of a sizing request the state holds for modes 1 to 4: the mode, the
// chosen families, the accepted flow range, the shared pressure set and the
// conditions.
inline SizingRequest ChainRequest(const AppState &state)
{
    SizingRequest request;
    request.mode = state.SelectionMode;
    request.families = state.Families;
    request.qmaxStd = state.QmaxStd;
    request.qminStd = state.QminStd;
    request.previous = state.Pressures;
    request.conditions = state.Conditions;
    return request;
}
