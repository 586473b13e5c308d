#include "app/settings/ColorText.h"

#include <array>

namespace {

struct NamedColor {
    const char* name;
    ColorRef value;
};

// System colours are indices into the platform palette, marked by the top bit.
constexpr ColorRef systemColor(ColorRef index)
{
    return 0x80000000u | index;
}

constexpr std::array namedColors{
    NamedColor{"clBlack", 0x000000},
    NamedColor{"clMaroon", 0x000080},
    NamedColor{"clGreen", 0x008000},
    NamedColor{"clOlive", 0x008080},
    NamedColor{"clNavy", 0x800000},
    NamedColor{"clPurple", 0x800080},
    NamedColor{"clTeal", 0x808000},
    NamedColor{"clGray", 0x808080},
    NamedColor{"clSilver", 0xC0C0C0},
    NamedColor{"clRed", 0x0000FF},
    NamedColor{"clLime", 0x00FF00},
    NamedColor{"clYellow", 0x00FFFF},
    NamedColor{"clBlue", 0xFF0000},
    NamedColor{"clFuchsia", 0xFF00FF},
    NamedColor{"clAqua", 0xFFFF00},
    NamedColor{"clWhite", 0xFFFFFF},
    NamedColor{"clMoneyGreen", 0xC0DCC0},
    NamedColor{"clSkyBlue", 0xF0CAA6},
    NamedColor{"clCream", 0xF0FBFF},
    NamedColor{"clMedGray", 0xA4A0A0},
    NamedColor{"clScrollBar", systemColor(0x00)},
    NamedColor{"clBackground", systemColor(0x01)},
    NamedColor{"clActiveCaption", systemColor(0x02)},
    NamedColor{"clInactiveCaption", systemColor(0x03)},
    NamedColor{"clMenu", systemColor(0x04)},
    NamedColor{"clWindow", systemColor(0x05)},
    NamedColor{"clWindowFrame", systemColor(0x06)},
    NamedColor{"clMenuText", systemColor(0x07)},
    NamedColor{"clWindowText", systemColor(0x08)},
    NamedColor{"clCaptionText", systemColor(0x09)},
    NamedColor{"clActiveBorder", systemColor(0x0A)},
    NamedColor{"clInactiveBorder", systemColor(0x0B)},
    NamedColor{"clAppWorkSpace", systemColor(0x0C)},
    NamedColor{"clHighlight", systemColor(0x0D)},
    NamedColor{"clHighlightText", systemColor(0x0E)},
    NamedColor{"clBtnFace", systemColor(0x0F)},
    NamedColor{"clBtnShadow", systemColor(0x10)},
    NamedColor{"clGrayText", systemColor(0x11)},
    NamedColor{"clBtnText", systemColor(0x12)},
    NamedColor{"clInactiveCaptionText", systemColor(0x13)},
    NamedColor{"clBtnHighlight", systemColor(0x14)},
    NamedColor{"cl3DDkShadow", systemColor(0x15)},
    NamedColor{"cl3DLight", systemColor(0x16)},
    NamedColor{"clInfoText", systemColor(0x17)},
    NamedColor{"clInfoBk", systemColor(0x18)},
    NamedColor{"clHotLight", systemColor(0x1A)},
    NamedColor{"clGradientActiveCaption", systemColor(0x1B)},
    NamedColor{"clGradientInactiveCaption", systemColor(0x1C)},
    NamedColor{"clMenuHighlight", systemColor(0x1D)},
    NamedColor{"clMenuBar", systemColor(0x1E)},
    NamedColor{"clNone", 0x1FFFFFFF},
    NamedColor{"clDefault", 0x20000000},
};

bool isHexDigits(QStringView digits)
{
    if (digits.isEmpty())
        return false;
    for (QChar c : digits) {
        const bool hex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (!hex)
            return false;
    }
    return true;
}

std::optional<ColorRef> hexColor(QStringView digits)
{
    // Leading zeros are harmless; anything wider than 32 bits is not a colour.
    while (digits.size() > 1 && digits.front() == u'0')
        digits = digits.mid(1);
    if (!isHexDigits(digits) || digits.size() > 8)
        return std::nullopt;
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    return ok ? std::optional<ColorRef>(value) : std::nullopt;
}

std::optional<ColorRef> decimalColor(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<ColorRef>(static_cast<ColorRef>(value)) : std::nullopt;
}

} // namespace

QString colorToText(ColorRef color)
{
    for (const NamedColor& named : namedColors) {
        if (named.value == color)
            return QString::fromLatin1(named.name);
    }
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<ColorRef> colorFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    for (const NamedColor& named : namedColors) {
        if (trimmed.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    }
    if (trimmed.startsWith(u'$'))
        return hexColor(QStringView(trimmed).mid(1));
    return decimalColor(trimmed);
}
