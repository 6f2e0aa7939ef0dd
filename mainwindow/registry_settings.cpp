#include "mainwindow/registry_settings.h"

namespace zandrel {

std::string RegistrySettingsStore::ReadString(const std::string& valueName) {
    return ReadRegistryString(root_, keyPath_, valueName);
}

void RegistrySettingsStore::WriteString(const std::string& valueName, const std::string& value) {
    WriteRegistryString(root_, keyPath_, valueName, value);
}

} // namespace zandrel
