// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The sheet on paper, one layout for the printer and for PDF documents, for the window and for
// the command-line tool alike. Every page has a header (the program's name, the sheet's file
// where it has one, and the date line) and the page number "第 N 页 / 共 M 页" below; the
// sheet's lines follow as they stand, then the total with its uppercase text. A line wider than
// the page goes on over as many rows as it needs, broken between words where it can, and never
// cut; a row is never split between two pages.

#include <QByteArray>
#include <QList>

#include "common/papersheet.h"

class QPagedPaintDevice;

namespace tallimo {

// The font of the paper, embedded in every PDF document so that it reads the same anywhere.
inline constexpr char PaperFontFamily[] = "WenQuanYi Micro Hei";

// Paints the sheets on the device's pages (its page size and margins), each sheet from a new
// page; false when the device cannot be painted on, as a printer that cannot be opened.
bool PaintSheets(QPagedPaintDevice &device, const QList<PaperSheet> &sheets);

// The sheets as a PDF document of A4 pages whose text is text: searchable and copyable.
QByteArray SheetsPdf(const QList<PaperSheet> &sheets);

}  // namespace tallimo
