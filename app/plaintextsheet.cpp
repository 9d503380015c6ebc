// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/plaintextsheet.h"

#include <QPlainTextEdit>
#include <QStringView>
#include <QTextBlock>

#include <algorithm>

#include "engine/sheetresults.h"

namespace tallimo {

// The results of a document's lines, kept in step with its contents. A change arrives as a range
// of characters; the blocks it now covers replace as many blocks as the count of blocks says.
// Inside an edit block the document reports its changes only when the block ends, so the line
// evaluation's own line replacements are reported by the sheet at once.
class DocumentResults : public QObject {
    Q_OBJECT
public:
    explicit DocumentResults(QTextDocument &document)
        : QObject(&document), document_(document), lineCount_(document.blockCount())
    {
        setObjectName(QStringLiteral("DocumentResults"));
        results.Reset(lineCount_);
        connect(&document, &QTextDocument::contentsChange, this, &DocumentResults::Changed);
    }

    SheetResults results;

private:
    void Changed(int position, int /*removed*/, int added)
    {
        const int last = document_.characterCount() - 1;
        const int first = document_.findBlock(std::clamp(position, 0, last)).blockNumber();
        const int end = document_.findBlock(std::clamp(position + added, 0, last)).blockNumber();
        const int count = document_.blockCount();
        const int addedLines = end - first + 1;
        results.LinesReplaced(first, addedLines - (count - lineCount_), addedLines);
        lineCount_ = count;
    }

    QTextDocument &document_;
    int lineCount_;
};

namespace {

DocumentResults &ResultsOf(QTextDocument &document)
{
    auto *results = document.findChild<DocumentResults *>(QStringLiteral("DocumentResults"),
                                                          Qt::FindDirectChildrenOnly);
    return results ? *results : *new DocumentResults(document);
}

}  // namespace

PlainTextSheet::PlainTextSheet(QPlainTextEdit &editor)
    : editor_(editor), results_(ResultsOf(*editor.document()))
{
}

int PlainTextSheet::LineCount() const { return editor_.document()->blockCount(); }

namespace {

// The editor's plain text shows a no-break space as a space.
QString PlainText(QString text) { return text.replace(QChar::Nbsp, QLatin1Char(' ')); }

// From this many lines on, one copy of the document's text is quicker than finding each block.
constexpr int ManyLines = 256;

}  // namespace

QString PlainTextSheet::Line(int line) const
{
    return PlainText(editor_.document()->findBlockByNumber(line).text());
}

// The raw text separates blocks by paragraph separators and keeps line separators inside them.
void PlainTextSheet::ReadLines(int first, int end,
                               const std::function<void(int line, QStringView text)> &read) const
{
    const QTextDocument &document = *editor_.document();
    if (end - first >= ManyLines) {
        const QString raw = document.toRawText();
        if (raw.count(QChar::ParagraphSeparator) == document.blockCount() - 1) {
            qsizetype start = 0;
            for (int line = 0; line < end; ++line) {
                qsizetype stop = raw.indexOf(QChar::ParagraphSeparator, start);
                if (stop < 0)
                    stop = raw.size();
                const QStringView text = QStringView(raw).mid(start, stop - start);
                if (line >= first && text.contains(QChar::Nbsp))
                    read(line, PlainText(text.toString()));
                else if (line >= first)
                    read(line, text);
                start = stop + 1;
            }
            return;
        }
    }
    QTextBlock block = document.findBlockByNumber(first);
    for (int line = first; line < end && block.isValid(); ++line, block = block.next())
        read(line, PlainText(block.text()));
}

int PlainTextSheet::CaretLine() const
{
    return editor_.document()->findBlock(editor_.textCursor().selectionStart()).blockNumber();
}

int PlainTextSheet::CaretColumn() const
{
    const int position = editor_.textCursor().selectionStart();
    return position - editor_.document()->findBlock(position).position();
}

void PlainTextSheet::ReplaceLine(int line, const QString &text)
{
    const QTextBlock block = editor_.document()->findBlockByNumber(line);
    QTextCursor cursor(block);
    // The block's end by its length: moving the cursor there would look up the block again.
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    // A result written after the line only adds to its end: one insertion there, rather than
    // taking the line out and putting it back, spares the document a removal and the layout of
    // the line's text twice.
    const QString old = block.text();
    if (text.startsWith(old)) {
        cursor.clearSelection();
        cursor.insertText(text.mid(old.size()));
    } else {
        cursor.insertText(text);
    }
    // A caret inside the line is carried to its end by the edit itself; setting it again would
    // make the editor work out where it stands a second time.
    const QTextCursor caret = editor_.textCursor();
    if (caret.hasSelection() || caret.position() != cursor.position())
        editor_.setTextCursor(cursor);
    results_.results.LineChanged(line);
}

SheetResults &PlainTextSheet::Results() { return results_.results; }

}  // namespace tallimo

#include "plaintextsheet.moc"
