#pragma once

#include <QString>

#include <vector>

#include "sheetroad.h"

namespace tallimo {

// A sheet held as one text with the start of every line, for the command-line tool and the tests.
// Reading the whole text costs nothing, so a long sheet is evaluated line by line without copying
// it for each line.
class LineListSheet : public SheetEditor {
public:
    explicit LineListSheet(const QString &text = QString());

    QString Text() const override { return text_; }
    int CaretPosition() const override;
    int CaretLine() const override { return caretLine_; }
    QString Line(int line) const override;
    void ReplaceLine(int line, const QString &text) override;

    int LineCount() const { return static_cast<int>(starts_.size()); }
    // Puts the caret after the given number of characters of the line.
    void SetCaret(int line, int column);
    void SetCaretAtEnd(int line)
    {
        SetCaret(line, static_cast<int>(LineEnd(line) - starts_[line]));
    }
    // Inserts a line break at the caret, as Enter does after its evaluation.
    void BreakLine();

private:
    qsizetype LineEnd(int line) const;
    void ShiftStartsAfter(int line, qsizetype delta);

    QString text_;
    std::vector<qsizetype> starts_;
    int caretLine_ = 0;
    int caretColumn_ = 0;
};

}  // namespace tallimo
