// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Sheet totals for tests: the total of a sheet computed from scratch (every line of the whole text
// read again, in order), which the kept totals must equal to the last bit, and sheets of lines
// that put the additions to the test.

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cmath>
#include <cstring>
#include <optional>

#include "engine/calcerror.h"
#include "engine/lineevaluation.h"
#include "engine/numbersyntax.h"

namespace tallimo {

// Nothing for a total out of the double range.
inline std::optional<double> WholeSheetTotal(const QString &sheetText,
                                             const RegionalSettings &regional = {})
{
    double total = 0;
    const QStringView text(sheetText);
    qsizetype lineStart = 0;
    while (lineStart <= text.size()) {
        qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        const QStringView line = text.mid(lineStart, lineEnd - lineStart);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            QStringView result = line.mid(equals + 1);
            const qsizetype cr = result.indexOf(QLatin1Char('\r'));
            if (cr >= 0)
                result = result.left(cr);
            if (const auto value = ReadNumber(result, regional)) {
                total = static_cast<double>(total + *value);
                if (!std::isfinite(total))
                    return std::nullopt;
            }
        }
        lineStart = lineEnd + 1;
    }
    return total;
}

inline bool SameBits(std::optional<double> a, std::optional<double> b)
{
    return a.has_value() == b.has_value() && (!a || std::memcmp(&*a, &*b, sizeof(double)) == 0);
}

inline std::optional<double> KeptTotal(Sheet &sheet)
{
    try {
        return calcrichedit(sheet, RegionalSettings());
    } catch (const CalcError &) {
        return std::nullopt;
    }
}

// Lines whose results need every bit of the extended reading and the double rounding after each
// addition, notes, lines without result, and now and then one near the end of the double range.
inline QString RandomLine(QRandomGenerator &random)
{
    static const QStringList fixed = {
        QStringLiteral("1+2=3"),
        QStringLiteral("a=b"),
        QStringLiteral("5="),
        QStringLiteral("x= 7 "),
        QStringLiteral("12*3"),
        QString(),
        QStringLiteral("0.1=0.1"),
        QStringLiteral("=0.1000000000000000055511151231257827"),
        QStringLiteral("=-1E-17"),
        QStringLiteral("2=2\r=9"),
        QStringLiteral("=9.999999999999999E307"),
        QStringLiteral("=-9.999999999999999E307"),
        QStringLiteral("=1.0000000000000002220446"),
        QStringLiteral("=\u00a05"),
    };
    if (random.bounded(3) == 0)
        return fixed.at(random.bounded(fixed.size()));
    const double mantissa = random.generateDouble() * 2 - 1;
    const int exponent = random.bounded(-20, 21);
    return QStringLiteral("%1*1=%2")
        .arg(random.bounded(100))
        .arg(QString::number(mantissa * std::pow(10.0, exponent), 'g', 17 + random.bounded(4)));
}

inline QStringList RandomLines(QRandomGenerator &random, int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << RandomLine(random);
    return lines;
}

}  // namespace tallimo
