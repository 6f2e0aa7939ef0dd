#pragma once
// The one error type of the message store. Its text is shown to the user as
// it stands, so it must read well on its own.
#include <stdexcept>
#include <string>

namespace zandrel {

class StorageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    StorageError(const std::string& text, std::string reason)
        : std::runtime_error(text), reason_(std::move(reason)) {}
    // The system's reason alone, when the system gave one.
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
};

// The text of every read that runs past the end of a data file.
inline constexpr const char* kStreamReadError = "Stream read error";

} // namespace zandrel
