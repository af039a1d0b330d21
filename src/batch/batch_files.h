#pragma once

#include "batch/batch_run.h"

// The formats written from every point at once: the CSV table as one xlsx sheet,
// and the sizing report of each point in turn as one PDF (needs a
// QGuiApplication). A CollectedWriter for RunBatch().
bool WriteBatchFile(BatchFormat format, const QString &path, const std::vector<BatchRecord> &records,
                    const ProductCatalogue &catalogue, QString *error);
