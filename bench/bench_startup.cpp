// Start-up under Wine: from the moment a new process is asked for until the
// main window has finished starting (tray icon, message list, stickers, font
// list, shortcut), with no stored messages and with 1,000 that have not
// started. Each start is a fresh process, as at logon; prints the median of
// the rounds in milliseconds. Not a test.
//
//   bench_startup.exe [ROUNDS]        the figures
//   bench_startup.exe --child FOLDER  one start-up (run by the above)
#include "alarms/smapi.h"
#include "bench/window_bench_support.h"
#include "extras/CoolHint.h"
#include "framework/application.h"
#include "framework/win32_environment.h"
#include "mainwindow/comune.h"
#include "mainwindow/main.h"
#include "storage/core/message_list.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace zandrel;
namespace fs = std::filesystem;

std::uint64_t NowTicks() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (std::uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// The program's start-up, as WinMain runs it, then the moment it was done as
// the process's exit code's companion: written to FOLDER\ready.txt.
int Child(HINSTANCE instance, const std::string& folder) {
    Win32Environment environment(instance);
    Application application(environment, instance);
    application.SetTitle("Zandrel");
    MapiLibrary mapi = LoadMAPI();
    InstallCoolHint(application);
    const ComApartment com;
    TFormMain formMain(mapi, folder + "\\ZandrelData.dat");
    formMain.ShowAtStart();
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        application.ProcessMessage(message);
    }
    const std::uint64_t ready = NowTicks();
    if (FILE* out = std::fopen((folder + "\\ready.txt").c_str(), "w")) {
        std::fprintf(out, "%llu\n", static_cast<unsigned long long>(ready));
        std::fclose(out);
    }
    return 0;
}

void Store(const std::string& folder, int count) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    // Far ahead: no sticker.
    bench::StoreMessages(folder + "\\ZandrelData.dat", count, 100000, 100001, 1);
}

double StartOnce(const std::string& self, const std::string& folder) {
    fs::remove(folder + "\\ready.txt");
    std::string command = "\"" + self + "\" --child \"" + folder + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const std::uint64_t start = NowTicks();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    unsigned long long ready = 0;
    if (FILE* in = std::fopen((folder + "\\ready.txt").c_str(), "r")) {
        if (std::fscanf(in, "%llu", &ready) != 1) {
            ready = 0;
        }
        std::fclose(in);
    }
    return ready ? double(ready - start) / 10000.0 : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc == 3 && std::string(__argv[1]) == "--child") {
        try {
            return Child(instance, __argv[2]);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "bench_startup: %s\n", error.what());
            return 1;
        }
    }
    const int rounds = __argc > 1 ? std::max(1, std::atoi(__argv[1])) : 7;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string base = (fs::temp_directory_path() / "zandrel-bench-startup").string();
    const std::string none = base + "\\none";
    const std::string many = base + "\\many";
    Store(none, 0);
    Store(many, 1000);
    std::vector<double> withNone;
    std::vector<double> withMany;
    for (int round = 0; round < rounds; ++round) {
        withNone.push_back(StartOnce(self, none));
        withMany.push_back(StartOnce(self, many));
    }
    const double a = Median(withNone);
    const double b = Median(withMany);
    std::printf("Start-up, median of %d: no messages %.1f ms, 1,000 not started %.1f ms, "
                "ratio %.2f\n",
                rounds, a, b, b / a);
    std::fflush(stdout);
    fs::remove_all(base);
    return 0;
}
