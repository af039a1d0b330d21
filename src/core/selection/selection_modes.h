#pragma once

#include "core/selection/range_selection.h"

#include <QString>
#include <QStringList>

// What each of the five selection modes is: its category caption, the captions
// of its choice boxes and the unit its working-pressure input starts with.

inline constexpr int FirstMode = 1;
inline constexpr int LastMode = 5;

// The category as the main window names it, in one line.
QString CategoryCaption(int mode);

// The captions of the boxes of the mode's choice dialog, in box order (modes 1
// to 4; empty for any other mode).
QStringList FamilyCaptions(int mode);
// The captions of the checked boxes only.
QStringList ChosenFamilyCaptions(int mode, const FamilyGates &gates);

// Modes 1 and 3 ask for a pressure range (or one working pressure); modes 2 and 4
// for one working pressure; mode 5 uses the cabinet forms.
bool AsksPressureRange(int mode);
bool AsksWorkingPressure(int mode);

// The unit list index a launch of `mode` puts in the working-pressure input
// ("бар" for mode 2, "кПа" for mode 4); -1 when the mode leaves the list alone.
int WorkingPressureUnitOfMode(int mode);
// The unit the exit reset puts there.
int WorkingPressureUnitAfterExit();
