// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QSocketNotifier;

namespace tallimo {

// SIGTERM, SIGHUP and SIGINT, the way a shutdown, a closed terminal or Ctrl+C ends a program,
// arrive as the signal `received` in the event loop, so that the program ends through its exit
// procedure instead of dying on the spot. The handler itself only writes a byte into a socket
// that the event loop watches. Only the first signal comes as `received`: from then on the
// default handling is back, so a second signal ends the program at once, also while the exit
// procedure waits. One instance at a time; its end restores the default handling.
class EndSignals : public QObject {
    Q_OBJECT
public:
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

signals:
    void received();

private:
    void Drain();

    QSocketNotifier *notifier_ = nullptr;
};

}  // namespace tallimo
