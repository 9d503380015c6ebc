// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

namespace tallimo {

// The text without the characters of code 32 or less (blanks, tabs, line breaks, control
// characters) at either end.
QString TrimBlanks(const QString &text);
QStringView TrimBlanks(QStringView text);

}  // namespace tallimo
