#include <gtest/gtest.h>

#include "app/settings/ColorText.h"

namespace {

struct NamedCase {
    const char* name;
    ColorRef value;
};

// A sample across the basic, extra and system colours, the gap-neighbours of the system range and the
// two special values.
const NamedCase namedCases[] = {
    {"clBlack", 0x000000},        {"clMaroon", 0x000080},      {"clNavy", 0x800000},
    {"clRed", 0x0000FF},          {"clBlue", 0xFF0000},        {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},   {"clSkyBlue", 0xF0CAA6},     {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},      {"clScrollBar", 0x80000000}, {"clBtnFace", 0x8000000F},
    {"clInfoBk", 0x80000018},     {"clHotLight", 0x8000001A},  {"clMenuBar", 0x8000001E},
    {"cl3DDkShadow", 0x80000015}, {"clNone", 0x1FFFFFFF},      {"clDefault", 0x20000000},
};

TEST(ColorText, StandardColoursUseTheirNamesBothWays)
{
    for (const NamedCase& c : namedCases) {
        EXPECT_EQ(colorToText(c.value), c.name);
        EXPECT_EQ(colorFromText(c.name), c.value) << c.name;
        EXPECT_EQ(colorFromText(QString(c.name).toUpper()), c.value) << c.name;
        EXPECT_EQ(colorFromText(QString(c.name).toLower()), c.value) << c.name;
    }
}

TEST(ColorText, OtherValuesAreDollarAndEightHexDigits)
{
    struct Case {
        ColorRef value;
        const char* text;
    };
    const Case cases[] = {
        {0x00404080, "$00404080"}, {0x00000001, "$00000001"}, {0x00ABCDEF, "$00ABCDEF"},
        {0x80000019, "$80000019"}, {0x8000001F, "$8000001F"}, {0xFFFFFFFF, "$FFFFFFFF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(colorToText(c.value), c.text);
        EXPECT_EQ(colorFromText(c.text), c.value) << c.text;
    }
}

TEST(ColorText, ReadsNumbersAndRejectsTheRest)
{
    EXPECT_EQ(colorFromText("$ff"), 0xFFu);
    EXPECT_EQ(colorFromText("$0000000000FF"), 0xFFu);
    EXPECT_EQ(colorFromText("255"), 0xFFu);
    EXPECT_EQ(colorFromText("-2147483633"), 0x8000000Fu);
    EXPECT_EQ(colorFromText(" clRed "), 0xFFu);
    for (const char* junk :
         {"", "$", "$1FFFFFFFF", "$12G4", "$-1", "tomato", "clRedd", "12abc", "4294967296"})
        EXPECT_EQ(colorFromText(junk), std::nullopt) << junk;
}

} // namespace
