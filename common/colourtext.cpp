// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/colourtext.h"

#include "common/settingsfile.h"

namespace tallimo {

namespace {

struct NamedColour {
    const char *name;
    Colour value;
};

constexpr Colour SystemColour = 0xFF000000;

constexpr NamedColour NamedColours[] = {
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
    {"clScrollBar", SystemColour + 0},
    {"clBackground", SystemColour + 1},
    {"clActiveCaption", SystemColour + 2},
    {"clInactiveCaption", SystemColour + 3},
    {"clMenu", SystemColour + 4},
    {"clWindow", SystemColour + 5},
    {"clWindowFrame", SystemColour + 6},
    {"clMenuText", SystemColour + 7},
    {"clWindowText", SystemColour + 8},
    {"clCaptionText", SystemColour + 9},
    {"clActiveBorder", SystemColour + 10},
    {"clInactiveBorder", SystemColour + 11},
    {"clAppWorkSpace", SystemColour + 12},
    {"clHighlight", SystemColour + 13},
    {"clHighlightText", SystemColour + 14},
    {"clBtnFace", SystemColour + 15},
    {"clBtnShadow", SystemColour + 16},
    {"clGrayText", SystemColour + 17},
    {"clBtnText", SystemColour + 18},
    {"clInactiveCaptionText", SystemColour + 19},
    {"clBtnHighlight", SystemColour + 20},
    {"cl3DDkShadow", SystemColour + 21},
    {"cl3DLight", SystemColour + 22},
    {"clInfoText", SystemColour + 23},
    {"clInfoBk", SystemColour + 24},
    {"clHotLight", SystemColour + 26},
    {"clGradientActiveCaption", SystemColour + 27},
    {"clGradientInactiveCaption", SystemColour + 28},
    {"clMenuHighlight", SystemColour + 29},
    {"clMenuBar", SystemColour + 30},
    {"clNone", ColourNone},
    {"clDefault", ColourDefault},
};

}  // namespace

QString ColourToText(Colour colour)
{
    for (const NamedColour &named : NamedColours) {
        if (named.value == colour)
            return QString::fromLatin1(named.name);
    }
    return QStringLiteral("$%1").arg(colour, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<Colour> TextToColour(const QString &text)
{
    for (const NamedColour &named : NamedColours) {
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
    if (colour == ColourNone) {
        display.kind = DisplayColour::Kind::None;
    } else if (colour == ColourDefault) {
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
