#include "mainwindow/core/settings.h"
#include "framework/core/tests/recording_environment.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

namespace zandrel {
namespace {

// Every call on the store and the target lands in one log, so that tests see
// the order of effects.
using Log = std::vector<std::string>;

bool Contains(const Log& log, const std::string& line) {
    return std::ranges::find(log, line) != log.end();
}

class FakeStore : public SettingsStore {
public:
    explicit FakeStore(Log& log) : log_(log) {}
    std::map<std::string, std::string> Values;
    std::optional<std::string> FailingRead;
    bool WritesFail = false;

    std::string ReadString(const std::string& valueName) override {
        log_.push_back("read " + valueName);
        if (FailingRead == valueName)
            throw std::runtime_error("Invalid data type for '" + valueName + "'");
        const auto it = Values.find(valueName);
        return it == Values.end() ? std::string() : it->second;
    }
    void WriteString(const std::string& valueName, const std::string& value) override {
        log_.push_back("write " + valueName + "=" + value);
        if (WritesFail)
            throw std::runtime_error("Errore durante la scrittura nel registry");
        Values[valueName] = value;
    }

private:
    Log& log_;
};

class FakeTarget : public SettingsTarget {
public:
    explicit FakeTarget(Log& log) : log_(log) {}
    void SetChildExpanded(bool on) override { log_.push_back(On("ChildExpanded", on)); }
    void SetSoundEnabled(bool on) override { log_.push_back(On("sound", on)); }
    void SetToolbarShowCaptions(bool on) override { log_.push_back(On("captions", on)); }
    void SetToolbarButtonSize(int w, int h) override {
        log_.push_back("buttons " + std::to_string(w) + "x" + std::to_string(h));
    }
    void SetShowHint(bool on) override { log_.push_back(On("ShowHint", on)); }
    void SetMenuCaption(Preference which, const std::string& caption) override {
        log_.push_back(std::string(Describe(which).MenuItem) + " \"" + caption + "\"");
    }

private:
    static std::string On(const std::string& what, bool on) { return what + (on ? " on" : " off"); }
    Log& log_;
};

struct Settings : ::testing::Test {
    Log log;
    FakeStore store{log};
    FakeTarget target{log};
    testing::RecordingEnvironment env;
};

TEST_F(Settings, FirstStartAppliesDefaultsAndCreatesEveryValueInOrder) {
    LoadSettings(store, target, env);
    const Log expected = {
        "read DefaultClientHeight",
        "ChildExpanded on",
        "Expandchild1 \"Shrink child\"",
        "write DefaultClientHeight=normal",
        "read SoundEnabled",
        "sound off",
        "Disablesound1 \"Enable sound\"",
        "write SoundEnabled=false",
        "read ToolbarShowCaptions",
        "captions off",
        "ShowText \"Show text in menu icon\"",
        "write ToolbarShowCaptions=false",
        "buttons 30x30",
        "read ShowHint",
        "ShowHint off",
        "ShowHint1 \"Show hint\"",
        "write ShowHint=false",
    };
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(store.Values.contains("Enable_at_Startup"));
    EXPECT_TRUE(env.Shown(testing::ShownBox::Error).empty());
}

TEST_F(Settings, StoredChoicesAreAppliedAndKept) {
    store.Values = {{"DefaultClientHeight", "short"},
                    {"SoundEnabled", "true"},
                    {"ToolbarShowCaptions", "true"},
                    {"ShowHint", "true"}};
    const auto stored = store.Values;
    LoadSettings(store, target, env);
    EXPECT_EQ(store.Values, stored);
    for (const char* line :
         {"ChildExpanded off", "Expandchild1 \"Expand child\"", "sound on",
          "Disablesound1 \"Disable sound\"", "captions on", "ShowText \"Hide text in menu icon\"",
          "ShowHint on", "ShowHint1 \"Hide hint\""})
        EXPECT_TRUE(Contains(log, line)) << line;
}

TEST_F(Settings, TextsAreComparedExactlyAndRewritten) {
    store.Values = {{"DefaultClientHeight", "Short"},
                    {"SoundEnabled", "TRUE"},
                    {"ToolbarShowCaptions", "yes"},
                    {"ShowHint", " true"}};
    LoadSettings(store, target, env);
    EXPECT_EQ(store.Values["DefaultClientHeight"], "normal");
    EXPECT_EQ(store.Values["SoundEnabled"], "false");
    EXPECT_EQ(store.Values["ToolbarShowCaptions"], "false");
    EXPECT_EQ(store.Values["ShowHint"], "false");
    EXPECT_TRUE(Contains(log, "ChildExpanded on"));
    EXPECT_TRUE(Contains(log, "sound off"));
}

TEST_F(Settings, UnwritableKeyStillAppliesEverythingAndReportsOnce) {
    store.WritesFail = true;
    store.Values = {{"SoundEnabled", "true"}, {"ShowHint", "true"}};
    LoadSettings(store, target, env);
    EXPECT_EQ(env.Shown(testing::ShownBox::Error), std::vector<std::string>{"Errore durante la scrittura nel registry"});
    EXPECT_TRUE(Contains(log, "sound on"));
    EXPECT_TRUE(Contains(log, "buttons 30x30"));
    EXPECT_TRUE(Contains(log, "ShowHint1 \"Hide hint\""));
}

TEST_F(Settings, UnreadableValueCountsAsMissingAndIsRepaired) {
    store.FailingRead = "SoundEnabled";
    LoadSettings(store, target, env);
    EXPECT_EQ(env.Shown(testing::ShownBox::Error), std::vector<std::string>{"Invalid data type for 'SoundEnabled'"});
    EXPECT_TRUE(Contains(log, "Disablesound1 \"Enable sound\""));
    EXPECT_EQ(store.Values["SoundEnabled"], "false");
    EXPECT_EQ(store.Values["ShowHint"], "false");
}

TEST_F(Settings, ToggleWritesOnlyItsOwnValue) {
    EXPECT_FALSE(TogglePreference(Preference::ChildHeight, true, store, target));
    EXPECT_EQ(log, (Log{"ChildExpanded off", "Expandchild1 \"Expand child\"",
                        "write DefaultClientHeight=short"}));
    log.clear();
    EXPECT_TRUE(TogglePreference(Preference::Hint, false, store, target));
    EXPECT_EQ(log, (Log{"ShowHint on", "ShowHint1 \"Hide hint\"", "write ShowHint=true"}));
    EXPECT_EQ(store.Values.size(), 2u);
}

TEST_F(Settings, CaptionsToggledTwiceKeepSquareButtons) {
    bool on = TogglePreference(Preference::ToolbarCaptions, false, store, target);
    on = TogglePreference(Preference::ToolbarCaptions, on, store, target);
    EXPECT_FALSE(on);
    EXPECT_EQ(log, (Log{"captions on", "buttons 30x30", "ShowText \"Hide text in menu icon\"",
                        "write ToolbarShowCaptions=true", "captions off", "buttons 30x30",
                        "ShowText \"Show text in menu icon\"", "write ToolbarShowCaptions=false"}));
}

TEST_F(Settings, FailedToggleWriteKeepsTheChangeInMemory) {
    store.WritesFail = true;
    EXPECT_THROW(TogglePreference(Preference::Sound, false, store, target), std::runtime_error);
    EXPECT_EQ(log, (Log{"sound on", "Disablesound1 \"Disable sound\"", "write SoundEnabled=true"}));
}

TEST(SetupWindow, CentresRoundingTowardZero) {
    EXPECT_EQ(CentreOnScreen({1024, 768}, 601, 401).Left, 211);
    EXPECT_EQ(CentreOnScreen({1024, 768}, 601, 401).Top, 183);
    // Larger than the screen: -1 / 2 is 0, not -1.
    EXPECT_EQ(CentreOnScreen({1024, 768}, 1025, 771).Left, 0);
    EXPECT_EQ(CentreOnScreen({1024, 768}, 1025, 771).Top, -1);
}

TEST(LinkNames, LnkIsAddedUnlessItIsExactlyTheExtension) {
    EXPECT_EQ(LinkFileName("C:\\Start\\Startup Zandrel"), "C:\\Start\\Startup Zandrel.lnk");
    EXPECT_EQ(LinkFileName("C:\\Start\\a.lnk"), "C:\\Start\\a.lnk");
    EXPECT_EQ(LinkFileName("C:\\Start\\a.LNK"), "C:\\Start\\a.LNK.lnk");
    EXPECT_EQ(LinkFileName("C:\\john.lnk\\Startup Zandrel"), "C:\\john.lnk\\Startup Zandrel.lnk");
    EXPECT_EQ(StartupLinkBase("C:\\Start Menu\\Startup"),
              "C:\\Start Menu\\Startup\\Startup Zandrel");
}

TEST(LinkNames, TargetsCompareIgnoringAsciiCaseOnly) {
    EXPECT_TRUE(
        SameShortcutTarget("C:\\Program Files\\Zandrel.EXE", "c:\\program files\\zandrel.exe"));
    EXPECT_FALSE(SameShortcutTarget("C:\\Zandrel.exe", "C:\\Zandrel.exe "));
    EXPECT_FALSE(SameShortcutTarget("C:\\\xC9t\xE9.exe", "C:\\\xE9t\xE9.exe"));
    EXPECT_FALSE(SameShortcutTarget("", "C:\\Zandrel.exe"));
}

class FakeSystem : public StartupShortcutSystem {
public:
    std::string Folder = "C:\\Users\\u\\Startup";
    std::map<std::string, std::string> Links; // file name -> target
    std::vector<std::string> Warnings;
    int Created = 0;

