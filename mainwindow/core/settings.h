#pragma once
// The stored preferences and the startup shortcut: which stored text means
// what, which menu caption goes with it and what is written back. The main
// window only supplies the effects, through SettingsTarget and
// StartupShortcutSystem, so every decision here is testable without Windows.
#include "framework/core/environment.h"
#include "framework/core/work_area.h"

#include <string>
#include <string_view>

namespace zandrel {

// Under HKEY_LOCAL_MACHINE; every value is a REG_SZ text.
inline constexpr std::string_view SettingsKeyPath = "SOFTWARE\\Keltrune\\Zandrel";
inline constexpr std::string_view EnableAtStartupValue = "Enable_at_Startup";
// Under HKEY_CURRENT_USER.
inline constexpr std::string_view ShellFoldersKeyPath =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr std::string_view StartupFolderValue = "Startup";

// The design's toolbar buttons are 31 x 29; whenever the captions change they
// are squared to this.
inline constexpr int ToolbarButtonSize = 30;

// The four preferences of the "General setting" menu, in menu order.
enum class Preference { ChildHeight, Sound, ToolbarCaptions, Hint };
inline constexpr Preference AllPreferences[] = {Preference::ChildHeight, Preference::Sound,
                                                Preference::ToolbarCaptions, Preference::Hint};

struct PreferenceDescription {
    std::string_view ValueName;
    std::string_view OnText;  // stored while on
    std::string_view OffText; // stored while off
    bool Default;             // the state for a missing value or any other text
    std::string_view CaptionOn;
    std::string_view CaptionOff;
    std::string_view MenuItem; // component name of the menu item
};

const PreferenceDescription& Describe(Preference which);

// Exact, case-sensitive: only the text that differs from the default counts.
bool StateFromText(Preference which, const std::string& stored);
std::string_view TextForState(Preference which, bool on);
std::string_view CaptionForState(Preference which, bool on);

// Settings key values by name. The registry one throws on failure.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Empty when the key or the value is missing.
    virtual std::string ReadString(const std::string& valueName) = 0;
    virtual void WriteString(const std::string& valueName, const std::string& value) = 0;
};

// The running program's side of the preferences (the main window).
class SettingsTarget {
public:
    virtual ~SettingsTarget() = default;
    virtual void SetChildExpanded(bool expanded) = 0;
    virtual void SetSoundEnabled(bool on) = 0;
    virtual void SetToolbarShowCaptions(bool show) = 0;
    virtual void SetToolbarButtonSize(int width, int height) = 0;
    virtual void SetShowHint(bool show) = 0;
    virtual void SetMenuCaption(Preference which, const std::string& caption) = 0;
};

// Reads, applies, captions and writes back the four preferences in menu order.
// They are optional, so a failed read counts as a missing value and start-up
// goes on past failed writes; the first error is shown once at the end.
void LoadSettings(SettingsStore& store, SettingsTarget& target, Environment& env);

// One click on a preference's menu item: applies the opposite of current,
// captions it and writes only its own value. A write failure propagates, with
// the change in memory already made. Returns the new state.
bool TogglePreference(Preference which, bool current, SettingsStore& store, SettingsTarget& target);

// Setup...: the main window's origin when centred, rounding toward zero.
WindowOrigin CentreOnScreen(ScreenSize screen, int width, int height);

// The startup shortcut.
bool StartupShortcutWanted(const std::string& enableAtStartup);
std::string StartupLinkBase(const std::string& startupFolder);
// The file a link path names: ".lnk" is added unless it is already the
// extension (exactly, case included).
std::string LinkFileName(const std::string& linkPath);
// Lower case of ASCII letters only; other bytes compare as they are.
bool SameShortcutTarget(const std::string& a, const std::string& b);
std::string StartupFolderMissingWarning();

// What refreshing the startup shortcut needs from the system.
class StartupShortcutSystem {
public:
    virtual ~StartupShortcutSystem() = default;
    // The user's Startup folder; empty when its key or value is missing.
    virtual std::string StartupFolder() = 0;
    virtual bool FileExists(const std::string& fileName) = 0;
    // The link's target; empty when it cannot be loaded or holds none.
    virtual std::string ResolveShortcut(const std::string& linkPath) = 0;
    virtual void CreateShortcut(const std::string& targetPath, const std::string& linkPath) = 0;
    virtual void ShowWarning(const std::string& text) = 0;
};

// Makes sure the user's Startup folder holds a shortcut to exePath, unless the
// settings say "false". An existing shortcut is never removed.
void UpdateStartupShortcut(SettingsStore& store, StartupShortcutSystem& system,
                           const std::string& exePath);

} // namespace zandrel
