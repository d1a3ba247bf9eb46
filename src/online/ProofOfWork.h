#pragma once
// The work a server asks before it takes a lyric (/api/request-challenge):
// it gives a prefix and a target (64 hex digits, a 256-bit number); the
// answer is a nonce, a decimal number, such that the SHA-256 of the prefix
// followed by the nonce, read as a big-endian number, is at most the target.
// The token sent with the lyric is "prefix:nonce".
//
// Finding one takes about 2^256 / target hashes (some million for the
// targets LRCLIB gives), seconds of one core: ChallengeSolver does it on a
// thread of its own and says how far it has come.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace cantorel::online {

struct Challenge {
    QString prefix;
    QByteArray target; // 32 bytes
};

// The challenge in a server's answer ({"prefix": "...", "target": "..."});
// nothing (with *error set) when it is not one: a prefix of 1 to 256
// characters, a target of exactly 64 hex digits.
std::optional<Challenge> parseChallenge(const QByteArray& body, QString* error);

// Whether SHA-256(prefix + nonce) is at most the target.
bool meetsTarget(const Challenge& challenge, quint64 nonce);

// About how many nonces a solution takes: 2^256 / (target + 1), at least 1,
// at most 2^62.
quint64 expectedTries(const QByteArray& target);

// Tries nonces 0, 1, 2, ... until one meets the target, `cancel` is set, or
// `maxTries` were tried; `tried` (when given) is called every 65 536 tries
// with the count so far. Any thread.
std::optional<quint64> solveChallenge(const Challenge& challenge, const std::atomic<bool>& cancel, quint64 maxTries,
                                      const std::function<void(quint64 tried)>& tried = {});

// The solving on a thread of its own. Create and use on one thread; the
// signals come on it. Destroying it cancels the work and lets the thread end
// by itself (nothing waits for it).
class ChallengeSolver : public QObject {
    Q_OBJECT
public:
    explicit ChallengeSolver(QObject* parent = nullptr);
    ~ChallengeSolver() override;

    // Starts solving; the solver gives up after 64 times the expected tries.
    void start(const Challenge& challenge);
    void cancel();

Q_SIGNALS:
    // `percent` of the expected work (it may pass 100: luck varies).
    void progress(int percent);
    void solved(const QString& token); // "prefix:nonce"
    void failed(const QString& why);

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

} // namespace cantorel::online
