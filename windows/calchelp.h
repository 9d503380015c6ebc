// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The help window: a fixed page of usage notes, to read, select and copy, but not to change.
// Closing only hides it, so it keeps the reader's place and selection for the next showing.

#include <QDialog>
#include <QString>

class QPlainTextEdit;

namespace tallimo {

// The page the window shows, its lines joined by line feeds.
QString HelpPage();

class Tf_calchelp : public QDialog {
    Q_OBJECT

public:
    explicit Tf_calchelp(QWidget *parent = nullptr);

private:
    QPlainTextEdit *Memo1 = nullptr;
};

}  // namespace tallimo
