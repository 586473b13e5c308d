#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "app/core/Color.h"
#include "support/FakeShell.h"

// Colours the puzzles draw with, as the screen holds them.
namespace pixel {
inline constexpr ColorRef White = colorRef(0xFF, 0xFF, 0xFF);
inline constexpr ColorRef Black = colorRef(0, 0, 0);
inline constexpr ColorRef Silver = colorRef(0xC0, 0xC0, 0xC0);
inline constexpr ColorRef Grey = colorRef(0x80, 0x80, 0x80);
inline constexpr ColorRef Red = colorRef(0xFF, 0, 0);
inline constexpr ColorRef Blue = colorRef(0, 0, 0xFF);
inline constexpr ColorRef Green = colorRef(0, 0x80, 0);
} // namespace pixel

struct PixelCheck {
    int x;
    int y;
    ColorRef color;
};

// Each screen pixel against its expected colour, reported with its place.
inline void ExpectPixels(const FakeShell& shell, std::initializer_list<PixelCheck> checks)
{
    for (const PixelCheck& check : checks) {
        EXPECT_EQ(shell.pixel(check.x, check.y), check.color)
            << "at " << check.x << "," << check.y << std::hex << " want " << check.color;
    }
}
