// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/printmodule.h"

#include "common/moduleloader.h"

namespace tallimo {

std::optional<QString> PrintThroughModule(const QString &folder, const PaperSheet &sheet)
{
    const auto print = reinterpret_cast<PrintSheetEntry>(
        ResolveModuleEntry(folder, QString::fromLatin1(PrintModuleName), PrintModuleEntry));
    if (!print)
        return QStringLiteral("无法打印：打印模块 %1 未能载入。")
            .arg(QString::fromLatin1(PrintModuleName));
    QString failure;
    print(sheet, failure);
    if (failure.isEmpty())
        return std::nullopt;
    return failure;
}

}  // namespace tallimo
