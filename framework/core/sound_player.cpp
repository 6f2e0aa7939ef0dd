#include "framework/core/sound_player.h"

namespace zandrel {

void SoundPlayer::Play(const std::string& name) {
    if (enabled_) {
        environment_.PlayResourceSound(name);
    }
}

} // namespace zandrel
