// Start-up to first paint: `first_paint form <folder>` opens Form1 on a folder,
// `first_paint empty` a bare window of the same size; each prints the milliseconds
// from the process's creation until its window has painted, and that moment in Unix
// milliseconds (scripts/win32-first-paint.sh), then quits.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "win32/form1.h"

namespace {

// Milliseconds since 1970, to compare with the moment a script started Wine.
long long unixMilliseconds() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const unsigned long long ticks =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<long long>(ticks / 10000 - 11644473600000ULL);
}

double millisecondsSinceStart() {
    FILETIME created{};
    FILETIME unused{};
    GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

HWND emptyWindow() {
    WNDCLASSA type{};
    type.lpfnWndProc = DefWindowProcA;
    type.hInstance = GetModuleHandleA(nullptr);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = "Empty";
    RegisterClassA(&type);
    HWND window = CreateWindowExA(0, "Empty", "Empty", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 159,
                                  103, 480, 530, nullptr, nullptr, type.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc >= 2 && std::strcmp(argv[1], "empty") == 0) {
        emptyWindow();
        std::printf("empty window: first paint after %.0f ms, at %lld\n", millisecondsSinceStart(),
                    unixMilliseconds());
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: first_paint empty | first_paint form <folder>\n");
        return 2;
    }
    orvex::SystemHost host;
    orvex::Form1Controller controller(host);
    controller.start({argv[2]});
    orvex::Form1 form(controller, [](HWND, const orvex::UserMessages&) {});
    form.create();
    form.show(SW_SHOWNORMAL);  // paints before it returns
    std::printf("Form1: first paint after %.0f ms, at %lld\n", millisecondsSinceStart(),
                unixMilliseconds());
    return 0;
}
