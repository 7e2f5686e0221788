#include "app/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

#include <system_error>

namespace vorela {

static constexpr char FrontRequest[] = "front\n";
// The running copy takes the guard before it loads the store and builds its window, so a copy
// started meanwhile keeps trying for a while.
static constexpr int ConnectMilliseconds = 5000;
static constexpr int RetryMilliseconds = 100;

// One socket per data directory, in the user's runtime folder: the data directory itself may be
// a share that cannot hold sockets, and the same folder reached by two spellings is one editor.
static QString socketPath(const std::filesystem::path &dataDirectory)
{
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(dataDirectory, error);
    if (error)
        canonical = std::filesystem::absolute(dataDirectory, error);
    const QByteArray digest = QCryptographicHash::hash(
        QByteArray::fromStdString(canonical.string()), QCryptographicHash::Sha256);
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/vorela-editor-") + QString::fromLatin1(digest.toHex().left(16));
}

InstanceChannel::InstanceChannel(const std::filesystem::path &dataDirectory, QWidget &mainWindow)
    : server(new QLocalServer(this)), window(&mainWindow)
{
    const QString path = socketPath(dataDirectory);
    // A socket left by a copy that crashed: this process holds the guard, so nobody listens there.
    QLocalServer::removeServer(path);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path))
        return;
    connect(server, &QLocalServer::newConnection, this, &InstanceChannel::acceptCaller);
}

bool InstanceChannel::isListening() const
{
    return server->isListening();
}

QString InstanceChannel::errorText() const
{
    return server->errorString();
}

void InstanceChannel::acceptCaller()
{
    while (QLocalSocket *caller = server->nextPendingConnection()) {
        connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
        connect(caller, &QLocalSocket::readyRead, this, [this, caller] { readRequest(*caller); });
        if (caller->bytesAvailable() > 0)
            readRequest(*caller);
    }
}

void InstanceChannel::readRequest(QLocalSocket &caller)
{
    if (!caller.canReadLine())
        return;
    if (caller.readLine() == FrontRequest)
        bringWindowToFront();
    caller.disconnectFromServer();
}

void InstanceChannel::bringWindowToFront()
{
    if (window.isNull())
        return;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

bool InstanceChannel::requestFront(const std::filesystem::path &dataDirectory)
{
    const QString path = socketPath(dataDirectory);
    const QDeadlineTimer deadline(ConnectMilliseconds);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(path);
        if (socket.waitForConnected(RetryMilliseconds))
            break;
        socket.abort();
        if (deadline.hasExpired())
            return false;
        QThread::msleep(RetryMilliseconds);
    }
    // The running copy hangs up once it has read the request: that is the answer.
    if (socket.write(FrontRequest) < 0)
        return false;
    return socket.waitForDisconnected(ConnectMilliseconds);
}

} // namespace vorela
