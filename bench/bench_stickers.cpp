// Sticker figures under Wine, with N started messages on the screen: the
// edits that rebuild the set (Add, Replace of one message, Delete of one, a
// tick that turns one red, the height switch, Refresh) and a rebuild from
// nothing, against creating one bare rich-text window and saving the list;
// then the program's start-up with N started messages against creating N
// bare rich-text windows; N notes falling due in one tick against starting
// with them already started; the windows and GDI objects of a sticker against
// those of a bare rich-text window. Medians in milliseconds; not a test.
//
//   bench_stickers.exe [N] [ROUNDS] [PARTS]
//
// PARTS: any of edits, tick, objects, startup, joined by commas (all of them
// by default).
#include "alarms/smapi.h"
#include "bench/window_bench_support.h"
#include "framework/application.h"
#include "framework/controls/rich_edit.h"
#include "framework/win32_environment.h"
#include "mainwindow/comune.h"
#include "mainwindow/main.h"
#include "resources/form_main.h"
#include "resources/resource_names.h"
#include "stickers/sticker_board.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace zandrel;
using namespace zandrel::bench;
namespace fs = std::filesystem;

constexpr char kSettingsKey[] = "Software\\Keltrune\\ZandrelBenchStickers";

std::string Text(int i) {
    return "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Message " + std::to_string(i) +
           "\\par second line\\par}";
}

std::unique_ptr<TMessageEntry> StartedEntry(int i) {
    auto entry = std::make_unique<TMessageEntry>(App().Env(), "");
    entry->Record.StartDate = App().Env().Now() - 1;
    entry->Record.AlarmDate = App().Env().Now() + 1;
    entry->RichText = Text(i);
    entry->Record.Stamp = {i, 730000}; // a Key of its own, as loading makes it
    entry->Key = MakeKey(entry->Record.Stamp);
    return entry;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds of `action` and of the messages it left, median of `rounds`;
// `prepare` runs before each round, untimed.
double Measure(int rounds, const std::function<void()>& prepare,
               const std::function<void()>& action) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        prepare();
        Pump();
        const auto start = BenchClock::now();
        action();
        Pump();
        times.push_back(Since(start));
    }
    return Median(times);
}

HBITMAP Picture(const char* name) {
    return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, 0));
}

HWND BareRichEdit(int i) {
    const HWND window = CreateWindowExA(
        0, "RichEdit20A", "", WS_POPUP | WS_VISIBLE | ES_MULTILINE, 600 - (i / 14) * 30,
        (i % 14) * 40, 210, 140, App().Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    LoadRichText(window, Text(i));
    return window;
}

// Objects in the process's GDI handle table: GetGuiResources gives 0 under
// Wine 8.
int GdiObjects() {
    int count = 0;
    for (UINT_PTR slot = 1; slot <= 0xFFFF; ++slot) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    }
    return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

// This thread's windows, their children included.
int ThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

void DestroyWindows(std::vector<HWND>& windows) {
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        DestroyWindow(*it);
    }
    windows.clear();
    Pump();
}

