// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tallimo {

// A sheet as it goes on paper: its lines as they stand (nothing is evaluated again), the total
// as the result bar shows it, and what the header of its pages names.
struct PaperSheet {
    QString fileName;  // the sheet's file, named in the header; empty for the window's sheet
    QString dateLine;  // when it was printed, as the date line writes it
    QStringList lines;
    QString totalNumberText;  // empty when there is no total to show
    QString totalText;        // the uppercase or money text of the total
};

}  // namespace tallimo
