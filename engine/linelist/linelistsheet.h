// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include "engine/sheet.h"
#include "engine/sheetresults.h"

namespace tallimo {

// A sheet held as a list of lines, for the command-line tool, the tests, the benchmarks and the
// fuzzer. Reading or replacing a line touches only that line, however long the sheet.
class LineListSheet : public Sheet {
public:
    explicit LineListSheet(QStringList lines);
    // The lines of a text separated by "\n".
    explicit LineListSheet(const QString &text = QString());

    int LineCount() const override { return static_cast<int>(lines_.size()); }
    QString Line(int line) const override { return lines_.at(line); }
    int CaretLine() const override { return caretLine_; }
    int CaretColumn() const override { return caretColumn_; }
    void ReplaceLine(int line, const QString &text) override;
    SheetResults &Results() override { return results_; }

    // The lines joined by "\n".
    QString Text() const { return lines_.join(QLatin1Char('\n')); }
    // Puts the caret after the given number of characters of the line.
    void SetCaret(int line, int column);
    void SetCaretAtEnd(int line) { SetCaret(line, static_cast<int>(lines_.at(line).size())); }
    // Adds a line after the last one.
    void AppendLine(const QString &text);
    // Inserts a line break at the caret, as Enter does after its evaluation.
    void BreakLine();

private:
    QStringList lines_;
    SheetResults results_;
    int caretLine_ = 0;
    int caretColumn_ = 0;
};

}  // namespace tallimo
