// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's regions: toolbar panel on top with a rule below it, left margin, sheet,
// side panel on the right and result bar at the bottom. The regions sit in box layouts, so the
// sheet takes the room of the side panel when that is hidden; inside a panel the controls keep
// fixed places.

#include <QAction>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>

#include "app/calcform.h"
#include "app/datelineplace.h"
#include "app/formstyle.h"
#include "common/programinfo.h"
#include "windows/focusmark.h"

namespace tallimo {

namespace {

constexpr QSize ClientSize(652, 440);
constexpr int ToolbarHeight = 30;
constexpr int RuleHeight = 2;
constexpr int MarginWidth = 9;
constexpr int SidePanelWidth = 102;
constexpr int ResultBarHeight = 28;
constexpr QSize ToolbarButtonSize(24, 22);
constexpr int ToolbarMargin = 2;
constexpr int ToolbarSpacing = 2;
constexpr int SeparatorWidth = 3;
constexpr int DateGapWidth = 99;
constexpr int DateLineInterval = 200;
// Two characters of the 12-pixel window font.
constexpr QSize CaptionSize(24, 15);

// A result box: read-only, but it takes the focus by click or Tab, so that its text can be
// selected, copied and read; its accessible name says what it shows.
QLineEdit *ReadOnlyBox(QLineEdit *box, const QRect &geometry, const QString &shows)
{
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::StrongFocus);
    box->setGeometry(geometry);
    box->setAccessibleName(shows);
    return box;
}

// A caption's size is set, not measured: measuring its text would load the font's glyphs before
// the window first shows.
QLabel *Caption(QLabel *label, const QPoint &place)
{
    label->setGeometry(QRect(place, CaptionSize));
    return label;
}

// A page button, used like the tab of a dialog: Tab reaches both, and Space or Enter on one
// shows its page.
class PageSwitch final : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            click();
            return;
        }
        QToolButton::keyPressEvent(event);
    }
    // A grouped button that takes the focus leaves Tab to itself alone; a page switch keeps
    // both buttons in the Tab order.
    void focusInEvent(QFocusEvent *event) override
    {
        QToolButton::focusInEvent(event);
        if (group()) {
            for (QAbstractButton *button : group()->buttons())
                button->setFocusPolicy(Qt::TabFocus);
        }
    }
};

}  // namespace

void TCalcForm::CreateControls()
{
    setObjectName(QStringLiteral("CalcForm"));
    setWindowTitle(QString::fromLatin1(ProgramName));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(SongFont(12));
    setFixedSize(ClientSize);
    move(FirstPosition());

    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    rows->addWidget(CreateToolbarPanel());

    auto *rule = Named(new QFrame(this), "Panel5");
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setFixedHeight(RuleHeight);
    rows->addWidget(rule);

    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    Panel7 = Named(new QWidget(this), "Panel7");
    Panel7->setFixedWidth(MarginWidth);
    SetBackground(Panel7, FirstBackColour());
    middle->addWidget(Panel7);
    CreateSheet();
    middle->addWidget(Memo1, 1);
    middle->addWidget(CreateSidePanel());
    rows->addLayout(middle, 1);

    rows->addWidget(CreateResultBar());

    CreateInvisibleControls();
    CreateTrayMenu();
    new FocusMark(*this);
    CreatePaperCommands();
    Memo1->setFocus();
}

// The border keeps the window at its own size, but the maximise button lets it fill the screen:
// the size limits that stop a drag are lifted while the window is maximised, so that neither the
// platform nor the window manager holds it at its own size, and come back when it is restored.
void TCalcForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMaximized()) {
        setMinimumSize(ClientSize);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else if (!isMinimized()) {
        setFixedSize(ClientSize);
    }
}

