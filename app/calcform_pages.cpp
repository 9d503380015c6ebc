// The two pages of the side panel, in the same place: the keypad and the settings.

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

#include "calcform.h"
#include "formstyle.h"

namespace tallimo {

namespace {

const QRect PageGeometry(1, 35, 100, 343);

struct Key {
    const char *name;
    const char *caption;
    const char *hint;
};

// Row by row, left to right. The first six rows hold digits and operators, the rest functions.
constexpr int KeyColumns[] = {5, 37, 69};
constexpr int KeyRows[] = {10, 40, 70, 99, 132, 161, 195, 224, 252, 280, 309};
constexpr int FirstFunctionRow = 6;
constexpr QSize KeySize(29, 27);
const Key Keys[][3] = {
    {{"SpeedButton8", "7", ""}, {"SpeedButton14", "8", ""}, {"SpeedButton9", "9", ""}},
    {{"SpeedButton10", "4", ""}, {"SpeedButton11", "5", ""}, {"SpeedButton12", "6", ""}},
    {{"SpeedButton13", "1", ""}, {"SpeedButton15", "2", ""}, {"SpeedButton16", "3", ""}},
    {{"SpeedButton17", "0", ""}, {"SpeedButton18", ".", ""}, {"SpeedButton19", "=", ""}},
    {{"SpeedButton20", "+", ""}, {"SpeedButton21", "-", ""}, {"SpeedButton22", "*", ""}},
    {{"SpeedButton23", "/", ""}, {"SpeedButton24", "(", ""}, {"SpeedButton25", ")", ""}},
    {{"SpeedButton34", "<-", "退格"},
     {"SpeedButton5", "x^y", "Exp1^Exp2：计算式Exp1的Exp2次方，例 2^3 "},
     {"SpeedButton26", "n!", "计算整数表达式的介乘, 如： 3!"}},
    {{"SpeedButton30", "Sqrt", "求平方根"},
     {"SpeedButton31", "Sqr", "平方数"},
     {"SpeedButton32", "x%y", "计算Exp1除以Exp2后的余数，例17%5 "}},
    {{"SpeedButton27", "Sin", "正玄"},
     {"SpeedButton28", "Cos", "余玄"},
     {"SpeedButton29", "Tan", "正切"}},
    {{"SpeedButton33", "Asin", "反正玄"},
     {"SpeedButton39", "Acos", "反余玄"},
     {"SpeedButton3", "Atan", "反正切"}},
    {{"SpeedButton38", "Ln", "求Exp的自然对数，Ln(2)"},
     {"SpeedButton40", "Log10", "求Exp以10为底的对数，例: Log10(2)"},
     {"SpeedButton41", "Pi", "圆周率"}},
};

QGroupBox *Page(QWidget *parent, const char *name)
{
    auto *page = new QGroupBox(parent);
    page->setObjectName(QLatin1String(name));
    page->setGeometry(PageGeometry);
    SetBackground(page, MoneyGreen);
    return page;
}

QToolButton *PageButton(QWidget *page, const char *name, const QString &caption,
                        const QRect &geometry)
{
    auto *button = new QToolButton(page);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setGeometry(geometry);
    // The sheet keeps the keyboard focus while the buttons are used.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// "Log10" is the one caption wider than its key: it is drawn condensed. Deciding by length keeps
// font measuring out of the window's creation, ahead of its first paint.
void FitCaption(QToolButton *button)
{
    constexpr int WidestCaptionThatFits = 4;
    if (button->text().size() <= WidestCaptionThatFits)
        return;
    QFont font = button->font();
    font.setStretch(QFont::Condensed);
    button->setFont(font);
}

}  // namespace

void TCalcForm::CreateKeypadPage()
{
    GroupBox1 = Page(Panel1, "GroupBox1");
    for (int row = 0; row < static_cast<int>(std::size(KeyRows)); ++row) {
        for (int column = 0; column < 3; ++column) {
            const Key &key = Keys[row][column];
            QToolButton *button =
                PageButton(GroupBox1, key.name, QString::fromUtf8(key.caption),
                           QRect(QPoint(KeyColumns[column], KeyRows[row]), KeySize));
            button->setToolTip(QString::fromUtf8(key.hint));
            SetTextColour(button, row < FirstFunctionRow ? Blue : Red);
            FitCaption(button);
        }
    }
}

void TCalcForm::CreateSettingsPage()
{
    GroupBox2 = Page(Panel1, "GroupBox2");

    PageButton(GroupBox2, "SpeedButton35", QStringLiteral("背景颜色"), QRect(12, 15, 76, 25));
    PageButton(GroupBox2, "SpeedButton37", QStringLiteral("正文背景"), QRect(12, 45, 76, 25));
    PageButton(GroupBox2, "SpeedButton36", QStringLiteral("字体颜色"), QRect(12, 74, 76, 25));

    struct NumberBox {
        const char *name;
        const char *labelName;
        const char *label;
        int top;
        int minimum;
        int maximum;
        int step;
        int value;
        QSpinBox **member;
    };
    const NumberBox numberBoxes[] = {
        {"SpinEdit2", "Edit3", "字体", 102, 8, 80, 1, 16, &SpinEdit2},
        {"SpinEdit1", "Edit1", "小数", 126, 0, 15, 1, 2, &SpinEdit1},
        {"SpinEdit3", "Edit6", "语速", 149, 270, 380, 5, 280, &SpinEdit3},
    };
    for (const NumberBox &entry : numberBoxes) {
        auto *label = new QLineEdit(QString::fromUtf8(entry.label), GroupBox2);
        label->setObjectName(QLatin1String(entry.labelName));
        label->setReadOnly(true);
        label->setFocusPolicy(Qt::NoFocus);
        label->setGeometry(8, entry.top, 34, 21);

        auto *box = new QSpinBox(GroupBox2);
        box->setObjectName(QLatin1String(entry.name));
        box->setRange(entry.minimum, entry.maximum);
        box->setSingleStep(entry.step);
        box->setValue(entry.value);
        box->setGeometry(44, entry.top, 50, 21);
        *entry.member = box;
    }

    struct Option {
        const char *name;
        const char *caption;
        int top;
        bool checked;
        QCheckBox **member;
    };
    const Option options[] = {
        {"CheckBox1", "窗口置前", 182, false, &CheckBox1},
        {"CheckBox2", "语音报读", 202, true, &CheckBox2},
        {"CheckBox5", "快    读", 223, false, &CheckBox5},
        {"CheckBox4", "大写金额", 243, false, &CheckBox4},
        {"CheckBox6", "显示日期", 263, true, &CheckBox6},
        {"CheckBox3", "显示滑块", 283, false, &CheckBox3},
    };
    for (const Option &entry : options) {
        auto *box = new QCheckBox(QString::fromUtf8(entry.caption), GroupBox2);
        box->setObjectName(QLatin1String(entry.name));
        box->setChecked(entry.checked);
        box->setGeometry(12, entry.top, 82, 18);
        *entry.member = box;
    }
    CheckBox5->setEnabled(false);
}

}  // namespace tallimo
