#include "platform_choice.h"

bool shouldRunThroughX11(const PlatformEnvironment& environment)
{
    const bool waylandSession =
        environment.sessionType == "wayland" || !environment.waylandDisplay.empty();
    return waylandSession && environment.chosenPlatform.empty() && !environment.x11Display.empty();
}
