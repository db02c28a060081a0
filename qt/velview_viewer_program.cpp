#include "viewer_program.h"

const ViewerProgram& velviewViewerProgram()
{
    static const ViewerProgram program{velviewProgram(), ":/velview/built-in-picture.jpg",
                                       ":/velview/icon-48.png"};
    return program;
}
