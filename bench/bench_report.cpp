// Catalog figures under Wine: producing every page of the catalog of N
// messages (the need-data callback, reading and laying out each text, the
// page layout), drawing every page into a metafile, and the time from the
// command until the preview has painted its first page. With "print N":
// the catalog of N messages printed on the default printer, with the moments
// (Unix milliseconds) of OK and of the end of the document for
// bench/bench_print.sh, which waits for the spooler's PDF. Prints
// milliseconds; not a test.
#include "bench/window_bench_support.h"
#include "catalog/report.h"
#include "framework/application.h"
#include "framework/report/report_preview.h"
#include "framework/win32_environment.h"

#include <winspool.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace zandrel;
using namespace zandrel::bench;

// Texts of 2 to 12 lines with some formatting, as the editor saves them.
std::string Text(int i) {
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
    const int lines = 2 + i % 11;
    for (int line = 0; line < lines; ++line) {
        rtf += "Message " + std::to_string(i) + ", line " + std::to_string(line) +
               ": {\\b call} the {\\i dentist} before Friday\\par ";
    }
    return rtf + "}";
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

MessageList Messages(int count) {
    MessageList list;
    const TDateTime now = App().Env().Now();
    for (int i = 0; i < count; ++i) {
        auto entry = std::make_unique<TMessageEntry>(App().Env(), "");
        entry->Record.StartDate = now + i;
        entry->Record.AlarmDate = now + i + 1;
        entry->Record.NextWarn = now + i;
        entry->Record.IncType = static_cast<std::uint8_t>(i % 4);
        entry->RichText = Text(i);
        entry->Key = std::to_string(i);
        list.Append(std::move(entry));
    }
    return list;
}

void Measure(int count, int rounds) {
    const MessageList list = Messages(count);
    std::vector<double> produce, draw, first;
    std::size_t pages = 0;
    for (int round = 0; round < rounds; ++round) {
        TQReport1 report(list);
        auto start = BenchClock::now();
        report.Prepare(App().Env());
        report.ProduceAll();
        produce.push_back(Since(start));
        pages = report.PageCount();

        start = BenchClock::now();
        for (std::size_t page = 0; page < pages; ++page) {
            report.PageMetafile(page);
        }
        draw.push_back(Since(start));

        // The command's way: a new report, the preview created (which
        // produces the first page), shown and painted.
        start = BenchClock::now();
        TQReport1 shown(list);
        shown.Prepare(App().Env());
        ReportPreview preview(shown);
        ShowWindow(preview.Handle(), SW_SHOW);
        UpdateWindow(preview.Handle());
        UpdateWindow(preview.View());
        first.push_back(Since(start));
        preview.Close();
        Pump();
    }
    std::printf("| %d | %zu | %.0f ms | %.0f ms | %.0f ms |\n", count, pages, Median(produce),
                Median(draw), Median(first));
}

double UnixMilliseconds() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ticks = (std::uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return double(ticks) / 10000.0 - 11644473600000.0;
}

// This process's processor time (user and kernel), in ms: on a loaded
// machine the wall clock says more about the other processes.
double ProcessorMilliseconds() {
    FILETIME created{}, ended{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto ticks = [](const FILETIME& time) {
        return double((std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000.0;
    };
    return ticks(kernel) + ticks(user);
}

void Print(int count) {
    char name[256] = {};
    DWORD size = sizeof name;
    if (!GetDefaultPrinterA(name, &size)) {
        std::printf("no default printer\n");
        return;
    }
    const MessageList list = Messages(count);
    TQReport1 report(list);
    auto start = BenchClock::now();
    report.Prepare(App().Env());
    report.ProduceAll();
    const double produce = Since(start);
    const double ok = UnixMilliseconds();
    start = BenchClock::now();
    const double processor = ProcessorMilliseconds();
    report.Print({name, 1, {}}, App().Env(), {});
    const double print = Since(start);
    const double printProcessor = ProcessorMilliseconds() - processor;
    std::printf("messages|%d\npages|%zu\nproduce ms|%.0f\nprint ms|%.0f\nprint processor ms|%.0f\n"
                "ok unix ms|%.0f\nend of document unix ms|%.0f\n",
                count, report.PageCount(), produce, print, printProcessor, ok, UnixMilliseconds());
}

} // namespace

int main(int argc, char** argv) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    Win32Environment environment(instance);
    Application application(environment, instance);
    if (argc > 1 && std::string(argv[1]) == "print") {
        Print(argc > 2 ? std::max(1, std::atoi(argv[2])) : 200);
        return 0;
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("| messages | pages | produce every page | draw every page (metafiles) | "
                "first page shown |\n|---|---|---|---|---|\n");
    for (const int count : {100, 1000}) {
        Measure(count, rounds);
    }
    return 0;
}
