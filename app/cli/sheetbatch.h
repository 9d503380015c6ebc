#pragma once

#include <QString>
#include <QStringList>

#include "engine/regional.h"

namespace tallimo {

// Evaluates every line of a sheet in turn, as Enter at the end of each line does in the window.
struct BatchOptions {
    int decimals = 2;
    bool money = false;
    RegionalSettings regional;
};

struct BatchLine {
    enum class Status { Ok, None, Error };
    Status status = Status::None;
    QString line;   // the line after evaluation (tidied only, when it failed)
    QString error;  // the reason, when it failed
    QString lineText, totalNumberText, totalText;  // the result bar
};

QList<BatchLine> EvaluateSheet(const QString &sheetText, const BatchOptions &options);

// One row of the tab-separated listing; line numbers count from 1.
QString TsvRow(int lineNumber, const BatchLine &line);

}  // namespace tallimo
