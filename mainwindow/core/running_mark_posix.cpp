// No program of this build runs: there is nothing to mark.
#include "mainwindow/core/running_mark.h"

namespace zandrel {

RunningMark::RunningMark(const std::string&) {}

RunningMark::~RunningMark() = default;

bool ProgramRunsFrom(const std::string&) {
    return false;
}

} // namespace zandrel
