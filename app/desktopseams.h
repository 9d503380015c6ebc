// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <memory>

#include "common/programseams.h"

class QMessageBox;
class QWidget;

namespace tallimo {

// The seams of the running program: real message boxes and dialogs, the system's browser, the
// machine's memory, the sound module and the settings folders beside the executable.
ProgramSeams DesktopSeams();

// The modal message box that showMessage opens: the text, an OK button, the program's name as
// caption, and wide enough to show that caption whole.
std::unique_ptr<QMessageBox> MakeMessageBox(const QString &text, QWidget *parent);

}  // namespace tallimo
