#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// A fresh folder for one test program's files, removed when the program ends.
const std::filesystem::path& scratchFolder();

// Writes these bytes to a file of that name in the scratch folder and returns
// its full path.
std::filesystem::path writeScratchFile(std::u16string_view name,
                                       std::span<const std::uint8_t> bytes);
