// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The settings page of the side panel: its controls, made from its tables; the settings it holds,
// which are there from the start for the sheet and the voice; their load at start and their save
// at exit; and the handlers of its controls. The page itself is made on its first showing, or
// right after the window's first paint, never before it.

#include <QColor>
#include <QList>
#include <QPalette>
#include <QPoint>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

#include "app/settingscolour.h"
#include "common/calcformsettings.h"
#include "common/programseams.h"

class QCheckBox;
class QGroupBox;
class QSpinBox;
class QToolButton;
class QWidget;

namespace tallimo {

class SettingsPage {
public:
    // What the page needs of the main window: the looks its settings change there, the kept
    // sheet's option, and the window's way of answering a button's click.
    class Window {
    public:
        virtual void OnClick(QToolButton *button, std::function<void()> action) = 0;
        virtual QPoint Position() const = 0;
        // Moves the window to a saved position, or leaves it where it is when no screen shows
        // that position.
        virtual void MoveOnAScreen(const QPoint &saved) = 0;
        virtual bool SidePanelShown() const = 0;
        virtual void ShowSidePanel(bool shown) = 0;
        virtual QColor BackColour() const = 0;
        virtual void SetBackColour(const QColor &colour) = 0;
        virtual QColor SheetColour(QPalette::ColorRole role) const = 0;
        virtual void SetSheetColour(QPalette::ColorRole role, const QColor &colour) = 0;
        virtual void SetSheetFontSize(int points) = 0;
        virtual void SetStayOnTop(bool on) = 0;
        virtual void ShowSheetScrollBars(bool on) = 0;
        virtual void ShowDateLine(bool on) = 0;
        virtual void ShowVoiceSwitch(bool on) = 0;
        virtual void KeepSheetChanged(bool on) = 0;

    protected:
        ~Window() = default;
    };

    // What the page holds: the window's settings of the file, and the option of the kept sheet,
    // which has a section of its own. The page's controls keep their fields up to date; the
    // position, the side panel and the colours live in the window and are taken from there when
    // the settings are saved.
    struct PageValues : CalcFormSettings {
        bool keepSheet = false;
    };

    using Handler = void (SettingsPage::*)();

    struct NumberRange {
        int minimum;
        int maximum;
    };

    // The page's controls, one table for each kind, in the order Tab passes them: the colour
    // buttons, the number boxes and the options.
    struct ColourButton {
        const char *name;
        const char *caption;
        int top;
        QToolButton *SettingsPage::*member;
        Handler click;
    };
    // A number box with the read-only box that labels it; its handler, if any, runs on every
    // change, and a number read from the file is brought into its range.
    struct NumberBox {
        const char *name;
        const char *labelName;
        const char *label;
        int top;
        NumberRange range;
        int step;
        int PageValues::*value;
        QSpinBox *SettingsPage::*member;
        Handler change;
    };
    // A check box; its handler, if any, runs whenever the check mark changes, by a click or by
    // the settings file.
    struct Option {
        const char *name;
        const char *caption;
        int top;
        bool PageValues::*value;
        QCheckBox *SettingsPage::*member;
        Handler toggle;
    };
    static const std::vector<ColourButton> &ColourButtons();
    static const std::vector<NumberBox> &NumberBoxes();
    static const std::vector<Option> &Options();

    // The names the tables give the page and its controls.
    static QStringList ControlNames();

    // What the page holds at a first start, before the settings file is read.
    static PageValues FirstStartValues();

    SettingsPage(Window &window, const ProgramSeams &seams);

    const PageValues &Values() const { return values_; }

    // Makes the page in the side panel, hidden, once.
    void Make(QWidget *sidePanel);
    bool Made() const { return GroupBox2 != nullptr; }
    void Show(bool shown);
    // The page's controls in the order Tab passes them; none before the page is made.
    QList<QWidget *> TabOrder() const;

    // Reads the settings at start and shows them in the window; the decimals, brought into their
    // range, are then owed to the file.
    void LoadSettings();
    bool OwesNumber() const { return numberToWriteBack_.has_value(); }
    // Writes the decimals read at start back to the file, once.
    void WriteNumberBack();
    SettingsFile::SaveResult SaveSettings() const;

    // The voice as the toolbar's switch sets it; the page's box follows.
    void SetVoice(bool on);

private:
    void SpeedButton35Click();
    void SpeedButton37Click();
    void SpeedButton36Click();
    void SpinEdit2Change();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox6Click();
    void CheckBox7Click();
    QColor ChosenColour(const QColor &start) const;

    Window &window_;
    const ProgramSeams &seams_;
    PageValues values_;
    // Follows the voice once the file or the user sets it; off at a first start.
    bool fastReadingEnabled_ = false;
    // The decimals read at start, owed to the file until the window shows.
    std::optional<int> numberToWriteBack_;
    // The colours read from the file, with what their controls showed then.
    std::optional<KeptColour> keptBackColour_;
    std::optional<KeptColour> keptSheetColour_;
    std::optional<KeptColour> keptFontColour_;

    QGroupBox *GroupBox2 = nullptr;
    QToolButton *SpeedButton35 = nullptr;
    QToolButton *SpeedButton37 = nullptr;
    QToolButton *SpeedButton36 = nullptr;
    QSpinBox *SpinEdit2 = nullptr;
    QSpinBox *SpinEdit1 = nullptr;
    QSpinBox *SpinEdit3 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    QCheckBox *CheckBox5 = nullptr;
    QCheckBox *CheckBox4 = nullptr;
    QCheckBox *CheckBox6 = nullptr;
    QCheckBox *CheckBox3 = nullptr;
    QCheckBox *CheckBox7 = nullptr;
};

}  // namespace tallimo
