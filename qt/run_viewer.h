#pragma once

#include "viewer_program.h"

#include <functional>

class QWidget;

// Builds the application and the program's window, runs it until the window is
// closed, and returns the exit code. Of the command line only the program's
// own path reaches the toolkit. whenShown, if given, is called with the
// window right after it is first shown, for tools that observe the program.
int runViewer(int argc, char* argv[], const ViewerProgram& program,
              const std::function<void(QWidget&)>& whenShown = {});
