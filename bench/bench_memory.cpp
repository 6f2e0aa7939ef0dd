// The helpers of bench_memory.sh: a bare window program to measure against,
// and data files of N started notes for zandrel.exe to start with. Not a
// test.
//
//   bench_memory.exe --bare              one window and its message loop
//   bench_memory.exe --store FOLDER N    N started notes in FOLDER's files
#include "bench/window_bench_support.h"
#include "storage/core/clock.h"
#include "storage/core/message_list.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

LRESULT CALLBACK BareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int Bare(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BareProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "BareWindow";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, "BareWindow", "Bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                    nullptr, nullptr, instance, nullptr);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}

int Store(const std::string& folder, int count) {
    // Long started, never red within the run: stickers, and no tick's work.
    zandrel::bench::StoreMessages(folder + "\\ZandrelData.dat", count, 45000, 100000, 1e-6);
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc == 2 && std::string(__argv[1]) == "--bare") {
        return Bare(instance);
    }
    if (__argc == 4 && std::string(__argv[1]) == "--store") {
        return Store(__argv[2], std::max(0, std::atoi(__argv[3])));
    }
    return 2;
}
