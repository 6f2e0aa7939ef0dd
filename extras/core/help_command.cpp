#include "extras/core/help_command.h"

#include "storage/core/file_ops.h"

namespace zandrel {
namespace {

// The viewer's first code of success: smaller results are errors.
constexpr unsigned kFirstStartedResult = 32;

} // namespace

void OpenProgramHelp(Environment& environment, const std::string& helpFile,
                     const std::string& programFolder) {
    if (file_ops::Exists(helpFile)) {
        environment.ShowHelpContext(helpFile, kMainHelpContext);
        return;
    }
    const std::string htmlHelp = programFolder + kHtmlHelpFile;
    if (!file_ops::Exists(htmlHelp)) {
        environment.ShowWarning("File not found: " + htmlHelp);
        return;
    }
    // The viewer takes the rest of its command line as the file, blanks and
    // all, so the path goes unquoted.
    const unsigned result = environment.RunProgram("hh.exe " + htmlHelp);
    if (result < kFirstStartedResult) {
        environment.ShowWarning("Error calling htmlHelp: " + std::to_string(result));
    }
}

} // namespace zandrel
