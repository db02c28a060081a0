#pragma once

#include <windows.h>

#include <cstdint>

// QueryPerformanceCounter in nanoseconds. Under Wine on Linux the counter is
// the host's CLOCK_MONOTONIC, so the benchmark driver can set it against the
// time it started the process at; the driver checks that before it does.
std::int64_t performanceCounterNanoseconds();

// Prints one "name=value" line on standard output at once.
void report(const char* name, std::int64_t value);

// Notes when this window's own WM_PAINT has returned, by putting itself in
// front of the window's procedure: every message still reaches the window as
// before. Call it before the window is first shown.
void watchFirstPaint(HWND window);

// Runs the thread's message loop as a dialog-like window's loop does, until
// the watched window has painted once and no window of the thread waits for
// painting any more; then prints "first_paint_ns=<counter>" and the
// process's working set, "working_set_kib=<size>", and ends the process, so
// that nothing after the first paint counts.
[[noreturn]] void runUntilFirstPaint(HWND window);
