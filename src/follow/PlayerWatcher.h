#pragma once
// The media players on the session bus: every name
// org.mpris.MediaPlayer2.* but those of this process's own connection,
// as they appear and leave, each with its `Identity` (its name for people)
// and its playback status, and the order in which they started playing.
//
// The names come from ListNames at start() and NameOwnerChanged after that;
// identities and statuses are asked without blocking (kCallTimeoutMs) and
// the statuses kept up from each player's PropertiesChanged. At most
// kMaxPlayers are kept (a bus is no place for more), identities are cut to
// kMaxIdentityLength characters.
//
// Without a connected bus nothing is ever seen. User-interface thread only.
#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>

class QDBusMessage;

namespace cantorel::follow {

struct PlayerInfo {
    QString busName; // org.mpris.MediaPlayer2.mpv
    QString owner;   // the connection that holds the name (":1.42")
    // The player's Identity ("mpv"), its name's last part until it answers.
    QString identity;
    bool playing = false;
    // When it last started playing, in the order of the starts seen (0:
    // never seen starting).
    quint64 startedPlaying = 0;
};

class PlayerWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxPlayers = 64;
    static constexpr int kMaxIdentityLength = 256;

    explicit PlayerWatcher(QDBusConnection bus, QObject* parent = nullptr);

    // Lists the players there are and starts watching for others.
    void start();

    // In the order they were seen.
    const QList<PlayerInfo>& players() const { return m_players; }
    const PlayerInfo* player(const QString& busName) const;
    // The player that started playing last of those that play now; "" when
    // none plays.
    QString latestPlaying() const;

Q_SIGNALS:
    void playerGone(const QString& busName);
    // Anything in players() changed.
    void changed();

private Q_SLOTS:
    void nameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);
    void propertiesChanged(const QDBusMessage& message);

private:
    bool isPlayerName(const QString& name) const;
    void add(const QString& busName, const QString& owner);
    void remove(const QString& busName);
    void askOwner(const QString& busName);
    void askIdentity(const QString& busName);
    void askStatus(const QString& busName);
    void setPlaying(const QString& owner, const QString& busName, bool playing);
    PlayerInfo* find(const QString& busName);

    QDBusConnection m_bus;
    QList<PlayerInfo> m_players;
    quint64 m_starts = 0;
};

} // namespace cantorel::follow