void MeasureEdits(int count, int rounds, const StickerPictures& pictures,
                  const std::string& folder) {
    MessageList list(folder + "\\ZandrelData.dat");
    for (int i = 0; i < count; ++i) {
        list.Append(StartedEntry(i));
    }
    list.SaveMessages();
    StickerBoard board(StickerHost{.Messages = [&] { return &list; },
                                   .MainWindow = [] { return HWND(nullptr); },
                                   .ShowCurrentMessage = [] {}});
    bool expanded = true;
    auto rebuild = [&] { board.Rebuild(expanded, pictures); };
    rebuild();
    Pump();
    const std::size_t middle = std::size_t(count / 2);

    std::vector<HWND> bare;
    const double bareAndSave = Measure(
        rounds, [] {},
        [&] {
            bare.push_back(BareRichEdit(count));
            list.SaveMessages();
        });
    DestroyWindows(bare);

    const double add = Measure(
        rounds,
        [&] {
            if (list.Count() > std::size_t(count)) { // the one added before goes again
                list.CurrentIndex = int(list.Count()) - 1;
                list.Delete();
                rebuild();
            }
        },
        [&] {
            list.Append(StartedEntry(count));
            list.SaveMessages();
            rebuild();
        });
    const double replace = Measure(
        rounds, [] {},
        [&] {
            std::unique_ptr<TMessageEntry> copy = list.Entry(middle).Clone();
            copy->RichText += " ";
            list.ReplaceAt(middle, std::move(copy));
            list.SaveMessages();
            rebuild();
        });
    // Deleting from the middle moves every later sticker of the cascade up a
    // slot and renames it; deleting the last one moves none.
    auto removeAt = [&](auto index) {
        return Measure(
            rounds,
            [&] {
                list.Append(StartedEntry(count));
                rebuild();
            },
            [&] {
                list.CurrentIndex = int(index());
                list.Delete();
                rebuild();
                list.SaveMessages();
            });
    };
    const double removeMiddle = removeAt([&] { return middle; });
    const double removeLast = removeAt([&] { return list.Count() - 1; });
    const double red = Measure(
        rounds,
        [&] {
            list.Entry(middle).Record.AlarmDate = App().Env().Now() + 1;
            rebuild();
        },
        [&] {
            list.Entry(middle).Record.AlarmDate = App().Env().Now() - 1.0 / 86400;
            rebuild();
        });
    const double height = Measure(
        rounds, [] {},
        [&] {
            expanded = !expanded;
            rebuild();
        });
    const double refresh = Measure(
        rounds, [] {}, rebuild);
    const double fromNothing = Measure(
        rounds, [&] { board.DestroyAll(); }, rebuild);
    std::vector<HWND> bareSet;
    const double bareAll = Measure(
        rounds, [&] { DestroyWindows(bareSet); },
        [&] {
            for (int i = 0; i < count; ++i) {
                bareSet.push_back(BareRichEdit(i));
            }
        });
    DestroyWindows(bareSet);
    board.DestroyAll();
    Pump();

    std::printf("%d stickers on the screen, medians of %d rounds (ms):\n", count, rounds);
    std::printf("  %-32s %8.1f\n", "one bare RichEdit + the save", bareAndSave);
    const std::pair<const char*, double> edits[] = {
        {"Add (with the save)", add},
        {"Replace one (with the save)", replace},
        {"Delete the last (with the save)", removeLast},
        {"Delete one in the middle (ditto)", removeMiddle},
        {"a tick turning one red", red}};
    for (const auto& [name, time] : edits) {
        std::printf("  %-32s %8.1f  (%.2f x bare + save)\n", name, time, time / bareAndSave);
    }
    std::printf("  %-32s %8.1f\n", "height switch", height);
    std::printf("  %-32s %8.1f\n", "Refresh", refresh);
    std::printf("  %-32s %8.1f  (%d bare RichEdit windows %.1f)\n", "rebuild from nothing",
                fromNothing, count, bareAll);
}

// N stickers (and the placeholder) against N bare rich-text windows: what
// each adds to the thread's windows and to the process's GDI objects.
void MeasureObjects(int count, const StickerPictures& pictures, const std::string& folder) {
    MessageList list(folder + "\\ZandrelData.dat");
    for (int i = 0; i < count; ++i) {
        list.Append(StartedEntry(i));
    }
    StickerBoard board(
        StickerHost{[&] { return &list; }, [] { return HWND(nullptr); }, [] {}, {}, {}, {}, {}});
    Pump();
    const int windows = ThreadWindows();
    const int objects = GdiObjects();
    board.Rebuild(true, pictures);
    Pump();
    const double stickerWindows = double(ThreadWindows() - windows) / (count + 1);
    const double stickerObjects = double(GdiObjects() - objects) / (count + 1);
    board.DestroyAll();
    Pump();
    std::vector<HWND> bare;
    for (int i = 0; i < count; ++i) {
        bare.push_back(BareRichEdit(i));
    }
    Pump();
    const double bareWindows = double(ThreadWindows() - windows) / count;
    const double bareObjects = double(GdiObjects() - objects) / count;
    DestroyWindows(bare);
    std::printf("Per sticker, %d of them and the placeholder: %.2f windows, %.2f GDI objects; "
                "per bare RichEdit window: %.2f windows, %.2f GDI objects\n",
                count, stickerWindows, stickerObjects, bareWindows, bareObjects);
}

// The program's start-up in this process: the main window with its tray
// icon, message list, both sticker rebuilds, font list and shortcut.
double StartUp(const MapiLibrary& mapi, const std::string& folder) {
    const auto start = BenchClock::now();
    TFormMain form(mapi, folder + "\\ZandrelData.dat",
                   RegistrySettingsStore(HKEY_CURRENT_USER, kSettingsKey));
    form.ShowAtStart();
    Pump();
    return Since(start);
}

