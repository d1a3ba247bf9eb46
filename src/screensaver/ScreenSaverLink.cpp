#include "screensaver/ScreenSaverLink.h"

#include "base/ProgramDirectory.h"
#include "screensaver/ReceiverProtocol.h"

#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTimer>

namespace cantorel::screensaver {

ScreenSaverLink::ScreenSaverLink(QObject* parent) : QObject(parent), m_poll(new QTimer(this))
{
    m_poll->setInterval(50);
    connect(m_poll, &QTimer::timeout, this, &ScreenSaverLink::poll);
}

ScreenSaverLink::~ScreenSaverLink()
{
    dropReceivers();
}

QString ScreenSaverLink::programPath() const
{
    if (!m_programPath.isEmpty())
        return m_programPath;
    return executableDirectory() + QStringLiteral("/Cantorel_Screen_Saver");
}

bool ScreenSaverLink::isWaiting() const
{
    return m_poll->isActive();
}

bool ScreenSaverLink::start()
{
    if (isWaiting())
        return true;
    dropReceivers();
    m_linked = false;
    // Without a runtime folder the screen saver could not hand over either.
    QString problem;
    m_handOverPath = handOverPath(&problem);
    if (m_handOverPath.isEmpty()) {
        Q_EMIT handOverFailed(problem);
        return false;
    }
    // Only the file of the screen saver started now may count.
    QFile::remove(m_handOverPath);

    qint64 pid = 0;
    const QString program = programPath();
    if (!QProcess::startDetached(program, {QStringLiteral("/s")}, executableDirectory(), &pid)) {
        Q_EMIT handOverFailed(QStringLiteral("%1 could not be started").arg(program));
        return false;
    }
    m_pid = pid;
    m_waited.start();
    m_poll->start();
    return true;
}

void ScreenSaverLink::poll()
{
    if (const auto handOver = readHandOver(m_handOverPath)) {
        m_poll->stop();
        QFile::remove(m_handOverPath);
        connectReceivers(*handOver);
        m_linked = true;
        Q_EMIT linked();
        return;
    }
    if (m_waited.elapsed() >= m_timeoutMs) {
        m_poll->stop();
        Q_EMIT handOverFailed(QStringLiteral("The screen saver did not hand over its receivers"));
    }
}

void ScreenSaverLink::connectReceivers(const HandOver& handOver)
{
    m_handOver = handOver;
    const qint32 ids[2] = {handOver.lyricReceiver, handOver.translatedReceiver};
    for (int i = 0; i < 2; ++i) {
        auto* socket = new QLocalSocket(this);
        socket->connectToServer(receiverSocketPath(ids[i]), QIODevice::ReadWrite);
        m_receivers[i] = Receiver {socket, std::nullopt};
    }
}

void ScreenSaverLink::dropReceivers()
{
    for (Receiver& receiver : m_receivers) {
        if (receiver.socket) {
            receiver.socket->disconnect(this);
            receiver.socket->abort();
            receiver.socket->deleteLater();
        }
        receiver = Receiver {};
    }
}

void ScreenSaverLink::sendLines(const QString& normal, const QString& translated)
{
    send(m_receivers[0], normal);
    send(m_receivers[1], translated);
}

void ScreenSaverLink::send(Receiver& receiver, const QString& text)
{
    if (!receiver.socket || receiver.socket->state() != QLocalSocket::ConnectedState)
        return;
    if (receiver.lastSent && *receiver.lastSent == text)
        return;
    if (receiver.socket->write(encodeTextMessage(text)) < 0)
        return;
    receiver.socket->flush();
    receiver.lastSent = text;
}

} // namespace cantorel::screensaver
