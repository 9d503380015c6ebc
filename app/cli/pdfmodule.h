// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A PDF document is painted on Qt Gui, which lives in the module tallimo_pdf: the tool starts as a
// plain core program, and loads Qt Gui only when it is asked for a document.

#include <QByteArray>
#include <QCoreApplication>
#include <QList>

#include "common/papersheet.h"

namespace tallimo {

inline constexpr char PdfModuleName[] = "tallimo_pdf";
inline constexpr char PdfApplicationEntry[] = "tallimo_pdf_application";
inline constexpr char PdfDocumentEntry[] = "tallimo_pdf_document";

// Makes the application object that painting a document takes: Qt Gui's, on the offscreen
// platform, as the tool opens no window and may run with no display at all.
using PdfApplicationFunction = QCoreApplication *(*)(int &argc, char **argv);
// Paints the sheets as one document, each from a new page.
using PdfDocumentFunction = void (*)(const QList<PaperSheet> &sheets, QByteArray &document);

}  // namespace tallimo
