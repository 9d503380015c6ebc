// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Printing as the program gets it: this test, like the program, does not link Qt's print
// support, which arrives with the module on the first print.

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "windows/printmodule.h"

using namespace tallimo;

namespace {

bool PrintSupportLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6PrintSupport");
}

PaperSheet OneLine()
{
    PaperSheet sheet;
    sheet.lines = QStringList{QStringLiteral("1+2=3")};
    return sheet;
}

}  // namespace

class TestPrintModule : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(!PrintSupportLoaded()); }

    void missingModuleIsReported()
    {
        const QTemporaryDir empty;
        const std::optional<QString> failure = PrintThroughModule(empty.path(), OneLine());
        QVERIFY(failure);
        QVERIFY2(failure->contains(QStringLiteral("tallimo_print")), qPrintable(*failure));
    }

    // The print dialog is modal, captioned 打印; cancelling it prints nothing and is no failure.
    void dialogIsCaptionedAndMayBeCancelled()
    {
        QWidget owner;
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        QString caption;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                caption = dialog->windowTitle();
                modal = dialog->isModal();
                if (auto *box = qobject_cast<QDialog *>(dialog))
                    box->reject();
            }
        });
        const std::optional<QString> failure = PrintThroughModule(PRINT_MODULE_FOLDER, OneLine());
        QVERIFY2(!failure, qPrintable(failure.value_or(QString())));
        QCOMPARE(caption, QStringLiteral("打印"));
        QVERIFY(modal);
        QVERIFY(PrintSupportLoaded());
    }
};

QTEST_MAIN(TestPrintModule)
#include "test_printmodule.moc"
