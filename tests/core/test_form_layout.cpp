#include "core_test.h"

#include "form_layout.h"
#include "list_font_fit.h"

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
    // Going from 17 to 12 takes one guess, not a measurement per size.
    measured = 0;
    fittingFontSize(17, 9, {14, 77}, sixWide);
    CHECK(measured <= 3);
}
