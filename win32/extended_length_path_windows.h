#pragma once

#include <string>
#include <string_view>

// The path Windows should be handed for this one: unchanged when it fits in
// MAX_PATH, is not absolute or is already in the \\?\ form; otherwise its
// \\?\ form ("\\?\C:\..." or "\\?\UNC\server\share\..."), normalised first
// the way Windows reads a plain path, since it does not normalise that form:
// runs of separators as one, "/" as "\", "." and ".." segments resolved.
std::wstring extendedLengthPath(std::wstring_view path);
