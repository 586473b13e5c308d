#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "app/core/Sound.h"
#include "app/sound/SoundModule.h"

// The thirteen effects. One sounds at a time: a new one cuts off the one still sounding. Without an
// audio output (or without the audio module) they stay silent and say nothing.
class SoundEffects {
  public:
    // The module is asked for when the effects are first needed; it may be null.
    explicit SoundEffects(std::function<SoundModule*()> module);
    ~SoundEffects();

    // Makes the effects, once there is an output; best done before the first one is asked for, so
    // that it starts at once.
    void prepare();
    void play(Sound sound);

  private:
    std::function<SoundModule*()> findModule_;
    SoundModule* module_ = nullptr;
    bool looked_ = false;
    std::vector<std::unique_ptr<EffectVoice>> voices_;
    EffectVoice* sounding_ = nullptr;
};