    std::string StartupFolder() override { return Folder; }
    bool FileExists(const std::string& fileName) override { return Links.contains(fileName); }
    std::string ResolveShortcut(const std::string& linkPath) override {
        return Links.at(LinkFileName(linkPath));
    }
    void CreateShortcut(const std::string& target, const std::string& linkPath) override {
        ++Created;
        Links[LinkFileName(linkPath)] = target;
    }
    void ShowWarning(const std::string& text) override { Warnings.push_back(text); }
};

struct StartupShortcut : ::testing::Test {
    Log log;
    FakeStore store{log};
    FakeSystem system;
    const std::string exe = "C:\\Programs\\Zandrel\\zandrel.exe";
    const std::string link = "C:\\Users\\u\\Startup\\Startup Zandrel.lnk";
};

TEST_F(StartupShortcut, CreatedWhenMissing) {
    UpdateStartupShortcut(store, system, exe);
    EXPECT_EQ(system.Links[link], exe);
    EXPECT_FALSE(store.Values.contains("Enable_at_Startup"));
}

TEST_F(StartupShortcut, OnlyExactFalseStopsItAndNothingIsRemoved) {
    system.Links[link] = "C:\\Old\\zandrel.exe";
    store.Values["Enable_at_Startup"] = "false";
    UpdateStartupShortcut(store, system, exe);
    EXPECT_EQ(system.Links[link], "C:\\Old\\zandrel.exe");

    for (const char* text : {"False", "0"}) {
        system.Links.clear();
        store.Values["Enable_at_Startup"] = text;
        UpdateStartupShortcut(store, system, exe);
        EXPECT_EQ(system.Links[link], exe) << text;
    }
}

TEST_F(StartupShortcut, CurrentShortcutUntouchedMovedProgramRewritten) {
    system.Links[link] = "c:\\PROGRAMS\\zandrel\\Zandrel.exe";
    UpdateStartupShortcut(store, system, exe);
    EXPECT_EQ(system.Created, 0);

    system.Links[link] = "D:\\Elsewhere\\zandrel.exe";
    UpdateStartupShortcut(store, system, exe);
    EXPECT_EQ(system.Links[link], exe);
}

TEST_F(StartupShortcut, UnreadableLinkIsRewritten) {
    system.Links[link] = "";
    UpdateStartupShortcut(store, system, exe);
    EXPECT_EQ(system.Links[link], exe);
}

TEST_F(StartupShortcut, MissingStartupFolderWarns) {
    system.Folder.clear();
    UpdateStartupShortcut(store, system, exe);
    EXPECT_EQ(system.Warnings, std::vector<std::string>{
                                   "Registry path not found: \r( hkey_current_user: "
                                   "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
                                   "Folders /Startup )"});
    EXPECT_EQ(system.Created, 0);
}

} // namespace
} // namespace zandrel
