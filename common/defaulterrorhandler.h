// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's default error handler. Qt has none of its own, and no exception may leave one of
// its event handlers, so every window handler that can fail runs inside RunHandler: an error that
// leaves the handler is shown by its own text in the program's message box, and the program goes
// on. Every window uses it.

#include <QString>

#include <exception>
#include <utility>

#include "common/programseams.h"

namespace tallimo {

template <typename Handler>
void RunHandler(const ProgramSeams &seams, Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &error) {
        seams.showMessage(QString::fromStdString(error.what()));
    }
}

}  // namespace tallimo
