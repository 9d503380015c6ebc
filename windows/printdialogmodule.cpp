// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The entry of the print module: the program calls it on every print.

#include <QPrintDialog>
#include <QPrinter>

#include <type_traits>

#include "common/programinfo.h"
#include "windows/modalwindow.h"
#include "windows/printmodule.h"
#include "windows/sheetpaper.h"

namespace {

constexpr qreal PrinterMarginMillimetres = 15;

}  // namespace

extern "C" Q_DECL_EXPORT void tallimo_print_sheet(const tallimo::PaperSheet &sheet,
                                                  QString &failure)
{
    static_assert(std::is_same_v<decltype(&tallimo_print_sheet), tallimo::PrintSheetEntry>);
    // The page is the printer's own; only the margins are the paper layout's.
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromLatin1(tallimo::ProgramName));
    printer.setPageMargins(QMarginsF(PrinterMarginMillimetres, PrinterMarginMillimetres,
                                     PrinterMarginMillimetres, PrinterMarginMillimetres),
                           QPageLayout::Millimeter);
    QPrintDialog dialog(&printer, tallimo::ModalOwner());
    dialog.setWindowTitle(QStringLiteral("打印"));
    if (tallimo::ExecAboveBlockedWindows(dialog) != QDialog::Accepted)
        return;
    if (!tallimo::PaintSheets(printer, {sheet}))
        failure = QStringLiteral("无法打印：%1 未能打开。")
                      .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                              : printer.outputFileName());
}
