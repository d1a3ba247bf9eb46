#include "follow/Following.h"

#include "follow/FollowedPlayer.h"
#include "follow/PlayerWatcher.h"

namespace cantorel::follow {

// The followed player's clock, or one that stands while none is followed.
class Following::ForwardClock final : public LyricClock {
public:
    explicit ForwardClock(Following& following) : m_following(following) {}
    Motion motion() const override { return target() ? target()->motion() : Motion::Stopped; }
    qint64 positionMs() override { return target() ? target()->positionMs() : 0; }
    double rate() const override { return target() ? target()->rate() : 1.0; }

private:
    LyricClock* target() const { return m_following.m_followed ? &m_following.m_followed->clock() : nullptr; }
    Following& m_following;
};

Following::Following(QDBusConnection bus, PlayerClock::Now now, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_now(std::move(now)), m_watcher(new PlayerWatcher(m_bus, this)),
      m_clock(std::make_unique<ForwardClock>(*this))
{
    connect(m_watcher, &PlayerWatcher::playerGone, this, [this](const QString& busName) { reconsider(busName); });
    // A player came, started or stopped playing, or said its identity.
    connect(m_watcher, &PlayerWatcher::changed, this, [this] {
        if (m_followed)
            m_identity = identityOf(m_followed->busName());
        reconsider();
    });
}

Following::~Following() = default;

void Following::start()
{
    m_watcher->start();
}

bool Following::hasBus() const
{
    return m_bus.isConnected();
}

LyricClock& Following::clock()
{
    return *m_clock;
}

MprisTrack Following::track() const
{
    return m_followed ? m_followed->track() : MprisTrack();
}

void Following::choose(const FollowChoice& choice)
{
    if (choice == m_choice)
        return;
    m_choice = choice;
    m_waiting.clear();
    if (m_followed && !(choice.kind == FollowChoice::Kind::Playing || choice.names(m_followed->busName())))
        follow(QString());
    reconsider();
    Q_EMIT captionChanged();
}

QString Following::candidate() const
{
    const QString latest = m_watcher->latestPlaying();
    if (m_choice.kind == FollowChoice::Kind::Playing)
        return latest;
    if (m_choice.kind != FollowChoice::Kind::Named)
        return QString();
    if (m_choice.names(latest))
        return latest;
    for (const PlayerInfo& info : m_watcher->players())
        if (m_choice.names(info.busName) && (info.playing || !m_followed))
            return info.busName;
    return QString();
}

void Following::reconsider(const QString& gone)
{
    if (!gone.isEmpty() && m_followed && m_followed->busName() == gone) {
        m_waiting = m_choice.kind == FollowChoice::Kind::Named
                        ? tr("%1 has quit; waiting for it to start again").arg(m_identity)
                        : tr("%1 has quit; waiting for a player to start playing").arg(m_identity);
        follow(QString());
    }
    const QString next = candidate();
    if (!next.isEmpty() && (!m_followed || m_followed->busName() != next))
        follow(next);
    Q_EMIT captionChanged();
}

void Following::follow(const QString& busName)
{
    if (m_followed) {
        // Deleted once back in the event loop: its own signal (a new track
        // whose lyric could not be read, and a message box about it) may be
        // what brought us here.
        m_followed->disconnect(this);
        m_followed.release()->deleteLater();
    }
    if (!busName.isEmpty()) {
        m_waiting.clear();
        m_identity = identityOf(busName);
        m_followed = std::make_unique<FollowedPlayer>(m_bus, busName, m_now);
        connect(m_followed.get(), &FollowedPlayer::trackChanged, this, &Following::trackChanged);
        connect(m_followed.get(), &FollowedPlayer::trackChanged, this, &Following::captionChanged);
        connect(m_followed.get(), &FollowedPlayer::clockChanged, this, &Following::clockChanged);
    }
    Q_EMIT trackChanged(track());
    Q_EMIT clockChanged();
}

QString Following::identityOf(const QString& busName) const
{
    if (const PlayerInfo* info = m_watcher->player(busName))
        return info->identity;
    return busName.mid(busName.lastIndexOf(u'.') + 1);
}

QString Following::caption() const
{
    if (!m_choice.active())
        return QString();
    if (m_followed) {
        const QString track = m_followed->track().caption();
        return track.isEmpty() ? m_identity : track;
    }
    if (!m_waiting.isEmpty())
        return m_waiting;
    if (m_choice.kind == FollowChoice::Kind::Named)
        return tr("waiting for %1 to start").arg(m_choice.name);
    return tr("waiting for a player to start playing");
}

} // namespace cantorel::follow
