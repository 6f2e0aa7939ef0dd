// Loading and saving the data files, next to simply reading the same bytes
// and writing and flushing them.
//
//   bench_storage [FOLDER] [ROUNDS]
//
// FOLDER (default: a new folder in the system's temporary folder, removed
// afterwards; a folder given is overwritten with the data files) should lie
// on the disk the program's files lie on: flushing costs what that disk
// costs. Every figure is the median of ROUNDS rounds (default 5), with the
// files in the page cache, each round in a new process.
#include "storage/core/datetime.h"
#include "storage/core/message_list.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace zandrel;

// The clock of every round: the texts' dates lie up to 400 days before it.
const TDateTime kNow = ParseDateTime("2024-03-05 10:00:00.000").value();

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
                           50 + static_cast<int>(random() % 600));
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

// One timed step, run by a new process of this program ("--round STEP
// FOLDER"), so that, like the program at its start, it works in memory that
// no earlier round has paged in. Prints the milliseconds.
int Round(const std::string& step, const std::string& folder) {
    const FixedClock clock(kNow);
    const std::string dataPath = folder + "/ZandrelData.dat";
    const std::string memoPath = folder + "/ZandrelData_Memo.dat";
    MessageList list(dataPath);
    std::string data;
    std::string memo;
    if (step == "save")
        list.LoadMessages(clock);
    if (step == "write") {
        data = ReadWhole(dataPath);
        memo = ReadWhole(memoPath);
    }
    const auto start = std::chrono::steady_clock::now();
    if (step == "read") {
        data = ReadWhole(dataPath);
        memo = ReadWhole(memoPath);
    } else if (step == "load") {
        list.LoadMessages(clock);
    } else if (step == "write") {
        WriteFlushed(folder + "/plain_memo.dat", memo);
        WriteFlushed(folder + "/plain.dat", data);
    } else if (step == "save") {
        list.SaveMessages();
    } else {
        return 1;
    }
    const auto end = std::chrono::steady_clock::now();
    std::printf("%.6f\n", std::chrono::duration<double, std::milli>(end - start).count());
    return 0;
}

double MedianMs(const std::string& self, const std::string& step, const std::string& folder,
                int rounds) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const std::string command = "'" + self + "' --round " + step + " '" + folder + "'";
        FILE* child = ::popen(command.c_str(), "r");
        double ms = -1;
        if (!child || std::fscanf(child, "%lf", &ms) != 1 || ::pclose(child) != 0 || ms < 0)
            throw std::runtime_error("the round \"" + command + "\" failed");
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Measure(const std::string& self, const std::string& folder, int count, int rounds) {
    const FixedClock clock(kNow);
    MessageList list(folder + "/ZandrelData.dat");
    MakeList(list, count, clock, kNow);
    list.SaveMessages();
    std::string data;
    std::string memo;
    list.SaveToBytes(data, memo);

    const double read = MedianMs(self, "read", folder, rounds);
    const double load = MedianMs(self, "load", folder, rounds);
    const double write = MedianMs(self, "write", folder, rounds);
    const double save = MedianMs(self, "save", folder, rounds);
    std::filesystem::remove(folder + "/plain_memo.dat");
    std::filesystem::remove(folder + "/plain.dat");

    std::printf("%8d %9.1f | %9.2f %9.2f %6.2f | %9.2f %9.2f %6.2f\n", count,
                static_cast<double>(data.size() + memo.size()) / 1e6, read, load, load / read,
                write, save, save / write);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--round") {
        try {
            return Round(argv[2], argv[3]);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "bench_storage: %s\n", error.what());
            return 1;
        }
    }
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
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
    std::fflush(stdout);
    int status = 0;
    try {
        for (const int count : {1000, 10000})
            Measure(self, folder.string(), count, rounds);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_storage: %s\n", error.what());
        status = 1;
    }
    if (ownFolder)
        std::filesystem::remove_all(folder);
    return status;
}
