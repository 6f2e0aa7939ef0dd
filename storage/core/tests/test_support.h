#pragma once
// Shared by the tests: a clock that the test sets, date-times from
// text, and a scratch folder that is removed afterwards.
#include "storage/core/clock.h"
#include "storage/core/datetime.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace zandrel::test {

inline TDateTime At(const char* text) {
    const auto value = ParseDateTime(text);
    EXPECT_TRUE(value) << text;
    return value.value_or(0);
}

// Returns `now`, then moves on by `step` at every reading.
class FakeClock : public Clock {
public:
    explicit FakeClock(TDateTime start, TDateTime step = 0) : now(start), step(step) {}
    TDateTime Now() const override {
        const TDateTime current = now;
        now += step;
        return current;
    }
    mutable TDateTime now;
    TDateTime step;
};

class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        // The process in the name: test programs may run side by side.
#ifdef _WIN32
        const int process = _getpid();
#else
        const int process = getpid();
#endif
        path_ = std::filesystem::temp_directory_path() /
                ("zandrel-test-" + std::to_string(process) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    // A path in the folder, in the system's own spelling (backslashes on Windows).
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace zandrel::test
