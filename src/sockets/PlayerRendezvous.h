#pragma once
// One player per user and display. The first player started holds the
// rendezvous; a player started after it hands its song to the first one,
// which opens it and comes to the front, and then ends.
//
// The rendezvous lives in the user's runtime folder (runtimeDirectory(),
// base/ProgramDirectory.h), named after the display (displayKey()):
//   player-<display>.lock   locked (flock) by the player that holds the
//                           rendezvous, for its whole life; the system lets
//                           go of the lock however the process ends, so a
//                           killed player never blocks the next start
//   player-<display>        the holder's local socket; a socket a killed
//                           player left is removed by the next holder
// The folder is the user's own (0700) and the socket is made user-only, so
// no other user can hand anything over.
//
// A hand-over is one message on the socket: a 4-byte big-endian byte count
// and that many bytes, the paths' bytes as the file system knows them
// (base/FileNames.h), each path after the first preceded by one NUL byte
// (which no path holds); no bytes at all ask only for the window. A
// request besides the paths (setRequest()) comes first, after a NUL byte
// that no message of paths starts with, in UTF-8, and is ended by a NUL
// before the paths when there are any. The holder
// answers with the one byte 1 once it has taken the message, then closes.
// A message longer than kMaxMessageBytes, or a connection that says nothing
// for kIdleMs, is dropped.
//
// User-interface thread only. start() blocks for at most its timeout (only
// while another player holds the rendezvous but does not answer yet); the
// holder's side runs in the event loop.
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalSocket;

namespace cantorel {

class LocalSocketListener;

class PlayerRendezvous : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxMessageBytes = 1024 * 1024;
    static constexpr int kIdleMs = 5000;

    enum class Start {
        First,      // this process holds the rendezvous and listens
        HandedOver, // the running player took the path: this one ends now
        Alone,      // no rendezvous could be used (error() says why): play on alone
    };

    // `display` names the display the player shows on (displayKey()).
    explicit PlayerRendezvous(const QString& display, QObject* parent = nullptr);
    ~PlayerRendezvous() override;

    // Holds the rendezvous when no player does; else hands `paths` (none:
    // only the window is asked for; empty names are left out) to the one
    // that does, waiting up to `answerTimeoutMs` for it to answer (it may
    // still be starting). A holder that ends meanwhile leaves the
    // rendezvous to this one. A holder that cannot listen (a socket path too
    // long, say) gives the rendezvous up again, so later starts do not wait
    // for it.
    Start start(const QStringList& paths, int answerTimeoutMs = 5000);
    // What a later start asks of the holder besides its paths (an option
    // of its command line, say "follow=mpv"); "" for nothing. Set before
    // start().
    void setRequest(const QString& request) { m_request = request; }

    // Why the last start() gave Alone; "" otherwise.
    QString error() const { return m_error; }
    QString socketPath() const;

    // The display of this session as a file-name part: $WAYLAND_DISPLAY, else
    // $DISPLAY, else "none"; characters other than letters, digits, '.',
    // ':', '_' and '-' become '_'.
    static QString displayKey();

Q_SIGNALS:
    // A later start handed over `paths`, in its order (none when it named no
    // song), with its request ("" for none). Emitted after the answer went
    // out.
    void pathsHandedOver(const QStringList& paths, const QString& request);

private:
    enum class Lock { Taken, Held, Failed };
    Lock tryLock();
    void unlock();
    bool listen();
    Start handOver(const QByteArray& message, int timeoutMs);
    void takeConnection(QLocalSocket* socket);
    void readFrom(QLocalSocket* socket);

    QString m_folder;
    QString m_display;
    int m_lockFd = -1;
    LocalSocketListener* m_listener = nullptr;
    QString m_error;
    QString m_request;
};

} // namespace cantorel
