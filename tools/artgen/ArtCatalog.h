#pragma once

#include <span>

namespace art {

// A toolbar glyph strip: one cell per button state side by side, in the order
// normal, disabled, being pressed, latched down (as many as the button has).
struct GlyphStrip {
    const char* name; // resource ":/art/<name>.png"
    int cellWidth;
    int cellHeight;
    int states;
};

std::span<const GlyphStrip> glyphStrips();

// The small pictures beside the captions of dialog buttons: ":/art/<name>.png", 16 x 16.
std::span<const char* const> buttonPictures();

constexpr int buttonPictureSize = 16;

} // namespace art
