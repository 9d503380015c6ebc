// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <functional>

#include "app/cli/batchsheet.h"
#include "common/resultbar.h"
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
    QString lineText, totalNumberText, totalText;  // the result bar; empty when the line failed
};

// A sheet whose lines come one by one, as from a pipe: each line is evaluated as it is added, as
// EvaluateSheet evaluates the lines of a sheet whose lines so far are the whole sheet.
class GrowingSheet {
public:
    explicit GrowingSheet(BatchOptions options) : options_(std::move(options)) {}
    BatchLine Add(const QString &line);

private:
    BatchOptions options_;
    BatchSheet sheet_;
    TokenList tokens_;
};

// Evaluates every line of a sheet (lines separated by "\n") in turn, as Enter at the end of each
// line does in the window, and hands each line on (numbered from 0) as soon as it is done. One
// rule differs: a line that failed ends its expression, so the next line starts afresh, since a
// batch has no one to mend the line as the window's user does. A line holding a NUL character
// fails unread.
using BatchReport = std::function<void(int lineNumber, const BatchLine &line)>;
void EvaluateSheet(QStringView text, const BatchOptions &options, const BatchReport &report);

// One row of the tab-separated listing; line numbers count from 1.
QString TsvRow(int lineNumber, const BatchLine &line);

}  // namespace tallimo
