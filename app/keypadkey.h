// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/formhandler.h"

namespace tallimo {

// How a key of the keypad puts its text into the sheet.
enum class Insertion {
    // By insertpos: an operator replaces the one left of the caret; the caret goes after the
    // text, or before the last ")" of a function.
    AtCaret,
    // As it stands; the caret goes after the first character.
    Plain,
    // The key's own handler acts.
    None,
};

// A row of the keypad's table: the key's form name, caption and hint, its place (row from the top
// and column from the left, from 0), the text it inserts, how, and the clip it plays. A key that
// inserts nothing has a handler of its own instead.
struct KeypadKey {
    const char *name;
    const char *caption;
    const char *hint;
    int row;
    int column;
    const char *text;
    Insertion insertion;
    const char *clip;
    FormHandler click = nullptr;
};

}  // namespace tallimo
