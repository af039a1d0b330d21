#pragma once

#include "core/cabinet/cabinet_selection.h"

#include <QString>
#include <QStringList>

// The texts of the cabinet choices, as the forms show them and the report and the
// batch program name them.

// The choice dialog's caption of a kind ("Пункт учета газа ТИВ", ...).
QString CabinetKindCaption(CabinetKind kind);
// The product word that opens the kind's variant captions ("ТИВ", "ЛЕМА", "ОРНИК").
QString CabinetProductWord(CabinetKind kind);
// The caption of variant button 1..4 of the kind's form; empty outside 1..4.
QString CabinetVariantCaption(CabinetKind kind, int variant);
// Only the metering point asks whether it has a bypass.
bool CabinetHasBypass(CabinetKind kind);

// The two buttons of each option group, in button order.
QStringList SideCaptions();   // "Слева", "Справа"
QStringList BypassCaptions(); // "С байпасом", "Без байпаса"
QStringList GaugeCaptions();  // "С манометрами", "Без манометров"
