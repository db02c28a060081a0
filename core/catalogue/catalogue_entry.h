#pragma once

#include <string_view>

// One item of a drop-down list: the morph's name as listed, the number of its
// picture file and the one-line explanation shown below the picture.
struct CatalogueEntry {
    int index;
    std::u16string_view listText;
    int pictureNumber;
    std::u16string_view description;
};
