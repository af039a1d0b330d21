#pragma once

#include "core/catalogue/catalogue.h"

// The built-in catalogue, filled once for the tests and fuzz targets that only read it.
inline const ProductCatalogue &FilledCatalogue()
{
    static const ProductCatalogue catalogue = [] {
        ProductCatalogue c;
        c.Fill();
        return c;
    }();
    return catalogue;
}
