// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/endsignals.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace tallimo {

namespace {

constexpr int EndingSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The socket pair: the handler writes into the first, the event loop reads the second.
int sockets[2] = {-1, -1};

// Whether an ending signal has come already.
volatile sig_atomic_t signalled = 0;

void Handle(int signal, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

// The first signal starts the exit procedure; any further one ends the program at once, the
// way it would have ended without the handler, however the exit procedure fares. A signal that
// comes before the first one's handler has run finds the handler still set, hence the flag.
extern "C" void WriteSignalByte(int signal)
{
    const int savedErrno = errno;
    for (int ending : EndingSignals)
        Handle(ending, SIG_DFL);
    if (signalled) {
        // Held back until the handler returns, then it ends the program.
        ::raise(signal);
    } else {
        signalled = 1;
        const char byte = 1;
        // A full socket already holds a byte that will be read: nothing is lost by a failed
        // write.
        [[maybe_unused]] const ssize_t written = ::write(sockets[0], &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

EndSignals::EndSignals(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, sockets) != 0) {
        qWarning("The program cannot catch the signals that end it: %s", strerror(errno));
        return;
    }
    notifier_ = new QSocketNotifier(sockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &EndSignals::Drain);
    signalled = 0;
    for (int signal : EndingSignals)
        Handle(signal, WriteSignalByte);
}

EndSignals::~EndSignals()
{
    if (!notifier_)
        return;
    for (int signal : EndingSignals)
        Handle(signal, SIG_DFL);
    ::close(sockets[0]);
    ::close(sockets[1]);
    sockets[0] = sockets[1] = -1;
}

void EndSignals::Drain()
{
    char bytes[16];
    while (::read(sockets[1], bytes, sizeof bytes) > 0) {
    }
    emit received();
}

}  // namespace tallimo
