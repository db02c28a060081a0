#include "form_layout.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

int twipsToPixels(int twips, int dpi)
{
    const std::int64_t scaled = std::int64_t(twips) * dpi;
    return int((scaled + TwipsPerInch / 2) / TwipsPerInch);
}

PixelRect pixelRect(const ControlLayout& control, int dpi)
{
    return {twipsToPixels(control.left, dpi), twipsToPixels(control.top, dpi),
            twipsToPixels(control.width, dpi), twipsToPixels(control.height, dpi)};
}

PixelSize formClientSize(int dpi)
{
    return {twipsToPixels(FormClientWidth, dpi), twipsToPixels(FormClientHeight, dpi)};
}

const ControlLayout& controlLayout(std::string_view objectName)
{
    const auto found = std::ranges::find(formControls, objectName, &ControlLayout::objectName);
    if (found == formControls.end())
        throw std::out_of_range("no such control in the window layout");
    return *found;
}

std::vector<std::string_view> controlsInTabOrder()
{
    std::vector<const ControlLayout*> ordered;
    for (const ControlLayout& control : formControls)
        if (control.tabIndex)
            ordered.push_back(&control);
    std::ranges::sort(ordered, {}, [](const ControlLayout* control) { return *control->tabIndex; });
    std::vector<std::string_view> names;
    for (const ControlLayout* control : ordered)
        names.push_back(control->objectName);
    return names;
}

PixelRect centredFrame(PixelRect workArea, PixelSize frame)
{
    const int x = workArea.x + std::max(0, (workArea.width - frame.width) / 2);
    const int y = workArea.y + std::max(0, (workArea.height - frame.height) / 2);
    return {x, y, frame.width, frame.height};
}
