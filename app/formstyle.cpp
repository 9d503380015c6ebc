#include "formstyle.h"

#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace tallimo {

namespace {

const QString SongFamily = QStringLiteral("宋体");
const QString ArialFamily = QStringLiteral("Arial");

// Fonts with the Chinese glyphs: SimSun where it is installed, otherwise the small WenQuanYi font
// that the set-up installs, which loads faster than the large sets.
const QStringList ChineseFonts = {
    QStringLiteral("SimSun"),
    QStringLiteral("NSimSun"),
    QStringLiteral("WenQuanYi Micro Hei"),
    QStringLiteral("WenQuanYi Zen Hei"),
    QStringLiteral("Noto Sans CJK SC"),
    QStringLiteral("Droid Sans Fallback"),
};

// Arial's metric twins where installed, otherwise the plain sans serif that every desktop has.
// Nimbus Sans is left out: it comes as a Type 1 font that takes milliseconds to load at start.
const QStringList LatinFonts = {
    QStringLiteral("Liberation Sans"),
    QStringLiteral("Arimo"),
    QStringLiteral("DejaVu Sans"),
};

QFont SizedFont(const QString &family, int pixelSize)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace

void InstallFontSubstitutes()
{
    QFont::insertSubstitutions(SongFamily, ChineseFonts);
    QFont::insertSubstitutions(ArialFamily, LatinFonts + ChineseFonts);
}

QFont SongFont(int pixelSize) { return SizedFont(SongFamily, pixelSize); }

QFont ArialFont(int pixelSize) { return SizedFont(ArialFamily, pixelSize); }

QIcon ApplicationIcon() { return QIcon(QStringLiteral(":/icons/calculator.svg")); }

void SetBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

}  // namespace tallimo
