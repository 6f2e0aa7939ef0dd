#pragma once
// The program-wide sound switch and the one way the program plays a sound.
#include "framework/core/environment.h"

#include <string>

namespace zandrel {

class SoundPlayer {
public:
    explicit SoundPlayer(Environment& environment) : environment_(environment) {}

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    // Plays the named WAVE resource synchronously while the switch is on.
    void Play(const std::string& name);

private:
    Environment& environment_;
    bool enabled_ = true;
};

} // namespace zandrel
