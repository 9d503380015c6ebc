// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary text through the line evaluation: scan, evaluation, rounding, number text and the
// sheet total kept between evaluations. Any crash, hang, sanitizer report or exception other than
// CalcError is a fault.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/calcerror.h"
#include "engine/keywords.h"
#include "engine/lineevaluation.h"
#include "engine/linelist/linelistsheet.h"
#include "engine/numbersyntax.h"
#include "engine/scanner.h"

using namespace tallimo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int decimals = data[0] % 16;
    RegionalSettings regional;
    if (data[1] & 1)
        regional.decimalSeparator = QLatin1Char(',');
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 2),
                                           static_cast<qsizetype>(size - 2));

    LineListSheet sheet(text);
    const int line = (data[1] >> 1) % sheet.LineCount();
    sheet.SetCaret(line, data[1] >> 2);

    TokenList tokens;
    ScanLine(tokens, sheet, regional);
    for (const QString &token : std::as_const(tokens)) {
        if (!IsKeyword(AsciiUpper(token)) && !IsNumber(token, regional))
            std::abort();
    }

    // Two evaluations in a row: the second total adds up kept results, which must give the total
    // of a fresh reading of the whole sheet.
    for (const int evaluated : {line, 0}) {
        sheet.SetCaretAtEnd(evaluated);
        try {
            const double total = EvaluateLine(sheet, evaluated, decimals, regional, tokens).total;
            LineListSheet fresh(sheet.Text());
            if (calcrichedit(fresh, regional) != total)
                std::abort();
        } catch (const CalcError &) {
        }
    }
    return 0;
}
