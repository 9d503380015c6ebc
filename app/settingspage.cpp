// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings page's tables and its making: in the side panel, in the same place as the keypad
// page, hidden until a page button shows it.

#include "app/settingspage.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

#include "app/formstyle.h"

namespace tallimo {

namespace {

template <typename Control>
Control *Named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

constexpr char PageName[] = "GroupBox2";

}  // namespace

const std::vector<SettingsPage::ColourButton> &SettingsPage::ColourButtons()
{
    static const std::vector<ColourButton> table = {
        {"SpeedButton35", "背景颜色", 15, &SettingsPage::SpeedButton35,
         &SettingsPage::SpeedButton35Click},
        {"SpeedButton37", "正文背景", 45, &SettingsPage::SpeedButton37,
         &SettingsPage::SpeedButton37Click},
        {"SpeedButton36", "字体颜色", 74, &SettingsPage::SpeedButton36,
         &SettingsPage::SpeedButton36Click},
    };
    return table;
}

const std::vector<SettingsPage::NumberBox> &SettingsPage::NumberBoxes()
{
    static const std::vector<NumberBox> table = {
        {"SpinEdit2",
         "Edit3",
         "字体",
         102,
         {8, 80},
         1,
         &PageValues::fontSize,
         &SettingsPage::SpinEdit2,
         &SettingsPage::SpinEdit2Change},
        {"SpinEdit1",
         "Edit1",
         "小数",
         126,
         {0, 15},
         1,
         &PageValues::decimals,
         &SettingsPage::SpinEdit1,
         nullptr},
        {"SpinEdit3",
         "Edit6",
         "语速",
         149,
         {270, 380},
         5,
         &PageValues::rate,
         &SettingsPage::SpinEdit3,
         nullptr},
    };
    return table;
}

const std::vector<SettingsPage::Option> &SettingsPage::Options()
{
    static const std::vector<Option> table = {
        {"CheckBox1", "窗口置前", 182, &PageValues::onTop, &SettingsPage::CheckBox1,
         &SettingsPage::CheckBox1Click},
        {"CheckBox2", "语音报读", 202, &PageValues::voice, &SettingsPage::CheckBox2,
         &SettingsPage::CheckBox2Click},
        {"CheckBox5", "快    读", 223, &PageValues::fastReading, &SettingsPage::CheckBox5, nullptr},
        {"CheckBox4", "大写金额", 243, &PageValues::money, &SettingsPage::CheckBox4, nullptr},
        {"CheckBox6", "显示日期", 263, &PageValues::showDate, &SettingsPage::CheckBox6,
         &SettingsPage::CheckBox6Click},
        {"CheckBox3", "显示滑块", 283, &PageValues::scrollBars, &SettingsPage::CheckBox3,
         &SettingsPage::CheckBox3Click},
        {"CheckBox7", "保留算式", 303, &PageValues::keepSheet, &SettingsPage::CheckBox7,
         &SettingsPage::CheckBox7Click},
    };
    return table;
}

QStringList SettingsPage::ControlNames()
{
    QStringList names{QLatin1String(PageName)};
    for (const ColourButton &entry : ColourButtons())
        names << QLatin1String(entry.name);
    for (const NumberBox &entry : NumberBoxes())
        names << QLatin1String(entry.labelName) << QLatin1String(entry.name);
    for (const Option &entry : Options())
        names << QLatin1String(entry.name);
    return names;
}

SettingsPage::PageValues SettingsPage::FirstStartValues()
{
    PageValues values;
    static_cast<CalcFormSettings &>(values) = FirstStartSettings();
    return values;
}

SettingsPage::SettingsPage(Window &window, const ProgramSeams &seams)
    : window_(window), seams_(seams), values_(FirstStartValues())
{
}

QList<QWidget *> SettingsPage::TabOrder() const
{
    QList<QWidget *> order;
    if (!Made())
        return order;
    for (const ColourButton &entry : ColourButtons())
        order << this->*entry.member;
    for (const NumberBox &entry : NumberBoxes())
        order << this->*entry.member;
    for (const Option &entry : Options())
        order << this->*entry.member;
    return order;
}

void SettingsPage::Show(bool shown) { GroupBox2->setVisible(shown); }

void SettingsPage::Make(QWidget *sidePanel)
{
    if (Made())
        return;
    GroupBox2 = SidePage(Named(new QGroupBox(sidePanel), PageName));
    GroupBox2->hide();
    // The window already shows any background colour the file or the user chose.
    SetBackground(GroupBox2, window_.BackColour());

    for (const ColourButton &entry : ColourButtons()) {
        QToolButton *button =
            PageButton(Named(new QToolButton(GroupBox2), entry.name),
                       QString::fromUtf8(entry.caption), QRect(12, entry.top, 76, 25));
        // Tab reaches the button; a click leaves the focus where it is.
        button->setFocusPolicy(Qt::TabFocus);
        this->*entry.member = button;
        window_.OnClick(button, [this, click = entry.click] { (this->*click)(); });
    }

    for (const NumberBox &entry : NumberBoxes()) {
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
        box->setValue(values_.*entry.value);
        box->setGeometry(44, entry.top, 50, 21);
        this->*entry.member = box;
        QObject::connect(box, &QSpinBox::valueChanged, GroupBox2, [this, entry](int value) {
            values_.*entry.value = value;
            if (entry.change)
                (this->*entry.change)();
        });
    }

    for (const Option &entry : Options()) {
        auto *box = Named(new QCheckBox(QString::fromUtf8(entry.caption), GroupBox2), entry.name);
        box->setChecked(values_.*entry.value);
        box->setGeometry(12, entry.top, 82, 18);
        this->*entry.member = box;
        QObject::connect(box, &QCheckBox::toggled, GroupBox2, [this, entry](bool checked) {
            values_.*entry.value = checked;
            if (entry.toggle)
                (this->*entry.toggle)();
        });
    }
    CheckBox5->setEnabled(fastReadingEnabled_);
}

}  // namespace tallimo
