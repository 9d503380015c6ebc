// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One running program per user: the first start listens on a local socket in the user's runtime
// folder; a later start finds it there, asks it to show its window, and ends.

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace tallimo {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The socket of the user's running program: in the runtime folder, which is the user's own.
    static QString DefaultSocketPath();

    explicit SingleInstance(QString socketPath, QObject *parent = nullptr);

    // True when no other program of the user runs: this one then listens for later starts (a
    // socket left by a run that crashed is taken over). False when another one runs; it has been
    // asked to show its window.
    bool Claim();

signals:
    // A later start asks for the window.
    void showRequested();

private:
    QString socketPath_;
    QLocalServer server_;
};

}  // namespace tallimo