QWidget *TCalcForm::CreateToolbarPanel()
{
    Panel3 = Named(new QWidget(this), "Panel3");
    Panel3->setFixedHeight(ToolbarHeight);
    SetBackground(Panel3, FirstBackColour());
    auto *fill = new QHBoxLayout(Panel3);
    fill->setContentsMargins(0, 0, 0, 0);

    // A plain row of buttons: it looks like a fixed toolbar and starts faster than one. The
    // buttons stand at fixed steps, each followed by a separator, and the date line after a gap:
    // nothing in the row is measured, so no text is laid out before the window first shows.
    ToolBar1 = Named(new QWidget(Panel3), "ToolBar1");
    fill->addWidget(ToolBar1);

    // A button for each command that has one, in the table's order.
    const int top = (ToolbarHeight - ToolbarButtonSize.height()) / 2;
    int left = ToolbarMargin;
    for (const ToolbarCommand &entry : ToolbarCommands()) {
        if (!entry.button)
            continue;
        auto *button = Named(new QToolButton(ToolBar1), entry.button);
        if (entry.caption)
            button->setText(QString::fromUtf8(entry.caption));
        if (entry.image)
            button->setIcon(ToolbarIcon(entry.image));
        const QString hint = QString::fromUtf8(entry.hint);
        button->setToolTip(hint);
        button->setAccessibleName(entry.spokenName ? QString::fromUtf8(entry.spokenName) : hint);
        button->setGeometry(QRect(QPoint(left, top), ToolbarButtonSize));
        button->setAutoRaise(true);
        // Tab reaches the button; a click leaves the focus in the sheet.
        button->setFocusPolicy(Qt::TabFocus);
        if (entry.key) {
            const QKeySequence key(QString::fromLatin1(entry.key));
            button->setAccessibleDescription(
                QStringLiteral("%1 (%2)").arg(hint, key.toString(QKeySequence::NativeText)));
            auto *command = new QAction(button);
            command->setShortcut(key);
            addAction(command);
            connect(command, &QAction::triggered, this, entry.run);
        }
        left += ToolbarButtonSize.width() + ToolbarSpacing;
        auto *separator = new QFrame(ToolBar1);
        separator->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        separator->setGeometry(left, top, SeparatorWidth, ToolbarButtonSize.height());
        left += SeparatorWidth + ToolbarSpacing;
        if (entry.buttonMember)
            this->*entry.buttonMember = button;
        if (entry.toggles) {
            button->setCheckable(true);
            connect(button, &QToolButton::toggled, this, entry.run);
        } else {
            OnClick(button, [this, run = entry.run] { (this->*run)(); });
        }
    }

    ToolButton6->setChecked(VoiceOn());

    const DateLinePlace dateLine =
        PlaceDateLine(SongFont(14), left, left + DateGapWidth + ToolbarSpacing, ClientSize.width(),
                      ToolbarHeight);
    Label4 = Named(new QLabel(ToolBar1), "Label4");
    Label4->setFont(dateLine.font);
    SetTextColour(Label4, Blue);
    Label4->setGeometry(dateLine.geometry);
    return Panel3;
}

void TCalcForm::CreateSheet()
{
    Memo1 = Named(new SheetMemo(this), "Memo1");
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = Memo1->palette();
    palette.setColor(QPalette::Base, FirstSheetColour());
    palette.setColor(QPalette::Text, FirstTextColour());
    Memo1->setPalette(palette);
    Memo1->setToolTip(QStringLiteral("请在“=”前进行修改，按回车或等号计算结果"));
    Memo1->setAccessibleName(QStringLiteral("算式"));
    // Tab leaves the sheet for the next control, as in any form.
    Memo1->setTabChangesFocus(true);
}

