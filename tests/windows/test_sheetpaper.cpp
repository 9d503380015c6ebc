// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The sheet on paper, read back from the PDF document as a reader copies its text.

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/pdftext.h"
#include "windows/sheetpaper.h"

using namespace tallimo;

namespace {

PaperSheet SmallSheet()
{
    PaperSheet sheet;
    sheet.fileName = QStringLiteral("账目.txt");
    sheet.dateLine = QStringLiteral("2026-12-10 星期四 09:30:00");
    sheet.lines = QStringList{QStringLiteral("1+2=3"), QStringLiteral("3*4=12"), QString(),
                              QStringLiteral("未算的行 7*8")};
    sheet.totalNumberText = QStringLiteral("15");
    sheet.totalText = QStringLiteral("壹拾伍");
    return sheet;
}

// Lines "第 1 行 1+1=2" and on; enough of them fill more than one page.
PaperSheet NumberedSheet(int count)
{
    PaperSheet sheet = SmallSheet();
    sheet.lines.clear();
    for (int k = 1; k <= count; ++k)
        sheet.lines << QStringLiteral("第 %1 行 %1+1=%2").arg(k).arg(k + 1);
    return sheet;
}

}  // namespace

class TestSheetPaper : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    // The document's text, all pages or those from `first` to `last`.
    QString TextOf(const QList<PaperSheet> &sheets, int first = 0, int last = 0)
    {
        const QString path = folder.filePath(QStringLiteral("sheet.pdf"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(SheetsPdf(sheets)) < 0)
            return QString();
        file.close();
        return PdfText(path, first, last);
    }

private slots:
    void initTestCase()
    {
        if (!HavePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    // The text is text in the document: what the header, the lines and the total say can be
    // found and copied.
    void pageHoldsTheSheetAsText()
    {
        const QString text = Unspaced(TextOf({SmallSheet()}));
        QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
        for (const char *expected : {"Tallimo", "账目.txt", "2026-12-10星期四09:30:00", "1+2=3",
                                     "3*4=12", "未算的行7*8", "合计15壹拾伍", "第1页/共1页"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)),
                     qPrintable(QStringLiteral("%1 missing from %2").arg(expected, text)));
    }

    void noTotalWithoutOne()
    {
        PaperSheet sheet = SmallSheet();
        sheet.totalNumberText.clear();
        sheet.totalText.clear();
        QVERIFY(!TextOf({sheet}).contains(QStringLiteral("合计")));
    }

    // Every page has its header and its number; the lines run on from page to page, each
    // once, in order, with the total after the last.
    void longSheetGoesOverPages()
    {
        const PaperSheet sheet = NumberedSheet(150);
        const QString all = TextOf({sheet});
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral("共(\\d+)页")).match(Unspaced(all));
        QVERIFY2(pages.hasMatch(), qPrintable(all));
        const int pageCount = pages.captured(1).toInt();
        QVERIFY2(pageCount >= 2, qPrintable(all));

        QString lines;
        for (int page = 1; page <= pageCount; ++page) {
            const QString text = Unspaced(TextOf({sheet}, page, page));
            QVERIFY2(text.contains(QStringLiteral("第%1页/共%2页").arg(page).arg(pageCount)),
                     qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("Tallimo")));
            lines += text;
        }
        qsizetype from = 0;
        for (const QString &line : sheet.lines) {
            const qsizetype at = lines.indexOf(Unspaced(line), from);
            QVERIFY2(at >= 0, qPrintable(line));
            from = at + 1;
        }
        QVERIFY(lines.indexOf(QStringLiteral("合计15壹拾伍"), from) > 0);
        QCOMPARE(lines.count(QStringLiteral("第150行")), 1);
    }

    // Each sheet of a document starts on a page of its own, named in its header.
    void eachSheetFromANewPage()
    {
        PaperSheet first = SmallSheet();
        first.fileName = QStringLiteral("a.txt");
        PaperSheet second = SmallSheet();
        second.fileName = QStringLiteral("b.txt");
        second.lines = QStringList{QStringLiteral("5*5=25")};
        const QString page1 = Unspaced(TextOf({first, second}, 1, 1));
        const QString page2 = Unspaced(TextOf({first, second}, 2, 2));
        QVERIFY2(page1.contains(QStringLiteral("a.txt")) && !page1.contains(QStringLiteral("5*5")),
                 qPrintable(page1));
        QVERIFY2(page2.contains(QStringLiteral("b.txt")) &&
                     page2.contains(QStringLiteral("5*5=25")) &&
                     page2.contains(QStringLiteral("第2页/共2页")),
                 qPrintable(page2));
    }

    // A line of 64 KB goes over many rows and pages and comes back whole: no character is cut
    // off at the page's edge or lost between rows.
    void longLineIsWrappedNotCut_data()
    {
        QTest::addColumn<QString>("piece");
        QTest::newRow("digits and operators, no blank") << QStringLiteral("x12+y34*");
        QTest::newRow("words") << QStringLiteral("x12 + y34 * ");
        QTest::newRow("Chinese") << QStringLiteral("壹拾伍元");
    }
    void longLineIsWrappedNotCut()
    {
        QFETCH(QString, piece);
        const QString line = piece.repeated(64 * 1024 / piece.size());
        PaperSheet sheet = SmallSheet();
        sheet.lines = QStringList{line};
        sheet.totalNumberText.clear();
        const QString text = TextOf({sheet});
        // The rows of the line, without the headers and page numbers between its pages.
        QString rows;
        int rowCount = 0;
        const QRegularExpression row(QStringLiteral("^[xy0-9+* 壹拾伍元]+$"));
        for (const QString &textLine : text.split(QLatin1Char('\n'))) {
            const QString bare = textLine.trimmed().remove(QLatin1Char('\f'));
            if (row.match(bare).hasMatch() && !bare.contains(QRegularExpression("^\\d+$"))) {
                rows += bare;
                ++rowCount;
            }
        }
        QCOMPARE(Unspaced(rows), Unspaced(line));
        // Every row stays inside the right margin of the A4 page (210 mm less 15 mm).
        const QList<double> edges = PdfWordRightEdges(folder.filePath(QStringLiteral("sheet.pdf")));
        QVERIFY(!edges.isEmpty());
        constexpr double RightMarginPoints = (210.0 - 15.0) / 25.4 * 72.0;
        for (const double edge : edges)
            QVERIFY2(edge <= RightMarginPoints + 0.5, qPrintable(QString::number(edge)));
        QVERIFY2(rowCount > 100, qPrintable(QString::number(rowCount)));
        QVERIFY(Unspaced(text).contains(QStringLiteral("第2页/共")));
    }

    // The font goes with the document, so it reads the same where the font is not installed.
    void fontIsEmbedded()
    {
        const QString path = folder.filePath(QStringLiteral("fonts.pdf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(SheetsPdf({SmallSheet()}));
        file.close();
        QProcess fonts;
        fonts.start(QStringLiteral("pdffonts"), {path});
        QVERIFY(fonts.waitForFinished(30000));
        const QStringList rows =
            QString::fromUtf8(fonts.readAllStandardOutput()).split(QLatin1Char('\n')).mid(2);
        QVERIFY(!rows.join(QString()).trimmed().isEmpty());
        for (const QString &row : rows) {
            if (!row.trimmed().isEmpty())
                QVERIFY2(row.contains(QStringLiteral(" yes ")), qPrintable(row));
        }
    }
};

QTEST_MAIN(TestSheetPaper)
#include "test_sheetpaper.moc"
