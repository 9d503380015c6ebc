// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/modalwindow.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

#include <algorithm>

namespace tallimo {

namespace {

bool IsShownWindow(const QWidget *widget)
{
    return widget->isWindow() && widget->isVisible() && widget->windowType() != Qt::Popup &&
           widget->windowType() != Qt::ToolTip;
}

}  // namespace

QWidget *ModalOwner()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto shown = std::find_if(windows.cbegin(), windows.cend(), IsShownWindow);
    return shown != windows.cend() ? *shown : nullptr;
}

void PlaceAboveBlockedWindows(QWidget &modal)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool blocksOneOnTop = std::any_of(windows.cbegin(), windows.cend(), [&](QWidget *window) {
        return window != &modal && IsShownWindow(window) &&
               window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    });
    if (modal.windowFlags().testFlag(Qt::WindowStaysOnTopHint) != blocksOneOnTop)
        modal.setWindowFlag(Qt::WindowStaysOnTopHint, blocksOneOnTop);
}

bool BlockedByModalWindow(const QWidget &control)
{
    const QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return false;
    const QWidget *window = control.window();
    // The modal window itself, and the windows it owns, take their clicks.
    for (const QWidget *owner = window; owner; owner = owner->parentWidget())
        if (owner == modal)
            return false;
    if (modal->windowModality() == Qt::ApplicationModal)
        return true;
    // A window-modal one blocks only the windows it stands over.
    for (const QWidget *owner = modal->parentWidget(); owner; owner = owner->parentWidget())
        if (owner->window() == window)
            return true;
    return false;
}

int ExecAboveBlockedWindows(QDialog &dialog)
{
    PlaceAboveBlockedWindows(dialog);
    return dialog.exec();
}

}  // namespace tallimo
