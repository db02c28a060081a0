#pragma once

#include "category.h"

#include <array>
#include <span>
#include <string_view>

struct CategoryHeading {
    std::u16string_view caption;
    std::u16string_view initialText;
};

// Captions and initial texts of the four lists, the same in every program.
// Only the mouth list starts with a text other than its caption.
inline constexpr std::array<CategoryHeading, 4> categoryHeadings{{
    {u"眉毛", u"眉毛"},
    {u"眼睛", u"眼睛"},
    {u"口型", u"嘴巴"},
    {u"其他", u"其他"},
}};

// The category with the given ordinal (1 to 4), its shared headings and the
// program's own entries.
constexpr Category headedCategory(int ordinal, std::span<const CatalogueEntry> entries)
{
    const CategoryHeading& heading = categoryHeadings.at(static_cast<std::size_t>(ordinal - 1));
    return {ordinal, heading.caption, heading.initialText, entries};
}
