#pragma once

// Makes Qt look for plugins in its own installation's plugin folder only, never
// in the program's folder (where a picture pack is unpacked) nor in folders named
// by QT_PLUGIN_PATH. Call before the application object is constructed.
void confinePluginSearchToQt();
