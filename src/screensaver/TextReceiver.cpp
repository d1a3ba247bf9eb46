#include "screensaver/TextReceiver.h"

#include "screensaver/ReceiverProtocol.h"
#include "sockets/LocalSocketListener.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRandomGenerator>
#include <QTimer>

namespace cantorel::screensaver {

namespace {

bool somethingAnswersAt(const QString& path)
{
    QLocalSocket probe;
    probe.connectToServer(path);
    // A local connect either succeeds or is refused at once; the bound only
    // guards against a listener whose backlog is full.
    const bool live = probe.waitForConnected(200);
    probe.abort();
    return live;
}

} // namespace

TextReceiver::TextReceiver(QObject* parent) : QObject(parent), m_listener(new LocalSocketListener(this))
{
    connect(m_listener, &LocalSocketListener::connected, this, &TextReceiver::takeConnection);
}

TextReceiver::~TextReceiver()
{
    close();
}

LocalSocketListener::Result TextReceiver::tryListen(qint32 id)
{
    close();
    if (receiverFolder(&m_error).isEmpty())
        return LocalSocketListener::Result::Failed;
    const LocalSocketListener::Result result = m_listener->listen(receiverSocketPath(id), &m_error);
    if (result == LocalSocketListener::Result::Listening)
        m_id = id;
    return result;
}

bool TextReceiver::listen(qint32 id)
{
    return tryListen(id) == LocalSocketListener::Result::Listening;
}

bool TextReceiver::listenOnNewId(qint32 avoid)
{
    // Only an identifier in use is worth another try: any other failure
    // would be the same under every identifier.
    for (int attempt = 0; attempt < 32; ++attempt) {
        const qint32 id = qint32(QRandomGenerator::global()->generate());
        if (id == avoid)
            continue;
        switch (tryListen(id)) {
        case LocalSocketListener::Result::Listening:
            return true;
        case LocalSocketListener::Result::InUse:
            continue;
        case LocalSocketListener::Result::Failed:
            return false;
        }
    }
    return false;
}

void TextReceiver::close()
{
    // Closing the listener removes its socket file.
    m_listener->close();
    const QList<QLocalSocket*> open = m_connections.keys();
    m_connections.clear();
    for (QLocalSocket* socket : open) {
        disconnect(socket, nullptr, this, nullptr);
        socket->abort();
        socket->deleteLater();
    }
}

bool TextReceiver::isListening() const
{
    return m_listener->isListening();
}

QString TextReceiver::socketPath() const
{
    return m_listener->path();
}

void TextReceiver::removeStaleSockets()
{
    const QString folder = receiverFolder();
    if (folder.isEmpty())
        return;
    const QFileInfoList entries =
        QDir(folder).entryInfoList({receiverSocketPrefix() + u'*'}, QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (!somethingAnswersAt(entry.absoluteFilePath()))
            QLocalServer::removeServer(entry.absoluteFilePath());
    }
}

void TextReceiver::takeConnection(QLocalSocket* socket)
{
    socket->setParent(this);
    // Half a message that stops coming would hold the connection, and a
    // descriptor, for ever.
    auto* stall = new QTimer(socket);
    stall->setSingleShot(true);
    stall->setInterval(m_stallTimeoutMs);
    connect(stall, &QTimer::timeout, this, [this, socket] { drop(socket); });
    m_connections.insert(socket, Connection {MessageReader(), stall});
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QObject::destroyed, this, [this, socket] { m_connections.remove(socket); });
    // Bytes may have arrived before the connection was taken.
    if (socket->bytesAvailable() > 0)
        readFrom(socket);
}

void TextReceiver::drop(QLocalSocket* socket)
{
    m_connections.remove(socket);
    socket->abort();
    socket->deleteLater();
}

void TextReceiver::readFrom(QLocalSocket* socket)
{
    auto connection = m_connections.find(socket);
    if (connection == m_connections.end())
        return;
    connection->reader.append(socket->readAll());
    QString text;
    while (true) {
        const MessageReader::Status status = connection->reader.next(&text);
        if (status == MessageReader::Status::NeedMore) {
            // The time a message may take runs anew with every piece of it.
            if (connection->reader.midMessage())
                connection->stall->start();
            else
                connection->stall->stop();
            return;
        }
        if (status == MessageReader::Status::Malformed) {
            drop(socket);
            return;
        }
        // A slot may close this receiver; the connection then has gone.
        Q_EMIT textReceived(text);
        connection = m_connections.find(socket);
        if (connection == m_connections.end())
            return;
    }
}

} // namespace cantorel::screensaver
