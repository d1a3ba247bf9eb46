#pragma once
// The main program's side of "Full screen": starts the screen saver, finds
// its two receivers through "hand.txt" and feeds them the current lines.
//
//   start()      runs Cantorel_Screen_Saver "/s" from the executable's folder
//                (an argument list, no shell; the screen saver lives on its
//                own) and then waits, without blocking the event loop, for a
//                complete "hand.txt" in the runtime folder: up to
//                handOverTimeout() ms, looking every 50 ms. A hand.txt left
//                from an earlier screen saver is deleted first, so only the
//                new one's counts. The file is read and deleted, the
//                receivers are connected, and linked() is emitted; when no
//                file comes in time, handOverFailed() is emitted and nothing
//                more happens.
//   sendLines()  sends each line to its receiver when it differs from the
//                last one sent there. Sends to a screen saver that has gone
//                do nothing and report nothing.
//
// A second start() while the first screen saver still runs starts another
// one and, once it has handed over, feeds only the new one (the old one keeps
// its last lines). A start() while a hand-over is still awaited does nothing.
//
// User-interface thread only; no widgets.
#include "screensaver/HandOverFile.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <array>
#include <optional>

class QLocalSocket;
class QTimer;

namespace cantorel::screensaver {

class ScreenSaverLink : public QObject {
    Q_OBJECT
public:
    explicit ScreenSaverLink(QObject* parent = nullptr);
    ~ScreenSaverLink() override;

    // executableDirectory() + "/Cantorel_Screen_Saver" unless set.
    QString programPath() const;
    void setProgramPath(const QString& path) { m_programPath = path; }
    int handOverTimeout() const { return m_timeoutMs; }
    void setHandOverTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // False when the program could not be started, or there is no runtime
    // folder for the hand-over (handOverFailed() is emitted too). True while a hand-over is awaited or once it is done.
    bool start();
    bool isWaiting() const;
    // A hand-over has been done; the receivers may have gone since.
    bool isLinked() const { return m_linked; }
    // The identifiers of the receivers of the last hand-over.
    HandOver handOver() const { return m_handOver; }
    // The process id of the last screen saver started, 0 when none.
    qint64 processId() const { return m_pid; }

    // `translated` is "Translated Lyrics" when the song has no translation.
    void sendLines(const QString& normal, const QString& translated);

Q_SIGNALS:
    void linked();
    void handOverFailed(const QString& reason);

private:
    struct Receiver {
        QLocalSocket* socket = nullptr;
        std::optional<QString> lastSent;
    };

    void poll();
    void connectReceivers(const HandOver& handOver);
    void dropReceivers();
    void send(Receiver& receiver, const QString& text);

    QString m_programPath;
    QString m_handOverPath;
    int m_timeoutMs = 5000;
    QTimer* m_poll;
    QElapsedTimer m_waited;
    std::array<Receiver, 2> m_receivers;
    HandOver m_handOver;
    qint64 m_pid = 0;
    bool m_linked = false;
};

} // namespace cantorel::screensaver
