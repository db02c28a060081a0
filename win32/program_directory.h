#pragma once

#include <string>

// The folder that holds the running program file, as Windows names it, with
// no length limit: without a trailing backslash, except at a drive's root
// ("C:\"), where it keeps one.
std::u16string programDirectory();
