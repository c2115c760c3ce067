#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace kinetra {

/// The running program's end of the local socket through which a second start hands over the
/// play named on its command line. One request is one line: the play's absolute path in
/// UTF-8; the server answers "OK" once it has taken the path.
class InstanceServer : public QObject
{
    Q_OBJECT

public:
    explicit InstanceServer(QObject *parent = nullptr);

    /// Listens at socketPath, replacing a socket a crashed run left there. Only this user may
    /// connect. Returns false when the socket cannot be made.
    bool listen(const QString &socketPath);

signals:
    /// A second start handed over a play. Emitted from the event loop once the request has
    /// been answered, never while the socket is being read, so a receiver may run dialogs.
    void playReceived(const QString &path);

private:
    void takeConnection();

    QLocalServer *m_server = nullptr;
};

/// Hands path to the program listening at socketPath and waits up to timeoutMs for it to take
/// the play; false when nothing listens or it did not answer.
bool handToRunningInstance(const QString &socketPath, const QString &path, int timeoutMs);

} // namespace kinetra