QWidget *TCalcForm::CreateSidePanel()
{
    Panel1 = Named(new QWidget(this), "Panel1");
    Panel1->setFixedWidth(SidePanelWidth);
    SetBackground(Panel1, FirstBackColour());

    auto *bevel = Named(new QFrame(Panel1), "Bevel1");
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(11, 3, 80, 28);

    pageButtons_ = new QButtonGroup(this);
    auto pageButton = [this](const char *name, const QString &caption, int left) {
        auto *button = Named(new PageSwitch(Panel1), name);
        button->setText(caption);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::TabFocus);
        button->setGeometry(left, 6, 37, 22);
        pageButtons_->addButton(button);
        return button;
    };
    SpeedButton2 = pageButton("SpeedButton2", QStringLiteral("键盘"), 14);
    SpeedButton4 = pageButton("SpeedButton4", QStringLiteral("设置"), 51);
    SpeedButton2->setChecked(true);
    // The page follows the buttons' state however they are pressed: mouse, keyboard or an
    // assistive tool's action.
    connect(SpeedButton2, &QToolButton::toggled, this, &TCalcForm::SpeedButton2Click);
    connect(SpeedButton4, &QToolButton::toggled, this, &TCalcForm::SpeedButton4Click);

    CreateKeypadPage();
    return Panel1;
}

QWidget *TCalcForm::CreateResultBar()
{
    Panel4 = Named(new QWidget(this), "Panel4");
    Panel4->setFixedHeight(ResultBarHeight);
    SetBackground(Panel4, FirstBackColour());

    Label1 = Named(new QLabel(QStringLiteral("行1 列0 "), Panel4), "Label1");
    Label1->setFont(SongFont(14));
    SetTextColour(Label1, Blue);
    // A fixed size: the label's text changes with every caret move, and a label whose size may
    // follow its text asks the bar to lay itself out again at each change.
    Label1->setFixedSize(88, 16);
    Label1->move(6, 6);

    Label3 = Caption(Named(new QLabel(QStringLiteral("本次"), Panel4), "Label3"), QPoint(94, 8));
    Edit4 = ReadOnlyBox(Named(new QLineEdit(Panel4), "Edit4"), QRect(120, 4, 177, 21),
                        QStringLiteral("本次结果大写"));
    Label2 = Caption(Named(new QLabel(QStringLiteral("合计"), Panel4), "Label2"), QPoint(303, 8));
    Edit5 = ReadOnlyBox(Named(new QLineEdit(Panel4), "Edit5"), QRect(329, 4, 109, 21),
                        QStringLiteral("合计"));
    Edit2 = ReadOnlyBox(Named(new QLineEdit(Panel4), "Edit2"), QRect(441, 4, 189, 21),
                        QStringLiteral("合计大写"));
    return Panel4;
}

void TCalcForm::CreateInvisibleControls()
{
    Memo2 = Named(new QPlainTextEdit(this), "Memo2");
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2->hide();
    edt_copy = Named(new QLineEdit(this), "edt_copy");
    edt_copy->hide();

    Timer2 = Named(new QTimer(this), "Timer2");
    Timer2->setInterval(DateLineInterval);
    connect(Timer2, &QTimer::timeout, this, &TCalcForm::Timer2Timer);
}

void TCalcForm::CreateTrayMenu()
{
    PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
    // The menu shows each command's key; the window runs it on that key.
    for (const ToolbarCommand &entry : ToolbarCommands()) {
        if (!entry.item)
            continue;
        QAction *action =
            Named(PopupMenu1->addAction(QString::fromUtf8(entry.itemCaption)), entry.item);
        action->setCheckable(entry.checkable);
        if (entry.key)
            action->setShortcut(QKeySequence(QString::fromLatin1(entry.key)));
        if (entry.itemMember)
            this->*entry.itemMember = action;
        connect(action, &QAction::triggered, this, entry.run);
    }

    // Hiding to the tray has no button: the window takes its key, and names it in its own
    // description. Where the desktop has no tray, the key leaves the window where it is, as
    // nothing would bring it back.
    const QKeySequence hide = N2->shortcut();
    auto *hideCommand = new QAction(this);
    hideCommand->setShortcut(hide);
    addAction(hideCommand);
    connect(hideCommand, &QAction::triggered, this, [this] {
        if (trayIcon_ && QSystemTrayIcon::isSystemTrayAvailable())
            N2Click();
    });
    setAccessibleDescription(QStringLiteral("%1 (%2)").arg(
        N2->text().section(QLatin1Char('('), 0, 0), hide.toString(QKeySequence::NativeText)));
}

}  // namespace tallimo
