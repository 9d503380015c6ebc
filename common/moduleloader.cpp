#include "common/moduleloader.h"

#include <QDir>
#include <QLibrary>

namespace tallimo {

QFunctionPointer ResolveModuleEntry(const QString &folder, const QString &name, const char *entry)
{
    QLibrary module(QDir(folder).filePath(name));
    return module.resolve(entry);
}

}  // namespace tallimo
