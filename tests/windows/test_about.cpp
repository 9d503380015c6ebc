// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include "tests/support/fakeworld.h"
#include "windows/about.h"

using namespace tallimo;

namespace {

QLabel *LabelOf(const QWidget &window, const char *name)
{
    auto *label = window.findChild<QLabel *>(QString::fromLatin1(name));
    if (!label)
        qFatal("no label %s", name);
    return label;
}

}  // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void showsTheMemoryFigures_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<quint64>("total");
        QTest::addColumn<quint64>("available");
        QTest::addColumn<QString>("physMem");
        QTest::addColumn<QString>("freeRes");
        const QLocale c = QLocale::c();
        QTest::newRow("1 GiB, a quarter free")
            << c << (1ull << 30) << (1ull << 28) << "1,048,576 KB"
            << "75 %";
        QTest::newRow("64 GiB, more bytes than 32 bits count")
            << c << (64ull << 30) << (48ull << 30) << "67,108,864 KB"
            << "25 %";
        QTest::newRow("1535 bytes round down, 37.5 % up")
            << c << quint64(1535) << quint64(959) << "1 KB"
            << "38 %";
        QTest::newRow("1536 bytes round up") << c << quint64(1536) << quint64(1536) << "2 KB"
                                             << "0 %";
        QTest::newRow("nothing free") << c << (2ull << 30) << quint64(0) << "2,097,152 KB"
                                      << "100 %";
        QTest::newRow("no figures") << c << quint64(0) << quint64(0) << "0 KB"
                                    << "0 %";
        QTest::newRow("more free than total")
            << c << quint64(1 << 20) << quint64(2 << 20) << "1,024 KB"
            << "0 %";
        QTest::newRow("German groups with dots") << QLocale(QLocale::German, QLocale::Germany)
                                                 << (8ull << 30) << (6ull << 30) << "8.388.608 KB"
                                                 << "25 %";
    }
    void showsTheMemoryFigures()
    {
        QFETCH(QLocale, locale);
        QFETCH(quint64, total);
        QFETCH(quint64, available);
        QFETCH(QString, physMem);
        QFETCH(QString, freeRes);
        QLocale::setDefault(locale);
        FakeWorld world;
        world.memory = {total, available};
        Tf_about about(world.Seams());
        QCOMPARE(LabelOf(about, "PhysMem")->text(), physMem);
        QCOMPARE(LabelOf(about, "FreeRes")->text(), freeRes);
    }

    // The figures are those of the window's creation, however often it is shown afterwards.
    void keepsTheFiguresOfItsCreation()
    {
        FakeWorld world;
        int readings = 0;
        ProgramSeams seams = world.Seams();
        seams.memoryFigures = [&] {
            ++readings;
            return world.memory;
        };
        Tf_about about(seams);
        const QString physMem = LabelOf(about, "PhysMem")->text();
        world.memory = {1ull << 30, 0};
        for (int showing = 0; showing < 2; ++showing) {
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            about.close();
        }
        QCOMPARE(readings, 1);
        QCOMPARE(LabelOf(about, "PhysMem")->text(), physMem);
        QCOMPARE(LabelOf(about, "FreeRes")->text(), QStringLiteral("25 %"));
    }

    void linksOpenTheirAddresses_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QList<QUrl>>("opened");
        QTest::newRow("作者主页") << "Label7" << QList<QUrl>{Tf_about::HomePage};
        QTest::newRow("the mail address") << "Label6" << QList<QUrl>{Tf_about::MailAddress};
        QTest::newRow("联系作者： is no link") << "Label2" << QList<QUrl>{};
        QTest::newRow("the memory figure is no link") << "PhysMem" << QList<QUrl>{};
    }
    void linksOpenTheirAddresses()
    {
        QFETCH(QString, label);
        QFETCH(QList<QUrl>, opened);
        FakeWorld world;
        Tf_about about(world.Seams());
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(LabelOf(about, qPrintable(label)), Qt::LeftButton);
        QCOMPARE(world.openedAddresses, opened);
    }

    // The links take the focus by Tab, open with Enter and are exposed as links that an
    // assistive tool can press.
    void linksWorkFromTheKeyboard()
    {
        FakeWorld world;
        Tf_about about(world.Seams());
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QLabel *home = LabelOf(about, "Label7");
        QLabel *mail = LabelOf(about, "Label6");
        home->setFocus();
        QTest::keyClick(home, Qt::Key_Return);
        QTest::keyClick(home, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), mail);
        QAccessibleInterface *link = QAccessible::queryAccessibleInterface(mail);
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), Tf_about::MailAddress.path());
        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(world.openedAddresses, (QList<QUrl>{Tf_about::HomePage, Tf_about::MailAddress}));
        QCOMPARE(QAccessible::queryAccessibleInterface(LabelOf(about, "Label2"))->role(),
                 QAccessible::StaticText);
        QVERIFY(about.isVisible());
        QTest::keyClick(mail, Qt::Key_Escape);
        QVERIFY(!about.isVisible());
    }

    // A font the desktop theme gives labels does not reach the fixed layout.
    void keepsItsPixelFontUnderADesktopFont()
    {
        const QFont before = QApplication::font();
        QFont windowFont = before;
        windowFont.setPixelSize(12);
        QApplication::setFont(windowFont);
        QApplication::setFont(QFont(windowFont.family(), 20), "QLabel");
        FakeWorld world;
        Tf_about about(world.Seams());
        QCOMPARE(LabelOf(about, "Label3")->font().pixelSize(), 12);
        QCOMPARE(LabelOf(about, "Label1")->font().pixelSize(), 19);
        QCOMPARE(LabelOf(about, "Label7")->font().pixelSize(), 16);
        QApplication::setFont(before);
        QApplication::setFont(before, "QLabel");
    }

    void looksAsDesigned()
    {
        FakeWorld world;
        Tf_about about(world.Seams());
        QCOMPARE(about.windowTitle(), QStringLiteral("Tallimo"));
        QCOMPARE(about.minimumSize(), QSize(351, 242));
        QCOMPARE(about.maximumSize(), QSize(351, 242));
        QVERIFY(!(about.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(about.windowFlags() & Qt::WindowCloseButtonHint);
        const QLabel *title = LabelOf(about, "Label1");
        QCOMPARE(title->text(), QStringLiteral("Tallimo V2.31"));
        QVERIFY(title->font().bold());
        QCOMPARE(title->font().pixelSize(), 19);
        QVERIFY(LabelOf(about, "Label7")->isVisibleTo(&about));
        QVERIFY(!LabelOf(about, "Label9")->isVisibleTo(&about));
        QVERIFY(!LabelOf(about, "Label10")->isVisibleTo(&about));
        QCOMPARE(LabelOf(about, "Label6")->text(), Tf_about::MailAddress.path());
        // Every label fits inside the window.
        for (const QLabel *label : about.findChildren<QLabel *>())
            QVERIFY2(QRect(QPoint(), about.size()).contains(label->geometry()),
                     qPrintable(label->objectName()));
    }

    // Centred on the screen, not over the window that owns it.
    void opensInTheMiddleOfTheScreen()
    {
        QWidget owner;
        owner.setGeometry(0, 0, 200, 100);
        owner.show();
        FakeWorld world;
        Tf_about about(world.Seams(), &owner);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QPoint middle = about.screen()->availableGeometry().center();
        // Within the width of a window frame.
        QVERIFY2((about.frameGeometry().center() - middle).manhattanLength() <= 10,
                 qPrintable(QStringLiteral("%1,%2").arg(about.x()).arg(about.y())));
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
