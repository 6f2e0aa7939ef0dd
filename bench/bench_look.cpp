// The note store's look at the timer's tick when nothing changed, against a
// look that finds a new version (read both files, merge) and a plain load.
//
//   bench_look [NOTES] [ROUNDS]
//
// NOTES (default 1000) messages of 300 to 3,000 bytes of RTF are saved in a
// new folder in the system's temporary folder, removed afterwards. Each
// figure is the median of ROUNDS rounds (default 9); a round of the
// unchanged look times 1,000 looks.
#include "storage/core/datetime.h"
#include "storage/core/note_store.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace zandrel;
using Clock = std::chrono::steady_clock;

const TDateTime kNow = ParseDateTime("2024-03-05 10:00:00.000").value();

void MakeList(MessageList& list, int count, const zandrel::Clock& clock) {
    std::mt19937 random(12345);
    for (int i = 0; i < count; ++i) {
        auto entry = std::make_unique<TMessageEntry>(clock, list.DataFileName());
        entry->Record.Stamp.Time += i;
        entry->Key = MakeKey(entry->Record.Stamp);
        entry->RichText = "{\\rtf1\\ansi " + std::string(300 + random() % 2701, 'x') + "}";
        list.Append(std::move(entry));
    }
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Action> double Microseconds(int repeat, Action&& action) {
    const auto start = Clock::now();
    for (int i = 0; i < repeat; ++i)
        action();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / repeat;
}

} // namespace

int main(int argc, char** argv) {
    const int notes = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 9;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zandrel-bench-look-" + std::to_string(notes));
    std::filesystem::create_directories(folder);
    const std::string dataFile = (folder / "ZandrelData.dat").string();
    const FixedClock clock(kNow);
    {
        MessageList list(dataFile);
        MakeList(list, notes, clock);
        list.WriteMessages();
    }
    MessageList list(dataFile);
    NoteStore store(list, clock, {}, {});
    store.Open();

    std::vector<double> unchanged, changed, load;
    for (int round = 0; round < rounds; ++round) {
        unchanged.push_back(Microseconds(1000, [&] { store.Look(); }));
        changed.push_back(Microseconds(1, [&] {
            // Another program's save: the same notes, a new version.
            MessageList other(dataFile);
            other.LoadMessages(clock);
            other.WriteMessages();
            store.Look();
        }));
        load.push_back(Microseconds(1, [&] {
            MessageList other(dataFile);
            other.LoadMessages(clock);
        }));
    }
    std::printf("%d notes, %d rounds, medians\n", notes, rounds);
    std::printf("  look, nothing changed:     %10.1f us\n", Median(unchanged));
    std::printf("  look, a new version saved: %10.1f us (load, save and look)\n", Median(changed));
    std::printf("  load alone:                %10.1f us\n", Median(load));
    std::filesystem::remove_all(folder);
    return list.Count() == std::size_t(notes) ? 0 : 1;
}
