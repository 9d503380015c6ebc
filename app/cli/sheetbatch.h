#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "engine/regional.h"

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

// Evaluates every line of a sheet in turn, as Enter at the end of each line does in the window,
// and hands each line on (numbered from 0) as soon as it is done.
using BatchReport = std::function<void(int lineNumber, const BatchLine &line)>;
void EvaluateSheet(QStringList lines, const BatchOptions &options, const BatchReport &report);

// One row of the tab-separated listing; line numbers count from 1.
QString TsvRow(int lineNumber, const BatchLine &line);

}  // namespace tallimo
