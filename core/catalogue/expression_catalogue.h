#pragma once

#include "category.h"

#include <array>
#include <optional>
#include <string_view>

// The picture that belongs to no entry and shows the whole face.
inline constexpr int OverviewPicture = 0;

// All the data of one program: where its pictures lie, its four lists in the
// order eyebrows, eyes, mouth, other, and which pictures the window shows at
// start and on a double-click.
struct ExpressionCatalogue {
    std::u16string_view pictureFolder;
    std::array<Category, 4> categories;
    std::optional<int> startupPicture;
    int resetPicture;
};
