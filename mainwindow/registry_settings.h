#pragma once
// The program's settings kept in the registry.
#include "framework/registry.h"
#include "mainwindow/core/settings.h"

#include <string>
#include <utility>

namespace zandrel {

// The settings key, HKEY_LOCAL_MACHINE\SOFTWARE\Keltrune\Zandrel unless told otherwise.
class RegistrySettingsStore : public SettingsStore {
public:
    RegistrySettingsStore() = default;
    RegistrySettingsStore(HKEY root, std::string keyPath)
        : root_(root), keyPath_(std::move(keyPath)) {}

    std::string ReadString(const std::string& valueName) override;
    void WriteString(const std::string& valueName, const std::string& value) override;

private:
    HKEY root_ = HKEY_LOCAL_MACHINE;
    std::string keyPath_{SettingsKeyPath};
};

} // namespace zandrel
