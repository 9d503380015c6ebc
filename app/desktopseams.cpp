// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/desktopseams.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>

#include "app/systemmemory.h"
#include "app/voice/clipplayerloader.h"
#include "common/clipplayer.h"
#include "common/programfolders.h"
#include "common/programinfo.h"
#include "common/waiter.h"
#include "windows/modalwindow.h"
#include "windows/printmodule.h"

namespace tallimo {

namespace {

void ShowModalMessage(const QString &text)
{
    ExecAboveBlockedWindows(*MakeMessageBox(text, ModalOwner()));
}

bool AskYesNo(const QString &question)
{
    const std::unique_ptr<QMessageBox> box = MakeMessageBox(question, ModalOwner());
    box->setIcon(QMessageBox::Question);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::No);
    return ExecAboveBlockedWindows(*box) == QMessageBox::Yes;
}

// The file and colour dialogs are Qt's own windows, not the desktop's, so that they can be placed
// above the windows they block. The save dialog leaves the question about an existing file to the
// window, which knows the name it writes.
QString ChooseFile(QFileDialog::AcceptMode mode, const QString &filter)
{
    QFileDialog dialog(ModalOwner(), QString(), QString(), filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (ExecAboveBlockedWindows(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

std::optional<quint32> ChooseColour(quint32 start)
{
    QColorDialog dialog(QColor::fromRgba(start), ModalOwner());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (ExecAboveBlockedWindows(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor().rgba();
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const QString &text, QWidget *parent)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString::fromLatin1(ProgramName),
                                             text, QMessageBox::Ok, parent);
    // A short text makes a box narrower than its title bar needs for the caption, the window's
    // icon and the title bar's buttons; a strut in the box's own grid keeps it wide enough,
    // measured for a title font of up to 16 pixels and buttons of up to 32.
    QFont titleFont = box->font();
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    constexpr int TitleBarButtons = 4;
    constexpr int TitleBarButtonWidth = 32;
    const int titleWidth =
        QFontMetrics(titleFont).horizontalAdvance(QString::fromLatin1(ProgramName)) +
        TitleBarButtons * TitleBarButtonWidth;
    if (auto *grid = qobject_cast<QGridLayout *>(box->layout())) {
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

ProgramSeams DesktopSeams()
{
    ProgramSeams seams;
    seams.now = [] { return QDateTime::currentDateTime(); };
    seams.showMessage = ShowModalMessage;
    seams.askYesNo = AskYesNo;
    seams.chooseOpenFile = [](const QString &filter) {
        return ChooseFile(QFileDialog::AcceptOpen, filter);
    };
    seams.chooseSaveFile = [](const QString &filter) {
        return ChooseFile(QFileDialog::AcceptSave, filter);
    };
    seams.chooseColour = ChooseColour;
    seams.openAddress = [](const QUrl &address) { return QDesktopServices::openUrl(address); };
    seams.memoryFigures = SystemMemoryFigures;
    seams.makeClipPlayer = [] {
        return LoadClipPlayer(ModuleFolder(QCoreApplication::applicationDirPath()));
    };
    seams.makeWaiter = [] { return std::make_unique<EventLoopWaiter>(); };
    seams.printSheet = [](const PaperSheet &sheet) {
        return PrintThroughModule(ModuleFolder(QCoreApplication::applicationDirPath()), sheet);
    };
    seams.settingsFolders = DefaultSettingsFolders;
    seams.quit = [] { QCoreApplication::quit(); };
    return seams;
}

}  // namespace tallimo
