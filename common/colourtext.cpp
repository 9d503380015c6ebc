#include "colourtext.h"

#include "settingsfile.h"

namespace tallimo {

namespace {

struct NamedColour {
    const char *name;
    Colour value;
};

constexpr Colour kSystemColour = 0xFF000000;

constexpr NamedColour kNamedColours[] = {
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clMoneyGreen", 0x00C0DCC0},
    {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},
    {"clMedGray", 0x00A4A0A0},
    {"clScrollBar", kSystemColour + 0},
    {"clBackground", kSystemColour + 1},
    {"clActiveCaption", kSystemColour + 2},
    {"clInactiveCaption", kSystemColour + 3},
    {"clMenu", kSystemColour + 4},
    {"clWindow", kSystemColour + 5},
    {"clWindowFrame", kSystemColour + 6},
    {"clMenuText", kSystemColour + 7},
    {"clWindowText", kSystemColour + 8},
    {"clCaptionText", kSystemColour + 9},
    {"clActiveBorder", kSystemColour + 10},
    {"clInactiveBorder", kSystemColour + 11},
    {"clAppWorkSpace", kSystemColour + 12},
    {"clHighlight", kSystemColour + 13},
    {"clHighlightText", kSystemColour + 14},
    {"clBtnFace", kSystemColour + 15},
    {"clBtnShadow", kSystemColour + 16},
    {"clGrayText", kSystemColour + 17},
    {"clBtnText", kSystemColour + 18},
    {"clInactiveCaptionText", kSystemColour + 19},
    {"clBtnHighlight", kSystemColour + 20},
    {"cl3DDkShadow", kSystemColour + 21},
    {"cl3DLight", kSystemColour + 22},
    {"clInfoText", kSystemColour + 23},
    {"clInfoBk", kSystemColour + 24},
    {"clHotLight", kSystemColour + 26},
    {"clGradientActiveCaption", kSystemColour + 27},
    {"clGradientInactiveCaption", kSystemColour + 28},
    {"clMenuHighlight", kSystemColour + 29},
    {"clMenuBar", kSystemColour + 30},
    {"clNone", kColourNone},
    {"clDefault", kColourDefault},
};

}  // namespace

QString ColourToText(Colour colour)
{
    for (const NamedColour &named : kNamedColours) {
        if (named.value == colour)
            return QString::fromLatin1(named.name);
    }
    return QStringLiteral("$%1").arg(colour, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<Colour> TextToColour(const QString &text)
{
    for (const NamedColour &named : kNamedColours) {
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    }
    if (const auto number = IniTextToInteger(text))
        return static_cast<Colour>(*number);
    return std::nullopt;
}

DisplayColour ToDisplayColour(Colour colour)
{
    DisplayColour display;
    if (colour == kColourNone) {
        display.kind = DisplayColour::Kind::None;
    } else if (colour == kColourDefault) {
        display.kind = DisplayColour::Kind::Default;
    } else if (colour & 0x80000000) {
        display.kind = DisplayColour::Kind::System;
        display.systemIndex = static_cast<int>(colour & 0xFF);
    } else {
        const quint32 red = colour & 0xFF;
        const quint32 green = (colour >> 8) & 0xFF;
        const quint32 blue = (colour >> 16) & 0xFF;
        display.rgb = (red << 16) | (green << 8) | blue;
    }
    return display;
}

}  // namespace tallimo
