#pragma once

#include <string>

// The environment variables that decide which Qt platform a program runs on,
// each empty when unset.
struct PlatformEnvironment {
    std::string sessionType;    // XDG_SESSION_TYPE
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string chosenPlatform; // QT_QPA_PLATFORM
    std::string x11Display;     // DISPLAY
};

// True on a Wayland session where X11 (XWayland) is also at hand and the user
// chose no Qt platform: Wayland gives a client no way to keep its window on
// top, X11 does.
bool shouldRunThroughX11(const PlatformEnvironment& environment);
