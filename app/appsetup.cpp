// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/appsetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/formstyle.h"
#include "windows/windowfont.h"

namespace tallimo {

namespace {

// The dialogs and buttons that Qt draws itself (colour and file dialogs, the message box's
// button) speak Chinese, as the rest of the window does.
void InstallQtTranslation()
{
    auto *translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

void SetUpApplication()
{
    UseInstalledWindowFonts();
    SetProgramFont(SongFont(12));
    QApplication::setQuitOnLastWindowClosed(false);
    InstallQtTranslation();
}

}  // namespace tallimo
