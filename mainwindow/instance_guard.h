#pragma once
// One running program per user session: two instances on the same data files
// would overwrite each other's saves. A second start asks the running one to
// show its main window and ends.
#include "framework/handles.h"
#include "mainwindow/core/running_mark.h"

#include <optional>
#include <string>

namespace zandrel {

class InstanceGuard {
public:
    // dataFolder: the folder of the data files, which the first instance
    // marks as in use (see RunningMark); empty: none.
    explicit InstanceGuard(const std::string& dataFolder = {});

    // True for the first instance; false when another one holds the guard.
    bool First() const { return first_; }

    // Asks the running instance to bring its main window up; false when no
    // main window was found.
    static bool BringUpRunningInstance();

    // The message the running instance's main window answers by showing
    // itself, as the tray's "Setup..." does.
    static UINT ShowRequestMessage();

private:
    KernelHandle mutex_;
    bool first_ = false;
    std::optional<RunningMark> folderMark_;
};

} // namespace zandrel
