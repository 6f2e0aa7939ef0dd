#pragma once
// zandrel-data: checks, resaves and exports the two data files of a folder
// with the same code the program loads and saves them with.
#include "storage/core/clock.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace zandrel {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // usage error, missing folder, unreadable or unwritable file
inline constexpr int kExitDamaged = 2; // the load stopped at damage; what came before was used

// Runs one command line (without the program name). `localClock` is the
// clock used unless --now fixes one.
int RunDataTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const Clock& localClock);

} // namespace zandrel
