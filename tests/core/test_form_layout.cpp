#include "core_test.h"

#include "form_appearance.h"
#include "form_layout.h"
#include "text_font_fit.h"

#include <stdexcept>

TEST_CASE("twips become the nearest whole pixel")
{
    struct Case {
        int twips;
        int dpi;
        int pixels;
    };
    const Case cases[] = {
        {0, 96, 0},      {7, 96, 0},       {8, 96, 1},       {15, 96, 1},
        {4485, 96, 299}, {4485, 192, 598}, {4555, 96, 304},  {4555, 192, 607},
        {6480, 96, 432}, {6480, 192, 864}, {4500, 144, 450}, {1575, 120, 131},
    };
    for (const Case& c : cases)
        CHECK_EQ(twipsToPixels(c.twips, c.dpi), c.pixels);
}

TEST_CASE("client area and controls at two resolutions")
{
    CHECK(formClientSize() == (PixelSize{299, 432}));
    CHECK(formClientSize(192) == (PixelSize{598, 864}));
    CHECK(pixelRect(controlLayout("Label5")) == (PixelRect{16, 304, 265, 60}));
    CHECK(pixelRect(controlLayout("Label5"), 192) == (PixelRect{32, 607, 530, 120}));
    CHECK(pixelRect(controlLayout("Image1")) == (PixelRect{0, 0, 300, 300}));
    CHECK(pixelRect(controlLayout("Image1"), 192) == (PixelRect{0, 0, 600, 600}));
    CHECK(pixelRect(controlLayout("Combo1")) == (PixelRect{40, 368, 105, 20}));
}

TEST_CASE("unknown control is an error")
{
    bool thrown = false;
    try {
        controlLayout("Combo5");
    } catch (const std::out_of_range&) {
        thrown = true;
    }
    CHECK(thrown);
}

TEST_CASE("list font shrinks only until the text fits")
{
    // Text six characters wide of one pixel per pixel of size, in a field
    // 77 px wide and 14 px high.
    int measured = 0;
    const auto sixWide = [&measured](int size) {
        ++measured;
        return TextExtent{size, size * 6};
    };
    CHECK_EQ(fittingFontSize(12, 9, {14, 77}, sixWide), 12);
    CHECK_EQ(fittingFontSize(17, 9, {14, 77}, sixWide), 12);
    CHECK_EQ(fittingFontSize(17, 9, {8, 77}, sixWide), 9);
    CHECK_EQ(fittingFontSize(8, 9, {14, 77}, sixWide), 8);
    // Tall enough but too narrow: 12 px text is 72 px wide, 10 px text 60.
    CHECK_EQ(fittingFontSize(12, 9, {14, 61}, sixWide), 10);
    // Going from 17 to 12 takes one guess, not a measurement per size.
    measured = 0;
    fittingFontSize(17, 9, {14, 77}, sixWide);
    CHECK(measured <= 3);
}

TEST_CASE("labels start at their designed size in their whole box")
{
    // 10.5 pt and 9 pt at 96, 120 and 144 dots to the inch.
    CHECK_EQ(designFontPixels(CaptionFont, 96), 14);
    CHECK_EQ(designFontPixels(CaptionFont, 120), 18);
    CHECK_EQ(designFontPixels(CaptionFont, 144), 21);
    CHECK_EQ(designFontPixels(DescriptionFont, 96), 12);
    CHECK_EQ(designFontPixels(DescriptionFont, 120), 15);
    const TextExtent caption = labelRoom(controlLayout("Label1"));
    CHECK_EQ(caption.height, 17);
    CHECK_EQ(caption.width, 33);
    const TextExtent description = labelRoom(controlLayout("Label5"), 192);
    CHECK_EQ(description.height, 120);
    CHECK_EQ(description.width, 530);
}

TEST_CASE("description keeps its pink unless the desktop is High Contrast")
{
    const PanelColours dark{{32, 32, 32}, {230, 230, 230}};
    const PanelColours pink{{255, 192, 192}, {0, 0, 0}};
    CHECK(descriptionColours(false, dark) == pink);
    CHECK(descriptionColours(true, dark) == dark);
    CHECK(looksHighContrast({{255, 255, 255}, {0, 0, 0}}));
    CHECK(looksHighContrast({{0, 0, 0}, {255, 255, 255}}));
    CHECK(!looksHighContrast({{239, 239, 239}, {0, 0, 0}}));
    CHECK(!looksHighContrast(dark));
}

TEST_CASE("tab order follows the tab indexes")
{
    const std::vector<std::string_view> expected{"Combo1", "Label1", "Combo2", "Label2", "Label3",
                                                 "Label4", "Combo3", "Combo4", "Label5"};
    CHECK(controlsInTabOrder() == expected);
}

TEST_CASE("window is centred in the work area")
{
    // A panel 27 px high along the top of a 1024 x 768 screen.
    CHECK(centredFrame({0, 27, 1024, 741}, {301, 461}) == (PixelRect{361, 167, 301, 461}));
    CHECK(centredFrame({1024, 0, 1920, 1040}, {598, 890}) == (PixelRect{1685, 75, 598, 890}));
    CHECK(centredFrame({100, 0, 200, 300}, {400, 400}) == (PixelRect{100, 0, 400, 400}));
}
