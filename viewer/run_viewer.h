#pragma once

#include "deliverable.h"

// Builds the application and the program's window, runs it until the window is
// closed, and returns the exit code.
int runViewer(int argc, char* argv[], const Deliverable& deliverable);
