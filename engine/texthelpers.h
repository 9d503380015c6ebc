#pragma once

#include <QString>
#include <QStringView>

namespace tallimo {

// The last n characters of the text, or the whole text when it is shorter.
QString RightChars(const QString &text, int n);

// The text without the characters of code 32 or less (blanks, tabs, line breaks, control
// characters) at either end.
QString TrimBlanks(const QString &text);
QStringView TrimBlanks(QStringView text);

}  // namespace tallimo
