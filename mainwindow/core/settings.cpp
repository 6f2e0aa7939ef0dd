#include "mainwindow/core/settings.h"
#include "resources/form_main.h"

#include <algorithm>
#include <exception>
#include <optional>

namespace zandrel {

namespace {

constexpr PreferenceDescription Descriptions[] = {
    {"DefaultClientHeight", "normal", "short", true, "Shrink child", "Expand child",
     form_main::Expandchild1},
    {"SoundEnabled", "true", "false", false, "Disable sound", "Enable sound",
     form_main::Disablesound1},
    {"ToolbarShowCaptions", "true", "false", false, "Hide text in menu icon",
     "Show text in menu icon", form_main::ShowText},
    {"ShowHint", "true", "false", false, "Hide hint", "Show hint", form_main::ShowHint1},
};

void ApplyState(Preference which, bool on, SettingsTarget& target) {
    switch (which) {
    case Preference::ChildHeight:
        target.SetChildExpanded(on);
        break;
    case Preference::Sound:
        target.SetSoundEnabled(on);
        break;
    case Preference::ToolbarCaptions:
        target.SetToolbarShowCaptions(on);
        break;
    case Preference::Hint:
        target.SetShowHint(on);
        break;
    }
}

void WriteState(Preference which, bool on, SettingsStore& store) {
    store.WriteString(std::string(Describe(which).ValueName), std::string(TextForState(which, on)));
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

const PreferenceDescription& Describe(Preference which) {
    return Descriptions[static_cast<int>(which)];
}

bool StateFromText(Preference which, const std::string& stored) {
    const auto& d = Describe(which);
    return d.Default ? stored != d.OffText : stored == d.OnText;
}

std::string_view TextForState(Preference which, bool on) {
    return on ? Describe(which).OnText : Describe(which).OffText;
}

std::string_view CaptionForState(Preference which, bool on) {
    return on ? Describe(which).CaptionOn : Describe(which).CaptionOff;
}

void LoadSettings(SettingsStore& store, SettingsTarget& target, Environment& env) {
    std::optional<std::string> firstError;
    const auto attempt = [&](auto&& step) {
        try {
            step();
        } catch (const std::exception& e) {
            if (!firstError)
                firstError = e.what();
        }
    };
    for (const Preference which : AllPreferences) {
        std::string stored;
        attempt([&] { stored = store.ReadString(std::string(Describe(which).ValueName)); });
        const bool on = StateFromText(which, stored);
        ApplyState(which, on, target);
        target.SetMenuCaption(which, std::string(CaptionForState(which, on)));
        attempt([&] { WriteState(which, on, store); });
        if (which == Preference::ToolbarCaptions)
            target.SetToolbarButtonSize(ToolbarButtonSize, ToolbarButtonSize);
    }
    if (firstError)
        env.ShowError(*firstError);
}

bool TogglePreference(Preference which, bool current, SettingsStore& store,
                      SettingsTarget& target) {
    const bool on = !current;
    ApplyState(which, on, target);
    if (which == Preference::ToolbarCaptions)
        target.SetToolbarButtonSize(ToolbarButtonSize, ToolbarButtonSize);
    target.SetMenuCaption(which, std::string(CaptionForState(which, on)));
    WriteState(which, on, store);
    return on;
}

WindowOrigin CentreOnScreen(ScreenSize screen, int width, int height) {
    // Integer division truncates toward zero, also for a window wider than the screen.
    return {(screen.Width - width) / 2, (screen.Height - height) / 2};
}

bool StartupShortcutWanted(const std::string& enableAtStartup) {
    return enableAtStartup != "false";
}

std::string StartupLinkBase(const std::string& startupFolder) {
    return startupFolder + "\\Startup Zandrel";
}

std::string LinkFileName(const std::string& linkPath) {
    const auto nameStart = linkPath.find_last_of("\\/:");
    const auto dot = linkPath.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart);
    if (hasExtension && linkPath.compare(dot, std::string::npos, ".lnk") == 0)
        return linkPath;
    return linkPath + ".lnk";
}

bool SameShortcutTarget(const std::string& a, const std::string& b) {
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string StartupFolderMissingWarning() {
    return "Registry path not found: \r( hkey_current_user: " + std::string(ShellFoldersKeyPath) +
           " /" + std::string(StartupFolderValue) + " )";
}

void UpdateStartupShortcut(SettingsStore& store, StartupShortcutSystem& system,
                           const std::string& exePath) {
    if (!StartupShortcutWanted(store.ReadString(std::string(EnableAtStartupValue))))
        return;
    const std::string folder = system.StartupFolder();
    if (folder.empty()) {
        system.ShowWarning(StartupFolderMissingWarning());
        return;
    }
    const std::string linkBase = StartupLinkBase(folder);
    if (system.FileExists(LinkFileName(linkBase)) &&
        SameShortcutTarget(system.ResolveShortcut(linkBase), exePath))
        return;
    system.CreateShortcut(exePath, linkBase);
}

} // namespace zandrel
