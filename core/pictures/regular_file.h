#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// The whole content of the regular file at exactly this path, or nothing when
// the path names no regular file (a directory, FIFO, device, socket, pipe or
// console, or a link to one), cannot be read, or holds more than maxBytes.
// Never blocks on a special file.
std::optional<std::vector<std::uint8_t>> readRegularFile(std::u16string_view path,
                                                         std::int64_t maxBytes);
