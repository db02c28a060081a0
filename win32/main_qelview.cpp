#include "program.h"
#include "system_library.h"
#include "viewer_application.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    restrictDllSearchToSystem32();
    return runViewer(qelviewProgram());
}
