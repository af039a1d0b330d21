#pragma once

#include "batch/batch_run.h"

// The formats written from every point at once: the CSV table as one xlsx sheet,
// and one PDF document of the points' sizing reports with their contents first
// (needs a QGuiApplication). A CollectedWriter for RunBatch().
// The spreadsheet takes the rows one at a time, so its memory does not grow with
// them; one of more rows than a sheet holds is refused before anything is written.
// Points read from a project give the project's document and workbook instead: its
// priced list first, then each point.
bool WriteBatchFile(BatchFormat format, const QString &path, const CollectedPoints &points, QString *error);

// The catalogue in force as one xlsx sheet, the columns of --catalogue-out's CSV with
// the figures as numbers. A CatalogueWorkbookWriter for RunBatch().
bool WriteCatalogueWorkbook(const QString &path, const ProductCatalogue &catalogue, QString *error);
