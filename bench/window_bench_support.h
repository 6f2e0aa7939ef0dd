#pragma once
// What the benchmarks of windows under Wine share: a stopwatch and a pump
// that lets the windows do their work before the clock is read.
#include <windows.h>

#include <chrono>

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

} // namespace zandrel::bench
