#pragma once
// A media player on a private session bus (PrivateBus.h), as another
// program on the desktop would be, that says exactly what the test tells it
// to: its Identity, Metadata, PlaybackStatus, Rate and Position, the
// PropertiesChanged and Seeked signals, and leaving the bus. Players lie,
// and so can this one: a Position that jumps, a Metadata without length.
// It answers from the test's own event loop, on a connection of its own.
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QStringList>
#include <QVariantMap>

namespace cantorel::testing {

class FakeMprisPlayer : public QDBusVirtualObject {
public:
    // Takes `busName` on `bus` ("org.mpris.MediaPlayer2.fake").
    FakeMprisPlayer(QDBusConnection bus, QString busName, QString identity)
        : m_bus(std::move(bus)), m_busName(std::move(busName)), m_identity(std::move(identity))
    {
        m_registered = m_bus.registerVirtualObject(kPath, this) && m_bus.registerService(m_busName);
    }
    ~FakeMprisPlayer() override { quit(); }

    bool registered() const { return m_registered; }
    const QString& busName() const { return m_busName; }
    // Leaves the bus, as a player that quits.
    void quit()
    {
        if (!m_registered)
            return;
        m_registered = false;
        m_bus.unregisterService(m_busName);
        m_bus.unregisterObject(kPath);
    }

    // Metadata as players send it; a negative length is left out.
    static QVariantMap track(const QString& title, const QString& url, qint64 lengthUs = -1,
                             const QStringList& artists = {}, const QString& album = {})
    {
        QVariantMap m {{"mpris:trackid", QVariant::fromValue(QDBusObjectPath("/track/" + QString::number(++s_ids)))},
                       {"xesam:title", title},
                       {"xesam:url", url}};
        if (lengthUs >= 0)
            m.insert("mpris:length", lengthUs);
        if (!artists.isEmpty())
            m.insert("xesam:artist", artists);
        if (!album.isEmpty())
            m.insert("xesam:album", album);
        return m;
    }

    // Each of these is announced with PropertiesChanged, as players do.
    void setStatus(const QString& status) { change("PlaybackStatus", status); }
    void setMetadata(const QVariantMap& metadata) { change("Metadata", metadata); }
    void setRate(double rate) { change("Rate", rate); }
    // The answer to Position from now on; players never announce it.
    void setPositionUs(qint64 positionUs) { m_player["Position"] = positionUs; }
    // A seek: the position, and the Seeked signal.
    void seek(qint64 positionUs)
    {
        setPositionUs(positionUs);
        QDBusMessage signal = QDBusMessage::createSignal(kPath, kPlayerInterface, "Seeked");
        signal << positionUs;
        m_bus.send(signal);
    }
    // How often Position was asked for.
    int positionReads() const { return m_positionReads; }

    QString introspect(const QString&) const override { return QString(); }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QVariantList args = message.arguments();
        const QVariantMap& props = args.value(0).toString() == kPlayerInterface ? m_player : root();
        if (message.member() == "Get") {
            const QString name = args.value(1).toString();
            m_positionReads += name == "Position" ? 1 : 0;
            if (!props.contains(name))
                return connection.send(message.createErrorReply(QDBusError::InvalidArgs, "no such property"));
            return connection.send(message.createReply(QVariant::fromValue(QDBusVariant(props.value(name)))));
        }
        if (message.member() == "GetAll")
            return connection.send(message.createReply(props));
        return connection.send(message.createReply());
    }

private:
    static inline const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
    static inline const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
    static inline int s_ids = 0;

    QVariantMap root() const { return {{"Identity", m_identity}, {"CanQuit", false}}; }
    void change(const QString& name, const QVariant& value)
    {
        m_player[name] = value;
        QDBusMessage signal = QDBusMessage::createSignal(kPath, "org.freedesktop.DBus.Properties", "PropertiesChanged");
        signal << kPlayerInterface << QVariantMap {{name, value}} << QStringList();
        m_bus.send(signal);
    }

    QDBusConnection m_bus;
    QString m_busName;
    QString m_identity;
    QVariantMap m_player {{"PlaybackStatus", QStringLiteral("Stopped")}, {"Rate", 1.0}, {"Position", qint64(0)}};
    bool m_registered = false;
    int m_positionReads = 0;
};

} // namespace cantorel::testing
