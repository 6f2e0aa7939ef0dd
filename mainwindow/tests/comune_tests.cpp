#include "framework/core/tests/recording_environment.h"
#include "mainwindow/comune.h"
#include "mainwindow/registry_settings.h"
#include "storage/core/tests/test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace zandrel {
namespace {

namespace fs = std::filesystem;

// A scratch folder for link files; the test program's thread has COM.
struct ShellLinks : ::testing::Test {
    const test::TempFolder scratch;
    const fs::path& folder = scratch.Path();

    std::string MakeFile(const fs::path& path) {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "MZ";
        return path.string();
    }
};

TEST_F(ShellLinks, CreatedLinkResolvesToItsTarget) {
    const std::string exe = MakeFile(folder / "Program" / "zandrel.exe");
    const std::string linkBase = (folder / "Startup Zandrel").string();
    CreateShortcut(exe, linkBase);
    EXPECT_TRUE(fs::is_regular_file(linkBase + ".lnk"));
    EXPECT_FALSE(fs::exists(linkBase));
    EXPECT_EQ(ResolveShortcut(linkBase), exe);
    EXPECT_EQ(ResolveShortcut(linkBase + ".lnk"), exe);

    const std::string moved = MakeFile(folder / "Moved" / "zandrel.exe");
    CreateShortcut(moved, linkBase);
    EXPECT_EQ(ResolveShortcut(linkBase), moved);
}

TEST_F(ShellLinks, TargetPathOfTwoHundredAndFiftyCharacters) {
    const std::string name = "\\zandrel.exe";
    std::string path = folder.string();
    while (path.size() + name.size() + 52 < 250)
        path += "\\" + std::string(50, 'd');
    path += "\\" + std::string(250 - name.size() - path.size() - 1, 'e') + name;
    const fs::path exe = path;
    ASSERT_EQ(exe.string().size(), 250u);
    MakeFile(exe);
    ASSERT_TRUE(fs::exists(exe));

    const std::string linkBase = (folder / "Startup Zandrel").string();
    CreateShortcut(exe.string(), linkBase);
    EXPECT_EQ(ResolveShortcut(linkBase), exe.string());
}

TEST_F(ShellLinks, MissingOrDamagedLinkResolvesEmpty) {
    EXPECT_EQ(ResolveShortcut((folder / "Nothing here").string()), "");
    MakeFile(folder / "Damaged.lnk");
    EXPECT_EQ(ResolveShortcut((folder / "Damaged").string()), "");
}

// Uses the test prefix's own Startup folder, as the program does.
TEST_F(ShellLinks, StartupShortcutIsCreatedInTheUsersStartupFolder) {
    const std::string startup =
        ReadRegistryString(HKEY_CURRENT_USER, std::string(ShellFoldersKeyPath), "Startup");
    ASSERT_FALSE(startup.empty());
    const fs::path link = fs::path(startup) / "Startup Zandrel.lnk";
    fs::create_directories(startup);
    fs::remove(link);

    const std::string settingsPath = "Software\\ZandrelTests\\Startup";
    RegDeleteTreeA(HKEY_CURRENT_USER, settingsPath.c_str());
    RegistrySettingsStore settings(HKEY_CURRENT_USER, settingsPath);
    testing::RecordingEnvironment env;
    const std::string exe = MakeFile(folder / "Program" / "Zandrel.exe");

    settings.WriteString("Enable_at_Startup", "false");
    UpdateStartupShortcut(settings, env, exe);
    EXPECT_FALSE(fs::exists(link));

    settings.WriteString("Enable_at_Startup", "False");
    UpdateStartupShortcut(settings, env, exe);
    EXPECT_EQ(ResolveShortcut(link.string()), exe);
    EXPECT_TRUE(env.Shown(testing::ShownBox::Warning).empty());

    fs::remove(link);
    RegDeleteTreeA(HKEY_CURRENT_USER, settingsPath.c_str());
}

} // namespace
} // namespace zandrel
