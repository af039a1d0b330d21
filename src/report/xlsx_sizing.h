#pragma once

#include "core/catalogue/catalogue.h"
#include "core/sizing/sizing.h"
#include "report/report_header.h"

#include <QString>

// The sizing as a workbook. Sheet "Подбор": the choice, the input and working data
// at the top, the optimal rows below with their load and Qmin margin; sheet
// "Возможные варианты": every possible row under a frozen header row. Figures are
// numeric cells (a price of 0 is the text "договорная", a missing margin "—").
// Written whole or not at all; false with the reason (the file and the system's
// reason) in *error.
// `heading` fills the block "Объект", "Заказчик", ... (empty fields left out).
bool WriteSizingXlsx(const QString &path, const SizingOutcome &outcome,
                     const ProductCatalogue &catalogue, QString *error,
                     const ReportHeader &heading = {});
