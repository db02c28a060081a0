#include "platform_choice.h"

std::string_view chooseQtPlatform(const PlatformEnvironment& environment,
                                  const std::function<bool()>& x11Reachable)
{
    const bool waylandSession =
        environment.sessionType == "wayland" || !environment.waylandDisplay.empty();
    if (!waylandSession || !environment.chosenPlatform.empty())
        return {};
    if (!environment.x11Display.empty() && x11Reachable())
        return "xcb";
    // Left to itself, Qt may still pick X11 here (it does under GNOME) and
    // abort when no X server answers.
    return "wayland";
}
