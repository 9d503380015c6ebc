// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/moduleloader.h"

#include <QDir>
#include <QLibrary>

namespace tallimo {

QFunctionPointer ResolveModuleEntry(const QString &folder, const QString &name, const char *entry)
{
    QLibrary module(QDir(folder).filePath(name));
    const QFunctionPointer resolved = module.resolve(entry);
    if (!resolved) {
        // The program goes on without the module; this says why, once per attempt.
        qWarning("module %s not loaded: %s", qUtf8Printable(name),
                 qUtf8Printable(module.errorString()));
    }
    return resolved;
}

}  // namespace tallimo
