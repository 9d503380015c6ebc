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

// Evaluates the current line of the sheet as Enter at its end does, and ends the expression there
// unless the line held nothing to compute.
BatchLine EvaluateCurrentLine(BatchSheet &sheet, const BatchOptions &options, TokenList &tokens)
{
    const int current = sheet.CaretLine();
    BatchLine result;
    if (sheet.Line(current).contains(QChar(0))) {
        result.status = BatchLine::Status::Error;
        result.error = QStringLiteral("the line holds a NUL character");
    } else {
        try {
            const LineEvaluation outcome =
                EvaluateLine(sheet, current, options.decimals, options.regional, tokens);
            if (options.resultBar) {
                const ResultBarTexts bar =
                    MakeResultBarTexts(outcome.value, outcome.total, options.decimals,
                                       options.money, options.regional);
                result.lineText = bar.lineText;
                result.totalNumberText = bar.totalNumberText;
                result.totalText = bar.totalText;
            } else {
                CheckResultBarRange(outcome.value, outcome.total);
            }
            result.status = outcome.evaluated ? BatchLine::Status::Ok : BatchLine::Status::None;
        } catch (const CalcError &error) {
            result = BatchLine();
            result.status = BatchLine::Status::Error;
            result.error = QString::fromStdString(error.what());
        } catch (const std::bad_alloc &) {
            result = BatchLine();
            result.status = BatchLine::Status::Error;
            result.error = QStringLiteral("not enough memory for this line");
        }
    }
    result.line = sheet.Line(current);
    if (result.status == BatchLine::Status::None)
        sheet.PassOverEmptyExpression(options.regional);
    else
        sheet.CloseExpression(options.regional);
    return result;
}

}  // namespace

BatchLine GrowingSheet::Add(const QString &line)
{
    sheet_.AddLine(line);
    return EvaluateCurrentLine(sheet_, options_, tokens_);
}

void EvaluateSheet(QStringView text, const BatchOptions &options, const BatchReport &report)
{
    BatchSheet sheet(text);
    TokenList tokens;
    for (int index = 0; sheet.HasComingLine(); ++index) {
        sheet.TakeComingLine();
        report(index, EvaluateCurrentLine(sheet, options, tokens));
    }
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
