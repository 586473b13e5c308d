#pragma once

#include <vector>

#include "Synth.h"

namespace snd {

// The thirteen effects in the program's order ("PLIVA 1" ... "PLIVA 4"), finished: faded, of even
// loudness and padded with silence, because the player may cut the last tenth of a second.
std::vector<Samples> soundEffects();

} // namespace snd
