#include "core_test.h"

#include "catalogue_rules.h"
#include "qelview_catalogue.h"
#include "velview_catalogue.h"

#include <array>
#include <cstdint>
#include <limits>

namespace {
constexpr CatalogueEntry threeEntries[] = {
    {0, u"первый", 1, u"one"},
    {1, u"第二", 2, u"two"},
    {2, u"dritte", 3, u"three"},
};
constexpr Category threeItemList{1, u"眉毛", u"眉毛", threeEntries};
constexpr Category emptyList{2, u"眼睛", u"眼睛", {}};
} // namespace

TEST_CASE("find entry takes only positions inside the list")
{
    struct Case {
        const Category& category;
        std::int16_t listIndex;
        std::optional<int> expectedPicture;
    };
    const Case cases[] = {
        {threeItemList, -1, std::nullopt},
        {threeItemList, 0, 1},
        {threeItemList, 2, 3},
        {threeItemList, 3, std::nullopt},
        {threeItemList, std::numeric_limits<std::int16_t>::min(), std::nullopt},
        {threeItemList, std::numeric_limits<std::int16_t>::max(), std::nullopt},
        {emptyList, 0, std::nullopt},
        {emptyList, -1, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto entry = FindEntry(c.category, c.listIndex);
        CHECK_EQ(entry ? std::optional<int>(entry->pictureNumber) : std::nullopt,
                 c.expectedPicture);
    }
}

TEST_CASE("description is heading then CR LF and three blanks")
{
    CHECK_EQ(DescriptionText(threeEntries[1]), u" [表情说明]\r\n   two");
}

TEST_CASE("no path for pictures a program does not read")
{
    for (const int number : {-1, 57, 1000}) {
        CHECK(!PicturePath(qelviewCatalogue(), u"dir", number));
        CHECK(!PicturePath(velviewCatalogue(), u"dir", number));
    }
    // Velview shows a built-in picture at start and has no picture 0.
    CHECK(!PicturePath(velviewCatalogue(), u"dir", 0));
}
