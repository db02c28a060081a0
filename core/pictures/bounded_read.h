#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Reads an opened file to its end through readSome(buffer, capacity), which
// returns the bytes it filled, 0 at the end of the file or -1 on an error.
// statedSize is what the file claimed before the read. The file may grow
// while it is read, so reading goes on past that size and stops with nothing
// as soon as it passes maxBytes.
template <typename ReadSome>
std::optional<std::vector<std::uint8_t>> readWithin(std::int64_t statedSize, std::int64_t maxBytes,
                                                    ReadSome readSome)
{
    // One byte past the stated size tells whether the file grew.
    std::vector<std::uint8_t> content(static_cast<std::size_t>(statedSize) + 1);
    std::size_t filled = 0;
    while (filled < content.size()) {
        const std::int64_t count = readSome(content.data() + filled, content.size() - filled);
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
        if (std::int64_t(filled) > maxBytes)
            return std::nullopt;
        if (filled == content.size())
            content.resize(std::min<std::size_t>(content.size() * 2, std::size_t(maxBytes) + 1));
    }
    content.resize(filled);
    return content;
}
