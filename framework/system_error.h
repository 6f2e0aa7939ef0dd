#pragma once
// A failed system call as the user reads it: what could not be done, the
// call that failed, its error number and the system's text for it.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace zandrel {

// The system's text for an error number (FormatMessage), on one line.
std::string SystemErrorText(DWORD code);

class SystemError : public std::runtime_error {
public:
    // `failure` says what could not be done; `call` names the function that
    // failed. The error number defaults to the thread's last error, so build
    // the error right after the call.
    SystemError(const std::string& failure, const std::string& call, DWORD code = GetLastError());

    const std::string& Call() const { return call_; }
    DWORD Code() const { return code_; }

private:
    std::string call_;
    DWORD code_;
};

} // namespace zandrel
