#pragma once

#include <filesystem>

// The folder that holds the running program file, as Windows names it, with
// no length limit.
std::filesystem::path programDirectory();
