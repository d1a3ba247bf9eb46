#include "sockets/LocalSocketListener.h"

#include <QDebug>
#include <QFile>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace cantorel {

namespace {

QString systemError(int error)
{
    return qt_error_string(error); // strerror_r: any thread
}

} // namespace

LocalSocketListener::LocalSocketListener(QObject* parent) : QObject(parent), m_retry(new QTimer(this))
{
    m_retry->setSingleShot(true);
    m_retry->setInterval(kRetryMs);
    connect(m_retry, &QTimer::timeout, this, [this] {
        if (m_notifier)
            m_notifier->setEnabled(true);
        acceptWaiting();
    });
}

LocalSocketListener::~LocalSocketListener()
{
    close();
}

LocalSocketListener::Result LocalSocketListener::listen(const QString& path, QString* error)
{
    close();
    auto fail = [&](Result result, const QString& why) {
        if (error)
            *error = why;
        return result;
    };
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    static_assert(sizeof address.sun_path == kLongestPath + 1);
    if (name.isEmpty())
        return fail(Result::Failed, QStringLiteral("No path for a local socket"));
    if (name.size() > kLongestPath)
        return fail(Result::Failed,
                    QStringLiteral("The socket path %1 is %2 bytes long; a local socket path holds at most %3")
                        .arg(path)
                        .arg(name.size())
                        .arg(kLongestPath));
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return fail(Result::Failed, QStringLiteral("No socket for %1: %2").arg(path, systemError(errno)));
    // The socket file takes the socket's own mode: only this user may
    // connect, from the first moment the file exists.
    if (::fchmod(fd, S_IRUSR | S_IWUSR) != 0) {
        const int why = errno;
        ::close(fd);
        return fail(Result::Failed, QStringLiteral("No private socket for %1: %2").arg(path, systemError(why)));
    }
    // bind() makes the file; it never replaces or follows what is there.
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int why = errno;
        ::close(fd);
        if (why == EADDRINUSE)
            return fail(Result::InUse, QStringLiteral("%1 is in use").arg(path));
        return fail(Result::Failed, QStringLiteral("Cannot make the socket %1: %2").arg(path, systemError(why)));
    }
    struct stat made {};
    if (::lstat(name.constData(), &made) != 0 || ::listen(fd, 50) != 0) {
        const int why = errno;
        ::unlink(name.constData());
        ::close(fd);
        return fail(Result::Failed, QStringLiteral("Cannot listen at %1: %2").arg(path, systemError(why)));
    }
    m_fd = fd;
    m_path = path;
    m_device = made.st_dev;
    m_inode = made.st_ino;
    m_failing = false;
    m_notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LocalSocketListener::acceptWaiting);
    if (error)
        error->clear();
    return Result::Listening;
}

void LocalSocketListener::close()
{
    if (m_fd < 0)
        return;
    m_retry->stop();
    delete m_notifier;
    m_notifier = nullptr;
    ::close(m_fd);
    m_fd = -1;
    // Only our own socket file goes; whatever took its place stays.
    const QByteArray name = QFile::encodeName(m_path);
    struct stat now {};
    if (::lstat(name.constData(), &now) == 0 && now.st_dev == m_device && now.st_ino == m_inode)
        ::unlink(name.constData());
    m_path.clear();
}

void LocalSocketListener::acceptWaiting()
{
    while (m_fd >= 0) {
        const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            const int why = errno;
            if (why == EINTR || why == ECONNABORTED)
                continue;
            if (why != EAGAIN && why != EWOULDBLOCK)
                pauseAfterFailure(why);
            return;
        }
        if (m_failing) {
            m_failing = false;
            qWarning().noquote() << QStringLiteral("%1 takes connections again").arg(m_path);
        }
        auto* socket = new QLocalSocket(this);
        if (!socket->setSocketDescriptor(qintptr(fd))) {
            ::close(fd);
            delete socket;
            continue;
        }
        Q_EMIT connected(socket);
    }
}

void LocalSocketListener::pauseAfterFailure(int error)
{
    // The connection stays queued; the notifier would report it again at
    // once, so it rests until the next try.
    if (!m_failing)
        qWarning().noquote() << QStringLiteral("%1 cannot take a connection now (%2); still listening, "
                                               "trying again every %3 ms")
                                    .arg(m_path, systemError(error))
                                    .arg(kRetryMs);
    m_failing = true;
    m_notifier->setEnabled(false);
    m_retry->start();
}

} // namespace cantorel
