#include "framework/system_error.h"

#include "framework/handles.h"

namespace zandrel {
namespace {

void FreeLocal(char* memory) {
    LocalFree(memory);
}
using LocalText = UniqueHandle<char*, FreeLocal>;

std::string Message(const std::string& failure, const std::string& call, DWORD code) {
    return failure + "\n" + call + " failed with error " + std::to_string(code) + ": " +
           SystemErrorText(code);
}

} // namespace

std::string SystemErrorText(DWORD code) {
    if (code == ERROR_SUCCESS) {
        return "the system gave no reason.";
    }
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    const LocalText owned(buffer);
    std::string text(buffer ? buffer : "", length);
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    text.erase(text.find_last_not_of(' ') + 1);
    return text.empty() ? "the system has no text for it." : text;
}

SystemError::SystemError(const std::string& failure, const std::string& call, DWORD code)
    : std::runtime_error(Message(failure, call, code)), call_(call), code_(code) {}

} // namespace zandrel
