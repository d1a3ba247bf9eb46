#pragma once
// Sharing a timed lyric on an LRCLIB server: what is sent (SharePayload:
// the song's title, artist, album and duration, the synced text and the
// plain text made from it), and the conversation that sends it
// (LyricSharing): a challenge asked for, solved on a thread of its own
// (ProofOfWork.h), then the lyric published with the solution, and what
// the server said.
//
// Threads: the client's; signals come on it.
#include "lyrics/TimedLyric.h"
#include "online/LrclibClient.h"
#include "online/ProofOfWork.h"
#include "online/SongSignature.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

namespace cantorel::online {

struct SharePayload {
    SongSignature song;
    QString syncedText; // "[mm:ss.xx]text" lines, "\n" between them
    QString plainText;  // the lines' texts, "\n" between them
    int lineCount = 0;

    // The first `count` lines' texts, for showing what is sent.
    QStringList firstLines(int count) const;
    // Why it cannot be sent ("" when it can): no title, no artist, no
    // length, no line.
    QString problem() const;
    // The body of /api/publish.
    QByteArray json() const;
};

// The payload for `lyric` of `song` (the lyric's own lines, as plain LRC:
// neither a translation nor word times are sent).
SharePayload sharePayloadOf(const SongSignature& song, const lyrics::TimedLyric& lyric);

class LyricSharing : public QObject {
    Q_OBJECT
public:
    enum class Stage { AskingChallenge, Solving, Publishing };

    // `client` must outlive this.
    explicit LyricSharing(LrclibClient& client, QObject* parent = nullptr);

    // Sends `payload` (its problem() must be ""); a share going on is
    // cancelled first.
    void start(const SharePayload& payload);
    // Ends the share: nothing more is sent or reported.
    void cancel();
    bool running() const { return m_running; }

Q_SIGNALS:
    void stageChanged(cantorel::online::LyricSharing::Stage stage);
    void solving(int percent);
    // The end: `published` when the server took the lyric; `said` is for
    // the user, the server's own answer included.
    void finished(bool published, const QString& said);

private:
    void challengeAnswered(const ServerAnswer& answer);
    void solved(const QString& token);
    void publishAnswered(const ServerAnswer& answer);
    void end(bool published, const QString& said);

    LrclibClient& m_client;
    ChallengeSolver* m_solver;
    SharePayload m_payload;
    QPointer<ServerRequest> m_request;
    bool m_running = false;
};

} // namespace cantorel::online
