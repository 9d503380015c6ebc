// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/sheetpaper.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>
#include <vector>

#include "common/programinfo.h"

namespace tallimo {

namespace {

constexpr qreal BodyPoints = 10;
constexpr qreal HeaderPoints = 9;
constexpr qreal PdfMarginMillimetres = 15;
// The header and the page number stand this many rows of their font away from the sheet.
constexpr qreal HeaderGapRows = 1;

// One row on paper: a piece of a sheet line or of the total, or the rule above the total.
struct Row {
    enum class Kind { Text, Total, Rule };
    const QString *text = nullptr;  // the sheet line; the total is its sheet's
    qsizetype start = 0;
    qsizetype length = 0;
    Kind kind = Kind::Text;
};

struct SheetRows {
    const PaperSheet *sheet = nullptr;
    QString total;
    std::vector<Row> rows;
};

struct Page {
    const SheetRows *sheet = nullptr;
    size_t firstRow = 0;
    size_t rowCount = 0;
};

QFont PaperFont(qreal points, bool bold = false)
{
    QFont font{QString::fromLatin1(PaperFontFamily)};
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The rows of one text, broken where the page's width ends it: between words where it can,
// anywhere in a word wider than the page.
void AddWrappedRows(const QString &text, Row::Kind kind, const QFont &font, QPaintDevice &device,
                    qreal width, std::vector<Row> &rows)
{
    const QString *source = kind == Row::Kind::Text ? &text : nullptr;
    if (text.isEmpty()) {
        rows.push_back({source, 0, 0, kind});
        return;
    }
    QTextLayout layout(text, font, &device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        rows.push_back({source, line.textStart(), line.textLength(), kind});
    }
    layout.endLayout();
}

SheetRows LayOutSheet(const PaperSheet &sheet, const QFont &body, const QFont &bold,
                      QPaintDevice &device, qreal width)
{
    SheetRows laidOut;
    laidOut.sheet = &sheet;
    laidOut.rows.reserve(static_cast<size_t>(sheet.lines.size()) + 3);
    for (const QString &line : sheet.lines)
        AddWrappedRows(line, Row::Kind::Text, body, device, width, laidOut.rows);
    if (!sheet.totalNumberText.isEmpty()) {
        laidOut.total =
            QStringLiteral("合计  %1    %2").arg(sheet.totalNumberText, sheet.totalText);
        laidOut.rows.push_back({nullptr, 0, 0, Row::Kind::Rule});
        AddWrappedRows(laidOut.total, Row::Kind::Total, bold, device, width, laidOut.rows);
    }
    return laidOut;
}

class PagePainter {
public:
    PagePainter(QPainter &painter, QPaintDevice &device)
        : painter_(painter),
          width_(device.width()),
          height_(device.height()),
          body_(PaperFont(BodyPoints)),
          bold_(PaperFont(BodyPoints, true)),
          header_(PaperFont(HeaderPoints)),
          bodyMetrics_(body_, &device),
          headerMetrics_(header_, &device)
    {
        rowHeight_ = bodyMetrics_.lineSpacing();
        headerHeight_ = headerMetrics_.lineSpacing() * (1 + HeaderGapRows);
    }

    qreal Width() const { return width_; }
    const QFont &Body() const { return body_; }
    const QFont &Bold() const { return bold_; }
    // At least one row goes on every page, however small the paper.
    size_t RowsPerPage() const
    {
        const qreal space = height_ - 2 * headerHeight_;
        return std::max<size_t>(1, static_cast<size_t>(space / rowHeight_));
    }

    void Paint(const Page &page, int number, int count)
    {
        PaintHeader(*page.sheet->sheet);
        qreal top = headerHeight_;
        for (size_t k = 0; k < page.rowCount; ++k, top += rowHeight_)
            PaintRow(*page.sheet, page.sheet->rows[page.firstRow + k], top);
        painter_.setFont(header_);
        painter_.drawText(
            QRectF(0, height_ - headerMetrics_.lineSpacing(), width_, headerMetrics_.lineSpacing()),
            Qt::AlignHCenter | Qt::AlignBottom,
            QStringLiteral("第 %1 页 / 共 %2 页").arg(number).arg(count));
    }

private:
    void PaintHeader(const PaperSheet &sheet)
    {
        painter_.setFont(header_);
        const qreal line = headerMetrics_.lineSpacing();
        const qreal dateWidth = headerMetrics_.horizontalAdvance(sheet.dateLine);
        QString title = QString::fromLatin1(ProgramName);
        if (!sheet.fileName.isEmpty())
            title += QStringLiteral("    ") + sheet.fileName;
        title = headerMetrics_.elidedText(title, Qt::ElideMiddle, width_ - dateWidth - line);
        painter_.drawText(QPointF(0, headerMetrics_.ascent()), title);
        painter_.drawText(QPointF(width_ - dateWidth, headerMetrics_.ascent()), sheet.dateLine);
        const qreal rule = line + line * HeaderGapRows / 2;
        painter_.drawLine(QPointF(0, rule), QPointF(width_, rule));
    }

    void PaintRow(const SheetRows &sheet, const Row &row, qreal top)
    {
        if (row.kind == Row::Kind::Rule) {
            const qreal middle = top + rowHeight_ / 2;
            painter_.drawLine(QPointF(0, middle), QPointF(width_, middle));
            return;
        }
        const bool total = row.kind == Row::Kind::Total;
        painter_.setFont(total ? bold_ : body_);
        painter_.drawText(QPointF(0, top + bodyMetrics_.ascent()),
                          (total ? sheet.total : *row.text).mid(row.start, row.length));
    }

    QPainter &painter_;
    qreal width_, height_;
    QFont body_, bold_, header_;
    QFontMetricsF bodyMetrics_, headerMetrics_;
    qreal rowHeight_ = 0, headerHeight_ = 0;
};

}  // namespace

bool PaintSheets(QPagedPaintDevice &device, const QList<PaperSheet> &sheets)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PagePainter pages(painter, device);

    std::vector<SheetRows> laidOut;
    laidOut.reserve(static_cast<size_t>(sheets.size()));
    for (const PaperSheet &sheet : sheets)
        laidOut.push_back(LayOutSheet(sheet, pages.Body(), pages.Bold(), device, pages.Width()));

    // Each sheet starts on a page of its own, which it has even when it holds no rows.
    const size_t perPage = pages.RowsPerPage();
    std::vector<Page> pageList;
    for (const SheetRows &sheet : laidOut) {
        size_t first = 0;
        do {
            const size_t count = std::min(perPage, sheet.rows.size() - first);
            pageList.push_back({&sheet, first, count});
            first += count;
        } while (first < sheet.rows.size());
    }

    const int pageCount = static_cast<int>(pageList.size());
    for (int k = 0; k < pageCount; ++k) {
        if (k > 0)
            device.newPage();
        pages.Paint(pageList[static_cast<size_t>(k)], k + 1, pageCount);
    }
    return painter.end();
}

QByteArray SheetsPdf(const QList<PaperSheet> &sheets)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QString::fromLatin1(ProgramName));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(PdfMarginMillimetres, PdfMarginMillimetres,
                                                   PdfMarginMillimetres, PdfMarginMillimetres),
                                         QPageLayout::Millimeter));
        PaintSheets(writer, sheets);
    }
    return bytes;
}

}  // namespace tallimo
