#pragma once

#include <filesystem>
#include <vector>

// The data folders of the XDG base directories, the user's first:
// $XDG_DATA_HOME (by default ~/.local/share), then each folder of
// $XDG_DATA_DIRS (by default /usr/local/share and /usr/share). Relative
// folders are left out, as those rules ask.
std::vector<std::filesystem::path> dataFolders();
