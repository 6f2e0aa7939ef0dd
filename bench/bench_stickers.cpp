// Sticker rebuild figures under Wine: RebuildStickers with N started messages
// (destroying the previous set, then creating the placeholder and N stickers)
// next to creating and destroying N bare rich-text windows. Prints
// milliseconds; not a test.
#include "bench/window_bench_support.h"
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/win32_environment.h"
#include "resources/resource_names.h"
#include "stickers/sticker_board.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using namespace zandrel;
using namespace zandrel::bench;

HBITMAP Picture(const char* name) {
    return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, 0));
}

void MeasureStickers(int count, const StickerPictures& pictures) {
    MessageList list;
    const TDateTime now = App().Env().Now();
    for (int i = 0; i < count; ++i) {
        auto entry = std::make_unique<TMessageEntry>(App().Env(), "");
        entry->Record.StartDate = now - 1;
        entry->Record.AlarmDate = i % 2 ? now - 0.5 : now + 1;
        entry->RichText = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Message " +
                          std::to_string(i) + "\\par second line\\par}";
        entry->Key = std::to_string(i);
        list.Append(std::move(entry));
    }
    StickerBoard board(
        StickerHost{[&] { return &list; }, [] { return HWND(nullptr); }, [] {}, {}, {}, {}, {}});
    auto start = BenchClock::now();
    board.Rebuild(true, pictures);
    Pump();
    const double first = Since(start);
    start = BenchClock::now();
    board.Rebuild(true, pictures);
    Pump();
    const double again = Since(start);
    start = BenchClock::now();
    board.DestroyAll();
    Pump();
    const double destroy = Since(start);
    std::printf("RebuildStickers, %3d messages: first %8.1f ms, again (destroy + build) %8.1f ms, "
                "destroy all %8.1f ms\n",
                count, first, again, destroy);
}

void MeasureBareRichEdits(int count) {
    std::vector<HWND> windows;
    auto start = BenchClock::now();
    for (int i = 0; i < count; ++i) {
        const HWND window = CreateWindowExA(
            0, "RichEdit20A", "", WS_POPUP | WS_VISIBLE | ES_MULTILINE, 600 - (i / 14) * 30,
            (i % 14) * 40, 210, 140, App().Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
        LoadRichText(window, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Message " +
                                 std::to_string(i) + "\\par second line\\par}");
        windows.push_back(window);
    }
    Pump();
    const double create = Since(start);
    start = BenchClock::now();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        DestroyWindow(*it);
    }
    Pump();
    std::printf("Bare RichEdit windows, %3d:   create %8.1f ms, destroy all %8.1f ms\n", count,
                create, Since(start));
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Win32Environment environment(instance);
    Application application(environment, instance);
    const StickerPictures pictures{Picture(res::kBitmapPin), Picture(res::kBitmapPinRed),
                                   Picture(res::kBitmapBanner), Picture(res::kBitmapBannerRed)};
    for (const int count : {50, 200}) {
        MeasureStickers(count, pictures);
        MeasureBareRichEdits(count);
    }
    for (HBITMAP bitmap : {pictures.Pin, pictures.PinRed, pictures.Banner, pictures.BannerRed}) {
        DeleteObject(bitmap);
    }
    std::fflush(stdout);
    return 0;
}
