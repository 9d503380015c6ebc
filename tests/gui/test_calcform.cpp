// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QSpinBox>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <memory>
#include <utility>

#include "app/calcform.h"
#include "app/controlnames.h"
#include "app/datelineplace.h"
#include "app/desktopseams.h"
#include "app/formstyle.h"
#include "tests/gui/formtesting.h"

using namespace tallimo;

namespace {

// The main window shown on the offscreen screen.
struct ShownForm : FormUnderTest {
    ShownForm()
    {
        Show();
        if (!QTest::qWaitFor([this] { return Tray() != nullptr; }))
            qFatal("the tray icon did not go up");
    }

    QSystemTrayIcon *Tray() const { return form->findChild<QSystemTrayIcon *>(); }
};

// The visible controls of a kind inside a part of the window, left to right.
template <typename Widget>
QList<Widget *> VisibleLeftToRight(QWidget *part)
{
    QList<Widget *> found;
    for (Widget *child : part->findChildren<Widget *>()) {
        if (child->isVisible())
            found << child;
    }
    std::sort(found.begin(), found.end(), [part](const Widget *a, const Widget *b) {
        return a->mapTo(part, QPoint()).x() < b->mapTo(part, QPoint()).x();
    });
    return found;
}

// The same, row by row from the top, each row left to right.
template <typename Widget>
QList<Widget *> VisibleInRows(QWidget *part)
{
    QList<Widget *> found = VisibleLeftToRight<Widget>(part);
    std::stable_sort(found.begin(), found.end(),
                     [](const Widget *a, const Widget *b) { return a->y() < b->y(); });
    return found;
}

// The one visible button inside a part of the window that shows the caption.
QToolButton *WithCaption(QWidget *part, const QString &caption)
{
    QToolButton *found = nullptr;
    for (QToolButton *button : part->findChildren<QToolButton *>()) {
        if (button->isVisible() && button->text() == caption) {
            if (found)
                qFatal("two buttons show %s", qPrintable(caption));
            found = button;
        }
    }
    if (!found)
        qFatal("no button shows %s", qPrintable(caption));
    return found;
}

enum class WayOut { ExitButton, TrayMenu, CloseBox, SessionEnd, ApplicationQuits };

void Leave(ShownForm &shown, WayOut way)
{
    switch (way) {
    case WayOut::ExitButton:
        QTest::mouseClick(shown.Child<QToolButton>("SpeedButton45"), Qt::LeftButton);
        break;
    case WayOut::TrayMenu:
        shown.Child<QAction>("N3")->trigger();
        break;
    case WayOut::CloseBox:
        shown.form->close();
        break;
    case WayOut::SessionEnd:
        emit qApp->commitDataRequest(*qApp->findChild<QSessionManager *>());
        break;
    case WayOut::ApplicationQuits:
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
        break;
    }
}

// The controls of the window's layout, by name: its regions and the controls that stand alone in
// them, the controls of the toolbar, tray menu and keypad as their tables name them, and the
// settings page's as its tables name them.
QStringList LayoutNames()
{
    const QStringList regions = {
        "Panel3", "ToolBar1", "Label4",       "Panel5",       "Panel7",    "Memo1",
        "Panel1", "Bevel1",   "SpeedButton2", "SpeedButton4", "GroupBox1", "Panel4",
        "Label1", "Label3",   "Edit4",        "Label2",       "Edit5",     "Edit2",
        "Memo2",  "edt_copy", "Timer2",       "PopupMenu1"};
    return regions + TCalcForm::TableControlNames() + SettingsPage::ControlNames();
}

const WayOut AllWaysOut[] = {WayOut::ExitButton, WayOut::TrayMenu, WayOut::CloseBox,
                             WayOut::SessionEnd, WayOut::ApplicationQuits};

}  // namespace

Q_DECLARE_METATYPE(WayOut)

class TestCalcForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetUpWindowTests(); }

    void window()
    {
        ShownForm shown;
        TCalcForm &form = *shown.form;
        QCOMPARE(form.objectName(), QStringLiteral("CalcForm"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Tallimo"));
        QCOMPARE(form.size(), QSize(652, 440));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.pos(), QPoint(200, 128));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(form.font(), SongFont(12));
    }

    // "宋体" and Arial by the installed fonts that stand in for them.
    void windowFonts_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("song");
        QTest::addColumn<QString>("arial");
        QTest::newRow("SimSun, Arial")
            << QStringList{"DejaVu Sans", "WenQuanYi Micro Hei", "SimSun", "Arial", "Arimo"}
            << "SimSun"
            << "Arial";
        QTest::newRow("WenQuanYi, DejaVu")
            << QStringList{"DejaVu Sans", "WenQuanYi Micro Hei"} << "WenQuanYi Micro Hei"
            << "DejaVu Sans";
        QTest::newRow("twins by foundry")
            << QStringList{"Arimo [GOOG]", "liberation sans [1ASC]", "Noto Sans CJK SC"}
            << "Noto Sans CJK SC"
            << "Liberation Sans";
        QTest::newRow("Chinese only") << QStringList{"WenQuanYi Zen Hei"} << "WenQuanYi Zen Hei"
                                      << "WenQuanYi Zen Hei";
        QTest::newRow("Latin only") << QStringList{"DejaVu Sans"} << "宋体"
                                    << "DejaVu Sans";
        QTest::newRow("neither") << QStringList{"Cantarell"} << "宋体"
                                 << "Arial";
        // Under a Chinese locale the font database gives the Chinese names.
        QTest::newRow("文泉驿微米黑 before Droid Sans Fallback")
            << QStringList{"DejaVu Sans", "Droid Sans Fallback", "文泉驿微米黑"} << "文泉驿微米黑"
            << "DejaVu Sans";
        QTest::newRow("文泉驛正黑 before Noto Sans CJK SC")
            << QStringList{"Noto Sans CJK SC", "文泉驛正黑"} << "文泉驛正黑"
            << "文泉驛正黑";
        QTest::newRow("宋体 before 文泉驿微米黑")
            << QStringList{"文泉驿微米黑", "宋体", "Arimo"} << "宋体"
            << "Arimo";
    }

    void windowFonts()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, song);
        QFETCH(QString, arial);
        const WindowFontFamilies chosen = ChooseWindowFonts(installed);
        QCOMPARE(chosen.song, song);
        QCOMPARE(chosen.arial, arial);
    }

    // Once the window shows, it has named exactly the controls of the layout, each once.
    void everyNamedControlOnce()
    {
        ShownForm made;
        QCOMPARE(NamingFaults(*made.form, LayoutNames()), QStringList());
        QStringList given = made.form->ControlNames();
        QStringList expected = LayoutNames();
        given.sort();
        expected.sort();
        QCOMPARE(given, expected);
    }

    void namingFaultsAreFound()
    {
        FormUnderTest made;
        auto *stray = new QWidget(made.Child("Panel1"));
        stray->setObjectName(QStringLiteral("Memo1"));
        const QStringList names = {"Memo1", "SpeedButon6", "Panel4", "Panel1", "Panel4"};
        QCOMPARE(NamingFaults(*made.form, names),
                 QStringList({"Memo1 doubled", "SpeedButon6 missing", "Panel4 doubled"}));
    }

    // Where each region sits in the 652 x 440 client area, and its colour.
    void regions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QColor>("colour");

        QTest::newRow("Panel3") << "Panel3" << QRect(0, 0, 652, 30) << MoneyGreen;
        QTest::newRow("Panel5") << "Panel5" << QRect(0, 30, 652, 2) << QColor();
        QTest::newRow("Panel7") << "Panel7" << QRect(0, 32, 9, 380) << MoneyGreen;
        QTest::newRow("Memo1") << "Memo1" << QRect(9, 32, 541, 380) << QColor();
        QTest::newRow("Panel1") << "Panel1" << QRect(550, 32, 102, 380) << MoneyGreen;
        QTest::newRow("Panel4") << "Panel4" << QRect(0, 412, 652, 28) << MoneyGreen;
    }
    void regions()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QColor, colour);
        ShownForm shown;
        QWidget *region = shown.Child(name);
        QCOMPARE(QRect(region->mapTo(shown.form.get(), QPoint(0, 0)), region->size()), geometry);
        if (colour.isValid()) {
            QVERIFY(region->autoFillBackground());
            QCOMPARE(region->palette().color(QPalette::Window), colour);
        }
    }

    void sheet()
    {
        ShownForm shown;
        auto *memo = shown.Child<QPlainTextEdit>("Memo1");
        QCOMPARE(memo->frameShape(), QFrame::NoFrame);
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(memo->palette().color(QPalette::Base), Teal);
        QCOMPARE(memo->palette().color(QPalette::Text), White);
        QCOMPARE(memo->font(), ArialFont(21));
        QCOMPARE(memo->toolTip(), QStringLiteral("请在“=”前进行修改，按回车或等号计算结果"));
        QCOMPARE(shown.form->focusWidget(), memo);

        QVERIFY(shown.Child("Memo2")->isHidden());
        QVERIFY(shown.Child("edt_copy")->isHidden());
        auto *timer = shown.Child<QTimer>("Timer2");
        QCOMPARE(timer->interval(), 200);
        QVERIFY(timer->isActive());
    }

    // The side panel's two buttons show their pages: "键盘" the keys, "设置" the settings.
    void sidePanelButtonsShowTheirPages()
    {
        ShownForm shown;
        QToolButton *keys = WithCaption(shown.Child("Panel1"), QStringLiteral("键盘"));
        QToolButton *settings = WithCaption(shown.Child("Panel1"), QStringLiteral("设置"));
        QVERIFY(shown.Child("GroupBox1")->isVisible());
        QTest::mouseClick(settings, Qt::LeftButton);
        QVERIFY(shown.Child("GroupBox2")->isVisible());
        QVERIFY(!shown.Child("GroupBox1")->isVisible());
        QTest::mouseClick(keys, Qt::LeftButton);
        QVERIFY(shown.Child("GroupBox1")->isVisible());
        QVERIFY(!shown.Child("GroupBox2")->isVisible());
    }

    // The result bar, left to right: where the caret is, then "本次" before the box of the line's
    // result in words, and "合计" before the boxes of the total and the total in words.
    void resultBarCaptions()
    {
        ShownForm shown;
        QStringList seen;
        for (const QWidget *child : VisibleLeftToRight<QWidget>(shown.Child("Panel4"))) {
            if (const auto *label = qobject_cast<const QLabel *>(child))
                seen << label->text();
            else if (qobject_cast<const QLineEdit *>(child))
                seen << "[" + child->accessibleName() + "]";
        }
        QCOMPARE(seen, QStringList(
                           {"行1 列0 ", "本次", "[本次结果大写]", "合计", "[合计]", "[合计大写]"}));
    }

    // The settings page's captions: on each colour button, and a caption on the row of each
    // number box, left of it.
    void settingsCaptions()
    {
        ShownForm shown;
        QTest::mouseClick(WithCaption(shown.Child("Panel1"), QStringLiteral("设置")),
                          Qt::LeftButton);
        QWidget *page = shown.Child("GroupBox2");
        for (const SettingsPage::ColourButton &row : SettingsPage::ColourButtons())
            QVERIFY(WithCaption(page, QString::fromUtf8(row.caption))->isVisible());
        for (const SettingsPage::NumberBox &row : SettingsPage::NumberBoxes()) {
            const QString caption = QString::fromUtf8(row.label);
            const QWidget *box = shown.Child(QLatin1String(row.name));
            const auto captions = page->findChildren<QWidget *>();
            const auto label = std::find_if(captions.begin(), captions.end(), [&](QWidget *w) {
                return w->isVisible() && w->property("text").toString() == caption;
            });
            QVERIFY2(label != captions.end(), row.label);
            QVERIFY2((*label)->geometry().right() < box->x(), row.label);
            QVERIFY2((*label)->y() < box->geometry().bottom() &&
                         box->y() < (*label)->geometry().bottom(),
                     row.label);
        }
    }

    // Each command of the toolbar's table as the user meets it: its button in its place on the
    // bar, counted left to right, with its hint, its caption or its image, what it is announced
    // by and the key it names. The image is the one drawn from its source, in full detail on a
    // screen of twice the density.
    void toolbarButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("spokenName");
        QTest::addColumn<QString>("key");
        int place = 0;
        for (const ToolbarCommand &command : TCalcForm::ToolbarCommands()) {
            if (!command.button)
                continue;
            const QString hint = QString::fromUtf8(command.hint);
            QTest::addRow("%s %s", command.button, command.hint)
                << QString::fromLatin1(command.button) << place++ << hint
                << QString::fromUtf8(command.caption) << QString::fromLatin1(command.image)
                << (command.spokenName ? QString::fromUtf8(command.spokenName) : hint)
                << QString::fromLatin1(command.key);
        }
    }
    void toolbarButtons()
    {
        QFETCH(QString, name);
        QFETCH(int, place);
        QFETCH(QString, hint);
        QFETCH(QString, caption);
        QFETCH(QString, image);
        QFETCH(QString, spokenName);
        QFETCH(QString, key);
        ShownForm shown;
        const QList<QToolButton *> onTheBar =
            VisibleLeftToRight<QToolButton>(shown.Child("ToolBar1"));
        QVERIFY(place < onTheBar.size());
        QToolButton *button = onTheBar.at(place);
        QCOMPARE(button->objectName(), name);
        QCOMPARE(button->size(), QSize(24, 22));
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->accessibleName(), spokenName);
        QCOMPARE(button->accessibleDescription().isEmpty(), key.isEmpty());
        QVERIFY(button->accessibleDescription().contains(key));
        QCOMPARE(button->icon().isNull(), image.isEmpty());
        if (image.isEmpty())
            return;
        for (const qreal density : {1.0, 2.0}) {
            const QString file = QStringLiteral(TOOLBAR_IMAGES_DIR "/%1%2.png")
                                     .arg(image, density == 2 ? QStringLiteral("@2x") : QString());
            const QImage drawn = QImage(file).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QVERIFY2(!drawn.isNull(), qPrintable(file));
            const QPixmap shownImage = button->icon().pixmap(QSize(16, 16), density);
            QCOMPARE(shownImage.devicePixelRatio(), density);
            QCOMPARE(shownImage.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     drawn);
        }
    }

    // The toolbar holds the table's buttons and no others, in the table's order, and the date
    // line after the last of them, beyond the gap that follows it.
    void toolbarOrder()
    {
        ShownForm shown;
        const QList<QToolButton *> onTheBar =
            VisibleLeftToRight<QToolButton>(shown.Child("ToolBar1"));
        QStringList names;
        for (const QToolButton *button : onTheBar)
            names << button->objectName();
        QCOMPARE(names, ToolbarButtonNames());
        QVERIFY(shown.Child("Label4")->x() > onTheBar.back()->x() + 99);
    }

    // The whole date line shows in whatever font stands in for the window font: a wider font
    // takes room from the gap after the buttons, one too wide even for that is made smaller.
    void dateLineShowsWhole_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<bool>("inItsPlace");
        QTest::addColumn<bool>("sameSize");
        QFont wide = SongFont(14);
        wide.setLetterSpacing(QFont::AbsoluteSpacing, 1);
        QFont huge = SongFont(40);
        QTest::newRow("a narrow font") << SongFont(10) << true << true;
        QTest::newRow("a wider font") << wide << false << true;
        QTest::newRow("a font too wide for the gap") << huge << false << false;
    }
    void dateLineShowsWhole()
    {
        QFETCH(QFont, font);
        QFETCH(bool, inItsPlace);
        QFETCH(bool, sameSize);
        constexpr int Earliest = 374, Start = 475, End = 652, Height = 30;
        const DateLinePlace place = PlaceDateLine(font, Earliest, Start, End, Height);
        QCOMPARE(place.geometry.left() == Start, inItsPlace);
        QVERIFY(place.geometry.left() >= Earliest);
        QCOMPARE(place.geometry.right(), End - 1);
        QCOMPARE(place.geometry.height(), Height);
        QCOMPARE(place.font.pixelSize() == font.pixelSize(), sameSize);
        QVERIFY(WidestDateLineWidth(place.font) <= place.geometry.width());
        const QFontMetrics metrics(place.font);
        for (const char *line : {"2026-12-10 星期四 19:51:58", "2088-08-08 星期三 08:08:08"})
            QVERIFY(metrics.horizontalAdvance(QString::fromUtf8(line)) <= place.geometry.width());

        // The window's own date line shows whole in the font it has.
        ShownForm shown;
        auto *dateLine = shown.Child<QLabel>("Label4");
        QVERIFY(WidestDateLineWidth(dateLine->font()) <= dateLine->width());
        QCOMPARE(dateLine->geometry().right(), End - 1);
    }

    // Maximised, the window fills the screen's free area and the sheet takes the room; restored,
    // it has its own size again.
    void maximise()
    {
        ShownForm shown;
        auto *memo = shown.Child("Memo1");
        const QRect screen = shown.form->screen()->availableGeometry();
        shown.form->showMaximized();
        QTRY_VERIFY(shown.form->isMaximized());
        QTRY_COMPARE(shown.form->frameGeometry().size(), screen.size());
        QCOMPARE(memo->width(), shown.form->width() - 9 - 102);
        QCOMPARE(shown.Child("Panel4")->y(), shown.form->height() - 28);

        shown.form->showNormal();
        QTRY_COMPARE(shown.form->size(), QSize(652, 440));
        QCOMPARE(shown.form->minimumSize(), shown.form->maximumSize());
        QCOMPARE(memo->width(), 541);
    }

    // The message box: the program's name as caption, wide enough to show it whole, and Qt's
    // own button in Chinese like the rest of the window.
    void messageBox()
    {
        const std::unique_ptr<QMessageBox> box =
            MakeMessageBox(QStringLiteral("表达式错误！"), nullptr);
        QCOMPARE(box->windowTitle(), QStringLiteral("Tallimo"));
        QCOMPARE(box->text(), QStringLiteral("表达式错误！"));
        QCOMPARE(box->standardButtons(), QMessageBox::Ok);
        QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        // Room for "Tallimo" in a title font of 16 pixels, the window's icon and three buttons.
        QFont titleFont = box->font();
        titleFont.setPixelSize(16);
        titleFont.setBold(true);
        QVERIFY(box->width() >=
                QFontMetrics(titleFont).horizontalAdvance(QStringLiteral("Tallimo")) + 4 * 32);
    }

    void hidingTheDateLineLeavesTheButtons()
    {
        ShownForm shown;
        const auto buttons = shown.Child("ToolBar1")->findChildren<QToolButton *>();
        QList<QPoint> before;
        for (QToolButton *button : buttons)
            before << button->pos();
        shown.Child<QCheckBox>("CheckBox6")->click();
        QVERIFY(shown.Child("Label4")->isHidden());
        QCoreApplication::processEvents();
        for (int i = 0; i < buttons.size(); ++i)
            QCOMPARE(buttons[i]->pos(), before[i]);
    }

    // The keypad as the user sees it: each key of the keypad's table in the keys' page, in its row
    // from the top and its column from the left, keys of one size in three columns, none covering
    // another and each caption whole; digits and operators in blue, the functions in red, each
    // with a hint. What each key does is the keypad's own test.
    void keypad()
    {
        // The rows from "<-" down hold the functions.
        constexpr int FirstFunctionRow = 6;
        ShownForm shown;
        QWidget *page = shown.Child("GroupBox1");
        const QList<QToolButton *> keys = VisibleInRows<QToolButton>(page);
        QCOMPARE(keys.size(), qsizetype(TCalcForm::KeypadKeys().size()));
        QList<int> rows;
        QList<int> columns;
        for (const QToolButton *key : keys) {
            if (!rows.contains(key->y()))
                rows << key->y();
            if (!columns.contains(key->x()))
                columns << key->x();
        }
        std::sort(columns.begin(), columns.end());
        QCOMPARE(columns.size(), 3);

        for (const KeypadKey &row : TCalcForm::KeypadKeys()) {
            const QString caption = QString::fromUtf8(row.caption);
            const auto *key = shown.Child<QToolButton>(QLatin1String(row.name));
            QVERIFY2(keys.contains(key), row.name);
            QCOMPARE(key->text(), caption);
            QCOMPARE(key->toolTip(), QString::fromUtf8(row.hint));
            QCOMPARE(rows.indexOf(key->y()), row.row);
            QCOMPARE(columns.indexOf(key->x()), row.column);
            QCOMPARE(key->size(), keys.front()->size());
            QVERIFY2(page->rect().contains(key->geometry()), row.name);
            QVERIFY2(key->fontMetrics().horizontalAdvance(caption) <= key->width() - 2, row.name);
            for (const QToolButton *other : keys)
                QVERIFY2(other == key || !other->geometry().intersects(key->geometry()), row.name);
            const bool function = row.row >= FirstFunctionRow;
            QCOMPARE(key->palette().color(QPalette::ButtonText), function ? Red : Blue);
            QVERIFY2(key->toolTip().isEmpty() != function, row.name);
        }
    }

    void pages()
    {
        ShownForm shown;
        auto *keypad = shown.Child<QGroupBox>("GroupBox1");
        auto *settings = shown.Child<QGroupBox>("GroupBox2");
        QCOMPARE(keypad->size(), QSize(100, 343));
        QCOMPARE(settings->geometry(), keypad->geometry());
        QCOMPARE(keypad->palette().color(QPalette::Window), MoneyGreen);
        QCOMPARE(settings->palette().color(QPalette::Window), MoneyGreen);
    }

    // Each number box of the page's table, as a first start shows it: in its row, with its
    // range and step, holding the first-start setting.
    void settingsNumberBoxes_data()
    {
        QTest::addColumn<int>("row");
        const auto &rows = SettingsPage::NumberBoxes();
        for (int row = 0; row < int(rows.size()); ++row)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(
                QLatin1String(rows[row].name), QString::fromUtf8(rows[row].label))))
                << row;
    }
    void settingsNumberBoxes()
    {
        QFETCH(int, row);
        const SettingsPage::NumberBox &entry = SettingsPage::NumberBoxes()[std::size_t(row)];
        ShownForm shown;
        shown.Child<QToolButton>("SpeedButton4")->click();
        auto *box = shown.Child<QSpinBox>(QLatin1String(entry.name));
        QWidget *page = shown.Child("GroupBox2");
        QCOMPARE(box->parentWidget(), page);
        QVERIFY(box->isVisible());
        QVERIFY(page->rect().contains(box->geometry()));
        QCOMPARE(box->y(), entry.top);
        QCOMPARE(box->minimum(), entry.range.minimum);
        QCOMPARE(box->maximum(), entry.range.maximum);
        QCOMPARE(box->singleStep(), entry.step);
        QCOMPARE(box->value(), SettingsPage::FirstStartValues().*entry.value);
    }

    // Each option of the page's table, as a first start shows it: its caption whole, in its
    // row, checked as the first-start settings say; fast reading alone is disabled, for the
    // voice has not been set yet.
    void settingsOptions_data()
    {
        QTest::addColumn<int>("row");
        const auto &rows = SettingsPage::Options();
        for (int row = 0; row < int(rows.size()); ++row)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(
                QLatin1String(rows[row].name), QString::fromUtf8(rows[row].caption))))
                << row;
    }
    void settingsOptions()
    {
        QFETCH(int, row);
        const SettingsPage::Option &entry = SettingsPage::Options()[std::size_t(row)];
        ShownForm shown;
        shown.Child<QToolButton>("SpeedButton4")->click();
        auto *box = shown.Child<QCheckBox>(QLatin1String(entry.name));
        QWidget *page = shown.Child("GroupBox2");
        QCOMPARE(box->parentWidget(), page);
        QVERIFY(box->isVisible());
        QVERIFY(page->rect().contains(box->geometry()));
        QCOMPARE(box->text(), QString::fromUtf8(entry.caption));
        const int indicator = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box);
        QVERIFY(indicator + box->fontMetrics().horizontalAdvance(box->text()) <= box->width());
        QCOMPARE(box->y(), entry.top);
        QCOMPARE(box->isChecked(), SettingsPage::FirstStartValues().*entry.value);
        QCOMPARE(box->isEnabled(), entry.value != &SettingsPage::PageValues::fastReading);
    }

    void resultBar()
    {
        ShownForm shown;
        auto *label = shown.Child<QLabel>("Label1");
        QCOMPARE(label->palette().color(QPalette::WindowText), Blue);
        QCOMPARE(label->font().pixelSize(), 14);
        const std::pair<const char *, int> boxes[] = {
            {"Edit4", 177}, {"Edit5", 109}, {"Edit2", 189}};
        for (const auto &[name, width] : boxes) {
            auto *box = shown.Child<QLineEdit>(name);
            QCOMPARE(box->parentWidget(), shown.Child("Panel4"));
            QCOMPARE(box->width(), width);
            QVERIFY(box->isReadOnly());
        }
    }

    // A click on a keypad or toolbar button leaves the keyboard focus in the sheet.
    void clickedButtonsLeaveTheFocus()
    {
        ShownForm shown;
        QTest::mouseClick(shown.Child<QToolButton>("SpeedButton4"), Qt::LeftButton);
        QTest::mouseClick(shown.Child<QToolButton>("SpeedButton2"), Qt::LeftButton);
        const auto buttons = shown.form->findChildren<QToolButton *>();
        QVERIFY(!buttons.isEmpty());
        for (QToolButton *button : buttons)
            QVERIFY2(!(button->focusPolicy() & Qt::ClickFocus), qPrintable(button->objectName()));
    }

    // Every caption and hint has its glyphs in the font it is drawn with, so none shows as a box.
    void noMissingGlyphs()
    {
        ShownForm shown;
        auto check = [](const QString &text, const QFont &font, const QString &where) {
            const QFontMetrics metrics(font);
            for (const QChar c : text) {
                if (!c.isSpace())
                    QVERIFY2(metrics.inFont(c), qPrintable(where + QLatin1String(": ") + c));
            }
        };
        for (QWidget *widget : shown.form->findChildren<QWidget *>()) {
            check(widget->property("text").toString(), widget->font(), widget->objectName());
            check(widget->toolTip(), QApplication::font("QTipLabel"), widget->objectName());
        }
        auto *menu = shown.Child<QMenu>("PopupMenu1");
        for (QAction *item : menu->actions())
            check(item->text(), menu->font(), item->objectName());
    }

    void pageSwitch()
    {
        ShownForm shown;
        auto *keypadButton = shown.Child<QToolButton>("SpeedButton2");
        auto *settingsButton = shown.Child<QToolButton>("SpeedButton4");
        QWidget *keypad = shown.Child("GroupBox1");
        QWidget *settings = shown.Child("GroupBox2");
        QVERIFY(keypadButton->isChecked());
        QVERIFY(keypad->isVisible());
        QVERIFY(!settings->isVisible());

        for (int click = 0; click < 2; ++click) {
            QTest::mouseClick(settingsButton, Qt::LeftButton);
            QVERIFY(settingsButton->isChecked());
            QVERIFY(!keypadButton->isChecked());
            QVERIFY(settings->isVisible());
            QVERIFY(!keypad->isVisible());
        }
        QTest::mouseClick(keypadButton, Qt::LeftButton);
        QVERIFY(!settingsButton->isChecked());
        QVERIFY(keypad->isVisible());
        QVERIFY(!settings->isVisible());
    }

    void sidePanelKeepsItsPage()
    {
        ShownForm shown;
        QWidget *panel = shown.Child("Panel1");
        QWidget *memo = shown.Child("Memo1");
        auto *sideButton = shown.Child<QToolButton>("SpeedButton48");
        QTest::mouseClick(shown.Child<QToolButton>("SpeedButton4"), Qt::LeftButton);

        QTest::mouseClick(sideButton, Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QTRY_COMPARE(memo->width(), 643);

        QTest::mouseClick(sideButton, Qt::LeftButton);
        QVERIFY(panel->isVisible());
        QTRY_COMPARE(memo->width(), 541);
        QVERIFY(shown.Child("GroupBox2")->isVisible());
        QVERIFY(!shown.Child("GroupBox1")->isVisible());
    }

    void trayMenu()
    {
        ShownForm shown;
        QSystemTrayIcon *tray = shown.Tray();
        QVERIFY(tray);
        QCOMPARE(tray->toolTip(), QStringLiteral("Tallimo"));
        QVERIFY(tray->isVisible());
        auto *menu = shown.Child<QMenu>("PopupMenu1");
        QCOMPARE(tray->contextMenu(), menu);

        QStringList items;
        for (QAction *item : menu->actions())
            items << item->objectName() + QLatin1Char(' ') + item->text();
        QStringList commands;
        for (const ToolbarCommand &command : TCalcForm::ToolbarCommands()) {
            if (command.item)
                commands << QLatin1String(command.item) + QLatin1Char(' ') +
                                QString::fromUtf8(command.itemCaption);
        }
        QCOMPARE(items, commands);

        auto *show = shown.Child<QAction>("N1");
        auto *hide = shown.Child<QAction>("N2");
        hide->trigger();
        QVERIFY(!shown.form->isVisible());
        QVERIFY(hide->isChecked());
        QVERIFY(!show->isChecked());
        QCOMPARE(shown.world.quits, 0);

        show->trigger();
        QVERIFY(shown.form->isVisible());
        QVERIFY(show->isChecked());
        QVERIFY(!hide->isChecked());

        shown.Child<QAction>("N4")->trigger();
        QVERIFY(shown.form->isVisible());
        QCOMPARE(shown.world.quits, 0);
    }

    // Whichever way is taken first, the exit procedure runs once: it removes the tray icon and
    // quits, and the ways taken after it do nothing more.
    void exitProcedure_data()
    {
        QTest::addColumn<WayOut>("first");
        QTest::newRow("exit button") << WayOut::ExitButton;
        QTest::newRow("tray menu") << WayOut::TrayMenu;
        QTest::newRow("close box") << WayOut::CloseBox;
        QTest::newRow("application quits") << WayOut::ApplicationQuits;
    }
    void exitProcedure()
    {
        QFETCH(WayOut, first);
        QVERIFY(qApp->findChild<QSessionManager *>());
        ShownForm shown;
        Leave(shown, first);
        QCOMPARE(shown.world.quits, 1);
        QVERIFY(!shown.Tray()->isVisible());
        for (WayOut way : AllWaysOut)
            Leave(shown, way);
        QCOMPARE(shown.world.quits, 1);
    }

    // Log-off: the session manager's request saves the settings while the program runs on, and
    // shows no message unless the manager allows it; the quit that follows ends the program once
    // and leaves the saved file as it is.
    void sessionEnd()
    {
        auto *manager = qApp->findChild<QSessionManager *>();
        QVERIFY(manager);
        QVERIFY(!manager->allowsInteraction());
        ShownForm shown;
        const QString file = shown.world.settingsFolder.filePath(QStringLiteral("setinfo.ini"));
        QFile::remove(file);
        shown.Child<QCheckBox>("CheckBox4")->setChecked(true);

        Leave(shown, WayOut::SessionEnd);
        QCOMPARE(shown.world.quits, 0);
        QVERIFY(shown.form->isVisible());
        QVERIFY(shown.Tray()->isVisible());
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("daxie=1\r\n"));
        saved.close();

        QVERIFY(QFile::remove(file));
        Leave(shown, WayOut::ApplicationQuits);
        QCOMPARE(shown.world.quits, 1);
        QVERIFY(!shown.Tray()->isVisible());
        QVERIFY(!QFile::exists(file));
        QVERIFY(shown.world.messages.isEmpty());
    }

    void sessionEndWithoutAWritableFolderShowsNothing()
    {
        // A file where the folders should be: nothing can be written under it.
        FormUnderTest unwritable([](ProgramSeams &seams) {
            const QString blocker =
                QDir(seams.settingsFolders().besideExecutable).filePath(QStringLiteral("blocker"));
            QFile(blocker).open(QIODevice::WriteOnly);
            seams.settingsFolders = [blocker] {
                return SettingsFolders{blocker, blocker + QStringLiteral("/config")};
            };
        });
        unwritable.Show();
        emit qApp->commitDataRequest(*qApp->findChild<QSessionManager *>());
        QVERIFY(unwritable.world.messages.isEmpty());
        unwritable.form->SpeedButton45Click();
        QCOMPARE(unwritable.world.messages.size(), 1);
    }

    // The tray icon goes up after the window shows; an exit before that keeps it down.
    void exitBeforeTheTrayIconIsUp()
    {
        FormUnderTest unshown;
        unshown.form->SpeedButton45Click();
        QCoreApplication::processEvents();
        QCOMPARE(unshown.world.quits, 1);
        QCOMPARE(unshown.form->findChild<QSystemTrayIcon *>(), nullptr);
    }
};

QTEST_MAIN(TestCalcForm)
#include "test_calcform.moc"
