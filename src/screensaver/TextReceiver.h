#pragma once
// One receiver of the screen saver: a local socket that only the same user
// can reach, at receiverSocketPath(id). Every whole message that arrives on
// any of its connections is reported as textReceived(), in arrival order per
// connection. A malformed or oversized message closes only the connection it
// came on (see ReceiverProtocol.h).
//
// User-interface thread only. The socket file is removed by close() and by
// the destructor.
#include "screensaver/ReceiverProtocol.h"

#include <QHash>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace cantorel::screensaver {

class TextReceiver : public QObject {
    Q_OBJECT
public:
    explicit TextReceiver(QObject* parent = nullptr);
    ~TextReceiver() override;

    // Listens under a fresh random identifier other than `avoid`, skipping
    // identifiers whose socket file exists. False (see errorString()) when
    // no socket could be made.
    bool listenOnNewId(qint32 avoid);
    // Listens under exactly this identifier; fails when its socket file exists.
    bool listen(qint32 id);
    // Stops listening, drops every open connection and removes the socket file.
    void close();

    bool isListening() const;
    qint32 id() const { return m_id; }
    QString socketPath() const;
    QString errorString() const { return m_error; }

    // Removes socket files of receivers whose program has gone (nothing
    // answers on them) from the runtime folder. Live ones are left alone.
    static void removeStaleSockets();

Q_SIGNALS:
    void textReceived(const QString& text);

private:
    void acceptConnections();
    void readFrom(QLocalSocket* socket);

    QLocalServer* m_server;
    // Each connection's partial message.
    QHash<QLocalSocket*, MessageReader> m_readers;
    qint32 m_id = 0;
    QString m_error;
};

} // namespace cantorel::screensaver
