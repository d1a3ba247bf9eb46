#include "follow/FollowedPlayer.h"

#include "follow/MprisNames.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace cantorel::follow {

namespace {

using Motion = LyricClock::Motion;

// Anything but "Playing" and "Paused" is a player that stands.
Motion motionOf(const QString& status)
{
    if (status == QLatin1String("Playing"))
        return Motion::Running;
    if (status == QLatin1String("Paused"))
        return Motion::Paused;
    return Motion::Stopped;
}

} // namespace

FollowedPlayer::FollowedPlayer(QDBusConnection bus, QString busName, PlayerClock::Now now, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_busName(std::move(busName)), m_clock(std::move(now))
{
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, [this] { readPosition(false); });
    m_confirm.setSingleShot(true);
    m_confirm.setInterval(PlayerClock::kConfirmAfterMs);
    connect(&m_confirm, &QTimer::timeout, this, [this] { readPosition(false); });
    m_bus.connect(m_busName, kMprisPath, kPropertiesInterface, QStringLiteral("PropertiesChanged"), this,
                  SLOT(propertiesChanged(QDBusMessage)));
    m_bus.connect(m_busName, kMprisPath, kPlayerInterface, QStringLiteral("Seeked"), this, SLOT(seeked(QDBusMessage)));
    readAll();
}

void FollowedPlayer::readAll()
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(m_busName, kMprisPath, kPropertiesInterface, QStringLiteral("GetAll"));
    call << kPlayerInterface;
    const qint64 askedAt = m_clock.nowMs();
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, kCallTimeoutMs), this);
    ++m_awaited;
    // A player answers after the signals it sent before: the answer is never
    // older than what was heard in between.
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, askedAt] {
        watcher->deleteLater();
        --m_awaited;
        const QDBusMessage reply = watcher->reply();
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return;
        const qint64 atMs = (askedAt + m_clock.nowMs()) / 2;
        m_known = true;
        bool positionGiven = false;
        apply(plainMap(reply.arguments().constFirst()), atMs, &positionGiven);
        afterChange(positionGiven);
    });
}

void FollowedPlayer::propertiesChanged(const QDBusMessage& message)
{
    const QVariantList args = message.arguments();
    if (args.size() < 2 || args.constFirst().toString() != kPlayerInterface)
        return;
    bool positionGiven = false;
    const bool changed = apply(plainMap(args.at(1)), m_clock.nowMs(), &positionGiven);
    // Some players only say that a property changed, not its value.
    const QStringList invalidated = args.value(2).toStringList();
    if (!invalidated.isEmpty()) {
        readAll();
        return;
    }
    if (changed)
        afterChange(positionGiven);
}

void FollowedPlayer::seeked(const QDBusMessage& message)
{
    const std::optional<qint64> positionUs = integerOf(message.arguments().value(0));
    if (!positionUs)
        return;
    ++m_serial;
    m_clock.place(*positionUs / 1000, m_clock.nowMs());
    Q_EMIT clockChanged();
    readPosition(true);
}

bool FollowedPlayer::apply(const QVariantMap& properties, qint64 atMs, bool* positionGiven)
{
    bool changed = false;
    const auto metadata = properties.constFind(QStringLiteral("Metadata"));
    if (metadata != properties.constEnd()) {
        const MprisTrack track = trackFromMetadata(plainMap(*metadata));
        if (track != m_track) {
            m_track = track;
            m_clock.setLengthMs(track.lengthMs);
            changed = true;
            Q_EMIT trackChanged(m_track);
        }
    }
    const auto status = properties.constFind(QStringLiteral("PlaybackStatus"));
    if (status != properties.constEnd() && motionOf(status->toString()) != m_clock.motion()) {
        m_clock.setMotion(motionOf(status->toString()));
        changed = true;
    }
    const auto rate = properties.constFind(QStringLiteral("Rate"));
    if (rate != properties.constEnd()) {
        const double before = m_clock.rate();
        m_clock.setRate(rate->toDouble());
        changed = changed || m_clock.rate() != before;
    }
    const std::optional<qint64> positionUs = integerOf(properties.value(QStringLiteral("Position")));
    if (positionUs) {
        m_clock.place(*positionUs / 1000, atMs);
        *positionGiven = true;
        changed = true;
    }
    if (changed)
        ++m_serial;
    return changed;
}

void FollowedPlayer::afterChange(bool positionGiven)
{
    if (m_clock.motion() == Motion::Running) {
        if (!m_poll.isActive())
            m_poll.start();
    } else {
        m_poll.stop();
        m_confirm.stop();
    }
    Q_EMIT clockChanged();
    if (!positionGiven)
        readPosition(true);
}

void FollowedPlayer::readPosition(bool trusted)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(m_busName, kMprisPath, kPropertiesInterface, QStringLiteral("Get"));
    call << kPlayerInterface << QStringLiteral("Position");
    const qint64 askedAt = m_clock.nowMs();
    const quint64 serial = m_serial;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, kCallTimeoutMs), this);
    ++m_awaited;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, askedAt, serial, trusted] {
        watcher->deleteLater();
        --m_awaited;
        const QDBusMessage reply = watcher->reply();
        if (serial != m_serial || reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return;
        const QVariant value = reply.arguments().constFirst().value<QDBusVariant>().variant();
        if (const std::optional<qint64> positionUs = integerOf(value))
            positionRead(*positionUs, (askedAt + m_clock.nowMs()) / 2, trusted);
    });
}

void FollowedPlayer::positionRead(qint64 positionUs, qint64 atMs, bool trusted)
{
    const qint64 before = m_clock.positionAt(atMs);
    if (trusted) {
        m_clock.place(positionUs / 1000, atMs);
    } else {
        // A drift read: only while the player still plays.
        if (m_clock.motion() != Motion::Running)
            return;
        if (m_clock.correct(positionUs / 1000, atMs) == PlayerClock::Reading::ConfirmationDue)
            m_confirm.start();
    }
    if (m_clock.positionAt(atMs) != before)
        Q_EMIT clockChanged();
}

} // namespace cantorel::follow
