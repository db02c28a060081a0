#pragma once

#include "form_appearance.h"

#include <QColor>

inline QColor toQColor(RgbColour colour)
{
    return {colour.red, colour.green, colour.blue};
}

inline RgbColour toRgbColour(const QColor& colour)
{
    return {std::uint8_t(colour.red()), std::uint8_t(colour.green()), std::uint8_t(colour.blue())};
}
