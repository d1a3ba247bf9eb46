#include "sockets/PlayerRendezvous.h"

#include "sockets/LocalSocketListener.h"

#include "base/FileNames.h"
#include "base/ProgramDirectory.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace cantorel {

namespace {

constexpr char kTaken = 1;
constexpr int kRetryMs = 50;

QString systemError()
{
    return qt_error_string(errno); // strerror_r: any thread
}

QByteArray frame(const QByteArray& payload)
{
    QByteArray message(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), message.data());
    return message + payload;
}

} // namespace

PlayerRendezvous::PlayerRendezvous(const QString& display, QObject* parent) : QObject(parent), m_display(display)
{}

PlayerRendezvous::~PlayerRendezvous()
{
    // The socket file goes first, so no later start finds it without a holder.
    delete m_listener;
    unlock();
}

QString PlayerRendezvous::displayKey()
{
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        return QStringLiteral("none");
    for (QChar& c : display) {
        const bool kept =
            (c.unicode() < 128 && c.isLetterOrNumber()) || c == u'.' || c == u':' || c == u'_' || c == u'-';
        if (!kept)
            c = u'_';
    }
    return display;
}

QString PlayerRendezvous::socketPath() const
{
    return m_folder.isEmpty() ? QString() : m_folder + QStringLiteral("/player-") + m_display;
}

PlayerRendezvous::Start PlayerRendezvous::start(const QStringList& paths, int answerTimeoutMs)
{
    m_error.clear();
    m_folder = runtimeDirectory(&m_error);
    if (m_folder.isEmpty())
        return Start::Alone;
    QByteArray bytes;
    if (!m_request.isEmpty())
        bytes = '\0' + m_request.toUtf8();
    for (const QString& path : paths) {
        if (path.isEmpty())
            continue;
        if (!bytes.isEmpty())
            bytes.append('\0');
        bytes.append(encodeFileName(path));
    }
    if (bytes.size() > kMaxMessageBytes) {
        m_error = QStringLiteral("The paths are too long to hand over");
        return Start::Alone;
    }
    return handOver(frame(bytes), answerTimeoutMs);
}

PlayerRendezvous::Start PlayerRendezvous::handOver(const QByteArray& message, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        switch (tryLock()) {
        case Lock::Taken:
            if (listen())
                return Start::First;
            // Held without a listener, the lock would keep every later start
            // waiting for an answer that never comes.
            unlock();
            return Start::Alone;
        case Lock::Failed:
            return Start::Alone;
        case Lock::Held:
            break;
        }
        // Another player holds the rendezvous; it listens once it has started.
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        const int left = int(std::max<qint64>(timeoutMs - clock.elapsed(), 1));
        if (socket.waitForConnected(left)) {
            socket.write(message);
            char answer = 0;
            while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(left)) {}
            const bool answered = socket.waitForReadyRead(int(std::max<qint64>(timeoutMs - clock.elapsed(), 1)))
                                  && socket.read(&answer, 1) == 1 && answer == kTaken;
            socket.abort();
            if (answered)
                return Start::HandedOver;
            m_error = QStringLiteral("The running player did not answer");
            return Start::Alone;
        }
        if (clock.elapsed() >= timeoutMs) {
            m_error = QStringLiteral("The running player did not answer at %1").arg(socketPath());
            return Start::Alone;
        }
        QThread::msleep(kRetryMs);
    }
}

PlayerRendezvous::Lock PlayerRendezvous::tryLock()
{
    if (m_lockFd < 0) {
        const QByteArray name = QFile::encodeName(socketPath() + QStringLiteral(".lock"));
        m_lockFd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (m_lockFd < 0) {
            m_error = QStringLiteral("Cannot open %1: %2").arg(QFile::decodeName(name), systemError());
            return Lock::Failed;
        }
    }
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) == 0)
        return Lock::Taken;
    if (errno == EWOULDBLOCK || errno == EINTR)
        return Lock::Held;
    m_error = QStringLiteral("Cannot lock %1.lock: %2").arg(socketPath(), systemError());
    return Lock::Failed;
}

void PlayerRendezvous::unlock()
{
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    m_lockFd = -1;
}

bool PlayerRendezvous::listen()
{
    // Whatever is at the name was left by a player that has ended: the lock
    // is ours.
    ::unlink(encodeFileName(socketPath()).constData());
    // The listener is the one the screen saver's receivers use: user-only
    // from the start, and it keeps listening when a connection cannot be
    // taken for want of descriptors.
    auto* listener = new LocalSocketListener(this);
    if (listener->listen(socketPath(), &m_error) != LocalSocketListener::Result::Listening) {
        delete listener;
        return false;
    }
    m_listener = listener;
    connect(m_listener, &LocalSocketListener::connected, this, &PlayerRendezvous::takeConnection);
    return true;
}

void PlayerRendezvous::takeConnection(QLocalSocket* socket)
{
    // A client that says nothing is dropped in time.
    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    connect(idle, &QTimer::timeout, socket, &QLocalSocket::abort);
    idle->start(kIdleMs);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    readFrom(socket);
}

void PlayerRendezvous::readFrom(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < 4)
        return;
    quint32 length = 0;
    socket->peek(reinterpret_cast<char*>(&length), 4);
    length = qFromBigEndian(length);
    if (length > quint32(kMaxMessageBytes)) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < 4 + qint64(length))
        return;
    socket->skip(4);
    const QByteArray bytes = socket->read(length);
    socket->disconnect(this);
    socket->write(&kTaken, 1);
    socket->flush();
    socket->disconnectFromServer();
    QList<QByteArray> names = bytes.split('\0');
    QString request;
    if (bytes.startsWith('\0') && names.size() >= 2) {
        request = QString::fromUtf8(names.at(1));
        names.remove(0, 2);
    }
    QStringList paths;
    for (const QByteArray& name : names) {
        if (!name.isEmpty())
            paths << decodeFileName(name);
    }
    Q_EMIT pathsHandedOver(paths, request);
}

} // namespace cantorel
