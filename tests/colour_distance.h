#pragma once

#include <QColor>

#include <cstdlib>

// How far apart two colours are: the sum of the differences of their red,
// green and blue channels, alpha left out.
inline int colourDistance(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}
