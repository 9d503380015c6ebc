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

namespace tallimo {

namespace {

void ShowModalMessage(const QString &text)
{
    MakeMessageBox(text, QApplication::activeWindow())->exec();
}

std::optional<quint32> ChooseColour(quint32 start)
{
    const QColor chosen =
        QColorDialog::getColor(QColor::fromRgba(start), QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen.rgba();
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const QString &text, QWidget *parent)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QString::fromLatin1(ProgramName), text,
                                             QMessageBox::Ok, parent);
    // A short text makes a box narrower than its title bar needs for the caption, the window's
    // icon and the title bar's buttons; a strut in the box's own grid keeps it wide enough,
    // measured for a title font of up to 16 pixels and buttons of up to 32.
    QFont titleFont = box->font();
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    constexpr int TitleBarButtons = 4;
    constexpr int TitleBarButtonWidth = 32;
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(QString::fromLatin1(ProgramName)) +
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
    seams.chooseOpenFile = [](const QString &filter) {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(),
                                            filter);
    };
    seams.chooseSaveFile = [](const QString &filter) {
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), QString(),
                                            filter);
    };
    seams.chooseColour = ChooseColour;
    seams.openAddress = [](const QUrl &address) { return QDesktopServices::openUrl(address); };
    seams.memoryFigures = SystemMemoryFigures;
    seams.makeClipPlayer = [] { return LoadClipPlayer(ModuleFolder(QCoreApplication::applicationDirPath())); };
    seams.makeWaiter = [] { return std::make_unique<EventLoopWaiter>(); };
    seams.settingsFolders = DefaultSettingsFolders;
    seams.quit = [] { QCoreApplication::quit(); };
    return seams;
}

}  // namespace tallimo
