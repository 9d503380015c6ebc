// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QDialog;
class QWidget;

namespace tallimo {

// The window a modal window opens over: the one that has the focus, else the program's first
// shown window, else none.
QWidget *ModalOwner();

// Gives a modal window the stay-on-top state when a window it blocks stays on top (the tools
// window, the web page window, the main window with its stay-on-top setting), so it maps above
// them instead of underneath, where it could be neither seen nor answered; otherwise it stays a
// normal window.
void PlaceAboveBlockedWindows(QWidget &modal);

// Whether a modal window blocks the control's window, which then takes no clicks. A control's
// click handler asks, as a click can still reach a blocked window by an assistive tool's action
// (or a program's), which must go unanswered as the mouse's does.
bool BlockedByModalWindow(const QWidget &control);

// Runs the dialog modally, placed as above; its result.
int ExecAboveBlockedWindows(QDialog &dialog);

}  // namespace tallimo
