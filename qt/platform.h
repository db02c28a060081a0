#pragma once

#include <filesystem>

class QWidget;

// Before the application object exists: on a Wayland session where the user
// chose no Qt platform, choose X11 when its server answers, since Wayland
// gives a client no way to keep its window on top, and Wayland otherwise.
void preferPlatformThatKeepsWindowsOnTop();

// Asks the window system to keep the window above every window that is not
// itself kept on top, for the rest of its life, without moving or resizing it.
// The outcome is not examined: where the system refuses, the window stays an
// ordinary one. Call before the window is first shown.
void requestStaysOnTop(QWidget& window);

// Asks the window system to show no taskbar button for the window. Call after
// the window's flags are final and before it is first shown.
void hideFromTaskbar(QWidget& window);

// The directory that holds the program file, its name's bytes exactly as the
// file system holds them.
std::filesystem::path programDirectory();
