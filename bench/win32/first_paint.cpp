#include "first_paint.h"

#include <psapi.h>

#include <cstdio>

namespace {
WNDPROC watchedProcedure = nullptr;
bool painted = false;

LRESULT CALLBACK watchingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcW(watchedProcedure, window, message, wParam, lParam);
    if (message == WM_PAINT)
        painted = true;
    return result;
}

// True while any window of this thread has a part that needs painting.
bool paintPending()
{
    return (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) != 0;
}
} // namespace

std::int64_t performanceCounterNanoseconds()
{
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    const std::int64_t seconds = count.QuadPart / frequency.QuadPart;
    const std::int64_t rest = count.QuadPart % frequency.QuadPart;
    return seconds * 1'000'000'000 + rest * 1'000'000'000 / frequency.QuadPart;
}

void report(const char* name, std::int64_t value)
{
    std::printf("%s=%lld\n", name, static_cast<long long>(value));
    std::fflush(stdout);
}

void watchFirstPaint(HWND window)
{
    watchedProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchingProcedure)));
}

void runUntilFirstPaint(HWND window)
{
    MSG message;
    while (!painted || paintPending()) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0)
            break;
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    report("first_paint_ns", painted ? performanceCounterNanoseconds() : 0);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        report("working_set_kib", std::int64_t(memory.WorkingSetSize / 1024));
    ExitProcess(painted ? 0 : 1);
}
