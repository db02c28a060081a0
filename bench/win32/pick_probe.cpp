// Measures picks in Qelview's real window under Wine, from the pick to the
// end of the paint of the picture and the description, against the floor of
// reading and decoding the same files with WIC at the picture area's device
// size, and against the front end's own reading and decoding alone.
//
// Usage: win32_pick_probe ROUNDS
// Prints "pick N", "decode N" and "frontend_decode N" lines (nanoseconds),
// one of each per entry and round; and after each pick a "phases" line that
// splits it.

#include "catalogue_rules.h"
#include "common_controls.h"
#include "dpi.h"
#include "first_paint.h"
#include "form_controls.h"
#include "form_layout.h"
#include "picture_decoder.h"
#include "picture_file.h"
#include "program.h"
#include "program_directory.h"
#include "system_library.h"
#include "viewer_window.h"
#include "wic_floor.h"

#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {
struct Pick {
    HWND list;
    int listIdentifier;
    int index;
    std::wstring path;
};

// Which of the two watched windows have painted since the last reset.
struct PaintWatch {
    HWND picture = nullptr;
    HWND description = nullptr;
    WNDPROC pictureProcedure = nullptr;
    WNDPROC descriptionProcedure = nullptr;
    bool pictureDone = false;
    bool descriptionDone = false;
    // When the description's new text began and ended to be set and drawn,
    // and when the picture's paint began and ended.
    std::int64_t textBegin = 0;
    std::int64_t textEnd = 0;
    std::int64_t paintBegin = 0;
    std::int64_t paintEnd = 0;
    // When the list had taken the new selection and shown it in its field.
    std::int64_t selected = 0;
};
PaintWatch watch;

LRESULT CALLBACK watchingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool picture = window == watch.picture;
    const bool timed = message == WM_PAINT || (!picture && message == WM_SETTEXT);
    std::int64_t& begin = picture ? watch.paintBegin : watch.textBegin;
    if (timed && begin == 0)
        begin = performanceCounterNanoseconds();
    const LRESULT result =
        CallWindowProcW(picture ? watch.pictureProcedure : watch.descriptionProcedure, window,
                        message, wParam, lParam);
    if (timed)
        (picture ? watch.paintEnd : watch.textEnd) = performanceCounterNanoseconds();
    bool& done = picture ? watch.pictureDone : watch.descriptionDone;
    if (message == WM_PAINT)
        done = true;
    // A static control may draw its new text at once, without WM_PAINT, as
    // Wine's does; then nothing of it is left to paint.
    if (message == WM_SETTEXT && !GetUpdateRect(window, nullptr, FALSE))
        done = true;
    return result;
}

WNDPROC subclass(HWND window)
{
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchingProcedure)));
}

// Handles the window's messages, as its program's loop does, until done()
// holds; false when it has not after five seconds.
template <typename Condition> bool pumpUntil(HWND window, Condition done)
{
    const ULONGLONG deadline = GetTickCount64() + 5000;
    MSG message;
    while (!done()) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(deadline - now), QS_ALLINPUT);
            continue;
        }
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

class PickBench {
public:
    PickBench() : m_viewer(qelviewProgram()) {}

    bool open(HINSTANCE instance)
    {
        if (!m_viewer.create(instance))
            return false;
        m_viewer.show();
        const HWND window = m_viewer.window();
        if (!pumpUntil(window, [] { return (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) == 0; }))
            return false;
        watch.picture = GetDlgItem(window, PictureIdentifier);
        watch.description = GetDlgItem(window, FirstLabelIdentifier + 4);
        if (!watch.picture || !watch.description)
            return false;
        watch.pictureProcedure = subclass(watch.picture);
        watch.descriptionProcedure = subclass(watch.description);

        const ExpressionCatalogue& catalogue = qelviewProgram().catalogue;
        const std::filesystem::path directory = programDirectory();
        for (std::size_t list = 0; list < catalogue.categories.size(); ++list) {
            const int identifier = FirstListIdentifier + int(list);
            for (const CatalogueEntry& entry : catalogue.categories[list].entries)
                m_picks.push_back(
                    {GetDlgItem(window, identifier), identifier, entry.index,
                     PicturePath(catalogue, directory, entry.pictureNumber)->native()});
        }
        const PixelRect area = pixelRect(controlLayout("Image1"), int(windowDpi(window)));
        m_size = {area.width, area.height};
        return !m_picks.empty();
    }

