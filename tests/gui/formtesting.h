#pragma once

#include <QLocale>
#include <QLoggingCategory>
#include <QStringList>
#include <QTemporaryDir>

#include "appsetup.h"
#include "calcform.h"

namespace tallimo {

// The program's fonts and options, and the locale fixed, as every window test starts.
inline void SetUpWindowTests()
{
    QLocale::setDefault(QLocale::c());
    SetUpApplication();
    // Without a notification area the tray icon's X11 fallback reports a missing signal of the
    // offscreen platform on every window; the icon itself works on.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect.warning=false"));
}

// Seams for a main window under test: its settings file in the given folders, its messages
// collected instead of shown, each quit counted instead of done.
inline CalcFormSeams TestSeams(const SettingsFolders &folders, QStringList &messages, int &quits)
{
    CalcFormSeams seams;
    seams.quit = [&quits] { ++quits; };
    seams.showMessage = [&messages](const QString &text) { messages << text; };
    seams.settingsFolders = [folders] { return folders; };
    return seams;
}

inline SettingsFolders FoldersIn(const QTemporaryDir &folder)
{
    return {folder.path(), folder.path()};
}

// A control of the window by its name; a missing one ends the test run.
template <typename Widget = QWidget>
Widget *Control(const QObject &form, const QString &name)
{
    auto *child = form.findChild<Widget *>(name);
    if (!child)
        qFatal("no control %s", qPrintable(name));
    return child;
}

}  // namespace tallimo
