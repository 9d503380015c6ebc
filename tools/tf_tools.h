// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The tools window (f_tools): three pages, date arithmetic with the distance between two
// date-times, a named countdown kept in the settings file, and shortcuts to lookup pages on the
// web. Created once after the main window, it lives until the program ends; closing it only
// hides it. Every showing resets the first page's date-times to now and renews the countdown.
// Every control carries its form name as its object name.

#include <QList>
#include <QUrl>
#include <QWidget>

#include <functional>

#include "common/countdownsettings.h"
#include "common/programseams.h"
#include "engine/regional.h"

class QDateEdit;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimeEdit;

namespace tallimo {

class TCcTab;

class Tf_tools : public QWidget {
    Q_OBJECT

public:
    // openWebPage opens an address in the program's web page window.
    Tf_tools(const ProgramSeams &seams, std::function<void(const QUrl &)> openWebPage,
             const RegionalSettings &regional, QWidget *parent = nullptr);
    ~Tf_tools() override;

    // Shows the window, not modally, or brings it to the front when it is showing already.
    void ShowTools();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Layout (tf_tools_layout.cpp).
    void CreateControls();
    QWidget *CreateDatePage();
    QWidget *CreateCountdownPage();
    QWidget *CreateShortcutsPage();
    // A caption at its place; it takes the size of its text on the window's first showing.
    QLabel *CreateCaption(QWidget *parent, const char *name, const QString &text,
                          const QPoint &place);
    QList<QLabel *> captionsToSize_;
    // A button whose click runs the handler under the default error handler.
    QPushButton *CreateButton(QWidget *parent, const char *name, const QString &caption,
                              const QRect &place, void (Tf_tools::*handler)());

    // Dates and countdown (tf_tools.cpp).
    void FormCreate();
    void FormShow();
    void BitBtn1Click();
    // The key filter of the days, hours and minutes fields (Edit3, Edit4 and Edit5 share it):
    // whether the key may reach the field.
    bool Edit3KeyPress(const QKeyEvent &key) const;
    void Button7Click();
    void RefreshCountdown();
    void ShowCountdown(const Countdown &countdown);

    // Web shortcuts (tf_tools_shortcuts.cpp).
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button8Click();
    void Button9Click();
    void OpenShortcut(const QString &address);

    const ProgramSeams seams_;
    const std::function<void(const QUrl &)> openWebPage_;
    const RegionalSettings regional_;

    QTabWidget *PageControl1 = nullptr;
    QDateEdit *Date1 = nullptr;
    QTimeEdit *Time1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QLineEdit *Edit5 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QDateEdit *Date2 = nullptr;
    QTimeEdit *Time2 = nullptr;
    QDateEdit *Date3 = nullptr;
    QTimeEdit *Time3 = nullptr;
    QLineEdit *Edit6 = nullptr;
    QLineEdit *Edit7 = nullptr;
    QLineEdit *Edit8 = nullptr;
    QLineEdit *Edit9 = nullptr;
    TCcTab *CcTab1 = nullptr;
    QDateEdit *gaokao = nullptr;
    QTimeEdit *Time4 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLabel *Label12 = nullptr;
};

}  // namespace tallimo
