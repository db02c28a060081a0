#include "run_viewer.h"
#include "viewer_program.h"

int main(int argc, char* argv[])
{
    return runViewer(argc, argv, velviewViewerProgram());
}
