// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The tools window's pages and controls, each control with its name, caption and place in one
// line. Inside a page the controls keep fixed places, as the window's size is fixed.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimeEdit>

#include <utility>

#include "common/defaulterrorhandler.h"
#include "tools/calendardateedit.h"
#include "tools/cctab.h"
#include "tools/tf_tools.h"
#include "windows/focusmark.h"
#include "windows/modalwindow.h"
#include "windows/windowfont.h"

namespace tallimo {

namespace {

constexpr QSize ClientSize(446, 269);
const QColor CountdownColour(0x00, 0x00, 0xFF);
const QColor CountdownGround(0xF0, 0xF0, 0xF0);

template <typename Widget>
Widget *Placed(Widget *widget, const char *name, const QRect &place)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(place);
    return widget;
}

QGroupBox *Group(QWidget *parent, const char *name, const QString &caption, const QRect &place)
{
    return Placed(new QGroupBox(caption, parent), name, place);
}

QLineEdit *Edit(QWidget *parent, const char *name, const QString &text, const QRect &place)
{
    return Placed(new QLineEdit(text, parent), name, place);
}

QLineEdit *ResultBox(QWidget *parent, const char *name, const QRect &place)
{
    auto *box = Edit(parent, name, QString(), place);
    box->setReadOnly(true);
    return box;
}

QDateEdit *DatePicker(QWidget *parent, const char *name, const QRect &place,
                      const RegionalSettings &regional)
{
    // The date is read and written in the regional format; the popup speaks the window's language.
    auto *picker = Placed(new CalendarDateEdit(parent), name, place);
    picker->setDisplayFormat(regional.shortDateFormat);
    picker->setCalendarPopup(true);
    picker->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    return picker;
}

QTimeEdit *TimeField(QWidget *parent, const char *name, const QRect &place,
                     const RegionalSettings &regional)
{
    auto *field = Placed(new QTimeEdit(parent), name, place);
    field->setDisplayFormat(regional.longTimeFormat);
    return field;
}

// Fields are announced by their own label within their group, so that no two sound alike.
void Announce(QGroupBox *group, std::initializer_list<std::pair<QWidget *, const char *>> fields)
{
    for (const auto &[field, label] : fields)
        field->setAccessibleName(group->title() + QLatin1Char(' ') + QString::fromUtf8(label));
}

void ChainFocus(std::initializer_list<QWidget *> order)
{
    for (auto it = order.begin(); std::next(it) != order.end(); ++it)
        QWidget::setTabOrder(*it, *std::next(it));
}

}  // namespace

QLabel *Tf_tools::CreateCaption(QWidget *parent, const char *name, const QString &text,
                                const QPoint &place)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(place);
    captionsToSize_ << label;
    return label;
}

QPushButton *Tf_tools::CreateButton(QWidget *parent, const char *name, const QString &caption,
                                    const QRect &place, void (Tf_tools::*handler)())
{
    auto *button = Placed(new QPushButton(caption, parent), name, place);
    // Enter on a focused button presses it.
    button->setAutoDefault(true);
    connect(button, &QPushButton::clicked, this, [this, button, handler] {
        if (BlockedByModalWindow(*button))
            return;
        RunHandler(seams_, [this, handler] { (this->*handler)(); });
    });
    return button;
}

