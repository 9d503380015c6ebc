// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One running program per user: the first start takes a lock in the user's runtime folder and
// listens on a local socket beside it; a later start finds the lock taken, asks the running
// program through the socket to show its window, and ends. The lock decides, so two starts at
// the same instant cannot both run, and a socket is only ever removed by a start that holds the
// lock, when the program that made it has ended.

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace tallimo {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The socket of the user's running program: in the runtime folder, which is the user's own.
    static QString DefaultSocketPath();

    explicit SingleInstance(QString socketPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when no other program of the user runs: this one then holds the lock for its whole
    // run and listens for later starts (a socket left by a run that crashed is taken over).
    // False when another one runs; it has been asked to show its window.
    bool Claim();

signals:
    // A later start asks for the window.
    void showRequested();

private:
    void Listen();
    void Accept();

    QString socketPath_;
    int lock_ = -1;
    int listening_ = -1;
    QSocketNotifier *notifier_ = nullptr;
};

}  // namespace tallimo
