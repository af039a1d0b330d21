#pragma once

#include "core/sizing/sizing.h"

// Requests the conditions tests share.

// Mode 2: 100 and 10 m3/h at 3 bar gauge under `conditions`.
inline SizingRequest WorkingPressureRequest(const SizingConditions &conditions = {})
{
    SizingRequest r;
    r.mode = 2;
    r.qmaxStd = 100;
    r.qminStd = 10;
    r.working = {QStringLiteral("3"), 0};
    r.conditions = conditions;
    return r;
}
