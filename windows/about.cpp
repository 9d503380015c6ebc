// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/about.h"

#include <QFrame>
#include <QLabel>

#include "common/memorytexts.h"
#include "common/programinfo.h"
#include "windows/desktopcentring.h"
#include "windows/homepage.h"
#include "windows/linklabel.h"
#include "windows/windowfont.h"

namespace tallimo {

const QUrl Tf_about::HomePage(QString::fromLatin1(HomePageAddress));
const QUrl Tf_about::MailAddress(QStringLiteral("mailto:tallimo@example.org"));
const QUrl Tf_about::FirstDownloadPage(QStringLiteral("https://download.example.com/tallimo/"));
const QUrl Tf_about::SecondDownloadPage(QStringLiteral("https://soft.example.net/tallimo/"));

namespace {

const QSize ClientSize(351, 242);
const QRect Bevel1Place(16, 160, 319, 2);

// The looks of a label, by name, so that a row of the window's table reads by itself.
enum Weight { Regular, Bold };
enum Ink { Black, Blue };
enum Showing { Shown, Hidden };
// The pixel size of a label in the window's own font.
constexpr int WindowFontSize = 0;

}  // namespace

Tf_about::Tf_about(const ProgramSeams &seams, QWidget *parent)
    : QDialog(parent), openAddress_(seams.openAddress)
{
    setObjectName(QStringLiteral("f_about"));
    setWindowTitle(QString::fromLatin1(ProgramName));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(ClientSize);
    // The blue links and the text keep their light ground on a dark desktop palette.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    // On the middle of the desktop; a parent would otherwise draw it over itself.
    CentreOnEveryShowing(*this);
    // The program's pixel font is the window's own, so the fonts a desktop theme gives labels
    // do not reach the fixed layout; each label's font is made from it.
    KeepProgramFont(*this);
    CreateControls();
    FormCreate(seams);
}

void Tf_about::CreateControls()
{
    struct LabelFacts {
        const char *name;
        QString text;
        QRect place;
        int pixelSize;
        Weight weight;
        Ink ink;
        Showing showing;
        // A label with a click handler is a link.
        void (Tf_about::*click)() = nullptr;
        QLabel *Tf_about::*member = nullptr;
    };
    const QString title =
        QStringLiteral("%1 V%2").arg(QLatin1String(ProgramName), QLatin1String(ProgramVersion));
    // clang-format off
    const LabelFacts labels[] = {
        // A label as wide as the window is centred in it.
        {"Label1", title, {0, 20, 351, 30}, 19, Bold, Black, Shown},
        {"Label10", QStringLiteral("软件下载 (example.com)"), {40, 60, 130, 20},
         WindowFontSize, Regular, Blue, Hidden, &Tf_about::Label10Click},
        {"Label9", QStringLiteral("软件下载 (example.net)"), {180, 60, 130, 20},
         WindowFontSize, Regular, Blue, Hidden, &Tf_about::Label9Click},
        {"Label7", QStringLiteral("作者主页"), {40, 88, 120, 24},
         16, Regular, Blue, Shown, &Tf_about::Label7Click},
        {"Label2", QStringLiteral("联系作者："), {40, 124, 80, 20},
         WindowFontSize, Regular, Blue, Shown},
        {"Label6", MailAddress.path(), {120, 124, 200, 20},
         WindowFontSize, Bold, Blue, Shown, &Tf_about::Label2Click},
        {"Label3", QStringLiteral("物理内存:"), {150, 176, 76, 20},
         WindowFontSize, Regular, Black, Shown},
        {"PhysMem", QStringLiteral("0"), {226, 176, 120, 20},
         WindowFontSize, Regular, Black, Shown, nullptr, &Tf_about::PhysMem},
        {"Label4", QStringLiteral("使用内存:"), {150, 204, 76, 20},
         WindowFontSize, Regular, Black, Shown},
        {"FreeRes", QStringLiteral("0"), {226, 204, 120, 20},
         WindowFontSize, Regular, Black, Shown, nullptr, &Tf_about::FreeRes},
    };
    // clang-format on
    for (const LabelFacts &facts : labels) {
        auto *label = new LinkLabel(facts.text, this);
        label->setObjectName(QString::fromLatin1(facts.name));
        label->setGeometry(facts.place);
        QFont font = this->font();
        if (facts.pixelSize != WindowFontSize)
            font.setPixelSize(facts.pixelSize);
        font.setBold(facts.weight == Bold);
        label->setFont(font);
        if (facts.ink == Blue) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, Qt::blue);
            label->setPalette(palette);
        }
        if (facts.place.width() == ClientSize.width())
            label->setAlignment(Qt::AlignCenter);
        label->setVisible(facts.showing == Shown);
        if (facts.click) {
            label->MakeLink();
            connect(label, &LinkLabel::clicked, this, facts.click);
        }
        if (facts.member)
            this->*facts.member = label;
    }

    auto *Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(Bevel1Place);
}

void Tf_about::FormCreate(const ProgramSeams &seams)
{
    const MemoryFigures figures = seams.memoryFigures();
    PhysMem->setText(PhysicalMemoryText(figures.totalBytes, QLocale()));
    FreeRes->setText(MemoryLoadText(figures));
}

void Tf_about::Label2Click() { openAddress_(MailAddress); }

void Tf_about::Label7Click() { openAddress_(HomePage); }

void Tf_about::Label9Click() { openAddress_(SecondDownloadPage); }

void Tf_about::Label10Click() { openAddress_(FirstDownloadPage); }

}  // namespace tallimo
