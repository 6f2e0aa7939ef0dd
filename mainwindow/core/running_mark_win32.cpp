// The mark is a named mutex of the session whose name is drawn from the
// folder's identity on its volume, so that every name of the folder (another
// drive letter, a share, a link, another spelling) finds the same mark.
#include "mainwindow/core/running_mark.h"

#include "storage/core/file_ops.h"

#include <windows.h>

namespace zandrel {
namespace {

// Empty when the folder cannot be opened: there is nothing to mark.
std::string MarkName(const std::string& folder) {
    const std::optional<std::string> identity = file_ops::FolderIdentity(folder);
    return identity ? "Zandrel.Keltrune.Folder." + *identity : std::string();
}

} // namespace

RunningMark::RunningMark(const std::string& folder) {
    const std::string name = MarkName(folder);
    if (!name.empty()) {
        mark_ = CreateMutexA(nullptr, FALSE, name.c_str());
    }
}

RunningMark::~RunningMark() {
    if (mark_) {
        CloseHandle(mark_);
    }
}

bool ProgramRunsFrom(const std::string& folder) {
    const std::string name = MarkName(folder);
    const HANDLE mark = name.empty() ? nullptr : OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
    if (!mark) {
        return false;
    }
    CloseHandle(mark);
    return true;
}

} // namespace zandrel
