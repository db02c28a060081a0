#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// The whole content of the regular file at exactly this path, or nothing when
// the path names no regular file (a directory, FIFO, device, socket, pipe or
// console, or a link to one), cannot be read, or holds more than maxBytes.
// Never blocks on a special file. Each platform layer has its own, since
// only the system's own calls can tell a regular file without waiting on one.
std::optional<std::vector<std::uint8_t>> readRegularFile(const std::filesystem::path& path,
                                                         std::int64_t maxBytes);
