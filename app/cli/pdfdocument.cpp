// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/pdfdocument.h"

#include <QGuiApplication>

#include <string>

#include "windows/sheetpaper.h"

namespace tallimo {

namespace {

// Whether the command line holds the PDF option, as "--pdf OUT" or "--pdf=OUT", before any "--"
// that ends the options. It is looked for before the parser runs, since the parser needs the
// application object, which depends on it.
bool AsksForPdf(int argc, char **argv)
{
    const std::string option = std::string("--") + PdfOptionName;
    for (int k = 1; k < argc; ++k) {
        const std::string argument = argv[k];
        if (argument == "--")
            return false;
        if (argument == option || argument.rfind(option + '=', 0) == 0)
            return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<QCoreApplication> MakeToolApplication(int &argc, char **argv)
{
    if (!AsksForPdf(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The platform's start notes what a desktop session would have (a runtime folder), which
    // means nothing to a tool that opens no window: it stays off the tool's error output.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return application;
}

void PdfDocument::StartSheet(const QString &name, const QString &dateLine)
{
    PaperSheet sheet;
    sheet.fileName = name;
    sheet.dateLine = dateLine;
    sheets_ << sheet;
}

void PdfDocument::AddLine(const BatchLine &line)
{
    PaperSheet &sheet = sheets_.last();
    // A line left as it was read may be a view into the input's text, which is gone by the time
    // the document is painted: the document keeps a copy of its own.
    sheet.lines << QString(line.line.unicode(), line.line.size());
    sheet.totalNumberText = line.totalNumberText;
    sheet.totalText = line.totalText;
}

QByteArray PdfDocument::Bytes() const { return SheetsPdf(sheets_); }

}  // namespace tallimo