void Tf_tools::CreateControls()
{
    setObjectName(QStringLiteral("f_tools"));
    setWindowTitle(QStringLiteral("小工具"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(ClientSize);

    PageControl1 = Placed(new QTabWidget(this), "PageControl1", rect());
    // A tab bar measures every title as each tab goes in; titles set once the tabs are there are
    // measured when the window first shows, and the window is made hidden.
    const QString titles[] = {QStringLiteral("日期时间计算"), QStringLiteral("倒计时"),
                              QStringLiteral("网络小工具")};
    for (QWidget *page : {CreateDatePage(), CreateCountdownPage(), CreateShortcutsPage()})
        PageControl1->addTab(page, QString());
    for (int tab = 0; tab < PageControl1->count(); ++tab)
        PageControl1->setTabText(tab, titles[tab]);
    PageControl1->setCurrentIndex(0);
    // Each page is announced by its tab's caption, and so is the pane that holds them, after the
    // page it shows.
    for (int page = 0; page < PageControl1->count(); ++page)
        PageControl1->widget(page)->setAccessibleName(PageControl1->tabText(page));
    if (auto *pane = PageControl1->findChild<QStackedWidget *>()) {
        auto nameThePane = [this, pane](int page) {
            pane->setAccessibleName(PageControl1->tabText(page));
        };
        nameThePane(PageControl1->currentIndex());
        connect(PageControl1, &QTabWidget::currentChanged, pane, nameThePane);
    }
    // Made once its page sits in the window, whose keys it watches.
    CcTab1 = new TCcTab(PageControl1->widget(0));
    CcTab1->setObjectName(QStringLiteral("CcTab1"));
    // The program's pixel font is the window's own, so the fonts a desktop theme gives fields
    // and buttons do not reach the fixed layout; set once the controls are there, it reaches
    // every one of them.
    KeepProgramFont(*this);
    new FocusMark(*this);
}

QWidget *Tf_tools::CreateDatePage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));

    auto *sum = Group(page, "GroupBox1", QStringLiteral("日期加减"), {6, 2, 430, 118});
    CreateCaption(sum, "Label1", QStringLiteral("初始时间"), {10, 24});
    Date1 = DatePicker(sum, "Date1", {70, 20, 112, 22}, regional_);
    Time1 = TimeField(sum, "Time1", {186, 20, 84, 22}, regional_);
    CreateCaption(sum, "Label2", QStringLiteral("增加天数 (用负数表示减)"), {10, 48});
    Edit3 = Edit(sum, "Edit3", QStringLiteral("1"), {186, 44, 84, 22});
    CreateCaption(sum, "Label3", QStringLiteral("增加小时 (用负数表示减)"), {10, 72});
    Edit4 = Edit(sum, "Edit4", QStringLiteral("0"), {186, 68, 84, 22});
    CreateCaption(sum, "Label4", QStringLiteral("增加分钟 (用负数表示减)"), {10, 96});
    Edit5 = Edit(sum, "Edit5", QStringLiteral("-1"), {186, 92, 84, 22});
    CreateCaption(sum, "Label5", QStringLiteral("结果"), {284, 24});
    Edit2 = ResultBox(sum, "Edit2", {284, 44, 136, 22});
    QPalette grey = Edit2->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Window));
    Edit2->setPalette(grey);
    BitBtn1 = CreateButton(sum, "BitBtn1", QStringLiteral("计算(&C)"), {284, 80, 136, 32},
                           &Tf_tools::BitBtn1Click);

    auto *span = Group(page, "GroupBox2", QStringLiteral("两个日期时间差"), {6, 122, 430, 116});
    Date2 = DatePicker(span, "Date2", {10, 30, 112, 22}, regional_);
    Time2 = TimeField(span, "Time2", {126, 30, 84, 22}, regional_);
    Date3 = DatePicker(span, "Date3", {10, 66, 112, 22}, regional_);
    Time3 = TimeField(span, "Time3", {126, 66, 84, 22}, regional_);
    CreateCaption(span, "Label8", QStringLiteral("天数差"), {226, 22});
    Edit6 = ResultBox(span, "Edit6", {272, 18, 148, 20});
    CreateCaption(span, "Label9", QStringLiteral("小时差"), {226, 46});
    Edit7 = ResultBox(span, "Edit7", {272, 42, 148, 20});
    CreateCaption(span, "Label10", QStringLiteral("分钟差"), {226, 70});
    Edit8 = ResultBox(span, "Edit8", {272, 66, 148, 20});
    CreateCaption(span, "Label11", QStringLiteral("秒差"), {226, 94});
    Edit9 = ResultBox(span, "Edit9", {272, 90, 148, 20});

    Announce(sum, {{Date1, "初始日期"},
                   {Time1, "初始时间"},
                   {Edit3, "增加天数"},
                   {Edit4, "增加小时"},
                   {Edit5, "增加分钟"},
                   {Edit2, "结果"}});
    Announce(span, {{Date2, "起始日期"},
                    {Time2, "起始时间"},
                    {Date3, "终止日期"},
                    {Time3, "终止时间"},
                    {Edit6, "天数差"},
                    {Edit7, "小时差"},
                    {Edit8, "分钟差"},
                    {Edit9, "秒差"}});
    ChainFocus({Time1, Date1, Edit2, Edit3, Edit4, Edit5, BitBtn1, Date2, Date3, Time2, Time3,
                Edit6, Edit7, Edit8, Edit9});
    return page;
}

