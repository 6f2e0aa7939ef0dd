#pragma once
// Shell links through COM, and the startup shortcut's system side. COM must be
// initialised on the calling thread (ComApartment).
#include "framework/core/environment.h"
#include "mainwindow/core/settings.h"

#include <string>

namespace zandrel {

// COM for the current thread, single-threaded apartment, for the owner's life.
class ComApartment {
public:
    ComApartment(); // throws std::runtime_error when COM cannot be initialised
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment();
};

// Writes a link to TargetPath, its only property, at LinkPath (".lnk" added
// unless it is already the extension), overwriting any file there. Throws
// std::runtime_error when the shell-link object is unavailable; a failed
// save is silent.
void CreateShortcut(const std::string& TargetPath, const std::string& LinkPath);

// The target path stored in the link at LinkPath (same ".lnk" rule), not
// resolved against moved targets; empty when the link cannot be loaded or
// holds no path.
std::string ResolveShortcut(const std::string& LinkPath);

// Makes sure the user's Startup folder holds a shortcut to exePath (the
// running executable) unless the settings say otherwise; warns through env
// when the Startup folder is unknown.
void UpdateStartupShortcut(SettingsStore& settings, Environment& env, const std::string& exePath);

} // namespace zandrel
