#include "framework/core/sound_player.h"
#include "framework/core/tests/recording_environment.h"

#include <gtest/gtest.h>

#include <vector>

namespace zandrel {
namespace {

TEST(SoundPlayer, PlaysOnlyWhileTheSwitchIsOn) {
    testing::RecordingEnvironment environment;
    SoundPlayer player(environment);
    EXPECT_TRUE(player.Enabled());
    player.Play("Ding");
    player.SetEnabled(false);
    player.Play("Throw");
    player.SetEnabled(true);
    player.Play("Complete");
    EXPECT_EQ(environment.sounds, (std::vector<std::string>{"Ding", "Complete"}));
}

} // namespace
} // namespace zandrel
