// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QString>

namespace tallimo {

// The date line of the toolbar: "yyyy-MM-dd", a blank, the Chinese weekday, a blank, "HH:mm:ss".
QString DateLineText(const QDateTime &moment);

}  // namespace tallimo
