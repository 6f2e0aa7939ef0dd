// The mark is a named mutex of the session whose name is drawn from the
// folder's full path, upper-cased.
#include "mainwindow/core/running_mark.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace zandrel {
namespace {

std::string MarkName(const std::string& folder) {
    std::string path(MAX_PATH, '\0');
    DWORD length = GetFullPathNameA(folder.c_str(), DWORD(path.size()), path.data(), nullptr);
    if (length >= path.size()) {
        path.resize(length);
        length = GetFullPathNameA(folder.c_str(), DWORD(path.size()), path.data(), nullptr);
    }
    path.resize(length < path.size() ? length : 0);
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    while (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    CharUpperBuffA(path.data(), DWORD(path.size()));
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a: a mutex name holds no '\'
    for (const char c : path) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    char name[64];
    std::snprintf(name, sizeof name, "Zandrel.Keltrune.Folder.%016llx",
                  static_cast<unsigned long long>(hash));
    return name;
}

} // namespace

RunningMark::RunningMark(const std::string& folder)
    : mark_(CreateMutexA(nullptr, FALSE, MarkName(folder).c_str())) {}

RunningMark::~RunningMark() {
    if (mark_) {
        CloseHandle(mark_);
    }
}

bool ProgramRunsFrom(const std::string& folder) {
    const HANDLE mark = OpenMutexA(SYNCHRONIZE, FALSE, MarkName(folder).c_str());
    if (!mark) {
        return false;
    }
    CloseHandle(mark);
    return true;
}

} // namespace zandrel
