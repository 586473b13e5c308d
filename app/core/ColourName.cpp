#include "app/core/ColourName.h"

#include <array>
#include <cmath>
#include <limits>

#include "app/core/Language.h"

namespace {

struct NamedColour {
    ColorRef colour;
    const char* german;
    const char* english;
};

// The eight colours the rows start with are all in here, each under a name of its own. Some names
// have more than one anchor, so that the common shades between them are not nearer to a grey.
constexpr std::array<NamedColour, 34> Palette = {{
    {colorRef(0x00, 0x00, 0x00), "schwarz", "black"},
    {colorRef(0x40, 0x40, 0x40), "dunkelgrau", "dark grey"},
    {colorRef(0x80, 0x80, 0x80), "grau", "grey"},
    {colorRef(0xC0, 0xC0, 0xC0), "hellgrau", "light grey"},
    {colorRef(0xFF, 0xFF, 0xFF), "weiß", "white"},
    {colorRef(0xFF, 0x00, 0x00), "rot", "red"},
    {colorRef(0x80, 0x00, 0x00), "dunkelrot", "dark red"},
    {colorRef(0xFF, 0x80, 0x80), "hellrot", "light red"},
    {colorRef(0xFF, 0x80, 0x00), "orange", "orange"},
    {colorRef(0x80, 0x40, 0x40), "braun", "brown"},
    {colorRef(0xFF, 0xFF, 0x00), "gelb", "yellow"},
    {colorRef(0xFF, 0xFF, 0x80), "hellgelb", "light yellow"},
    {colorRef(0x80, 0x80, 0x00), "oliv", "olive"},
    {colorRef(0x00, 0xFF, 0x00), "grün", "green"},
    {colorRef(0x00, 0x80, 0x00), "dunkelgrün", "dark green"},
    {colorRef(0x80, 0xFF, 0x80), "hellgrün", "light green"},
    {colorRef(0x00, 0xFF, 0xFF), "türkis", "turquoise"},
    {colorRef(0x00, 0x80, 0x80), "petrol", "teal"},
    {colorRef(0x00, 0x00, 0xFF), "blau", "blue"},
    {colorRef(0x00, 0x00, 0x80), "dunkelblau", "dark blue"},
    {colorRef(0x00, 0x80, 0xFF), "hellblau", "light blue"},
    {colorRef(0x80, 0x00, 0xFF), "violett", "violet"},
    {colorRef(0x80, 0x00, 0x80), "lila", "purple"},
    {colorRef(0xFF, 0x00, 0xFF), "magenta", "magenta"},
    {colorRef(0xFF, 0x80, 0xFF), "rosa", "pink"},
    {colorRef(0xFF, 0xC0, 0xCB), "rosa", "pink"},
    {colorRef(0x87, 0xCE, 0xEB), "hellblau", "light blue"},
    {colorRef(0x80, 0xC0, 0xFF), "hellblau", "light blue"},
    {colorRef(0x46, 0x82, 0xB4), "blau", "blue"},
    {colorRef(0x41, 0x69, 0xE1), "blau", "blue"},
    {colorRef(0x00, 0x33, 0x66), "dunkelblau", "dark blue"},
    {colorRef(0x00, 0xC0, 0x00), "grün", "green"},
    {colorRef(0x40, 0xA0, 0x40), "grün", "green"},
    {colorRef(0xA0, 0x52, 0x2D), "braun", "brown"},
}};

struct Lab {
    double l;
    double a;
    double b;
};

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double labCurve(double t)
{
    return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0;
}

// CIE L*a*b* under daylight: distances there follow what the eye sees far better than RGB ones,
// so a chosen colour gets the name a person would give it.
Lab toLab(ColorRef colour)
{
    const double r = linear(static_cast<int>(colour & 0xFF));
    const double g = linear(static_cast<int>((colour >> 8) & 0xFF));
    const double b = linear(static_cast<int>((colour >> 16) & 0xFF));
    const double x = labCurve((0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047);
    const double y = labCurve(0.2126 * r + 0.7152 * g + 0.0722 * b);
    const double z = labCurve((0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883);
    return {116 * y - 16, 500 * (x - y), 200 * (y - z)};
}

double distance(const Lab& p, const Lab& q)
{
    return (p.l - q.l) * (p.l - q.l) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b);
}

} // namespace

QString colourName(ColorRef colour, int tongue)
{
    const Lab drawn = toLab(resolvedColor(colour));
    const NamedColour* nearest = &Palette[0];
    double best = std::numeric_limits<double>::max();
    for (const NamedColour& named : Palette) {
        const double d = distance(drawn, toLab(named.colour));
        if (d < best) {
            best = d;
            nearest = &named;
        }
    }
    return pick(tongue, nearest->german, nearest->english);
}
