#include "follow/PlayerWatcher.h"

#include "follow/MprisNames.h"
#include "follow/MprisTrack.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

#include <functional>

namespace cantorel::follow {

namespace {

const QString kBusService = QStringLiteral("org.freedesktop.DBus");
const QString kBusPath = QStringLiteral("/org/freedesktop/DBus");

// Asks `call` without blocking; `answered` gets the reply's first value
// when there is one.
void ask(QDBusConnection& bus, const QDBusMessage& call, QObject* context,
         std::function<void(const QVariant&)> answered)
{
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kCallTimeoutMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [watcher, answered = std::move(answered)] {
        watcher->deleteLater();
        const QDBusMessage reply = watcher->reply();
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            answered(reply.arguments().constFirst());
    });
}

QDBusMessage propertyCall(const QString& busName, const QString& interface, const QString& name)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(busName, kMprisPath, kPropertiesInterface, QStringLiteral("Get"));
    call << interface << name;
    return call;
}

} // namespace

PlayerWatcher::PlayerWatcher(QDBusConnection bus, QObject* parent) : QObject(parent), m_bus(std::move(bus))
{}

void PlayerWatcher::start()
{
    if (!m_bus.isConnected())
        return;
    m_bus.connect(kBusService, kBusPath, kBusService, QStringLiteral("NameOwnerChanged"), this,
                  SLOT(nameOwnerChanged(QString, QString, QString)));
    // Every player's status, whichever player sends it.
    m_bus.connect(QString(), kMprisPath, kPropertiesInterface, QStringLiteral("PropertiesChanged"), this,
                  SLOT(propertiesChanged(QDBusMessage)));
    ask(m_bus, QDBusMessage::createMethodCall(kBusService, kBusPath, kBusService, QStringLiteral("ListNames")), this,
        [this](const QVariant& names) {
            for (const QString& name : names.toStringList())
                if (isPlayerName(name))
                    askOwner(name);
        });
}

bool PlayerWatcher::isPlayerName(const QString& name) const
{
    return name.startsWith(kMprisPrefix) && name.size() > kMprisPrefix.size();
}

void PlayerWatcher::askOwner(const QString& busName)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(kBusService, kBusPath, kBusService, QStringLiteral("GetNameOwner"));
    call << busName;
    ask(m_bus, call, this, [this, busName](const QVariant& owner) { add(busName, owner.toString()); });
}

void PlayerWatcher::nameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner)
{
    if (!isPlayerName(name))
        return;
    if (!oldOwner.isEmpty())
        remove(name);
    if (!newOwner.isEmpty())
        add(name, newOwner);
}

void PlayerWatcher::add(const QString& busName, const QString& owner)
{
    // This process's own player is no other player.
    if (owner.isEmpty() || owner == m_bus.baseService() || find(busName) || m_players.size() >= kMaxPlayers)
        return;
    PlayerInfo info;
    info.busName = busName;
    info.owner = owner;
    info.identity = busName.mid(kMprisPrefix.size()).left(kMaxIdentityLength);
    m_players << info;
    askIdentity(busName);
    askStatus(busName);
    Q_EMIT changed();
}

void PlayerWatcher::remove(const QString& busName)
{
    for (int i = 0; i < m_players.size(); ++i) {
        if (m_players[i].busName != busName)
            continue;
        m_players.removeAt(i);
        Q_EMIT playerGone(busName);
        Q_EMIT changed();
        return;
    }
}

void PlayerWatcher::askIdentity(const QString& busName)
{
    ask(m_bus, propertyCall(busName, kRootInterface, QStringLiteral("Identity")), this,
        [this, busName](const QVariant& value) {
            const QString identity = value.value<QDBusVariant>().variant().toString().trimmed();
            PlayerInfo* info = find(busName);
            if (!info || identity.isEmpty())
                return;
            info->identity = identity.left(kMaxIdentityLength);
            Q_EMIT changed();
        });
}

void PlayerWatcher::askStatus(const QString& busName)
{
    ask(m_bus, propertyCall(busName, kPlayerInterface, QStringLiteral("PlaybackStatus")), this,
        [this, busName](const QVariant& value) {
            if (const PlayerInfo* info = find(busName))
                setPlaying(info->owner, busName, value.value<QDBusVariant>().variant().toString() == "Playing");
        });
}

void PlayerWatcher::propertiesChanged(const QDBusMessage& message)
{
    const QVariantList args = message.arguments();
    if (args.size() < 2 || args.constFirst().toString() != kPlayerInterface)
        return;
    const QVariantMap changed = plainMap(args.at(1));
    const auto status = changed.constFind(QStringLiteral("PlaybackStatus"));
    if (status != changed.constEnd())
        setPlaying(message.service(), QString(), status->toString() == QLatin1String("Playing"));
}

void PlayerWatcher::setPlaying(const QString& owner, const QString& busName, bool playing)
{
    // A signal names its sender's connection; every name it holds plays.
    for (PlayerInfo& info : m_players) {
        if (info.owner != owner || (!busName.isEmpty() && info.busName != busName) || info.playing == playing)
            continue;
        info.playing = playing;
        if (playing)
            info.startedPlaying = ++m_starts;
        Q_EMIT changed();
    }
}

QString PlayerWatcher::latestPlaying() const
{
    const PlayerInfo* latest = nullptr;
    for (const PlayerInfo& info : m_players)
        if (info.playing && (!latest || info.startedPlaying > latest->startedPlaying))
            latest = &info;
    return latest ? latest->busName : QString();
}

const PlayerInfo* PlayerWatcher::player(const QString& busName) const
{
    for (const PlayerInfo& info : m_players)
        if (info.busName == busName)
            return &info;
    return nullptr;
}

PlayerInfo* PlayerWatcher::find(const QString& busName)
{
    return const_cast<PlayerInfo*>(std::as_const(*this).player(busName));
}

} // namespace cantorel::follow
