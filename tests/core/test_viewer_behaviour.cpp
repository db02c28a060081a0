#include "core_test.h"

#include "qelview_catalogue.h"
#include "velview_catalogue.h"
#include "viewer_behaviour.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace {
// The path is the directory, the picture folder and the file, whatever the
// separator.
bool pathEndsIn(const std::optional<PictureToShow>& picture, std::u16string_view folder,
                std::u16string_view file)
{
    return picture && picture->path == std::filesystem::path(u"dir") / folder / file;
}
} // namespace

TEST_CASE("built-in picture stands in for the start-up picture, or shows where there is none")
{
    const auto qelview = ViewerBehaviour(qelviewCatalogue(), u"dir").startupPictures();
    CHECK_EQ(qelview.size(), 2u);
    if (qelview.size() != 2)
        return;
    CHECK(pathEndsIn(qelview.front(), u"Qel", u"0.jpg"));
    CHECK(qelview.front().name.ends_with(u"0.jpg：总览"));
    CHECK_EQ(qelview.front().announcement, u"");
    CHECK(qelview.back().source == PictureSource::BuiltIn);
    CHECK_EQ(qelview.back().name, u"内置图片");
    const auto velview = ViewerBehaviour(velviewCatalogue(), u"dir").startupPictures();
    CHECK_EQ(velview.size(), 1u);
    CHECK((!velview.empty() && velview.front().source == PictureSource::BuiltIn));
}

TEST_CASE("pick answers with the picture then the description")
{
    const ViewerBehaviour qelview(qelviewCatalogue(), u"dir");
    const auto last = qelview.pick(3, 6);
    CHECK((last && pathEndsIn(last->picture, u"Qel", u"56.jpg")));
    CHECK(last->picture->name.ends_with(u"56.jpg：髪影消"));
    CHECK_EQ(last->description, u" [表情说明]\r\n   头发阴影消失");
    // Screen readers hear the description itself, not the picture's name.
    CHECK_EQ(last->announcement, u"头发阴影消失");
    CHECK_EQ(last->picture->announcement, u"");
    // The blanks the list text ends in are not part of the name.
    CHECK(qelview.pick(2, 12)->picture->name.ends_with(u"39.jpg：ω□"));

    const ViewerBehaviour velview(velviewCatalogue(), u"dir");
    CHECK(velview.pick(3, 1)->picture->name.ends_with(u"30.jpg：ぺろっ"));
    for (const std::int64_t outside : {-1, 2, 32767, 65535})
        CHECK(!velview.pick(3, outside));
    CHECK(!velview.pick(4, 0));
}

TEST_CASE("double click shows the reset picture")
{
    const auto qelview = ViewerBehaviour(qelviewCatalogue(), u"dir").doubleClick();
    CHECK(pathEndsIn(qelview, u"Qel", u"0.jpg"));
    const auto velview = ViewerBehaviour(velviewCatalogue(), u"dir").doubleClick();
    CHECK(pathEndsIn(velview, u"velisa", u"15.jpg"));
    CHECK(velview->name.ends_with(u"15.jpg：びっくり"));
    CHECK_EQ(velview->announcement, velview->name);
}
