// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/singleinstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include <utility>

namespace tallimo {

namespace {

constexpr int ConnectMilliseconds = 1000;

}  // namespace

QString SingleInstance::DefaultSocketPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(QStringLiteral("tallimo.socket"));
}

SingleInstance::SingleInstance(QString socketPath, QObject *parent)
    : QObject(parent), socketPath_(std::move(socketPath))
{
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *start = server_.nextPendingConnection()) {
            start->disconnectFromServer();
            start->deleteLater();
            emit showRequested();
        }
    });
}

bool SingleInstance::Claim()
{
    QLocalSocket running;
    running.connectToServer(socketPath_);
    if (running.waitForConnected(ConnectMilliseconds)) {
        running.disconnectFromServer();
        return false;
    }
    // Nobody answers: whatever is left at the path belongs to a run that has ended.
    QLocalServer::removeServer(socketPath_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    // Where no socket can be made, the program runs all the same, only without the guard.
    if (!server_.listen(socketPath_))
        qWarning("Later starts cannot find this one: %s", qPrintable(server_.errorString()));
    return true;
}

}  // namespace tallimo
