#pragma once
// What the benchmarks of windows under Wine share: a stopwatch, a pump
// that lets the windows do their work before the clock is read, and data
// files of many messages.
#include "storage/core/message_list.h"

#include <windows.h>

#include <chrono>
#include <memory>
#include <string>

namespace zandrel::bench {

using BenchClock = std::chrono::steady_clock;

// Milliseconds since `start`.
inline double Since(BenchClock::time_point start) {
    return std::chrono::duration<double, std::milli>(BenchClock::now() - start).count();
}

// Handles every message waiting in this thread's queue.
inline void Pump() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Saves `count` two-line messages, each with a Key of its own as loading
// makes it, as the data files of `dataFile`; message i starts at
// `firstStart` + i * `step` and is red at `alarm` + i * `step`.
inline void StoreMessages(const std::string& dataFile, int count, TDateTime firstStart,
                          TDateTime alarm, TDateTime step) {
    const FixedClock clock(45000.5);
    MessageList list(dataFile);
    for (int i = 0; i < count; ++i) {
        auto entry = std::make_unique<TMessageEntry>(clock, list.DataFileName());
        entry->Record.StartDate = firstStart + i * step;
        entry->Record.AlarmDate = alarm + i * step;
        entry->RichText = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Message " +
                          std::to_string(i) + "\\par second line\\par}";
        entry->Record.Stamp = {i, 730000 + i};
        entry->Key = MakeKey(entry->Record.Stamp);
        list.Append(std::move(entry));
    }
    list.SaveMessages();
}

} // namespace zandrel::bench
