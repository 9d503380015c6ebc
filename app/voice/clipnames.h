// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace tallimo {

// Which clip speaks what. Each table gives the catalogue name of a character's clip, or the empty
// text for a character that is silent there.

// A key typed in the sheet: digits, operators, brackets, the point and backspace (code 8).
QString KeyEchoClip(char32_t character);

// A character of an uppercase numeral or money text.
QString UppercaseTextClip(char32_t character);

// A character of a plain number text: digits, the point and the minus sign.
QString NumberTextClip(char32_t character);

// The resource path of a clip ("EQR_WAV" and "eqr_wav" give ":/clips/eqr.wav"), or the empty
// text for a name that is no clip.
QString ClipResource(const QString &name);

}  // namespace tallimo
