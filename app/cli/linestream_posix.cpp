// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/cli/linestream.h"

#include <QByteArray>

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "common/textcodec.h"
#include "engine/calcerror.h"

namespace tallimo {

namespace {

// True when a read would return at once: data, the end of input or an error is there.
bool Ready(int descriptor)
{
    pollfd ready{descriptor, POLLIN, 0};
    return poll(&ready, 1, 0) > 0;
}

}  // namespace

void ReadStreamedLines(int descriptor, const std::function<void()> &waiting,
                       const std::function<void(const QString &line)> &take)
{
    QByteArray pending;    // the start of a line whose end has not come yet
    bool afterCr = false;  // a CR ended the last line, so an LF right after it belongs to it
    bool anyLine = false;
    const auto hand = [&] {
        take(DecodeSheetBytes(pending, !anyLine));
        pending.clear();
        anyLine = true;
    };
    char buffer[1 << 16];
    for (;;) {
        if (!Ready(descriptor))
            waiting();
        const ssize_t count = read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw CalcError(CalcError::Kind::FileAccess,
                            std::string("Cannot read standard input: ") + std::strerror(errno));
        if (count == 0)
            break;
        ssize_t start = 0;
        for (ssize_t k = 0; k < count; ++k) {
            const char c = buffer[k];
            if (afterCr && c == '\n') {
                afterCr = false;
                start = k + 1;
                continue;
            }
            afterCr = false;
            if (c == '\n' || c == '\r') {
                pending.append(buffer + start, k - start);
                hand();
                afterCr = c == '\r';
                start = k + 1;
            }
        }
        pending.append(buffer + start, count - start);
    }
    if (!pending.isEmpty() || !anyLine)
        hand();
}

}  // namespace tallimo
