// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/formstyle.h"

#include <qdrawutil.h>
#include <QFontDatabase>
#include <QGroupBox>
#include <QImage>
#include <QList>
#include <QPalette>
#include <QPixmap>
#include <QProxyStyle>
#include <QStringList>
#include <QStyleOption>
#include <QToolButton>
#include <QWidget>

#include <cstring>

#include "app/settingscolour.h"
#include "app/toolbarimages.h"
#include "common/calcformsettings.h"

namespace tallimo {

namespace {

// The form defaults name fixed colours, which show the same on every palette.
QColor FirstColour(const std::optional<Colour> &colour)
{
    return ShownColour(colour.value(), QPalette()).value();
}

}  // namespace

QPoint FirstPosition()
{
    const CalcFormSettings defaults = FirstStartSettings();
    return {defaults.left, defaults.top};
}

QColor FirstBackColour() { return FirstColour(FirstStartSettings().backColour); }

QColor FirstSheetColour() { return FirstColour(FirstStartSettings().sheetColour); }

QColor FirstTextColour() { return FirstColour(FirstStartSettings().fontColour); }

namespace {

const QColor GreyText(0x80, 0x80, 0x80);
const QString SongFamily = QStringLiteral("宋体");
const QString ArialFamily = QStringLiteral("Arial");

// Fonts with the Chinese glyphs: SimSun where it is installed, otherwise the small WenQuanYi font
// that the set-up installs, which loads faster than the large sets. Each under every name the
// font database may list it by: under a Chinese locale it gives the fonts' Chinese names.
const QList<QStringList> ChineseFonts = {
    {QStringLiteral("SimSun"), QStringLiteral("宋体")},
    {QStringLiteral("NSimSun"), QStringLiteral("新宋体")},
    {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("文泉驿微米黑"),
     QStringLiteral("文泉驛微米黑")},
    {QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("文泉驿正黑"),
     QStringLiteral("文泉驛正黑")},
    {QStringLiteral("Noto Sans CJK SC")},
    {QStringLiteral("Droid Sans Fallback")},
};

// Arial or its metric twins where installed, otherwise the plain sans serif that every desktop
// has. Nimbus Sans is left out: it comes as a Type 1 font that takes milliseconds to load.
const QList<QStringList> LatinFonts = {
    {QStringLiteral("Arial")},
    {QStringLiteral("Liberation Sans")},
    {QStringLiteral("Arimo")},
    {QStringLiteral("DejaVu Sans")},
};

// The first of the wanted fonts that is installed, by the name under which the font database
// lists it; a family the database lists once per foundry ("Arimo [GOOG]") counts under its plain
// name. A desktop may list thousands of families: each is read once, at the start, without
// copying its name.
QString FirstInstalled(const QList<QStringList> &wanted, const QStringList &installed)
{
    qsizetype first = wanted.size();
    QString found;
    for (const QString &name : installed) {
        const QStringView family = QStringView(name).left(name.indexOf(QLatin1String(" [")));
        for (qsizetype i = 0; i < first; ++i) {
            for (const QString &wantedName : wanted[i]) {
                if (family.compare(wantedName, Qt::CaseInsensitive) == 0) {
                    first = i;
                    found = wantedName;
                    break;
                }
            }
        }
    }
    return found;
}

WindowFontFamilies &ChosenFamilies()
{
    static WindowFontFamilies families{SongFamily, ArialFamily};
    return families;
}

// Full hinting draws the glyphs by the font's own instructions. The light hinting most desktops
// ask for runs the auto-hinter instead, which first reads dozens of sample glyphs spread over a
// Chinese font's file, and the window would keep those pages of the file mapped for good.
QFont SizedFont(const QString &family, int pixelSize)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace

WindowFontFamilies ChooseWindowFonts(const QStringList &installed)
{
    WindowFontFamilies chosen{FirstInstalled(ChineseFonts, installed),
                              FirstInstalled(LatinFonts, installed)};
    if (chosen.song.isEmpty())
        chosen.song = SongFamily;
    if (chosen.arial.isEmpty())
        chosen.arial = chosen.song == SongFamily ? ArialFamily : chosen.song;
    return chosen;
}

void UseInstalledWindowFonts() { ChosenFamilies() = ChooseWindowFonts(QFontDatabase::families()); }

QFont SongFont(int pixelSize) { return SizedFont(ChosenFamilies().song, pixelSize); }

QFont ArialFont(int pixelSize) { return SizedFont(ChosenFamilies().arial, pixelSize); }

// The images are pixels compiled into the program: reading an image file, even one of a named
// format, would first load every image plugin to ask whether it reads the format, and an SVG
// file the SVG renderer as well.
QIcon ToolbarIcon(const char *name)
{
    QIcon icon;
    for (std::size_t i = 0; i < ToolbarImageCount; ++i) {
        const ToolbarImage &image = ToolbarImages[i];
        if (std::strcmp(image.name, name) != 0)
            continue;
        QPixmap pixmap =
            QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(image.pixels), image.width,
                                      image.height, QImage::Format_ARGB32_Premultiplied));
        pixmap.setDevicePixelRatio(image.scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon ApplicationIcon() { return ToolbarIcon("calculator"); }

namespace {

// The side pages' frame, etched as a desktop's group box is. Qt's own style draws it from an
// image file, and reading that in the first paint would load every image plugin.
class SidePageStyle final : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element == PE_FrameGroupBox)
            qDrawShadeRect(painter, option->rect, option->palette, true, 1, 0);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

}  // namespace

QGroupBox *SidePage(QGroupBox *page)
{
    auto *style = new SidePageStyle;
    style->setParent(page);
    page->setStyle(style);
    page->setGeometry(1, 35, 100, 343);
    SetBackground(page, FirstBackColour());
    return page;
}

QToolButton *PageButton(QToolButton *button, const QString &caption, const QRect &geometry)
{
    button->setText(caption);
    button->setGeometry(geometry);
    // The sheet keeps the keyboard focus while the buttons are used.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void FillBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetBackground(QWidget *widget, const QColor &colour)
{
    FillBackground(widget, colour);
    QPalette palette = widget->palette();
    // The text on a panel and the buttons' faces are fixed with its colour, so a dark desktop
    // palette leaves the panel readable.
    palette.setColor(QPalette::WindowText, Black);
    palette.setColor(QPalette::Button, ButtonFace);
    palette.setColor(QPalette::ButtonText, Black);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, GreyText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, GreyText);
    widget->setPalette(palette);
}

void SetTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

}  // namespace tallimo
