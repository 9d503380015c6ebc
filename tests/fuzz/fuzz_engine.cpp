// Feeds arbitrary text through the line road: scan, evaluation, rounding, number text and the
// sheet total. Any crash, hang, sanitizer report or exception other than CalcError is a fault.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/calcerror.h"
#include "engine/keywords.h"
#include "engine/linelistsheet.h"
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

    TokenList tokens;
    ScanLine(tokens, text, (data[1] >> 1) * 3, regional);
    for (const QString &token : std::as_const(tokens)) {
        if (!IsKeyword(AsciiUpper(token)) && !IsNumber(token, regional))
            std::abort();
    }

    LineListSheet sheet(text);
    const int line = (data[1] >> 1) % sheet.LineCount();
    sheet.SetCaretAtEnd(line);
    try {
        EvaluateLine(sheet, line, decimals, regional, tokens);
    } catch (const CalcError &) {
    }
    return 0;
}
