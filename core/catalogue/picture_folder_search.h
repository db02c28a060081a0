#pragma once

#include <filesystem>
#include <functional>
#include <span>
#include <string_view>

// The folder a program's picture folder lies in, settled once at start. The
// program's own folder comes first, so that a copy of the program with its
// pictures beside it behaves the same wherever it lies; then the folder named
// after the program, in lower case, in each data folder the platform gives,
// the user's own before the system's. The first of these whose picture folder
// isFolder finds is the one; the program's own folder when none is.
std::filesystem::path
pictureFolderParent(const std::filesystem::path& programDirectory,
                    std::span<const std::filesystem::path> dataFolders,
                    std::string_view programName, std::u16string_view pictureFolder,
                    const std::function<bool(const std::filesystem::path&)>& isFolder);
