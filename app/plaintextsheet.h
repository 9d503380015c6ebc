// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/sheet.h"

class QPlainTextEdit;

namespace tallimo {

class DocumentResults;

// The line evaluation's view of the sheet. Lines are the editor's blocks (the sheet never
// wraps), read as the editor's plain text shows them; every change goes through a text cursor,
// so it is an undoable step of the editor and never resets the whole text. The results kept for
// the lines stay with the editor's document from the first evaluation on, told of every change
// of its contents.
class PlainTextSheet : public Sheet {
public:
    explicit PlainTextSheet(QPlainTextEdit &editor);

    int LineCount() const override;
    QString Line(int line) const override;
    void ReadLines(int first, int end,
                   const std::function<void(int line, QStringView text)> &read) const override;
    int CaretLine() const override;
    int CaretColumn() const override;
    void ReplaceLine(int line, const QString &text) override;
    SheetResults &Results() override;

private:
    QPlainTextEdit &editor_;
    DocumentResults &results_;
};

}  // namespace tallimo
