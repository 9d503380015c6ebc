// The settings page of the side panel, in the same place as the keypad page.

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

#include "calcform.h"
#include "formstyle.h"

namespace tallimo {

void TCalcForm::CreateSettingsPage()
{
    GroupBox2 = SidePage(Named(new QGroupBox(Panel1), "GroupBox2"));

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
        this->*entry.member = button;
        connect(button, &QToolButton::clicked, this, entry.click);
    }

    // A number box with the read-only box that labels it; its handler runs on every change.
    struct NumberBox {
        const char *name;
        const char *labelName;
        const char *label;
        int top;
        int minimum;
        int maximum;
        int step;
        int value;
        QSpinBox *TCalcForm::*member;
        Handler change;
    };
    const NumberBox numberBoxes[] = {
        {"SpinEdit2", "Edit3", "字体", 102, 8, 80, 1, 16, &TCalcForm::SpinEdit2,
         &TCalcForm::SpinEdit2Change},
        {"SpinEdit1", "Edit1", "小数", 126, 0, 15, 1, 2, &TCalcForm::SpinEdit1, nullptr},
        {"SpinEdit3", "Edit6", "语速", 149, 270, 380, 5, 280, &TCalcForm::SpinEdit3, nullptr},
    };
    for (const NumberBox &entry : numberBoxes) {
        auto *label =
            Named(new QLineEdit(QString::fromUtf8(entry.label), GroupBox2), entry.labelName);
        label->setReadOnly(true);
        label->setFocusPolicy(Qt::NoFocus);
        label->setGeometry(8, entry.top, 34, 21);

        auto *box = Named(new QSpinBox(GroupBox2), entry.name);
        box->setRange(entry.minimum, entry.maximum);
        box->setSingleStep(entry.step);
        box->setValue(entry.value);
        box->setGeometry(44, entry.top, 50, 21);
        this->*entry.member = box;
        if (entry.change)
            connect(box, &QSpinBox::valueChanged, this, entry.change);
    }

    // A check box; its handler runs whenever the check mark changes, by a click or by the
    // settings file.
    struct Option {
        const char *name;
        const char *caption;
        int top;
        bool checked;
        QCheckBox *TCalcForm::*member;
        Handler toggle;
    };
    const Option options[] = {
        {"CheckBox1", "窗口置前", 182, false, &TCalcForm::CheckBox1, &TCalcForm::CheckBox1Click},
        {"CheckBox2", "语音报读", 202, true, &TCalcForm::CheckBox2, &TCalcForm::CheckBox2Click},
        {"CheckBox5", "快    读", 223, false, &TCalcForm::CheckBox5, nullptr},
        {"CheckBox4", "大写金额", 243, false, &TCalcForm::CheckBox4, nullptr},
        {"CheckBox6", "显示日期", 263, true, &TCalcForm::CheckBox6, &TCalcForm::CheckBox6Click},
        {"CheckBox3", "显示滑块", 283, false, &TCalcForm::CheckBox3, &TCalcForm::CheckBox3Click},
    };
    for (const Option &entry : options) {
        auto *box = Named(new QCheckBox(QString::fromUtf8(entry.caption), GroupBox2), entry.name);
        box->setChecked(entry.checked);
        box->setGeometry(12, entry.top, 82, 18);
        this->*entry.member = box;
        if (entry.toggle)
            connect(box, &QCheckBox::toggled, this, entry.toggle);
    }
    CheckBox5->setEnabled(false);
}

}  // namespace tallimo
