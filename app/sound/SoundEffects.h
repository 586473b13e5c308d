#pragma once

#include <functional>
#include <memory>

#include "app/core/Sound.h"
#include "app/sound/SoundModule.h"

// The thirteen effects. One sounds at a time: a new one cuts off the one still sounding. Without an
// audio output (or without the effects module) they stay silent and say nothing.
class SoundEffects {
  public:
    // The module is asked for when the effects are first needed; it may be null.
    explicit SoundEffects(std::function<SoundModule*()> module);
    ~SoundEffects();

    // Opens the effects' stream; best done before the first one is asked for, so that it starts at once.
    void prepare();
    void play(Sound sound);
    bool prepared() const { return looked_; }

  private:
    std::function<SoundModule*()> findModule_;
    bool looked_ = false;
    std::unique_ptr<EffectsStream> stream_;
};
