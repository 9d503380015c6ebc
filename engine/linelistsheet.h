#pragma once

#include <QStringList>

#include "sheetroad.h"

namespace tallimo {

// A sheet held as a list of lines, for the command-line tool and the tests.
class LineListSheet : public SheetEditor {
public:
    explicit LineListSheet(const QString &text = QString());

    QString Text() const override;
    int CaretPosition() const override;
    int CaretLine() const override;
    QString Line(int line) const override;
    void ReplaceLine(int line, const QString &text) override;

    int LineCount() const { return static_cast<int>(lines_.size()); }
    const QStringList &Lines() const { return lines_; }
    // Puts the caret after the given number of characters of the line.
    void SetCaret(int line, int column);
    void SetCaretAtEnd(int line) { SetCaret(line, static_cast<int>(lines_.at(line).size())); }
    // Inserts a line break at the caret, as Enter does after its evaluation.
    void BreakLine();

private:
    QStringList lines_;
    int caretLine_ = 0;
    int caretColumn_ = 0;
};

}  // namespace tallimo
