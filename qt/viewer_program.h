#pragma once

#include "program.h"

#include <string_view>

// What sets one program apart from the other in the Qt front end: its data
// from the core, and where its artwork lies among the embedded resources.
struct ViewerProgram {
    const Program& program;
    // Qt resource path of the picture the window holds before any file loads.
    std::string_view builtInPicture;
    // Qt resource path of the window's icon, a 48-pixel PNG image.
    std::string_view windowIcon;
};

const ViewerProgram& qelviewViewerProgram();
const ViewerProgram& velviewViewerProgram();
