#include "viewer_program.h"

const ViewerProgram& qelviewViewerProgram()
{
    static const ViewerProgram program{qelviewProgram(), ":/qelview/built-in-picture.jpg",
                                       ":/qelview/icon-48.png"};
    return program;
}
