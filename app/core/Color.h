#pragma once

#include <QColor>
#include <cstdint>

// A colour as the program stores it: 0x00BBGGRR (red in the low byte).
using ColorRef = std::uint32_t;

constexpr ColorRef colorRef(int red, int green, int blue)
{
    return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// A stored colour may name a system colour (top bit set, index in the low byte); it is drawn as
// that colour of the classic desktop scheme.
constexpr bool isSystemColor(ColorRef color)
{
    return (color & 0x80000000u) != 0;
}

// The colour to draw: system colours resolved, otherwise the low 24 bits.
ColorRef resolvedColor(ColorRef color);

// A plain RGB value or a system colour the desktop scheme knows.
bool isKnownColor(ColorRef color);

inline QRgb toQRgb(ColorRef color)
{
    color = resolvedColor(color);
    return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

inline ColorRef fromQRgb(QRgb rgb)
{
    return colorRef(qRed(rgb), qGreen(rgb), qBlue(rgb));
}
