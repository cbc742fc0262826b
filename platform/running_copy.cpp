#include "platform/running_copy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#ifdef Q_OS_WIN
#include <QLocalServer>
#include <QLocalSocket>
#else
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

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
// A copy started a moment before listens only once its window is up: the
// second one keeps trying this long.
constexpr int patience_ms = 2000;
// A connection that asks nothing within answer_ms is closed.

} // namespace

#ifdef Q_OS_WIN

// Windows: a named pipe, through Qt's local socket.
struct RunningCopy::Channel {
    QLocalServer server;
};

bool RunningCopy::listen(const QString &folder, std::function<void()> show)
{
    show_ = std::move(show);
    channel_ = std::make_unique<Channel>();
    QLocalServer &server = channel_->server;
    server.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&server, &QLocalServer::newConnection, this, [this, &server] {
        while (QLocalSocket *socket = server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // One that asks nothing in time is closed.
            QTimer::singleShot(answer_ms, socket, [socket] { socket->disconnectFromServer(); });
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (!socket->readAll().startsWith("show"))
                    return;
                show_();
                socket->write("ok\n");
                socket->flush();
            });
        }
    });
    const QString name = socket_name(folder);
    if (server.listen(name))
        return true;
    QLocalServer::removeServer(name);
    return server.listen(name);
}

bool RunningCopy::ask_to_show(const QString &folder)
{
    QLocalSocket socket;
    // The copy holding the folder may be starting: it listens once its
    // window is up.
    QElapsedTimer trying;
    trying.start();
    for (socket.connectToServer(socket_name(folder)); !socket.waitForConnected(answer_ms);
         socket.connectToServer(socket_name(folder))) {
        if (trying.elapsed() >= patience_ms)
            return false;
        QThread::msleep(50);
    }
    socket.write("show\n");
    if (!socket.waitForBytesWritten(answer_ms))
        return false;
    while (socket.bytesAvailable() < 3 && socket.waitForReadyRead(answer_ms)) { }
    return socket.readAll().startsWith("ok");
}

#else

// Elsewhere a Unix socket in the user's runtime folder: Qt's local socket
// would load its network library at every start, for a second copy that
// rarely comes.
struct RunningCopy::Channel {
    int listening = -1;
    QByteArray path; // the socket's file, removed at the exit
    std::unique_ptr<QSocketNotifier> incoming;
    int waiting = 0; // connections that have not asked yet
    ~Channel()
    {
        if (listening >= 0) {
            ::close(listening);
            ::unlink(path.constData());
        }
    }
};

namespace {

// No more than this many connections that have not asked yet are open.
constexpr int most_waiting = 4;

// The socket's address; false when the path does not fit one.
bool address_of(const QString &folder, sockaddr_un &address)
{
    const QByteArray path
        = QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u'/'
            + socket_name(folder));
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

} // namespace

bool RunningCopy::listen(const QString &folder, std::function<void()> show)
{
    show_ = std::move(show);
    sockaddr_un address {};
    if (!address_of(folder, address))
        return false;
    channel_ = std::make_unique<Channel>();
    channel_->listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (channel_->listening < 0)
        return false;
    const auto bind_to = [&] {
        return ::bind(channel_->listening, reinterpret_cast<const sockaddr *>(&address),
                   sizeof address)
            == 0;
    };
    // A socket left by a copy that crashed: this copy holds the folder's
    // lock, so it is nobody's.
    if (!bind_to() && !(errno == EADDRINUSE && ::unlink(address.sun_path) == 0 && bind_to()))
        return false;
    channel_->path = address.sun_path;
    if (::listen(channel_->listening, 4) != 0)
        return false;
    channel_->incoming
        = std::make_unique<QSocketNotifier>(channel_->listening, QSocketNotifier::Read);
    connect(channel_->incoming.get(), &QSocketNotifier::activated, this, [this] {
        const int peer
            = ::accept4(channel_->listening, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (peer < 0)
            return;
        if (channel_->waiting >= most_waiting) {
            ::close(peer);
            return;
        }
        ++channel_->waiting;
        // The question is read when it comes: the window never waits. One
        // that does not come in time closes the connection.
        auto *asked = new QSocketNotifier(peer, QSocketNotifier::Read, this);
        auto *late = new QTimer(asked);
        late->setSingleShot(true);
        const auto done = [this, asked, peer] {
            if (!asked->isEnabled())
                return;
            asked->setEnabled(false);
            asked->deleteLater();
            ::close(peer);
            --channel_->waiting;
        };
        connect(late, &QTimer::timeout, asked, done);
        connect(asked, &QSocketNotifier::activated, this, [this, peer, done] {
            char question[8] = {};
            if (::read(peer, question, sizeof question) >= 4
                && std::strncmp(question, "show", 4) == 0) {
                show_();
                [[maybe_unused]] const auto sent = ::write(peer, "ok\n", 3);
            }
            done();
        });
        late->start(answer_ms);
    });
    return true;
}

bool RunningCopy::ask_to_show(const QString &folder)
{
    sockaddr_un address {};
    if (!address_of(folder, address))
        return false;
    QElapsedTimer trying;
    trying.start();
    for (;;) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        const bool connected
            = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
        char answer[4] = {};
        pollfd answered {fd, POLLIN, 0};
        const bool shown = connected && ::write(fd, "show\n", 5) == 5
            && ::poll(&answered, 1, answer_ms) == 1 && ::read(fd, answer, sizeof answer) >= 2
            && std::strncmp(answer, "ok", 2) == 0;
        ::close(fd);
        // Not listening yet: the copy holding the folder may be starting.
        if (shown || connected || trying.elapsed() >= patience_ms)
            return shown;
        QThread::msleep(50);
    }
}

#endif

RunningCopy::RunningCopy(QObject *parent)
    : QObject(parent)
{
}

RunningCopy::~RunningCopy() = default;
