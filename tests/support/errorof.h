// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "engine/calcerror.h"

namespace tallimo {

// The message of the CalcError that the call throws, or an empty text when it throws none.
template <typename Call>
QString ErrorOf(Call call)
{
    try {
        call();
    } catch (const CalcError &error) {
        return QString::fromStdString(error.what());
    }
    return {};
}

}  // namespace tallimo
