#include "platform/running_copy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

// One name a folder, whatever way its path is written.
QString socket_name(const QString &folder)
{
    const QByteArray path = QDir(folder).canonicalPath().toUtf8();
    return QStringLiteral("pennaro-")
        + QString::fromLatin1(
            QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().left(24));
}

constexpr int answer_ms = 2000;

} // namespace

RunningCopy::RunningCopy(QObject *parent)
    : QObject(parent)
    , server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (!socket->readAll().startsWith("show"))
                    return;
                if (show_)
                    show_();
                socket->write("ok\n");
                socket->flush();
            });
        }
    });
}

bool RunningCopy::listen(const QString &folder, std::function<void()> show)
{
    show_ = std::move(show);
    const QString name = socket_name(folder);
    if (server_->listen(name))
        return true;
    // A socket file left by a copy that crashed: this copy holds the
    // folder's lock, so it is nobody's.
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

bool RunningCopy::ask_to_show(const QString &folder)
{
    QLocalSocket socket;
    socket.connectToServer(socket_name(folder));
    if (!socket.waitForConnected(answer_ms))
        return false;
    socket.write("show\n");
    if (!socket.waitForBytesWritten(answer_ms))
        return false;
    while (socket.bytesAvailable() < 3 && socket.waitForReadyRead(answer_ms)) {
    }
    return socket.readAll().startsWith("ok");
}
