#pragma once
// One receiver of the screen saver: a local socket that only the same user
// can reach, at receiverSocketPath(id). Every whole message that arrives on
// any of its connections is reported as textReceived(), in arrival order per
// connection. A malformed or oversized message closes only the connection it
// came on (see ReceiverProtocol.h), and so does a connection that stops for
// stallTimeoutMs() in the middle of a message (one that waits between
// messages stays open). A connection that cannot be taken for the moment (no
// file descriptor left) waits; the receiver keeps listening (see
// LocalSocketListener.h).
//
// User-interface thread only. The socket file is removed by close() and by
// the destructor.
#include "screensaver/ReceiverProtocol.h"
#include "sockets/LocalSocketListener.h"

#include <QHash>
#include <QObject>
#include <QString>

class QLocalSocket;
class QTimer;

namespace cantorel::screensaver {

class TextReceiver : public QObject {
    Q_OBJECT
public:
    static constexpr int kStallTimeoutMs = 10000;

    explicit TextReceiver(QObject* parent = nullptr);
    ~TextReceiver() override;

    // Listens under a fresh random identifier other than `avoid`, skipping
    // identifiers whose socket file exists. False (see errorString()) when
    // no socket could be made: no usable runtime folder (receiverFolder()),
    // a socket path too long for a local socket, or a system error.
    bool listenOnNewId(qint32 avoid);
    // Listens under exactly this identifier; fails when its socket file
    // exists or when listenOnNewId() would fail.
    bool listen(qint32 id);
    // Stops listening, drops every open connection and removes the socket file.
    void close();

    bool isListening() const;
    qint32 id() const { return m_id; }
    QString socketPath() const;
    QString errorString() const { return m_error; }

    // How long a connection may keep half a message before it is closed;
    // kStallTimeoutMs unless set. Holds for the connections taken after.
    int stallTimeoutMs() const { return m_stallTimeoutMs; }
    void setStallTimeoutMs(int ms) { m_stallTimeoutMs = ms; }

    // Removes socket files of receivers whose program has gone (nothing
    // answers on them) from the runtime folder. Live ones are left alone.
    static void removeStaleSockets();

Q_SIGNALS:
    void textReceived(const QString& text);

private:
    LocalSocketListener::Result tryListen(qint32 id);
    void takeConnection(QLocalSocket* socket);
    void readFrom(QLocalSocket* socket);
    void drop(QLocalSocket* socket);

    // Each connection's partial message, and the timer that closes the
    // connection when the rest does not come.
    struct Connection {
        MessageReader reader;
        QTimer* stall = nullptr;
    };

    LocalSocketListener* m_listener;
    QHash<QLocalSocket*, Connection> m_connections;
    int m_stallTimeoutMs = kStallTimeoutMs;
    qint32 m_id = 0;
    QString m_error;
};

} // namespace cantorel::screensaver
