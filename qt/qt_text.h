#pragma once

#include <QString>

#include <string_view>

// The catalogue holds UTF-16 text, so the conversion copies code units as they
// stand.
inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
