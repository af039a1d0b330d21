#pragma once

#include "core/project/project.h"
#include "core/sizing/sizing.h"

// A request as the windows hold it, written as the batch table spells it: the texts
// of the columns its window has (the numbers as typed, the units and captions by their
// names, the conditions its method uses), every other column empty. Read back by the
// batch table's point reader, it is sized to the same outcome.
void WriteRequestTexts(const SizingRequest &request, ProjectPoint &point);

// Replaces the condition columns of a point with `conditions`, as a request carrying
// them would write them.
void WriteConditionTexts(const SizingConditions &conditions, ProjectPoint &point);
