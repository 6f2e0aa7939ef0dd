#pragma once
// Registry keys and their string values.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace zandrel {

class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An open registry key, closed when its owner goes.
class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : key_(key) {}
    RegistryKey(RegistryKey&& other) noexcept : key_(other.release()) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey();

    HKEY get() const { return key_; }
    HKEY* receive(); // closes what it holds; for the Reg*Key* functions to fill
    HKEY release();
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

// The text of a REG_SZ or REG_EXPAND_SZ value (unexpanded), up to its first
// zero; empty when the key or the value is missing. Throws RegistryError
// "Invalid data type for '<name>'" for a value of any other type.
std::string ReadRegistryString(HKEY Root, const std::string& KeyPath, const std::string& ValueName);

// The same for a value that holds a path, read through the wide call and
// given in UTF-8 (the program's paths): a folder named in any script.
std::string ReadRegistryPath(HKEY Root, const std::string& KeyPath, const std::string& ValueName);

// Writes Value as REG_SZ, creating the key if needed. Throws RegistryError
// "Errore durante la scrittura nel registry" when that fails.
void WriteRegistryString(HKEY Root, const std::string& KeyPath, const std::string& ValueName,
                         const std::string& Value);

} // namespace zandrel
