// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet on paper from the main window: Ctrl+P, the sheet's context menu and the PDF export.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "tests/gui/formtesting.h"
#include "tests/support/pdftext.h"

using namespace tallimo;

namespace {

const QString PdfFilter = QStringLiteral("PDF 文件(*.pdf)");

// The main window on the offscreen screen, its voice off, with a folder for the documents.
struct PaperForm : FormUnderTest {
    QTemporaryDir files;

    PaperForm()
    {
        Show();
        Child<QCheckBox>(QStringLiteral("CheckBox2"))->setChecked(false);
    }

    QPlainTextEdit *Sheet() const { return Child<QPlainTextEdit>(QStringLiteral("Memo1")); }
    QString FilePath(const QString &name) const { return QDir(files.path()).filePath(name); }
    QStringList Files() const { return QDir(files.path()).entryList(QDir::Files); }
    QAction *Command(const char *name) const { return Child<QAction>(QString::fromLatin1(name)); }

    // Types two lines and evaluates each, as Enter does.
    void EvaluateTwoLines() const
    {
        Sheet()->setFocus();
        QTest::keyClicks(Sheet(), QStringLiteral("1+2="));
        QTest::keyClicks(Sheet(), QStringLiteral("3*4="));
    }
};

QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestPaper : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SetUpWindowTests(); }

    // Ctrl+P, from the sheet or from another control of the window, hands the print dialog the
    // sheet as it stands, the result bar's total and the date line of the moment.
    void ctrlPOpensThePrintDialog_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("in the sheet") << QStringLiteral("Memo1");
        QTest::newRow("on the decimals box") << QStringLiteral("SpinEdit1");
    }
    void ctrlPOpensThePrintDialog()
    {
        QFETCH(QString, focus);
        PaperForm form;
        form.EvaluateTwoLines();
        QWidget *control = form.Child(focus);
        control->setFocus();
        QTest::keyClick(control, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(form.world.printed.size(), 1);
        const PaperSheet &sheet = form.world.printed.constFirst();
        QCOMPARE(sheet.lines, (QStringList{"1+2=3", "3*4=12", ""}));
        QCOMPARE(sheet.totalNumberText, QStringLiteral("15"));
        QCOMPARE(sheet.totalText, QStringLiteral("壹拾伍"));
        QCOMPARE(sheet.dateLine, QStringLiteral("2026-12-10 星期四 09:30:00"));
        QVERIFY(sheet.fileName.isEmpty());
        QVERIFY(form.world.messages.isEmpty());
    }

    void blankSheetOpensNoPrintDialog()
    {
        PaperForm form;
        form.Sheet()->setPlainText(QStringLiteral(" \n\t"));
        form.Sheet()->setFocus();
        QTest::keyClick(form.Sheet(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(form.world.printed.isEmpty());
    }

    void printFailureIsShown()
    {
        PaperForm form;
        form.EvaluateTwoLines();
        form.world.printFailure = QStringLiteral("无法打印：打印机未能打开。");
        form.Command("PrintCommand")->trigger();
        QCOMPARE(form.world.messages, QStringList{QStringLiteral("无法打印：打印机未能打开。")});
    }

    // The editor's own commands stay; printing and the export come after them.
    void sheetMenuOffersPrintAndExport()
    {
        PaperForm form;
        QStringList captions;
        QStringList keys;
        QTimer::singleShot(0, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                for (QAction *action : menu->actions()) {
                    captions << action->text();
                    keys << action->shortcut().toString();
                }
                menu->close();
            }
        });
        emit form.Sheet()->customContextMenuRequested(QPoint(5, 5));
        QVERIFY2(captions.size() > 3, qPrintable(captions.join('|')));
        QCOMPARE(captions.mid(captions.size() - 2), (QStringList{"打印…", "导出 PDF…"}));
        QCOMPARE(keys.at(keys.size() - 2), QStringLiteral("Ctrl+P"));
    }

    // The export writes the chosen name with ".pdf" added, a document whose text is the sheet's.
    void exportWritesTheDocument_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("report") << QStringLiteral("report");
        QTest::newRow("report.PDF") << QStringLiteral("report.PDF");
    }
    void exportWritesTheDocument()
    {
        QFETCH(QString, chosen);
        PaperForm form;
        form.EvaluateTwoLines();
        form.world.saveFileAnswer = form.FilePath(chosen);
        form.Command("ExportPdfCommand")->trigger();
        QCOMPARE(form.world.fileFilters, QStringList{PdfFilter});
        const QString written = chosen.endsWith(QLatin1String(".PDF")) ? chosen : chosen + ".pdf";
        QCOMPARE(form.Files(), QStringList{written});
        QVERIFY(ReadBytes(form.FilePath(written)).startsWith("%PDF"));
        QVERIFY(form.world.messages.isEmpty());
        if (!HavePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QString text = Unspaced(PdfText(form.FilePath(written)));
        for (const char *expected : {"1+2=3", "3*4=12", "合计15壹拾伍", "第1页/共1页"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), qPrintable(text));
    }

    // The rules of saving the sheet: a blank sheet opens no dialog, a cancelled dialog writes
    // nothing, an existing file is asked about and only "是" replaces it.
    void exportFollowsTheRulesOfSaving_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<bool>("replaced");
        const QString replace = QStringLiteral("old.pdf 已存在。\n要替换它吗？");
        QTest::newRow("blank sheet") << " \n"
                                     << "old" << true << QStringList{} << QStringList{} << false;
        QTest::newRow("dialog cancelled")
            << "1+2=3"
            << "" << true << QStringList{PdfFilter} << QStringList{} << false;
        QTest::newRow("old over old.pdf, 否")
            << "1+2=3"
            << "old" << false << QStringList{PdfFilter} << QStringList{replace} << false;
        QTest::newRow("old over old.pdf, 是")
            << "1+2=3"
            << "old" << true << QStringList{PdfFilter} << QStringList{replace} << true;
    }
    void exportFollowsTheRulesOfSaving()
    {
        QFETCH(QString, sheet);
        QFETCH(QString, chosen);
        QFETCH(bool, yes);
        QFETCH(QStringList, filters);
        QFETCH(QStringList, questions);
        QFETCH(bool, replaced);
        PaperForm form;
        QFile old(form.FilePath(QStringLiteral("old.pdf")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        form.Sheet()->setPlainText(sheet);
        form.world.saveFileAnswer = chosen.isEmpty() ? chosen : form.FilePath(chosen);
        form.world.yesAnswer = yes;
        form.Command("ExportPdfCommand")->trigger();
        QCOMPARE(form.world.fileFilters, filters);
        QCOMPARE(form.world.questions, questions);
        QCOMPARE(form.Files(), QStringList{QStringLiteral("old.pdf")});
        QCOMPARE(ReadBytes(old.fileName()).startsWith("%PDF"), replaced);
        QVERIFY(form.world.messages.isEmpty());
    }

    // The system refuses the write (a folder stands at the chosen name): the message gives its
    // reason and nothing is left beside it.
    void failedExportShowsTheReason()
    {
        PaperForm form;
        QVERIFY(QDir(form.files.path()).mkdir(QStringLiteral("report.pdf")));
        form.EvaluateTwoLines();
        form.world.saveFileAnswer = form.FilePath(QStringLiteral("report"));
        form.Command("ExportPdfCommand")->trigger();
        QCOMPARE(form.world.messages.size(), 1);
        QVERIFY2(form.world.messages.constFirst().startsWith(QStringLiteral("Unable to write to")),
                 qPrintable(form.world.messages.constFirst()));
        QVERIFY(form.Files().isEmpty());
    }
};

QTEST_MAIN(TestPaper)
#include "test_paper.moc"
