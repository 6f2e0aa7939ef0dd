#pragma once
// The Help command: the classic help file, looked up in the current
// directory, opened at the main window's help context; otherwise the compiled
// HTML help beside the executable, in the HTML help viewer.
#include "framework/core/environment.h"

#include <string>

namespace zandrel {

inline constexpr unsigned kMainHelpContext = 10;
inline constexpr char kHtmlHelpFile[] = "zandrel.chm";

// programFolder ends with its separator. A missing file and a viewer that
// did not start are reported in the warning box.
void OpenProgramHelp(Environment& environment, const std::string& helpFile,
                     const std::string& programFolder);

} // namespace zandrel
