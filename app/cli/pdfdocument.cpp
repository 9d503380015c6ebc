// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/cli/pdfdocument.h"

#include <QFileInfo>

#include <string>

#include "app/cli/pdfmodule.h"
#include "common/moduleloader.h"
#include "common/programfolders.h"
#include "engine/calcerror.h"

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

// The folder of the program's modules, found from the running executable: the module is looked
// for before the application object, which knows the executable's folder, exists.
QString ToolModuleFolder()
{
    const QFileInfo executable(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
    return ModuleFolder(executable.absolutePath());
}

}  // namespace

std::unique_ptr<QCoreApplication> MakeToolApplication(int &argc, char **argv)
{
    if (!AsksForPdf(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    const auto make = reinterpret_cast<PdfApplicationFunction>(ResolveModuleEntry(
        ToolModuleFolder(), QString::fromLatin1(PdfModuleName), PdfApplicationEntry));
    if (!make)
        return nullptr;
    return std::unique_ptr<QCoreApplication>(make(argc, argv));
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

QByteArray PdfDocument::Bytes() const
{
    const auto paint = reinterpret_cast<PdfDocumentFunction>(ResolveModuleEntry(
        ToolModuleFolder(), QString::fromLatin1(PdfModuleName), PdfDocumentEntry));
    if (!paint)
        throw CalcError(CalcError::Kind::FileAccess, "the PDF module cannot be loaded");
    QByteArray document;
    paint(sheets_, document);
    return document;
}

}  // namespace tallimo
