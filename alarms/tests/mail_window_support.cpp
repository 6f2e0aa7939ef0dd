#include "alarms/tests/mail_window_support.h"

#include <filesystem>

namespace zandrel::testing {

MailTestsFolderSearched::MailTestsFolderSearched() {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    auto folder = std::filesystem::path(program).parent_path() / ZANDREL_MAIL_TESTS_FOLDER;
    SetDllDirectoryA(folder.make_preferred().string().c_str());
}

MailTestsFolderSearched::~MailTestsFolderSearched() {
    SetDllDirectoryA(nullptr);
}

} // namespace zandrel::testing