// N stored notes that have not started, all falling due in one tick of the
// main window's timer: from the tick to a settled set, against starting the
// program with the same notes already started.
void MeasureTick(int count, int rounds, const std::string& folder) {
    const std::string due = folder + "\\due";
    const std::string started = folder + "\\started-tick";
    for (const bool start : {false, true}) {
        const std::string& path = start ? started : due;
        fs::create_directories(path);
        MessageList list(path + "\\ZandrelData.dat");
        for (int i = 0; i < count; ++i) {
            std::unique_ptr<TMessageEntry> entry = StartedEntry(i);
            if (!start) {
                entry->Record.StartDate += 2; // tomorrow
            }
            list.Append(std::move(entry));
        }
        list.SaveMessages();
    }
    const MapiLibrary noMail;
    StartUp(noMail, started); // the system's first windows of their kinds
    std::vector<double> ticks;
    std::vector<double> startUps;
    for (int round = 0; round < rounds; ++round) {
        {
            TFormMain form(noMail, due + "\\ZandrelData.dat",
                           RegistrySettingsStore(HKEY_CURRENT_USER, kSettingsKey));
            form.ShowAtStart();
            form.FindTimer(form_main::Timer1).SetEnabled(false);
            Pump();
            const TDateTime now = App().Env().Now();
            for (std::size_t i = 0; i < form.Messages().Count(); ++i) {
                form.Messages().Entry(i).Record.StartDate = now;
            }
            Sleep(20);
            const auto start = BenchClock::now();
            Event tick;
            form.Timer1Timer(tick);
            Pump();
            ticks.push_back(Since(start));
        }
        Pump();
        startUps.push_back(StartUp(noMail, started));
        Pump();
    }
    const double tick = Median(ticks);
    const double startUp = Median(startUps);
    std::printf("%d notes due in one tick, medians of %d rounds (ms): the tick %.1f, "
                "starting with them started %.1f (%.2f x)\n",
                count, rounds, tick, startUp, tick / startUp);
}

void MeasureStartUp(int count, int rounds, const std::string& folder) {
    const std::string none = folder + "\\none";
    const std::string started = folder + "\\started";
    for (const auto& [path, messages] : {std::pair{none, 0}, std::pair{started, count}}) {
        fs::create_directories(path);
        MessageList list(path + "\\ZandrelData.dat");
        for (int i = 0; i < messages; ++i) {
            list.Append(StartedEntry(i));
        }
        list.SaveMessages();
    }
    const MapiLibrary noMail;
    StartUp(noMail, none); // the system's first windows of their kinds
    std::vector<double> withNone;
    std::vector<double> withStarted;
    std::vector<double> bare;
    for (int round = 0; round < rounds; ++round) {
        withNone.push_back(StartUp(noMail, none));
        Pump();
        withStarted.push_back(StartUp(noMail, started));
        Pump();
        std::vector<HWND> windows;
        const auto start = BenchClock::now();
        for (int i = 0; i < count; ++i) {
            windows.push_back(BareRichEdit(i));
        }
        Pump();
        bare.push_back(Since(start));
        DestroyWindows(windows);
    }
    const double a = Median(withNone);
    const double b = Median(withStarted);
    const double c = Median(bare);
    std::printf("Start-up, medians of %d rounds (ms): no messages %.1f, %d started %.1f; "
                "the stickers' part %.1f against %d bare RichEdit windows %.1f (%.2f x)\n",
                rounds, a, count, b, b - a, count, c, (b - a) / c);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Win32Environment environment(instance);
    Application application(environment, instance);
    application.SetTitle("Zandrel");
    const ComApartment com;
    const int count = __argc > 1 ? std::max(1, std::atoi(__argv[1])) : 200;
    const int rounds = __argc > 2 ? std::max(1, std::atoi(__argv[2])) : 5;
    const std::string parts = __argc > 3 ? __argv[3] : "edits,tick,objects,startup";
    auto wanted = [&](const char* part) { return parts.find(part) != std::string::npos; };
    const std::string folder = (fs::temp_directory_path() / "zandrel-bench-stickers").string();
    fs::remove_all(folder);
    fs::create_directories(folder);
    const StickerPictures pictures{Picture(res::kBitmapPin), Picture(res::kBitmapPinRed),
                                   Picture(res::kBitmapBanner), Picture(res::kBitmapBannerRed)};
    if (wanted("edits")) {
        MeasureEdits(count, rounds, pictures, folder);
    }
    if (wanted("objects")) {
        MeasureObjects(count, pictures, folder);
    }
    for (HBITMAP bitmap : {pictures.Pin, pictures.PinRed, pictures.Banner, pictures.BannerRed}) {
        DeleteObject(bitmap);
    }
    if (wanted("tick")) {
        MeasureTick(count, rounds, folder);
    }
    if (wanted("startup")) {
        MeasureStartUp(count, rounds, folder);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    fs::remove_all(folder);
    std::fflush(stdout);
    return 0;
}
