#pragma once

#include "ArtCatalog.h"

#include <QImage>
#include <QString>

namespace art {

// The strip of one toolbar button: its symbol once per state, side by side.
// An unknown name gives an empty image.
QImage glyphStrip(const GlyphStrip& strip);

// A toolbar symbol drawn `scale` times larger, sharp, for the splash picture.
QImage enlargedGlyph(const QString& name, QSize cell, int scale);

// A 16 x 16 picture for a dialog button; an unknown name gives an empty image.
QImage buttonPicture(const QString& name);

} // namespace art
