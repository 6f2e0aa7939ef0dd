#pragma once
// For tests that start the main window: its preferences live under a scratch
// key of the current user's and its startup shortcut is removed, before and
// after each test, so that every test starts as on a machine without them and
// the machine's own are never touched.
#include "mainwindow/registry_settings.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zandrel::testing {

class ScratchSettings {
public:
    ScratchSettings();
    ~ScratchSettings();
    ScratchSettings(const ScratchSettings&) = delete;
    ScratchSettings& operator=(const ScratchSettings&) = delete;

    // The store to hand to TFormMain.
    static RegistrySettingsStore Store();

    static void Set(const std::string& name, const std::string& value);
    static std::string Get(const std::string& name);
    static bool Exists(const std::string& name);
    static void Delete(const std::string& name);
    // The key's access list; nullptr allows everyone everything.
    static void SetAccess(PACL dacl);

    // Where the first start puts the program's shortcut.
    static std::string StartupLink();

private:
    static void Clear();
};

// The Notify of every message that the data file at `dataFile` holds.
std::vector<std::int32_t> StoredNotify(const std::string& dataFile);

} // namespace zandrel::testing
