// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/calchelp.h"

#include <QPlainTextEdit>
#include <QStringList>
#include <QVBoxLayout>

namespace tallimo {

namespace {

const QSize NormalSize(649, 412);
const int TextPixelSize = 16;

// Lines 10 and 11 end with a blank, part of the help text.
const char *const HelpText[] = {
    "示例：",
    "  20+30*(2.3+3.8)/15+50=82.2",
    "  30+45/(2+3)+40*sin(60)+2^3=81.64",
    "",
    "1、用法：",
    "输入数学表达式后，输入'='或 按 Enter 系统自动计算结果；",
    "表达式可以是加（+）、减（-）、乘（*）、除（/）、括号（()），以及系统支持的数学",
    "函数的任意组合。",
    "2、系统支持的数学函数：",
    "PI ! ^ % SQR SQRT INT/TRUNC ROUND ABS FRAC SIN COS TAN ARCSIN ARCCOS ",
    "ARCTAN LN LOG2 ",
    "LOG10",
    "PI：圆周率。",
    "Exp！：计算Exp（表达式）的介乘。",
    "Exp1^Exp2：计算Exp1的Exp2次方。",
    "Exp1%Exp2：计算Exp1除以Exp2后的余数。",
    "Sqr(Exp)：计算Exp的平方。",
    "Sqrt(Exp)：计算Exp的平方根。",
    "Int(Exp)/Trunc(Exp)：把Exp截断取整。",
    "Round(Exp)：把Exp四舍五入。",
    "Abs(Exp)：取Exp的绝对值。",
    "Frac(Exp)：取Exp的小数部分。",
    "Sin(Exp)：求Exp的正玄，输入的数为角度数。",
    "Cos(Exp)：求Exp的余玄，输入的数为角度数。",
    "Tan(Exp)：求Exp的正切，输入的数为角度数。",
    "ArcSin(Exp)：求Exp的反正玄,输出的数为角度数。",
    "ArcCos(Exp)：求Exp的反余玄,输出的数为角度数。",
    "ArcTan(Exp)：求Exp的反正切,输出的数为角度数。",
    "Ln(Exp)：求Exp的自然对数。",
    "Log2(Exp)：求Exp的以2为低的对数。",
    "Log10(Exp)：求Exp的以10为低的对数。",
};

// "MS Sans Serif" where it is installed; elsewhere a sans face that holds the Chinese glyphs.
QFont HelpFont()
{
    QFont font;
    font.setFamilies({
        QStringLiteral("MS Sans Serif"),
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Droid Sans Fallback"),
    });
    font.setPixelSize(TextPixelSize);
    return font;
}

}  // namespace

QString HelpPage()
{
    QStringList lines;
    for (const char *line : HelpText)
        lines << QString::fromUtf8(line);
    return lines.join(QLatin1Char('\n'));
}

Tf_calchelp::Tf_calchelp(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("f_calchelp"));
    setWindowTitle(QStringLiteral("Help"));
    setWindowFlags(Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    resize(NormalSize);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setPlainText(HelpPage());
    Memo1->setReadOnly(true);
    Memo1->setAccessibleName(QStringLiteral("帮助"));
    // Read-only still lets the keyboard move the caret and select, as in any text field.
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setFont(HelpFont());
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::Base, Qt::darkCyan);
    palette.setColor(QPalette::Text, Qt::white);
    Memo1->setPalette(palette);

    auto *fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(Memo1);
}

}  // namespace tallimo
