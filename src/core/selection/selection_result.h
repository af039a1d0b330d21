#pragma once

#include <vector>

// What a selection finds: catalogue slots, in the order they are listed.
struct SelectionResult {
    std::vector<int> possible; // every fitting row, numbered 1, 2, ... in the grid
    std::vector<int> optimal;  // the first fitting row of each block walked

    bool operator==(const SelectionResult &) const = default;
};
