#pragma once

#include <QString>

class QWidget;

// Asks the window system to keep the window above every window that is not
// itself kept on top, for the rest of its life, without moving or resizing it.
// The outcome is not examined: where the system refuses, the window stays an
// ordinary one. Call before the window is first shown.
void requestStaysOnTop(QWidget& window);

// The directory that holds the program file, in the platform's own notation,
// without a trailing separator except at the root of a file system.
QString programDirectory();
