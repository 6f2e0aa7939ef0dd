// Loading and saving the data files, next to simply reading the same bytes
// and writing and flushing them.
//
//   bench_storage [FOLDER] [ROUNDS]
//
// FOLDER (default: a new folder in the system's temporary folder, removed
// afterwards; a folder given is overwritten with the data files) should lie on the disk the
// program's files lie on: flushing costs what that disk costs. Every figure is the median of ROUNDS
// rounds (default 5), with the files in the page cache.
#include "storage/datetime.h"
#include "storage/message_list.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace zandrel;
using Clock = std::chrono::steady_clock;

class FixedClock : public zandrel::Clock {
public:
    explicit FixedClock(TDateTime now) : now_(now) {}
    TDateTime Now() const override { return now_; }

private:
    TDateTime now_;
};

const char* const kWords[] = {"call",   "the",      "dentist",  "meeting", "about",    "budget",
                              "review", "tomorrow", "Friday",   "buy",     "milk",     "report",
                              "send",   "invoice",  "caf\\'e9", "project", "deadline", "and"};

// An RTF document like the rich-edit control's, of about `size` bytes.
std::string MakeRtf(std::mt19937& random, std::size_t size) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 "
        "Arial;}{\\f1\\fswiss\\fcharset0 Tahoma;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;"
        "\\red0\\green0\\blue255;}\r\n\\viewkind4\\uc1\\pard\\cf1\\b\\f0\\fs20 ";
    while (rtf.size() + 12 < size) {
        const unsigned pick = random() % 40;
        if (pick == 0)
            rtf += "\\par\r\n";
        else if (pick == 1)
            rtf += "\\b ";
        else if (pick == 2)
            rtf += "\\b0 ";
        else
            rtf += std::string(kWords[random() % std::size(kWords)]) + " ";
    }
    return rtf + "\\par\r\n}\r\n";
}

void MakeList(MessageList& list, int count, const zandrel::Clock& clock, TDateTime now) {
    std::mt19937 random(12345);
    for (int i = 0; i < count; ++i) {
        auto entry = std::make_unique<TMessageEntry>(clock, list.DataFileName());
        entry->Record.Stamp.Time += i; // distinct Keys
        entry->Key = MakeKey(entry->Record.Stamp);
        entry->SetStartDate(now - static_cast<double>(random() % 400000) / 1000);
        entry->SetAlarmDate(entry->Record.StartDate + 1 + random() % 30);
        entry->SetIncType(static_cast<std::uint8_t>(random() % 4), clock);
        entry->SetPosition(false, 50 + static_cast<int>(random() % 900),
                           50 + static_cast<int>(random() % 600), ScreenSize{});
        entry->RichText = MakeRtf(random, 300 + random() % 2701);
        const unsigned addresses = random() % 4;
        for (unsigned a = 0; a < addresses; ++a)
            entry->Addresses.push_back("person" + std::to_string(random() % 1000) + "@example.org");
        entry->Notify = addresses > 0 && random() % 2;
        list.Append(std::move(entry));
    }
}

std::string ReadWhole(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path);
    std::string bytes(static_cast<std::size_t>(::lseek(fd, 0, SEEK_END)), '\0');
    if (::pread(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("cannot read " + path);
    ::close(fd);
    return bytes;
}

void WriteFlushed(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
        ::fsync(fd) != 0)
        throw std::runtime_error("cannot write " + path);
    ::close(fd);
}

double MedianMs(int rounds, const std::function<void()>& action) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        action();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Measure(const std::string& folder, int count, int rounds) {
    const TDateTime now = ParseDateTime("2024-03-05 10:00:00.000").value();
    const FixedClock clock(now);
    const std::string dataPath = folder + "/ZandrelData.dat";
    const std::string memoPath = folder + "/ZandrelData_Memo.dat";
    {
        MessageList list(dataPath);
        MakeList(list, count, clock, now);
        list.SaveMessages();
    }

    std::size_t bytes = 0;
    const double read =
        MedianMs(rounds, [&] { bytes = ReadWhole(dataPath).size() + ReadWhole(memoPath).size(); });
    // Each load into a new list, as at the program's start; the lists are
    // destroyed after the timing.
    std::vector<std::unique_ptr<MessageList>> loaded;
    const double load = MedianMs(rounds, [&] {
        loaded.push_back(std::make_unique<MessageList>(dataPath));
        loaded.back()->LoadMessages(clock, ScreenSize{});
    });
    MessageList& list = *loaded.back();
    if (list.Count() != static_cast<std::size_t>(count))
        throw std::runtime_error("the load did not give every message back");

    const std::string data = ReadWhole(dataPath);
    const std::string memo = ReadWhole(memoPath);
    const double write = MedianMs(rounds, [&] {
        WriteFlushed(folder + "/plain_memo.dat", memo);
        WriteFlushed(folder + "/plain.dat", data);
    });
    const double save = MedianMs(rounds, [&] { list.SaveMessages(); });

    std::printf("%8d %9.1f | %9.2f %9.2f %6.2f | %9.2f %9.2f %6.2f\n", count,
                static_cast<double>(bytes) / 1e6, read, load, load / read, write, save,
                save / write);
}

} // namespace

int main(int argc, char** argv) {
    const bool ownFolder = argc < 2;
    const std::filesystem::path folder = ownFolder
                                             ? std::filesystem::temp_directory_path() /
                                                   ("zandrel-bench-" + std::to_string(::getpid()))
                                             : std::filesystem::path(argv[1]);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::filesystem::create_directories(folder);
    std::printf("folder %s, median of %d rounds, times in ms\n", folder.c_str(), rounds);
    std::printf("%8s %9s | %9s %9s %6s | %9s %9s %6s\n", "messages", "MB", "read", "load", "ratio",
                "write", "save", "ratio");
    int status = 0;
    try {
        for (const int count : {1000, 10000})
            Measure(folder.string(), count, rounds);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_storage: %s\n", error.what());
        status = 1;
    }
    if (ownFolder)
        std::filesystem::remove_all(folder);
    return status;
}