QWidget *Tf_tools::CreateCountdownPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));

    auto *group = Group(page, "GroupBox3", QStringLiteral("设定倒计时(修改成自己需要的倒计时)"),
                        {6, 6, 430, 150});
    CreateCaption(group, "StaticText1", QStringLiteral("倒计时间:"), {16, 32});
    gaokao = DatePicker(group, "gaokao", {96, 28, 120, 22}, regional_);
    Time4 = TimeField(group, "Time4", {222, 28, 90, 22}, regional_);
    CreateCaption(group, "StaticText2", QStringLiteral("倒计时名称:"), {16, 66});
    Edit1 = Edit(group, "Edit1", QString(), {96, 62, 120, 22});
    auto *save = CreateButton(group, "Button7", QStringLiteral("保存"), {222, 60, 90, 26},
                              &Tf_tools::Button7Click);
    Label12 = Placed(new QLabel(group), "Label12", {16, 100, 400, 24});
    QPalette blue = Label12->palette();
    blue.setColor(QPalette::WindowText, CountdownColour);
    // Its ground is fixed with its colour, so a dark desktop palette leaves it readable.
    blue.setColor(QPalette::Window, CountdownGround);
    Label12->setPalette(blue);
    Label12->setAutoFillBackground(true);

    Announce(group, {{gaokao, "倒计时日期"}, {Time4, "倒计时时间"}, {Edit1, "倒计时名称"}});
    ChainFocus({gaokao, Time4, Edit1, save});
    ShowCountdown(DefaultCountdown());
    return page;
}

QWidget *Tf_tools::CreateShortcutsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));

    struct Shortcut {
        const char *name;
        const char *caption;
        QRect place;
        bool visible;
        void (Tf_tools::*handler)();
    };
    const Shortcut shortcuts[] = {
        {"Button2", "IP归属地", {12, 100, 130, 30}, true, &Tf_tools::Button2Click},
        {"Button3", "手机归属地", {152, 100, 130, 30}, true, &Tf_tools::Button3Click},
        {"Button4", "快递查询", {152, 56, 130, 30}, true, &Tf_tools::Button4Click},
        {"Button5", "天气预报", {12, 56, 130, 30}, true, &Tf_tools::Button5Click},
        {"Button6", "网速测试", {292, 56, 130, 30}, true, &Tf_tools::Button6Click},
        {"Button8", "2345实用工具", {292, 100, 130, 30}, false, &Tf_tools::Button8Click},
        {"Button9", "2345网址大全  ", {12, 12, 130, 30}, false, &Tf_tools::Button9Click},
    };
    // The table runs in focus order.
    QWidget *previous = nullptr;
    for (const Shortcut &shortcut : shortcuts) {
        QPushButton *button = CreateButton(page, shortcut.name, QString::fromUtf8(shortcut.caption),
                                           shortcut.place, shortcut.handler);
        button->setHidden(!shortcut.visible);
        if (previous)
            QWidget::setTabOrder(previous, button);
        previous = button;
    }
    return page;
}

}  // namespace tallimo
