#include "extras/core/help_command.h"

#include <filesystem>
#include <system_error>

namespace zandrel {
namespace {

// The viewer's first code of success: smaller results are errors.
constexpr unsigned kFirstStartedResult = 32;

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

void OpenProgramHelp(Environment& environment, const std::string& helpFile,
                     const std::string& programFolder) {
    if (FileExists(helpFile)) {
        environment.ShowHelpContext(helpFile, kMainHelpContext);
        return;
    }
    const std::string htmlHelp = programFolder + kHtmlHelpFile;
    if (!FileExists(htmlHelp)) {
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