    const std::vector<Pick>& picks() const { return m_picks; }
    SIZE pictureSize() const { return m_size; }

    // One pick as Down in the closed list makes it: the selection moves and
    // the list tells its window; returns once both the picture and the
    // description have painted.
    bool pick(const Pick& pick)
    {
        watch.pictureDone = watch.descriptionDone = false;
        watch.textBegin = watch.textEnd = watch.paintBegin = watch.paintEnd = 0;
        SendMessageW(pick.list, CB_SETCURSEL, WPARAM(pick.index), 0);
        watch.selected = performanceCounterNanoseconds();
        SendMessageW(m_viewer.window(), WM_COMMAND, MAKEWPARAM(pick.listIdentifier, CBN_SELCHANGE),
                     LPARAM(pick.list));
        return pumpUntil(m_viewer.window(),
                         [] { return watch.pictureDone && watch.descriptionDone; });
    }

private:
    ViewerWindow m_viewer;
    std::vector<Pick> m_picks;
    SIZE m_size{};
};

void printTime(const char* kind, std::int64_t start)
{
    std::printf("%s %lld\n", kind, static_cast<long long>(performanceCounterNanoseconds() - start));
}

int printTimes(PickBench& bench, int rounds)
{
    WicFloor floor;
    PictureDecoder frontEndDecoder;
    const SIZE size = bench.pictureSize();
    for (const Pick& pick : bench.picks()) { // warm-up
        if (!bench.pick(pick)) {
            std::fprintf(stderr,
                         "win32_pick_probe: no paint after picking %ls (picture %d, "
                         "description %d)\n",
                         pick.path.c_str(), int(watch.pictureDone), int(watch.descriptionDone));
            return 1;
        }
        if (floor.readAndDecode(pick.path, UINT(size.cx), UINT(size.cy)) == 0) {
            std::fprintf(stderr, "win32_pick_probe: WIC could not decode %ls\n", pick.path.c_str());
            return 1;
        }
    }
    // Each entry's pick, floor and front-end decode one after the other, so
    // that a slow spell of a busy machine falls on all three alike.
    for (int round = 0; round < rounds; ++round) {
        for (const Pick& pick : bench.picks()) {
            auto start = performanceCounterNanoseconds();
            if (!bench.pick(pick))
                return 1;
            printTime("pick", start);
            // Where the time went: the list taking the selection, then up to
            // the description's new text (the file read and decoded), setting
            // and drawing that text, and the picture's paint.
            std::printf("phases %lld %lld %lld %lld\n",
                        static_cast<long long>(watch.selected - start),
                        static_cast<long long>(watch.textBegin - watch.selected),
                        static_cast<long long>(watch.textEnd - watch.textBegin),
                        static_cast<long long>(watch.paintEnd - watch.paintBegin));

            start = performanceCounterNanoseconds();
            if (floor.readAndDecode(pick.path, UINT(size.cx), UINT(size.cy)) == 0)
                return 1;
            printTime("decode", start);

            start = performanceCounterNanoseconds();
            const auto file = readPictureFile(pick.path);
            auto bitmap = file ? frontEndDecoder.decode(file->bytes, size) : GdiObject<HBITMAP>();
            if (!bitmap)
                return 1;
            // Handed back as the window hands back the picture it stops showing.
            frontEndDecoder.recycle(std::move(bitmap));
            printTime("frontend_decode", start);
        }
    }
    std::fflush(stdout);
    return 0;
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int)
{
    restrictDllSearchToSystem32();
    const int rounds = _wtoi(arguments);
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: win32_pick_probe ROUNDS\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    initialiseCommonControls();
    static PickBench bench;
    if (!bench.open(instance)) {
        std::fprintf(stderr, "win32_pick_probe: the window did not open\n");
        return 1;
    }
    const int result = printTimes(bench, rounds);
    ExitProcess(UINT(result));
}
