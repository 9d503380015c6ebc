// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/cli/sheetbatch.h"

#include <new>

#include "engine/calcerror.h"
#include "engine/lineevaluation.h"

namespace tallimo {

namespace {

QString StatusName(BatchLine::Status status)
{
    switch (status) {
    case BatchLine::Status::Ok:
        return QStringLiteral("ok");
    case BatchLine::Status::None:
        return QStringLiteral("none");
    case BatchLine::Status::Error:
        break;
    }
    return QStringLiteral("error");
}

QString EscapeField(QString field)
{
    field.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    field.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return field;
}

// Evaluates one line of the sheet as Enter at its end does. As in the window, a line that fails
// leaves the result bar as the line before left it.
BatchLine EvaluateBatchLine(LineListSheet &sheet, int index, const BatchOptions &options,
                            TokenList &tokens, ResultBarTexts &bar)
{
    sheet.SetCaretAtEnd(index);
    BatchLine result;
    try {
        const LineEvaluation outcome =
            EvaluateLine(sheet, index, options.decimals, options.regional, tokens);
        if (options.resultBar)
            bar = MakeResultBarTexts(outcome.value, outcome.total, options.decimals, options.money,
                                     options.regional);
        else
            CheckResultBarRange(outcome.value, outcome.total);
        result.status = outcome.evaluated ? BatchLine::Status::Ok : BatchLine::Status::None;
    } catch (const CalcError &error) {
        result.status = BatchLine::Status::Error;
        result.error = QString::fromStdString(error.what());
    } catch (const std::bad_alloc &) {
        result.status = BatchLine::Status::Error;
        result.error = QStringLiteral("not enough memory for this line");
    }
    result.line = sheet.Line(index);
    result.lineText = bar.lineText;
    result.totalNumberText = bar.totalNumberText;
    result.totalText = bar.totalText;
    return result;
}

}  // namespace

BatchLine GrowingSheet::Add(const QString &line)
{
    if (lineCount_ == 0)
        sheet_.ReplaceLine(0, line);  // the sheet starts with one empty line
    else
        sheet_.AppendLine(line);
    return EvaluateBatchLine(sheet_, lineCount_++, options_, tokens_, bar_);
}

void EvaluateSheet(QStringList lines, const BatchOptions &options, const BatchReport &report)
{
    LineListSheet sheet(std::move(lines));
    TokenList tokens;
    ResultBarTexts bar;
    for (int i = 0; i < sheet.LineCount(); ++i)
        report(i, EvaluateBatchLine(sheet, i, options, tokens, bar));
}

QString TsvRow(int lineNumber, const BatchLine &line)
{
    const QStringList fields = {
        QString::number(lineNumber), StatusName(line.status), line.line, line.lineText,
        line.totalNumberText,        line.totalText,
    };
    QStringList escaped;
    for (const QString &field : fields)
        escaped << EscapeField(field);
    return escaped.join(QLatin1Char('\t'));
}

}  // namespace tallimo
