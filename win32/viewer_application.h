#pragma once

struct Program;

// Runs one program's window until it is closed; gives the exit code. Call it
// after restrictDllSearchToSystem32, as the first thing after that.
int runViewer(const Program& program);
