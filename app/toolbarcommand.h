// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/formhandler.h"

class QAction;
class QToolButton;

namespace tallimo {

// A row of the table of the commands of the toolbar and the tray menu: a command has a button on
// the toolbar, an item in the tray menu, or both, and its handler runs on either. The rows stand
// in their order on the toolbar, left to right, and in the menu, top to bottom. A row is written
// as `Button(...)` or `TrayItem(...)` followed by what else it has, e.g.
// `Button("SpeedButton6", "存档", &TCalcForm::SpeedButton6Click).Image("save").Key("Ctrl+S")`.
struct ToolbarCommand {
    FormHandler run = nullptr;

    // The button's form name, or none for a command of the menu alone; its hint, which is also
    // what it is announced by unless it has a spoken name; a caption, or an image drawn from
    // resources/icons.
    const char *button = nullptr;
    const char *hint = nullptr;
    const char *caption = nullptr;
    const char *image = nullptr;
    const char *spokenName = nullptr;
    // A switch: its check mark shows the state, and the handler runs whenever the mark changes.
    bool toggles = false;
    // Where the window keeps the button, for a handler that changes it.
    QToolButton *TCalcForm::*buttonMember = nullptr;

    // The item's form name, or none for a command of the toolbar alone, its caption, and whether
    // it carries a check mark.
    const char *item = nullptr;
    const char *itemCaption = nullptr;
    bool checkable = false;
    QAction *TCalcForm::*itemMember = nullptr;

    // A key of the command's own: the button runs on it while the window is active (never while a
    // modal window is open) and names it in its description; the menu item shows it.
    const char *key = nullptr;

    constexpr ToolbarCommand Caption(const char *text) const
    {
        ToolbarCommand row = *this;
        row.caption = text;
        return row;
    }
    constexpr ToolbarCommand Image(const char *name) const
    {
        ToolbarCommand row = *this;
        row.image = name;
        return row;
    }
    constexpr ToolbarCommand SpokenName(const char *name) const
    {
        ToolbarCommand row = *this;
        row.spokenName = name;
        return row;
    }
    constexpr ToolbarCommand Switch(QToolButton *TCalcForm::*member) const
    {
        ToolbarCommand row = *this;
        row.toggles = true;
        row.buttonMember = member;
        return row;
    }
    constexpr ToolbarCommand InTray(const char *name, const char *itemText) const
    {
        ToolbarCommand row = *this;
        row.item = name;
        row.itemCaption = itemText;
        return row;
    }
    constexpr ToolbarCommand Checkable(QAction *TCalcForm::*member) const
    {
        ToolbarCommand row = *this;
        row.checkable = true;
        row.itemMember = member;
        return row;
    }
    constexpr ToolbarCommand Key(const char *sequence) const
    {
        ToolbarCommand row = *this;
        row.key = sequence;
        return row;
    }
};

constexpr ToolbarCommand Button(const char *name, const char *hint, FormHandler run)
{
    ToolbarCommand row;
    row.run = run;
    row.button = name;
    row.hint = hint;
    return row;
}

constexpr ToolbarCommand TrayItem(const char *name, const char *caption, FormHandler run)
{
    ToolbarCommand row = ToolbarCommand().InTray(name, caption);
    row.run = run;
    return row;
}

}  // namespace tallimo
