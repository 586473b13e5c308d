#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <algorithm>
#include <cmath>

// How well text reads on a picture: grey tones that fight with black text, and the contrast ratio
// of the web accessibility guidelines.
namespace readability {

// Luma of the stored (gamma-encoded) values with Rec. 709 weights, 0..255.
inline double luma709(QRgb pixel)
{
    return 0.2126 * qRed(pixel) + 0.7152 * qGreen(pixel) + 0.0722 * qBlue(pixel);
}

// Neither paper nor ink: black text is hard to read on it, and it is what a busy background shows.
inline bool isMiddleLuminance(QRgb pixel)
{
    const double luma = luma709(pixel);
    return luma >= 60 && luma < 200;
}

// WCAG relative luminance of an sRGB colour, 0..1.
inline double relativeLuminance(QRgb pixel)
{
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) + 0.0722 * linear(qBlue(pixel));
}

inline double contrastRatio(QRgb first, QRgb second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// WCAG AAA for normal text.
inline constexpr double MinTextContrast = 7.0;

// Share of middle-luminance pixels in `area`, leaving out `except`.
inline double middleShare(const QImage& image, const QRect& area, const QRect& except = {})
{
    int middle = 0;
    int counted = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (except.contains(x, y))
                continue;
            ++counted;
            middle += isMiddleLuminance(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return counted == 0 ? 0.0 : static_cast<double>(middle) / counted;
}

// The lowest contrast between `text` and any pixel of `area`.
inline double lowestContrast(const QImage& image, const QRect& area, QRgb text)
{
    double lowest = 21.0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            lowest = std::min(lowest, contrastRatio(text, image.pixel(x, y)));
    return lowest;
}

} // namespace readability
