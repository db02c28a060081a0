#include "plugin_search.h"

// A Windows deployment carries Qt's own plugins in the program's folder, where
// Qt looks by default, so the search is left as Qt sets it.
void confinePluginSearchToQt()
{}
