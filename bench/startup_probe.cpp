// Starts a program's window exactly as the program does and reports its first
// frame. Usage: startup_probe Qelview|Velview

#include "first_frame_probe.h"
#include "run_viewer.h"
#include "viewer_program.h"

#include <cstring>

int main(int argc, char* argv[])
{
    const bool velview = argc > 1 && std::strcmp(argv[1], "Velview") == 0;
    return runViewer(argc, argv, velview ? velviewViewerProgram() : qelviewViewerProgram(),
                     reportFirstFrameAndExit);
}
