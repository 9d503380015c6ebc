// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet on paper: printing it and exporting it as a PDF document, from Ctrl+P and from the
// sheet's context menu.

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include "app/calcform.h"
#include "common/dateline.h"
#include "common/sheetfile.h"
#include "engine/calcerror.h"
#include "windows/sheetpaper.h"

namespace tallimo {

namespace {

const QString PdfFileFilter = QStringLiteral("PDF 文件(*.pdf)");

}  // namespace

// The two commands of the sheet's context menu, after the editor's own; Ctrl+P prints from
// anywhere in the window.
void TCalcForm::CreatePaperCommands()
{
    const struct {
        QAction *TCalcForm::*member;
        const char *name;
        QString caption;
        QKeySequence key;
        Handler click;
    } commands[] = {
        {&TCalcForm::printCommand_, "PrintCommand", QStringLiteral("打印…"),
         QKeySequence(Qt::CTRL | Qt::Key_P), &TCalcForm::PrintClick},
        {&TCalcForm::exportPdfCommand_, "ExportPdfCommand", QStringLiteral("导出 PDF…"),
         QKeySequence(), &TCalcForm::ExportPdfClick},
    };
    for (const auto &entry : commands) {
        auto *command = new QAction(entry.caption, this);
        command->setObjectName(QLatin1String(entry.name));
        command->setShortcut(entry.key);
        command->setShortcutContext(Qt::WindowShortcut);
        connect(command, &QAction::triggered, this, entry.click);
        addAction(command);
        this->*entry.member = command;
    }
    Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Memo1, &QWidget::customContextMenuRequested, this, &TCalcForm::ShowSheetMenu);
}

void TCalcForm::ShowSheetMenu(const QPoint &position)
{
    const std::unique_ptr<QMenu> menu(Memo1->createStandardContextMenu(position));
    menu->addSeparator();
    menu->addAction(printCommand_);
    menu->addAction(exportPdfCommand_);
    menu->exec(Memo1->viewport()->mapToGlobal(position));
}

// The sheet as it stands and the total as the result bar shows it, nothing evaluated again.
PaperSheet TCalcForm::SheetOnPaper() const
{
    PaperSheet sheet;
    sheet.dateLine = DateLineText(seams_.now());
    sheet.lines = Memo1->toPlainText().split(QLatin1Char('\n'));
    sheet.totalNumberText = Edit5->text();
    sheet.totalText = Edit2->text();
    return sheet;
}

// As with saving, a blank sheet is not worth paper: nothing opens.
void TCalcForm::PrintClick()
{
    if (IsBlankSheet(Memo1->toPlainText()))
        return;
    if (const std::optional<QString> failure = seams_.printSheet(SheetOnPaper()))
        seams_.showMessage(*failure);
}

// The document goes to the chosen name with ".pdf" added, by the rules of saving the sheet.
void TCalcForm::ExportPdfClick()
{
    if (IsBlankSheet(Memo1->toPlainText()))
        return;
    const QString path = ChooseFileToWrite(PdfFileFilter, QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    try {
        WriteWholeFile(path, SheetsPdf({SheetOnPaper()}));
    } catch (const CalcError &error) {
        seams_.showMessage(QString::fromStdString(error.what()));
    }
}

}  // namespace tallimo
