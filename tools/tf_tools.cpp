// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The tools window's start, its show sequence, the first page's Calculate with the key filter of
// its number fields, and the countdown.

#include "tools/tf_tools.h"

#include <QDateEdit>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>

#include <utility>

#include "common/defaulterrorhandler.h"
#include "tools/cctab.h"
#include "tools/datecalculation.h"
#include "windows/desktopcentring.h"

namespace tallimo {

namespace {

// The character a key press types into an edit: Backspace and Enter their control codes, Ctrl
// with a letter that letter's control code (Ctrl+C, Ctrl+V, Ctrl+X), and keys such as Delete,
// Tab or the arrows none.
std::optional<QChar> TypedCharacter(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return std::nullopt;
    default:
        break;
    }
    if (key.modifiers().testFlag(Qt::ControlModifier) && key.key() >= Qt::Key_A &&
        key.key() <= Qt::Key_Z)
        return QChar(key.key() - Qt::Key_A + 1);
    if (key.text().isEmpty())
        return std::nullopt;
    return key.text().front();
}

}  // namespace

Tf_tools::Tf_tools(const ProgramSeams &seams, std::function<void(const QUrl &)> openWebPage,
                   const RegionalSettings &regional, QWidget *parent)
    : QWidget(parent), seams_(seams), openWebPage_(std::move(openWebPage)), regional_(regional)
{
    CreateControls();
    CentreOnEveryShowing(*this);
    for (QLineEdit *field : {Edit3, Edit4, Edit5}) {
        field->installEventFilter(this);
        // Typed text comes as keys, so that the key filter sees every character.
        field->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    FormCreate();
}

Tf_tools::~Tf_tools() = default;

void Tf_tools::ShowTools()
{
    show();
    raise();
    activateWindow();
}

void Tf_tools::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // The captions are measured in the window's own font when it first shows: measured with the
    // window, made hidden at start, they would load glyphs that nothing draws yet.
    for (QLabel *caption : std::exchange(captionsToSize_, {}))
        caption->adjustSize();
    RunHandler(seams_, [this] { FormShow(); });
}

bool Tf_tools::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        (watched == Edit3 || watched == Edit4 || watched == Edit5))
        return !Edit3KeyPress(*static_cast<const QKeyEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

void Tf_tools::FormCreate()
{
    const QDateTime now = seams_.now();
    if (const auto stored = LoadCountdown(seams_.settingsFolders(), now.date(), regional_))
        ShowCountdown(*stored);
}

void Tf_tools::FormShow()
{
    const QDateTime now = seams_.now();
    Date1->setDate(now.date());
    Time1->setTime(now.time());
    Date2->setDate(now.date());
    Time2->setTime(now.time());
    RefreshCountdown();
}

bool Tf_tools::Edit3KeyPress(const QKeyEvent &key) const
{
    const std::optional<QChar> typed = TypedCharacter(key);
    if (!typed)
        return true;
    const QChar c = *typed;
    return c == QLatin1Char('-') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           c == QChar(13);
}

void Tf_tools::BitBtn1Click()
{
    DateCalculationInput input;
    input.days = Edit3->text();
    input.hours = Edit4->text();
    input.minutes = Edit5->text();
    input.startDate = Date1->date();
    input.startTime = Time1->time();
    input.firstDate = Date2->date();
    input.firstTime = Time2->time();
    input.secondDate = Date3->date();
    input.secondTime = Time3->time();
    const DateCalculationResult result = CalculateDates(input, regional_);
    Edit2->setText(result.sum);
    Edit6->setText(result.days);
    Edit7->setText(result.hours);
    Edit8->setText(result.minutes);
    Edit9->setText(result.seconds);
}

void Tf_tools::Button7Click()
{
    const Countdown countdown{gaokao->date(), Time4->time(), Edit1->text()};
    const SettingsFile::SaveResult result =
        SaveCountdown(seams_.settingsFolders(), countdown, regional_);
    if (!result.saved) {
        seams_.showMessage(
            QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(result.path)));
        return;
    }
    RefreshCountdown();
}

void Tf_tools::RefreshCountdown()
{
    Date3->setDate(gaokao->date());
    Time3->setTime(Time4->time());
    BitBtn1Click();
    Label12->setText(CountdownText(Edit1->text(), Edit7->text().toLongLong()));
}

void Tf_tools::ShowCountdown(const Countdown &countdown)
{
    gaokao->setDate(countdown.date);
    Time4->setTime(countdown.time);
    Edit1->setText(countdown.name);
}

}  // namespace tallimo
