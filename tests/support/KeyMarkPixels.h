#pragma once

#include <QImage>
#include <QRect>
#include <utility>

#include "support/FakeShell.h"

// How many pixels of the keyboard cursor's frame round outer are not where they belong: a blue
// ring on outer's edge and a yellow one just inside it.
inline int keyMarkPixelsAmiss(const FakeShell& shell, const QRect& outer)
{
    constexpr ColorRef Blue = colorRef(0, 0, 0xFF);
    constexpr ColorRef Yellow = colorRef(0xFF, 0xFF, 0);
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    int amiss = 0;
    for (const auto& [ring, colour] : {std::pair(outer, Blue), std::pair(inner, Yellow)}) {
        for (int x = ring.left(); x <= ring.right(); ++x)
            amiss += (shell.pixel(x, ring.top()) != colour) + (shell.pixel(x, ring.bottom()) != colour);
        for (int y = ring.top(); y <= ring.bottom(); ++y)
            amiss += (shell.pixel(ring.left(), y) != colour) + (shell.pixel(ring.right(), y) != colour);
    }
    return amiss;
}

// Whether the two pictures differ only inside rect.
inline bool SameOutside(const QImage& a, const QImage& b, const QRect& rect)
{
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!rect.contains(x, y) && a.pixel(x, y) != b.pixel(x, y))
                return false;
        }
    }
    return true;
}
