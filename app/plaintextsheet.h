#pragma once

#include "engine/sheetroad.h"

class QPlainTextEdit;

namespace tallimo {

// The line road's view of the sheet editor. Lines are the editor's blocks (the sheet never
// wraps); every change goes through a text cursor, so it is an undoable step of the editor and
// never resets the whole text.
class PlainTextSheet : public SheetEditor {
public:
    explicit PlainTextSheet(QPlainTextEdit &editor) : editor_(editor) {}

    QString Text() const override;
    int CaretPosition() const override;
    int CaretLine() const override;
    QString Line(int line) const override;
    void ReplaceLine(int line, const QString &text) override;

private:
    QPlainTextEdit &editor_;
};

}  // namespace tallimo
