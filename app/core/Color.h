#pragma once

#include <QColor>
#include <cstdint>

// A colour as the program stores it: 0x00BBGGRR (red in the low byte).
using ColorRef = std::uint32_t;

constexpr ColorRef colorRef(int red, int green, int blue)
{
    return static_cast<ColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

inline QRgb toQRgb(ColorRef color)
{
    return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

inline ColorRef fromQRgb(QRgb rgb)
{
    return colorRef(qRed(rgb), qGreen(rgb), qBlue(rgb));
}
