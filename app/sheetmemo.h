// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPlainTextEdit>

#include <functional>

namespace tallimo {

// The sheet's editor. It reports every key going down before the key acts and again once it has
// acted, and every mouse press after the caret was placed, and hands each typed character to a
// filter before it goes in. When the filter answers with a carriage return (Enter, or "=" turned
// into Enter) a line break goes in, in one undo step with whatever the filter wrote, so that one
// undo after an evaluation restores the line as typed; any other answer lets the key act as usual.
// A paste or a drop that would make a line longer than the sheet takes goes in not at all and is
// reported instead.
// Tab and Shift+Tab move the focus on and back and never type into the sheet.
class SheetMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    using CharacterFilter = std::function<QChar(QChar)>;
    static constexpr char16_t CarriageReturn = u'\r';
    static constexpr char16_t Backspace = u'\b';

    explicit SheetMemo(QWidget *parent = nullptr);

    void SetCharacterFilter(CharacterFilter filter) { filter_ = std::move(filter); }

    // The character a key press types: CR for Enter, backspace for the backspace key, the
    // printable character otherwise, or a null character for keys that type nothing.
    static QChar TypedCharacter(const QKeyEvent &event);

signals:
    void keyDown();
    void keyActed();
    void mouseDown();
    void mouseMoved();
    // `message` tells which line would have been too long.
    void insertionRefused(const QString &message);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void Act(QKeyEvent *event);

    CharacterFilter filter_;
};

}  // namespace tallimo
