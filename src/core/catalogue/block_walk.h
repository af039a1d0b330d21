#pragma once

#include "core/catalogue/catalogue.h"
#include "core/catalogue/catalogue_blocks.h"

#include <vector>

// The two walks every selection makes over a run of catalogue range: the possible
// walk lists each fitting slot, the optimal search stops at the first one. `fits`
// is the selection's own test of one row.

template <typename Fits>
void AppendFittingSlots(const ProductCatalogue &catalogue, CatalogueBlock range, Fits fits,
                        std::vector<int> &found)
{
    for (int index = range.first; index <= range.last; ++index) {
        if (fits(catalogue.at(index)))
            found.push_back(index);
    }
}

// Appends the first fitting slot, if there is one.
template <typename Fits>
void AppendFirstFittingSlot(const ProductCatalogue &catalogue, CatalogueBlock range, Fits fits,
                            std::vector<int> &found)
{
    for (int index = range.first; index <= range.last; ++index) {
        if (fits(catalogue.at(index))) {
            found.push_back(index);
            return;
        }
    }
}

// The optimal search of a block stops one slot short of its end: the last slot of
// every block is kept empty.
constexpr CatalogueBlock OptimalSearchRange(CatalogueBlock block)
{
    return {block.first, block.last - 1};
}
