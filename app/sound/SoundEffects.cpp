#include "app/sound/SoundEffects.h"

#include <utility>

SoundEffects::SoundEffects(std::function<SoundModule*()> module) : findModule_(std::move(module)) {}

SoundEffects::~SoundEffects() = default;

void SoundEffects::prepare()
{
    if (std::exchange(looked_, true))
        return;
    if (SoundModule* module = findModule_ ? findModule_() : nullptr)
        stream_ = module->openEffects();
}

void SoundEffects::play(Sound sound)
{
    prepare();
    const int index = soundIndex(sound);
    if (stream_ && index >= 0 && index < SoundCount)
        stream_->play(index);
}
