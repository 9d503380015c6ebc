#pragma once

// A disk with no room left, as the program's file saves meet it.

#include <QString>

#include <cerrno>
#include <cstring>

#include "common/filereplace.h"

namespace tallimo {

inline FileWrites FullDisk()
{
    return {[](int, const char *, qint64) -> qint64 {
        errno = ENOSPC;
        return -1;
    }};
}

// The system's own words for it, in the locale of the run.
inline QString NoSpaceReason() { return QString::fromLocal8Bit(std::strerror(ENOSPC)); }

}  // namespace tallimo
