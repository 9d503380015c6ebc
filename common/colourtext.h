// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

namespace tallimo {

// A colour as the settings file stores it: 32 bits whose bytes from the lowest are red, green,
// blue and a tag. A tag of 0xFF marks a system colour, whose index sits in the lowest byte; the
// two special values ColourNone and ColourDefault let a control keep its own colour.
using Colour = quint32;

inline constexpr Colour ColourNone = 0x1FFFFFFF;
inline constexpr Colour ColourDefault = 0x20000000;

// The colour's name when it has one, else "$" and eight upper-case hexadecimal digits.
QString ColourToText(Colour colour);

// A name in any letter case, or an integer in decimal, "$" or "0x" hexadecimal; nothing when the
// text is neither.
std::optional<Colour> TextToColour(const QString &text);

// What a colour looks like on screen. System colours come from the platform's palette, which
// only the window knows, so they are passed on as their index.
struct DisplayColour {
    enum class Kind { Rgb, System, None, Default };
    Kind kind = Kind::Rgb;
    quint32 rgb = 0;      // 0xRRGGBB when kind is Rgb
    int systemIndex = 0;  // when kind is System
};

DisplayColour ToDisplayColour(Colour colour);

}  // namespace tallimo
