// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Every modal window the seams open, as rows of a Qt Test table with the column "open".

#include <QTest>

#include <functional>

#include "common/programseams.h"

namespace tallimo {

using ModalSeam = std::function<void(const ProgramSeams &)>;

inline void AddModalSeamRows()
{
    QTest::addColumn<ModalSeam>("open");
    QTest::newRow("message") << ModalSeam(
        [](const ProgramSeams &seams) { seams.showMessage(QStringLiteral("表达式错误！")); });
    QTest::newRow("question") << ModalSeam([](const ProgramSeams &seams) {
        seams.askYesNo(QStringLiteral("abc.txt 已存在。\n要替换它吗？"));
    });
    QTest::newRow("save dialog") << ModalSeam([](const ProgramSeams &seams) {
        seams.chooseSaveFile(QStringLiteral("文本文件(*.txt)"));
    });
    QTest::newRow("open dialog") << ModalSeam([](const ProgramSeams &seams) {
        seams.chooseOpenFile(QStringLiteral("文本文件(*.txt)"));
    });
    QTest::newRow("colour dialog")
        << ModalSeam([](const ProgramSeams &seams) { seams.chooseColour(0xFF0000FF); });
}

}  // namespace tallimo
