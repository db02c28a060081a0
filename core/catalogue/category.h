#pragma once

#include "catalogue_entry.h"

#include <span>
#include <string_view>

// One region of the face: a drop-down list with its caption, the text it shows
// before anything is picked, and its entries in list order.
struct Category {
    int ordinal;
    std::u16string_view caption;
    std::u16string_view initialText;
    std::span<const CatalogueEntry> entries;
};
