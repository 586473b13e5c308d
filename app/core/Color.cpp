#include "app/core/Color.h"

#include <array>

namespace {
// The system colours of the classic desktop scheme by index (#RRGGBB written as colorRef).
constexpr std::array<ColorRef, 31> classicSchemeColors = {
    colorRef(0xD4, 0xD0, 0xC8), // scroll bar
    colorRef(0x3A, 0x6E, 0xA5), // desktop background
    colorRef(0x0A, 0x24, 0x6A), // active caption
    colorRef(0x80, 0x80, 0x80), // inactive caption
    colorRef(0xD4, 0xD0, 0xC8), // menu
    colorRef(0xFF, 0xFF, 0xFF), // window
    colorRef(0x00, 0x00, 0x00), // window frame
    colorRef(0x00, 0x00, 0x00), // menu text
    colorRef(0x00, 0x00, 0x00), // window text
    colorRef(0xFF, 0xFF, 0xFF), // caption text
    colorRef(0xD4, 0xD0, 0xC8), // active border
    colorRef(0xD4, 0xD0, 0xC8), // inactive border
    colorRef(0x80, 0x80, 0x80), // application work space
    colorRef(0x0A, 0x24, 0x6A), // highlight
    colorRef(0xFF, 0xFF, 0xFF), // highlight text
    colorRef(0xD4, 0xD0, 0xC8), // button face
    colorRef(0x80, 0x80, 0x80), // button shadow
    colorRef(0x80, 0x80, 0x80), // grey text
    colorRef(0x00, 0x00, 0x00), // button text
    colorRef(0xD4, 0xD0, 0xC8), // inactive caption text
    colorRef(0xFF, 0xFF, 0xFF), // button highlight
    colorRef(0x40, 0x40, 0x40), // 3-D dark shadow
    colorRef(0xD4, 0xD0, 0xC8), // 3-D light
    colorRef(0x00, 0x00, 0x00), // tooltip text
    colorRef(0xFF, 0xFF, 0xE1), // tooltip background
    colorRef(0xB5, 0xB5, 0xB5), // (unused index)
    colorRef(0x00, 0x00, 0x80), // hot-tracked item
    colorRef(0xA6, 0xCA, 0xF0), // active caption gradient
    colorRef(0xC0, 0xC0, 0xC0), // inactive caption gradient
    colorRef(0x31, 0x6A, 0xC5), // menu highlight
    colorRef(0xD4, 0xD0, 0xC8), // menu bar
};
} // namespace

ColorRef resolvedColor(ColorRef color)
{
    if (!isSystemColor(color))
        return color & 0xFFFFFFu;
    const ColorRef index = color & 0xFFu;
    // An index the desktop does not know draws black, as the desktop answers for it.
    return index < classicSchemeColors.size() ? classicSchemeColors[index] : 0;
}

bool isKnownColor(ColorRef color)
{
    if (!isSystemColor(color))
        return color <= 0xFFFFFFu;
    return (color & 0x7FFFFF00u) == 0 && (color & 0xFFu) < classicSchemeColors.size();
}
