// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "app/desktopseams.h"
#include "app/systemmemory.h"
#include "tests/support/modalseams.h"

using namespace tallimo;

namespace {


// Runs the seam, and meanwhile hands its modal window to `look` and closes it.
void WithModal(const ModalSeam &open, const std::function<void(QWidget &)> &look)
{
    QTimer::singleShot(0, [&] {
        if (QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000))
            look(*QApplication::activeModalWidget());
        for (QWidget *left = QApplication::activeModalWidget(); left;
             left = QApplication::activeModalWidget())
            left->close();
    });
    open(DesktopSeams());
}

}  // namespace

class TestDesktopSeams : public QObject {
    Q_OBJECT
private slots:
    // A seam left empty would end the program the first time a window reaches for it.
    void everySeamIsFilled()
    {
        const ProgramSeams seams = DesktopSeams();
        QVERIFY(seams.now);
        QVERIFY(seams.showMessage);
        QVERIFY(seams.askYesNo);
        QVERIFY(seams.chooseOpenFile);
        QVERIFY(seams.chooseSaveFile);
        QVERIFY(seams.chooseColour);
        QVERIFY(seams.openAddress);
        QVERIFY(seams.memoryFigures);
        QVERIFY(seams.makeClipPlayer);
        QVERIFY(seams.makeWaiter);
        QVERIFY(seams.settingsFolders);
        QVERIFY(seams.quit);
    }

    // Each modal window stays on top while a window it blocks does (the tools window, the web
    // page window), so that it maps above that window instead of underneath; it opens over the
    // window that has the focus.
    void modalWindowsOpenAboveAWindowOnTop_data()
    {
        AddModalSeamRows();
    }
    void modalWindowsOpenAboveAWindowOnTop()
    {
        QFETCH(ModalSeam, open);
        bool onTopWhenNoneIs = true;
        WithModal(open, [&](QWidget &modal) {
            onTopWhenNoneIs = modal.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        });
        QVERIFY(!onTopWhenNoneIs);

        QWidget tools(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        tools.show();
        QVERIFY(QTest::qWaitForWindowActive(&tools));
        bool onTop = false;
        QWidget *owner = nullptr;
        WithModal(open, [&](QWidget &modal) {
            onTop = modal.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            owner = modal.parentWidget();
        });
        QVERIFY(onTop);
        QCOMPARE(owner, &tools);
    }

    // The save dialog asks nothing about an existing file: the window asks about the file it
    // writes, whose name may differ from the one chosen.
    void saveDialogLeavesTheQuestionToTheWindow()
    {
        bool asks = true;
        WithModal([](const ProgramSeams &seams) { seams.chooseSaveFile(QString()); },
                  [&](QWidget &modal) {
                      if (auto *dialog = qobject_cast<QFileDialog *>(&modal))
                          asks = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
                  });
        QVERIFY(!asks);
    }

    // The question's 是 answers yes; 否, the default, and closing answer no.
    void questionAnswers_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("yes");
        QTest::newRow("是") << int(QMessageBox::Yes) << true;
        QTest::newRow("否") << int(QMessageBox::No) << false;
        QTest::newRow("closed") << int(QMessageBox::NoButton) << false;
    }
    void questionAnswers()
    {
        QFETCH(int, button);
        QFETCH(bool, yes);
        const ProgramSeams seams = DesktopSeams();
        QMessageBox::StandardButton byDefault = QMessageBox::NoButton;
        QTimer::singleShot(0, [&] {
            if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000))
                return;
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            byDefault = box->standardButton(box->defaultButton());
            if (QAbstractButton *answer = box->button(QMessageBox::StandardButton(button)))
                answer->click();
            else
                box->close();
        });
        QCOMPARE(seams.askYesNo(QStringLiteral("abc.txt 已存在。\n要替换它吗？")), yes);
        QCOMPARE(byDefault, QMessageBox::No);
    }

    // The whole memory of the machine, however large, as the kernel counts it.
    void memoryFigures()
    {
        const MemoryFigures figures = SystemMemoryFigures();
        QFile meminfo(QStringLiteral("/proc/meminfo"));
        QVERIFY(meminfo.open(QIODevice::ReadOnly));
        const QByteArray first = meminfo.readLine();
        QVERIFY(first.startsWith("MemTotal:"));
        const quint64 total = first.mid(9).trimmed().split(' ').first().toULongLong() * 1024;
        QVERIFY(figures.totalBytes > 0);
        QVERIFY(qAbs(qint64(figures.totalBytes) - qint64(total)) < qint64(total / 100));
        QVERIFY(figures.availableBytes > 0);
        QVERIFY(figures.availableBytes <= figures.totalBytes);
    }
};

QTEST_MAIN(TestDesktopSeams)
#include "test_desktopseams.moc"
