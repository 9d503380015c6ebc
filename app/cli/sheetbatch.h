// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "common/resultbar.h"
#include "engine/linelist/linelistsheet.h"
#include "engine/regional.h"
#include "engine/scanner.h"

namespace tallimo {

struct BatchOptions {
    int decimals = 2;
    bool money = false;
    bool resultBar = true;  // the result bar's texts are made for each line
    RegionalSettings regional;
};

struct BatchLine {
    enum class Status { Ok, None, Error };
    Status status = Status::None;
    QString line;   // the line after evaluation (tidied only, when it failed)
    QString error;  // the reason, when it failed
    QString lineText, totalNumberText, totalText;  // the result bar
};

// A sheet whose lines come one by one, as from a pipe: each line is evaluated as it is added, as
// Enter at its end does in the window when the lines before it are the whole sheet.
class GrowingSheet {
public:
    explicit GrowingSheet(BatchOptions options) : options_(std::move(options)) {}
    BatchLine Add(const QString &line);

private:
    BatchOptions options_;
    LineListSheet sheet_;
    int lineCount_ = 0;
    TokenList tokens_;
    ResultBarTexts bar_;
};

// Evaluates every line of a sheet in turn, as Enter at the end of each line does in the window,
// and hands each line on (numbered from 0) as soon as it is done.
using BatchReport = std::function<void(int lineNumber, const BatchLine &line)>;
void EvaluateSheet(QStringList lines, const BatchOptions &options, const BatchReport &report);

// One row of the tab-separated listing; line numbers count from 1.
QString TsvRow(int lineNumber, const BatchLine &line);

}  // namespace tallimo
