#include "framework/registry.h"

#include "storage/core/file_ops.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zandrel {

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        RegistryKey old(key_);
        key_ = other.release();
    }
    return *this;
}

RegistryKey::~RegistryKey() {
    if (key_)
        RegCloseKey(key_);
}

HKEY* RegistryKey::receive() {
    *this = RegistryKey();
    return &key_;
}

HKEY RegistryKey::release() {
    return std::exchange(key_, nullptr);
}

std::string ReadRegistryString(HKEY Root, const std::string& KeyPath,
                               const std::string& ValueName) {
    RegistryKey key;
    if (RegOpenKeyExA(Root, KeyPath.c_str(), 0, KEY_QUERY_VALUE, key.receive()) != ERROR_SUCCESS)
        return {};

    // Asks for the size first; the value may grow before it is read, so ask again until it fits.
    std::vector<char> data;
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        const LONG result =
            RegQueryValueExA(key.get(), ValueName.c_str(), nullptr, &type,
                             data.empty() ? nullptr : reinterpret_cast<BYTE*>(data.data()), &size);
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
            return {};
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw RegistryError("Invalid data type for '" + ValueName + "'");
        if (result == ERROR_SUCCESS && size <= data.size()) {
            // Stored data need not end with a zero: stop at the first one or at its end.
            const auto end = data.begin() + size;
            return std::string(data.begin(), std::find(data.begin(), end, '\0'));
        }
        data.resize(size);
    }
}

std::string ReadRegistryPath(HKEY Root, const std::string& KeyPath, const std::string& ValueName) {
    RegistryKey key;
    if (RegOpenKeyExA(Root, KeyPath.c_str(), 0, KEY_QUERY_VALUE, key.receive()) != ERROR_SUCCESS)
        return {};
    const std::wstring name = file_ops::Wide(ValueName);
    std::vector<wchar_t> data;
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        const LONG result =
            RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                             data.empty() ? nullptr : reinterpret_cast<BYTE*>(data.data()), &size);
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
            return {};
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw RegistryError("Invalid data type for '" + ValueName + "'");
        const std::size_t count = (size + sizeof(wchar_t) - 1) / sizeof(wchar_t);
        if (result == ERROR_SUCCESS && count <= data.size()) {
            const auto end = data.begin() + static_cast<std::ptrdiff_t>(count);
            return file_ops::FromWide(
                std::wstring(data.begin(), std::find(data.begin(), end, L'\0')));
        }
        data.resize(count);
    }
}

void WriteRegistryString(HKEY Root, const std::string& KeyPath, const std::string& ValueName,
                         const std::string& Value) {
    RegistryKey key;
    if (RegCreateKeyExA(Root, KeyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.receive(), nullptr) != ERROR_SUCCESS ||
        RegSetValueExA(key.get(), ValueName.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(Value.c_str()),
                       static_cast<DWORD>(Value.size() + 1)) != ERROR_SUCCESS)
        throw RegistryError("Errore durante la scrittura nel registry");
}

} // namespace zandrel
