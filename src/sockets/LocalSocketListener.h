#pragma once
// A listening local (Unix domain) socket that only this user can reach.
//
// Unlike QLocalServer, which closes for good when taking a connection fails,
// it keeps listening when the process or the system is out of file
// descriptors or memory: it says so once on stderr, leaves the waiting
// connections queued, tries again every kRetryMs, and says so again once it
// takes connections again.
//
// User-interface thread only. The socket file is removed by close() and by
// the destructor, unless something else has taken its place meanwhile.
#include <QObject>
#include <QString>
#include <sys/types.h>

class QLocalSocket;
class QSocketNotifier;
class QTimer;

namespace cantorel {

class LocalSocketListener : public QObject {
    Q_OBJECT
public:
    static constexpr int kRetryMs = 100;
    // The most bytes a local socket path may have (the address holds 108,
    // the ending zero included).
    static constexpr int kLongestPath = 107;

    enum class Result { Listening, InUse, Failed };

    explicit LocalSocketListener(QObject* parent = nullptr);
    ~LocalSocketListener() override;

    // Makes a socket file at `path` and listens on it. InUse when something
    // already is at `path` (it is left alone); Failed when the path is too
    // long for a local socket or no socket could be made. *error says why.
    Result listen(const QString& path, QString* error);
    // Stops listening and removes the socket file.
    void close();

    bool isListening() const { return m_fd >= 0; }
    // The socket file's path while listening, else "".
    QString path() const { return m_path; }

Q_SIGNALS:
    // A connection was taken. The socket is a child of this listener; the
    // receiver of the signal may reparent or delete it.
    void connected(QLocalSocket* socket);

private:
    void acceptWaiting();
    void pauseAfterFailure(int error);

    int m_fd = -1;
    QString m_path;
    dev_t m_device = 0;
    ino_t m_inode = 0;
    QSocketNotifier* m_notifier = nullptr;
    QTimer* m_retry;
    bool m_failing = false;
};

} // namespace cantorel
