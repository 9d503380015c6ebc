// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The entries of the PDF module, which tallimo-sheet opens when asked for a document.

#include <QGuiApplication>

#include <type_traits>

#include "app/cli/pdfmodule.h"
#include "windows/sheetpaper.h"

extern "C" Q_DECL_EXPORT QCoreApplication *tallimo_pdf_application(int &argc, char **argv)
{
    static_assert(
        std::is_same_v<decltype(&tallimo_pdf_application), tallimo::PdfApplicationFunction>);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The platform's start notes what a desktop session would have (a runtime folder), which
    // means nothing to a tool that opens no window: it stays off the tool's error output.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    auto *application = new QGuiApplication(argc, argv);
    qInstallMessageHandler(previous);
    return application;
}

extern "C" Q_DECL_EXPORT void tallimo_pdf_document(const QList<tallimo::PaperSheet> &sheets,
                                                   QByteArray &document)
{
    static_assert(
        std::is_same_v<decltype(&tallimo_pdf_document), tallimo::PdfDocumentFunction>);
    document = tallimo::SheetsPdf(sheets);
}
