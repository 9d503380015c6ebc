// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <memory>

#include "app/cli/sheetbatch.h"
#include "common/papersheet.h"

namespace tallimo {

// The option that asks for a PDF document instead of text.
inline constexpr char PdfOptionName[] = "pdf";

// The tool's application object. A PDF document is painted, which takes Qt Gui's application
// object, made by the PDF module; text output keeps the plain core application, which starts
// faster. Null when a document is asked for and the module cannot be loaded.
std::unique_ptr<QCoreApplication> MakeToolApplication(int &argc, char **argv);

// The evaluated sheets gathered for one PDF document, each from a new page with its name in the
// header, and the total its last evaluated line left, as the result bar shows it.
class PdfDocument {
public:
    void StartSheet(const QString &name, const QString &dateLine);
    void AddLine(const BatchLine &line);
    QByteArray Bytes() const;

private:
    QList<PaperSheet> sheets_;
};

}  // namespace tallimo
