#include "core_test.h"

#include "catalogue_rules.h"
#include "picture_folder_search.h"
#include "qelview_catalogue.h"
#include "velview_catalogue.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

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

TEST_CASE("the picture folder is the first one that exists")
{
    using std::filesystem::path;
    const path program = path("opt") / "qel";
    const path data[] = {path("home") / "data", path("usr") / "local", path("usr") / "share"};
    const auto parentWith = [&](std::vector<path> existing) {
        return pictureFolderParent(program, data, "Qelview", u"Qel", [&](const path& folder) {
            return std::ranges::find(existing, folder) != existing.end();
        });
    };
    const path besideProgram = program / "Qel";
    const path userData = data[0] / "qelview" / "Qel";
    const path systemData = data[2] / "qelview" / "Qel";
    CHECK(parentWith({}) == program);
    CHECK(parentWith({besideProgram, userData, systemData}) == program);
    CHECK(parentWith({userData, systemData}) == data[0] / "qelview");
    CHECK(parentWith({systemData}) == data[2] / "qelview");
    // Only the program's own name, in lower case, and its picture folder count.
    CHECK(parentWith({data[0] / "Qelview" / "Qel", data[1] / "qelview" / "velisa"}) == program);
}
