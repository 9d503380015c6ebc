// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings page of the side panel, in the same place as the keypad page. It is hidden at
// start, so it is made once the window is on screen, or at once should it be asked for earlier.

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

#include "app/calcform.h"
#include "app/formstyle.h"

namespace tallimo {

void TCalcForm::CreateSettingsPage()
{
    if (GroupBox2)
        return;
    GroupBox2 = SidePage(Named(new QGroupBox(Panel1), "GroupBox2"));
    GroupBox2->hide();
    // The keypad page already shows any background colour the file or the user chose.
    SetBackground(GroupBox2, GroupBox1->palette().color(QPalette::Window));

    struct ColourButton {
        const char *name;
        const char *caption;
        int top;
        QToolButton *TCalcForm::*member;
        Handler click;
    };
    const ColourButton colourButtons[] = {
        {"SpeedButton35", "背景颜色", 15, &TCalcForm::SpeedButton35,
         &TCalcForm::SpeedButton35Click},
        {"SpeedButton37", "正文背景", 45, &TCalcForm::SpeedButton37,
         &TCalcForm::SpeedButton37Click},
        {"SpeedButton36", "字体颜色", 74, &TCalcForm::SpeedButton36,
         &TCalcForm::SpeedButton36Click},
    };
    for (const ColourButton &entry : colourButtons) {
        QToolButton *button =
            PageButton(Named(new QToolButton(GroupBox2), entry.name),
                       QString::fromUtf8(entry.caption), QRect(12, entry.top, 76, 25));
        // Tab reaches the button; a click leaves the focus where it is.
        button->setFocusPolicy(Qt::TabFocus);
        this->*entry.member = button;
        OnClick(button, [this, click = entry.click] { (this->*click)(); });
    }

    // A number box with the read-only box that labels it; its handler runs on every change.
    struct NumberBox {
        const char *name;
        const char *labelName;
        const char *label;
        int top;
        NumberRange range;
        int step;
        int PageSettings::*value;
        QSpinBox *TCalcForm::*member;
        Handler change;
    };
    const NumberBox numberBoxes[] = {
        {"SpinEdit2", "Edit3", "字体", 102, FontSizeRange, 1, &PageSettings::fontSize,
         &TCalcForm::SpinEdit2, &TCalcForm::SpinEdit2Change},
        {"SpinEdit1", "Edit1", "小数", 126, DecimalsRange, 1, &PageSettings::decimals,
         &TCalcForm::SpinEdit1, nullptr},
        {"SpinEdit3", "Edit6", "语速", 149, RateRange, 5, &PageSettings::rate,
         &TCalcForm::SpinEdit3, nullptr},
    };
    for (const NumberBox &entry : numberBoxes) {
        // The caption looks like a read-only box and is the box's label.
        auto *label = Named(new QLabel(QString::fromUtf8(entry.label), GroupBox2), entry.labelName);
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setBackgroundRole(QPalette::Base);
        label->setForegroundRole(QPalette::Text);
        label->setAutoFillBackground(true);
        label->setIndent(2);
        label->setGeometry(8, entry.top, 34, 21);

        auto *box = Named(new QSpinBox(GroupBox2), entry.name);
        label->setBuddy(box);
        box->setAccessibleName(label->text());
        box->setRange(entry.range.minimum, entry.range.maximum);
        box->setSingleStep(entry.step);
        box->setValue(pageSettings_.*entry.value);
        box->setGeometry(44, entry.top, 50, 21);
        this->*entry.member = box;
        connect(box, &QSpinBox::valueChanged, this, [this, entry](int value) {
            pageSettings_.*entry.value = value;
            if (entry.change)
                (this->*entry.change)();
        });
    }

    // A check box; its handler runs whenever the check mark changes, by a click or by the
    // settings file.
    struct Option {
        const char *name;
        const char *caption;
        int top;
        bool PageSettings::*value;
        QCheckBox *TCalcForm::*member;
        Handler toggle;
    };
    const Option options[] = {
        {"CheckBox1", "窗口置前", 182, &PageSettings::onTop, &TCalcForm::CheckBox1,
         &TCalcForm::CheckBox1Click},
        {"CheckBox2", "语音报读", 202, &PageSettings::voice, &TCalcForm::CheckBox2,
         &TCalcForm::CheckBox2Click},
        {"CheckBox5", "快    读", 223, &PageSettings::fastReading, &TCalcForm::CheckBox5, nullptr},
        {"CheckBox4", "大写金额", 243, &PageSettings::money, &TCalcForm::CheckBox4, nullptr},
        {"CheckBox6", "显示日期", 263, &PageSettings::showDate, &TCalcForm::CheckBox6,
         &TCalcForm::CheckBox6Click},
        {"CheckBox3", "显示滑块", 283, &PageSettings::scrollBars, &TCalcForm::CheckBox3,
         &TCalcForm::CheckBox3Click},
        {"CheckBox7", "保留算式", 303, &PageSettings::keepSheet, &TCalcForm::CheckBox7,
         &TCalcForm::CheckBox7Click},
    };
    for (const Option &entry : options) {
        auto *box = Named(new QCheckBox(QString::fromUtf8(entry.caption), GroupBox2), entry.name);
        box->setChecked(pageSettings_.*entry.value);
        box->setGeometry(12, entry.top, 82, 18);
        this->*entry.member = box;
        connect(box, &QCheckBox::toggled, this, [this, entry](bool checked) {
            pageSettings_.*entry.value = checked;
            if (entry.toggle)
                (this->*entry.toggle)();
        });
    }
    CheckBox5->setEnabled(pageSettings_.fastReadingEnabled);
    CheckControlNames();
}

// Tab follows the page from the top: the controls in the order they were made.
QList<QWidget *> TCalcForm::SettingsPageTabOrder() const
{
    QList<QWidget *> order;
    if (!GroupBox2)
        return order;
    for (QWidget *control : GroupBox2->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control->focusPolicy() & Qt::TabFocus)
            order << control;
    }
    return order;
}

}  // namespace tallimo
