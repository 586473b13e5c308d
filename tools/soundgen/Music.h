#pragma once

#include <QString>
#include <vector>

#include "Midi.h"

namespace music {

struct Piece {
    QString fileName;
    midi::Song song;
};

// Our own arrangements of public-domain tunes, each over a minute long, in the order they play.
std::vector<Piece> pieces();

} // namespace music
