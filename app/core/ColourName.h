#pragma once

#include <QString>

#include "app/core/Color.h"

// A name a player understands for a colour the player may have chosen freely: the nearest of a
// small named palette, in the language tongue. System colours are named as they are drawn.
QString colourName(ColorRef colour, int tongue);
