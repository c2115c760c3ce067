#include "app/instancechannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QStringList>

namespace kinetra {

namespace {

constexpr int kLineLimit = 64 * 1024;
const QByteArray kTaken = "OK\n";

} // namespace

InstanceServer::InstanceServer(QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::takeConnection);
}

bool InstanceServer::listen(const QString &socketPath)
{
    // Only the holder of the instance lock listens, so a socket file that exists is stale.
    QLocalServer::removeServer(socketPath);
    return m_server->listen(socketPath);
}

void InstanceServer::takeConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QStringList paths;
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine(kLineLimit).trimmed();
                if (line.isEmpty())
                    continue;
                socket->write(kTaken);
                socket->flush();
                paths << QString::fromUtf8(line);
            }
            // A line that never ends is not a request from a Kinetra start.
            if (socket->bytesAvailable() > kLineLimit)
                socket->abort();
            // Opening a play may ask about unsaved changes, and the event loop that question
            // runs lets the second start hang up, which frees this socket. The plays open once
            // this handler is done with the socket.
            for (const QString &path : std::as_const(paths))
                QMetaObject::invokeMethod(
                    this, [this, path] { emit playReceived(path); }, Qt::QueuedConnection);
        });
    }
}

bool handToRunningInstance(const QString &socketPath, const QString &path, int timeoutMs)
{
    // A path with a line break cannot travel as one line.
    if (path.contains('\n'))
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (!answer.endsWith('\n')) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
        answer += socket.readAll();
    }
    return answer == kTaken;
}

} // namespace kinetra
