#pragma once

#include <functional>
#include <string>
#include <string_view>

// The environment variables that decide which Qt platform a program runs on,
// each empty when unset.
struct PlatformEnvironment {
    std::string sessionType;    // XDG_SESSION_TYPE
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string chosenPlatform; // QT_QPA_PLATFORM
    std::string x11Display;     // DISPLAY
};

// The Qt platform to ask for on a Wayland session where the user chose none:
// "xcb" when the X server DISPLAY names answers (x11Reachable, asked only
// then), since Wayland gives a client no way to keep its window on top, else
// "wayland". Empty, leaving the choice to Qt, elsewhere.
std::string_view chooseQtPlatform(const PlatformEnvironment& environment,
                                  const std::function<bool()>& x11Reachable);
