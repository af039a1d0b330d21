#pragma once

#include "batch/batch_run.h"

// The formats written from every point at once: the CSV table as one xlsx sheet,
// and one PDF document of the points' sizing reports with their contents first
// (needs a QGuiApplication). A CollectedWriter for RunBatch().
bool WriteBatchFile(BatchFormat format, const QString &path, const std::vector<BatchRecord> &records,
                    const ProductCatalogue &catalogue, QString *error);
