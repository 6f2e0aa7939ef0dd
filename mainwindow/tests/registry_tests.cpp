#include "framework/core/tests/recording_environment.h"
#include "mainwindow/registry_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace zandrel {
namespace {

// A scratch key under HKEY_CURRENT_USER, removed before and after each test.
struct Registry : ::testing::Test {
    const std::string path = "Software\\ZandrelTests\\Registry";

    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str()); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str()); }

    // Stores raw bytes of any type, as another program might have.
    void SetRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegistryKey owner(key);
        ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    // The key's access list; nullptr allows everyone everything again.
    void SetDacl(PACL dacl) {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key),
                  ERROR_SUCCESS);
        RegistryKey owner(key);
        SECURITY_DESCRIPTOR descriptor;
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&descriptor, TRUE, dacl, FALSE);
        ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
    }
    std::string Read(const std::string& name) {
        return ReadRegistryString(HKEY_CURRENT_USER, path, name);
    }
};

TEST_F(Registry, MissingKeyOrValueReadsEmpty) {
    EXPECT_EQ(Read("SoundEnabled"), "");
    WriteRegistryString(HKEY_CURRENT_USER, path, "ShowHint", "true");
    EXPECT_EQ(Read("SoundEnabled"), "");
    EXPECT_EQ(Read("ShowHint"), "true");
}

TEST_F(Registry, WriteCreatesTheKeyAndReplacesAnyEarlierValue) {
    const DWORD number = 7;
    SetRaw("DefaultClientHeight", REG_DWORD, &number, sizeof number);
    WriteRegistryString(HKEY_CURRENT_USER, path, "DefaultClientHeight", "short");
    EXPECT_EQ(Read("DefaultClientHeight"), "short");
    WriteRegistryString(HKEY_CURRENT_USER, path, "DefaultClientHeight", "");
    EXPECT_EQ(Read("DefaultClientHeight"), "");

    const std::string longText(100000, 'x');
    WriteRegistryString(HKEY_CURRENT_USER, path, "Long", longText);
    EXPECT_EQ(Read("Long"), longText);
}

TEST_F(Registry, OtherTypesAreRefusedByName) {
    const DWORD number = 1;
    SetRaw("SoundEnabled", REG_DWORD, &number, sizeof number);
    SetRaw("ShowHint", REG_BINARY, "true", 4);
    try {
        Read("SoundEnabled");
        FAIL() << "no error";
    } catch (const RegistryError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'SoundEnabled'");
    }
    EXPECT_THROW(Read("ShowHint"), RegistryError);
}

TEST_F(Registry, ExpandableStringsAreReadUnexpanded) {
    const char text[] = "%SystemRoot%\\zandrel";
    SetRaw("Path", REG_EXPAND_SZ, text, sizeof text);
    EXPECT_EQ(Read("Path"), "%SystemRoot%\\zandrel");
}

TEST_F(Registry, DataWithoutOrBeforeItsEndZeroIsCutSafely) {
    SetRaw("NoZero", REG_SZ, "abc", 3);
    EXPECT_EQ(Read("NoZero"), "abc");
    SetRaw("InnerZero", REG_SZ, "ab\0cd", 6);
    EXPECT_EQ(Read("InnerZero"), "ab");
    SetRaw("Empty", REG_SZ, "", 0);
    EXPECT_EQ(Read("Empty"), "");
}

TEST_F(Registry, UnwritableKeyFailsWithTheMessage) {
    WriteRegistryString(HKEY_CURRENT_USER, path, "ShowHint", "false");
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SetDacl(&empty);
    try {
        WriteRegistryString(HKEY_CURRENT_USER, path, "ShowHint", "true");
        ADD_FAILURE() << "no error";
    } catch (const RegistryError& e) {
        EXPECT_STREQ(e.what(), "Errore durante la scrittura nel registry");
    }
    SetDacl(nullptr);
    EXPECT_EQ(Read("ShowHint"), "false");

    // A root that holds no keys at all.
    EXPECT_THROW(WriteRegistryString(HKEY_PERFORMANCE_DATA, "Zandrel", "ShowHint", "true"),
                 RegistryError);
}

struct FirstStartTarget : SettingsTarget {
    void SetChildExpanded(bool) override {}
    void SetSoundEnabled(bool) override {}
    void SetToolbarShowCaptions(bool) override {}
    void SetToolbarButtonSize(int, int) override {}
    void SetShowHint(bool) override {}
    void SetMenuCaption(Preference, const std::string&) override {}
};

TEST_F(Registry, FirstStartCreatesTheKeyWithEveryPreference) {
    RegistrySettingsStore store(HKEY_CURRENT_USER, path);
    FirstStartTarget target;
    testing::RecordingEnvironment env;
    LoadSettings(store, target, env);
    EXPECT_TRUE(env.Shown(testing::ShownBox::Error).empty());
    EXPECT_EQ(Read("DefaultClientHeight"), "normal");
    EXPECT_EQ(Read("SoundEnabled"), "false");
    EXPECT_EQ(Read("ToolbarShowCaptions"), "false");
    EXPECT_EQ(Read("ShowHint"), "false");
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, path.c_str(), "Enable_at_Startup", RRF_RT_ANY,
                           nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
}

} // namespace
} // namespace zandrel
