// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace tallimo {

class TCalcForm;

// A handler of the main window that a control of one of its tables runs.
using FormHandler = void (TCalcForm::*)();

}  // namespace tallimo
