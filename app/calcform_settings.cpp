// The window's position, options and colours kept in the settings file: read once while the
// window is created, written in full by the exit procedure.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QScreen>
#include <QSpinBox>

#include "calcform.h"
#include "common/calcformsettings.h"

namespace tallimo {

namespace {

QPoint OnAScreen(const QPoint &saved, const QSize &size, const QPoint &first)
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->geometry();
    return PlaceOnAScreen(saved, size, screens, first);
}

// Shows a colour read from the file, unless it leaves the control as it is, and keeps it with
// what the control shows afterwards.
template <typename Show, typename Shown>
std::optional<KeptColour> ApplyColour(const std::optional<Colour> &colour, Show show, Shown shown)
{
    if (!colour)
        return std::nullopt;
    if (const auto look = ShownColour(*colour, QApplication::palette()))
        show(*look);
    return KeptColour{*colour, shown()};
}

}  // namespace

void TCalcForm::LoadSettings()
{
    const SettingsFolders folders = seams_.settingsFolders();
    const CalcFormReading reading = LoadCalcForm(folders);
    if (!reading.apply)
        return;
    const CalcFormSettings &settings = reading.settings;

    move(OnAScreen(QPoint(settings.iLeft, settings.iTop), size(), pos()));
    CheckBox1->setChecked(settings.ontop);
    SetStayOnTop(CheckBox1->isChecked());
    CheckBox2->setChecked(settings.voice);
    // Also when the box kept its state: fast reading and the voice button follow the voice.
    CheckBox2Click();
    CheckBox5->setChecked(settings.readnum);
    CheckBox4->setChecked(settings.daxie);
    CheckBox3->setChecked(settings.scrollBars);
    CheckBox6->setChecked(settings.showdate);
    Panel1->setHidden(!settings.panel1);
    ShowDateLine(CheckBox6->isChecked());
    ShowSheetScrollBars(CheckBox3->isChecked());
    SpinEdit1->setValue(settings.number);
    SpinEdit3->setValue(settings.rate);
    SpinEdit2->setValue(settings.fontsize);
    SetSheetFontSize(SpinEdit2->value());

    keptFontColour_ = ApplyColour(
        settings.fontcolor,
        [this](const QColor &colour) { SetSheetColour(QPalette::Text, colour); },
        [this] { return SheetColour(QPalette::Text); });
    keptSheetColour_ = ApplyColour(
        settings.memocolor,
        [this](const QColor &colour) { SetSheetColour(QPalette::Base, colour); },
        [this] { return SheetColour(QPalette::Base); });
    keptBackColour_ = ApplyColour(
        settings.backcolor, [this](const QColor &colour) { SetBackColour(colour); },
        [this] { return BackColour(); });

    // The decimals go back as the box holds them, once the window shows.
    numberToWriteBack_ = SpinEdit1->value();
}

// Start-up shows no message: should the file be out of reach, the save at exit tells the user.
void TCalcForm::WriteNumberBack(int number) { SaveNumber(seams_.settingsFolders(), number); }

void TCalcForm::SaveSettings(bool mayShowFailure)
{
    CalcFormSettings settings;
    settings.iTop = pos().y();
    settings.iLeft = pos().x();
    settings.ontop = CheckBox1->isChecked();
    settings.voice = CheckBox2->isChecked();
    settings.readnum = CheckBox5->isChecked();
    settings.daxie = CheckBox4->isChecked();
    settings.scrollBars = CheckBox3->isChecked();
    settings.showdate = CheckBox6->isChecked();
    settings.panel1 = !Panel1->isHidden();
    settings.backcolor = SavedColour(BackColour(), keptBackColour_);
    settings.memocolor = SavedColour(SheetColour(QPalette::Base), keptSheetColour_);
    settings.fontcolor = SavedColour(SheetColour(QPalette::Text), keptFontColour_);
    settings.fontsize = SheetFontSize();
    settings.number = SpinEdit1->value();
    settings.rate = SpinEdit3->value();

    const SettingsFile::SaveResult result = SaveCalcForm(seams_.settingsFolders(), settings);
    if (!result.saved && mayShowFailure) {
        seams_.showMessage(
            QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(result.path)));
    }
}

}  // namespace tallimo
