// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text of a PDF document as a reader copies it, through poppler's pdftotext.

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace tallimo {

inline bool HavePdfToText() { return !QStandardPaths::findExecutable("pdftotext").isEmpty(); }

// The text of the pages from `first` to `last` (all of them when 0), in reading order, or a null
// text when pdftotext cannot read the file.
inline QString PdfText(const QString &path, int first = 0, int last = 0)
{
    QStringList arguments;
    if (first > 0)
        arguments << QStringLiteral("-f") << QString::number(first);
    if (last > 0)
        arguments << QStringLiteral("-l") << QString::number(last);
    arguments << path << QStringLiteral("-");
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The right edges of the words on the document's pages, in points from the page's left edge.
inline QList<double> PdfWordRightEdges(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    QList<double> edges;
    if (!process.waitForFinished(60000))
        return edges;
    const QRegularExpression edge(QStringLiteral("xMax=\"([0-9.]+)\""));
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    for (auto match = edge.globalMatch(html); match.hasNext();)
        edges << match.next().captured(1).toDouble();
    return edges;
}

// The text with every blank, line break and page break taken out: pdftotext sets blanks between
// Chinese characters and breaks lines by its own measure.
inline QString Unspaced(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

}  // namespace tallimo
