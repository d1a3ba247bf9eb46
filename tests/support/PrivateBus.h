#pragma once
// A session bus of the test's own (dbus-daemon), and a client on it that
// calls methods and reads properties without blocking the event loop, so a
// service in the same thread can answer.
#include "support/Wait.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <memory>

namespace cantorel::testing {

class PrivateBus {
public:
    static bool available() { return !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty(); }

    // Starts the daemon; false with a reason when it does not come up.
    bool start(QString* why)
    {
        m_daemon = std::make_unique<QProcess>();
        m_daemon->setStandardErrorFile(QProcess::nullDevice());
        m_daemon->start(QStringLiteral("dbus-daemon"),
                        {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!m_daemon->waitForStarted(5000) || !m_daemon->waitForReadyRead(5000)) {
            *why = QStringLiteral("dbus-daemon did not start");
            return false;
        }
        m_address = QString::fromLocal8Bit(m_daemon->readLine()).trimmed();
        return !m_address.isEmpty();
    }
    ~PrivateBus()
    {
        if (m_daemon && m_daemon->state() != QProcess::NotRunning) {
            m_daemon->terminate();
            m_daemon->waitForFinished(3000);
        }
    }

    // Where the bus is, for DBUS_SESSION_BUS_ADDRESS of another program.
    const QString& address() const { return m_address; }

    // A new connection to the bus, under a name unique in this process (Qt
    // hands out the connection it already has under a name, even one to a
    // bus of an earlier test that has gone).
    QDBusConnection connect()
    {
        static int connections = 0;
        return QDBusConnection::connectToBus(m_address, QStringLiteral("private-bus-%1").arg(++connections));
    }

private:
    std::unique_ptr<QProcess> m_daemon;
    QString m_address;
};

// Gives a test fixture `Base` one private bus for its whole suite. s_bus is
// null when dbus-daemon is missing (the tests skip: see skipWithoutBus) or did
// not start (the suite fails).
template <typename Base>
class OnPrivateBus : public Base {
protected:
    static void SetUpTestSuite()
    {
        if (!PrivateBus::available())
            return;
        s_bus = new PrivateBus;
        QString why;
        if (!s_bus->start(&why)) {
            ADD_FAILURE() << why.toStdString();
            delete s_bus;
            s_bus = nullptr;
        }
    }
    static void TearDownTestSuite()
    {
        delete s_bus;
        s_bus = nullptr;
    }

    static inline PrivateBus* s_bus = nullptr;
};

// Calls on one object of one service.
class BusClient {
public:
    BusClient(QDBusConnection connection, QString service, QString path)
        : m_connection(std::move(connection)), m_service(std::move(service)), m_path(std::move(path))
    {}

    QDBusMessage call(const QString& interface, const QString& method, const QVariantList& arguments = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(m_service, m_path, interface, method);
        message.setArguments(arguments);
        QDBusPendingCall pending = m_connection.asyncCall(message, 5000);
        waitUntil([&] { return pending.isFinished(); }, 6000);
        // What the service left for its event loop runs now.
        QCoreApplication::processEvents();
        return pending.reply();
    }

    // A property's value; a{sv} comes back as a QVariantMap.
    QVariant property(const QString& interface, const QString& name)
    {
        const QDBusMessage reply =
            call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"), {interface, name});
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return QVariant();
        return plain(reply.arguments().first().value<QDBusVariant>().variant());
    }

    // A value as it arrived, with a marshalled a{sv} turned into a map.
    static QVariant plain(const QVariant& value)
    {
        if (value.canConvert<QDBusArgument>())
            return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
        return value;
    }

    QDBusConnection& connection() { return m_connection; }

private:
    QDBusConnection m_connection;
    QString m_service;
    QString m_path;
};

} // namespace cantorel::testing
