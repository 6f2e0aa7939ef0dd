// One timer tick over 10,000 messages, none of them due, as the main window
// runs it: the clock read afresh per comparison, each message looked up in
// the list. Prints the median time of a tick and the allocations it made;
// not a test.
#include "alarms/core/timer_logic.h"
#include "storage/core/message_list.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <vector>

namespace {

std::atomic<long> allocations{0};

// The local clock, read as the program reads it: a call per comparison.
class LocalClock : public zandrel::Clock {
public:
    zandrel::TDateTime Now() const override {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        return 25569.0 + (double(now.tv_sec) + now.tv_nsec / 1e9) / 86400.0;
    }
};

} // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

int main() {
    using namespace zandrel;
    constexpr int Count = 10000;
    constexpr int Rounds = 101;
    const LocalClock clock;
    MessageList list;
    const TDateTime now = clock.Now();
    for (int i = 0; i < Count; ++i) {
        auto entry = std::make_unique<TMessageEntry>(clock, "");
        entry->Record.StartDate = now + 1 + i; // not started
        entry->Record.AlarmDate = now + 2 + i;
        entry->Record.IncType = std::uint8_t(i % 4); // warnings not due
        entry->Record.NextWarn = now + 1;
        list.Append(std::move(entry));
    }

    std::vector<double> micros;
    micros.reserve(Rounds);
    long allocated = 0;
    for (int round = 0; round < Rounds; ++round) {
        const long before = allocations;
        const auto start = std::chrono::steady_clock::now();
        // The main window's actions (alarms/timer_logic.h), nothing due.
        TimerTickActions actions;
        actions.Message = [&](int index) {
            return std::size_t(index) < list.Count() ? TimerSourceOf(list.Entry(index))
                                                     : TimerSource{};
        };
        actions.RebuildDue = [] { std::abort(); };
        actions.OpenWarning = [](int) { std::abort(); };
        actions.Looked = [&](int index, TDateTime moment) {
            if (std::size_t(index) < list.Count())
                list.Entry(std::size_t(index)).TimerLook = moment;
        };
        RunTimerTick(int(list.Count()), TimerInterval, clock, actions);
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
        allocated = std::max(allocated, allocations - before);
    }
    std::sort(micros.begin(), micros.end());
    std::printf("Timer tick over %d messages: median %.1f us (min %.1f, max %.1f), "
                "at most %ld allocations per tick\n",
                Count, micros[Rounds / 2], micros.front(), micros.back(), allocated);
    return 0;
}
