#pragma once

// True while the user has Windows' High Contrast turned on, when a window
// draws in the system's colours alone.
bool highContrastOn();
