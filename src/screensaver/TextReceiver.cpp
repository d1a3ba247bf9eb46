#include "screensaver/TextReceiver.h"

#include "screensaver/ReceiverProtocol.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRandomGenerator>
#include <QStandardPaths>

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

TextReceiver::TextReceiver(QObject* parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &TextReceiver::acceptConnections);
}

TextReceiver::~TextReceiver()
{
    close();
}

bool TextReceiver::listen(qint32 id)
{
    close();
    const QString path = receiverSocketPath(id);
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        m_error = QStringLiteral("%1 is in use").arg(path);
        return false;
    }
    if (!m_server->listen(path)) {
        m_error = m_server->errorString();
        return false;
    }
    m_id = id;
    m_error.clear();
    return true;
}

bool TextReceiver::listenOnNewId(qint32 avoid)
{
    for (int attempt = 0; attempt < 32; ++attempt) {
        const qint32 id = qint32(QRandomGenerator::global()->generate());
        if (id == avoid)
            continue;
        if (listen(id))
            return true;
    }
    return false;
}

void TextReceiver::close()
{
    // Closing the server removes its socket file.
    if (m_server->isListening())
        m_server->close();
    const QList<QLocalSocket*> open = m_readers.keys();
    m_readers.clear();
    for (QLocalSocket* socket : open) {
        disconnect(socket, nullptr, this, nullptr);
        socket->abort();
        socket->deleteLater();
    }
}

bool TextReceiver::isListening() const
{
    return m_server->isListening();
}

QString TextReceiver::socketPath() const
{
    return m_server->fullServerName();
}

void TextReceiver::removeStaleSockets()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        {receiverSocketPrefix() + u'*'}, QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (!somethingAnswersAt(entry.absoluteFilePath()))
            QLocalServer::removeServer(entry.absoluteFilePath());
    }
}

void TextReceiver::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        m_readers.insert(socket, MessageReader());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this, socket] { m_readers.remove(socket); });
        // Bytes may have arrived before the connection was taken.
        if (socket->bytesAvailable() > 0)
            readFrom(socket);
    }
}

void TextReceiver::readFrom(QLocalSocket* socket)
{
    auto reader = m_readers.find(socket);
    if (reader == m_readers.end())
        return;
    reader->append(socket->readAll());
    QString text;
    while (true) {
        const MessageReader::Status status = reader->next(&text);
        if (status == MessageReader::Status::NeedMore)
            return;
        if (status == MessageReader::Status::Malformed) {
            m_readers.erase(reader);
            socket->abort();
            socket->deleteLater();
            return;
        }
        // A slot may close this receiver; the reader then has gone.
        Q_EMIT textReceived(text);
        reader = m_readers.find(socket);
        if (reader == m_readers.end())
            return;
    }
}

} // namespace cantorel::screensaver
