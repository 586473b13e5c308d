#include "app/sound/SoundEffects.h"

#include <utility>

SoundEffects::SoundEffects(std::function<SoundModule*()> module) : findModule_(std::move(module)) {}

SoundEffects::~SoundEffects() = default;

void SoundEffects::prepare()
{
    if (!std::exchange(looked_, true))
        module_ = findModule_ ? findModule_() : nullptr;
    // Effects made without an output would complain; they are made once one is there.
    if (!module_ || !voices_.empty() || !module_->hasAudioOutput())
        return;
    for (int index = 0; index < SoundCount; ++index)
        voices_.push_back(module_->makeEffect(index));
}

void SoundEffects::play(Sound sound)
{
    prepare();
    const int index = soundIndex(sound);
    if (!module_ || index < 0 || index >= static_cast<int>(voices_.size()) || !voices_[index] ||
        !module_->hasAudioOutput())
        return;
    if (sounding_)
        sounding_->stop();
    sounding_ = voices_[index].get();
    sounding_->play();
}
