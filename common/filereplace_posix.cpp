// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/filereplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tallimo {

namespace {

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Writes all bytes, going on after a partial write; the reason of a failure.
std::optional<QString> WriteAll(int fd, const QByteArray &bytes, const FileWrites &writes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = writes.write(fd, bytes.constData() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return SystemReason(written < 0 ? errno : ENOSPC);
        done += written;
    }
    return std::nullopt;
}

// Gives the new file what the old one had. An owner or group that the program may not give
// (it is not the superuser) is left as the new file's; the mode follows the owner, as a change
// of owner clears the set-user-ID bit.
void TakeOverOwnership(int fd, const struct stat &old, const FileWrites &writes)
{
    [[maybe_unused]] const int owned = writes.giveTo(fd, FileOwner{old.st_uid, old.st_gid});
    ::fchmod(fd, old.st_mode & 07777);
}

// A link is followed, so that the file it names is replaced and the link stays.
QByteArray FileBehindLinks(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    char *resolved = ::realpath(name.constData(), nullptr);
    if (!resolved)
        return name;
    const QByteArray result(resolved);
    std::free(resolved);
    return result;
}

// Writes the bytes to a new file beside `target` and renames it over `target`. `old` is what
// stood at the path, if anything; a new file gets `newOwner`, when there is one.
std::optional<QString> ReplaceAt(const QByteArray &target, const QByteArray &bytes,
                                 const FileWrites &writes, const std::optional<struct stat> &old,
                                 const std::optional<FileOwner> &newOwner)
{
    QByteArray temporary = target + ".XXXXXX";
    const int fd = writes.create(temporary.data());
    if (fd < 0)
        return SystemReason(errno);

    if (old) {
        TakeOverOwnership(fd, *old, writes);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        if (newOwner) {
            [[maybe_unused]] const int given = writes.giveTo(fd, *newOwner);
        }
    }

    std::optional<QString> failure = WriteAll(fd, bytes, writes);
    if (!failure && ::fsync(fd) != 0)
        failure = SystemReason(errno);
    if (::close(fd) != 0 && !failure)
        failure = SystemReason(errno);
    // A rename replaces whatever stands at the path, a link included, and never writes into
    // the file a link names.
    if (!failure && ::rename(temporary.constData(), target.constData()) != 0)
        failure = SystemReason(errno);
    if (failure)
        ::unlink(temporary.constData());
    return failure;
}

// The owner of the home folder, for a path inside a home folder the program does not own.
std::optional<FileOwner> OwnerOfHomeAround(const QString &path)
{
    const QString home = QDir::cleanPath(QDir::homePath());
    const QString inside = home.endsWith(QLatin1Char('/')) ? home : home + QLatin1Char('/');
    if (!QDir::cleanPath(path).startsWith(inside))
        return std::nullopt;
    struct stat owner = {};
    if (::stat(QFile::encodeName(home).constData(), &owner) != 0 || owner.st_uid == ::geteuid())
        return std::nullopt;
    return FileOwner{owner.st_uid, owner.st_gid};
}

}  // namespace

FileWrites SystemFileWrites()
{
    FileWrites writes;
    writes.mayCreateIn = [](const QString &folder) {
        return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
    };
    writes.create = [](char *pattern) { return ::mkstemp(pattern); };
    writes.write = [](int fd, const char *data, qint64 size) -> qint64 {
        return ::write(fd, data, static_cast<size_t>(size));
    };
    writes.giveTo = [](int fd, const FileOwner &owner) {
        return ::fchown(fd, owner.user, owner.group);
    };
    writes.ownerOfNew = OwnerOfHomeAround;
    return writes;
}

std::optional<QString> ReplaceFile(const QString &path, const QByteArray &bytes,
                                   const FileWrites &writes)
{
    const QByteArray target = FileBehindLinks(path);
    struct stat old = {};
    if (::stat(target.constData(), &old) == 0)
        return ReplaceAt(target, bytes, writes, old, std::nullopt);
    return ReplaceAt(target, bytes, writes, std::nullopt, std::nullopt);
}

std::optional<QString> ReplaceOwnFile(const QString &path, const QByteArray &bytes,
                                      const FileWrites &writes)
{
    const QByteArray target = QFile::encodeName(path);
    struct stat old = {};
    if (::lstat(target.constData(), &old) != 0)
        return ReplaceAt(target, bytes, writes, std::nullopt, writes.ownerOfNew(path));
    if (S_ISLNK(old.st_mode))
        return SymbolicLinkReason();
    return ReplaceAt(target, bytes, writes, old, std::nullopt);
}

std::optional<QString> MakeOwnFolder(const QString &folder, const FileWrites &writes)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    // The folders to make, the innermost first.
    QStringList missing;
    for (QString at = clean; !QFileInfo::exists(at); at = QFileInfo(at).path()) {
        if (QFileInfo(at).isSymLink())
            return SymbolicLinkReason();
        missing.prepend(at);
        if (at == QFileInfo(at).path())
            break;
    }
    for (const QString &made : missing) {
        const QByteArray name = QFile::encodeName(made);
        if (::mkdir(name.constData(), 0777) != 0 && errno != EEXIST)
            return SystemReason(errno);
        if (const std::optional<FileOwner> owner = writes.ownerOfNew(made)) {
            const int fd =
                ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fd >= 0) {
                [[maybe_unused]] const int given = writes.giveTo(fd, *owner);
                ::close(fd);
            }
        }
    }
    if (!QFileInfo(clean).isDir())
        return SystemReason(ENOTDIR);
    return std::nullopt;
}

namespace {

// A temporary of a file is named as the file with a dot and six ASCII letters or digits after it.
bool IsTemporaryName(QStringView name, QStringView fileName)
{
    constexpr qsizetype Letters = 6;
    if (name.size() != fileName.size() + 1 + Letters || !name.startsWith(fileName) ||
        name.at(fileName.size()) != QLatin1Char('.'))
        return false;
    return std::all_of(name.end() - Letters, name.end(),
                       [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
}

}  // namespace

// The folder is listed without a name filter and the names are read here: a name filter would
// compile a regular expression, whose library then stays in memory for the program's life.
void RemoveStaleTemporaries(const QString &path)
{
    const QFileInfo file(path);
    const QString fileName = file.fileName();
    const QDir folder = file.dir();
    for (const QString &name :
         folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted)) {
        const QByteArray stale = QFile::encodeName(folder.filePath(name));
        struct stat found = {};
        if (IsTemporaryName(name, fileName) && ::lstat(stale.constData(), &found) == 0 &&
            S_ISREG(found.st_mode))
            ::unlink(stale.constData());
    }
}

QString SymbolicLinkReason()
{
    return QStringLiteral("它是符号链接，程序不经由链接读写自己的文件");
}

}  // namespace tallimo
