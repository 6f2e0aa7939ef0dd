#include "framework/core/sound_player.h"

#include <gtest/gtest.h>

#include <vector>

namespace zandrel {
namespace {

class RecordingEnvironment : public Environment {
public:
    TDateTime Now() const override { return 0; }
    ScreenSize Screen() const override { return {}; }
    void PlayResourceSound(const std::string& name) override { played.push_back(name); }
    void Beep(unsigned) override {}
    void ShowError(const std::string&) override {}
    void ShowWarning(const std::string&) override {}
    bool Confirm(const std::string&) override { return true; }
    void ShellOpen(const std::string&) override {}
    void ShowHelpContext(const std::string&, unsigned) override {}
    unsigned RunProgram(const std::string&) override { return 0; }

    std::vector<std::string> played;
};

TEST(SoundPlayer, PlaysOnlyWhileTheSwitchIsOn) {
    RecordingEnvironment environment;
    SoundPlayer player(environment);
    EXPECT_TRUE(player.Enabled());
    player.Play("Ding");
    player.SetEnabled(false);
    player.Play("Throw");
    player.SetEnabled(true);
    player.Play("Complete");
    EXPECT_EQ(environment.played, (std::vector<std::string>{"Ding", "Complete"}));
}

} // namespace
} // namespace zandrel
