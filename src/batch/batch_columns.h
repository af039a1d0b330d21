#pragma once

#include "core/table/batch_columns.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Where each column stands in a record (-1: not in the table) and how many
// fields a record has.
struct BatchColumns {
    std::array<int, BatchColumnCount> index{};
    int fieldCount = 0;
};

// The header row: every name must be a known column, none twice, and `mode`
// must be there. On failure, the field number (from 1) and the reason.
std::optional<BatchColumns> ReadBatchHeader(const QStringList &fields, int *badField,
                                            QString *error);


