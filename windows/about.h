// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The about window: the program's name and version, links to its home page and mail address,
// and the machine's physical memory as it was when the window was made.

#include <QDialog>
#include <QUrl>

#include "common/programseams.h"

class QLabel;

namespace tallimo {

class LinkLabel;

class Tf_about : public QDialog {
    Q_OBJECT

public:
    explicit Tf_about(const ProgramSeams &seams, QWidget *parent = nullptr);

    static const QUrl HomePage;
    static const QUrl MailAddress;
    static const QUrl FirstDownloadPage;
    static const QUrl SecondDownloadPage;

private:
    void CreateControls();
    void FormCreate(const ProgramSeams &seams);
    void Label2Click();
    void Label7Click();
    void Label9Click();
    void Label10Click();

    std::function<bool(const QUrl &)> openAddress_;
    QLabel *PhysMem = nullptr;
    QLabel *FreeRes = nullptr;
};

}  // namespace tallimo
