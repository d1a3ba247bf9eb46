#pragma once
// Shared by the screen-saver tests: a private program directory and runtime
// folder per test, bounded waits, and a raw client for the receivers.
#include "common/ProgramDirectory.h"
#include "support/Wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace cantorel::screensaver::test {

using cantorel::testing::waitUntil;

// Points the program directory and the runtime folder (where the receivers'
// sockets live) at fresh temporary folders for the test's lifetime. Child
// processes inherit the runtime folder through XDG_RUNTIME_DIR.
class SaverFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programDir.isValid());
        ASSERT_TRUE(runtimeDir.isValid());
        m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
        m_scope = std::make_unique<ScopedProgramDirectory>(programDir.path());
    }
    void TearDown() override
    {
        m_scope.reset();
        qputenv("XDG_RUNTIME_DIR", m_oldRuntime);
    }
    QString programFile(const QString& name) const { return programDir.filePath(name); }

    QTemporaryDir programDir;
    QTemporaryDir runtimeDir;

private:
    QByteArray m_oldRuntime;
    std::unique_ptr<ScopedProgramDirectory> m_scope;
};

// Collects what the code under test reports with qWarning() and the like
// while it lives, instead of printing it.
class CapturedMessages {
public:
    CapturedMessages() : m_previous(qInstallMessageHandler(&collect)) { s_current = this; }
    ~CapturedMessages()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    bool contains(const QString& part) const
    {
        return std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(part); });
    }
    QStringList lines;

private:
    static void collect(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        if (s_current)
            s_current->lines << message;
    }
    static inline CapturedMessages* s_current = nullptr;
    QtMessageHandler m_previous;
};

// Sets an environment variable (unsets it for a null value) for a scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedEnvironment() { m_had ? qputenv(m_name, m_old) : qunsetenv(m_name); }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

inline QByteArray frame(const QByteArray& payload)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), out.data());
    return out + payload;
}

// A client connected to a receiver's socket, for raw bytes.
inline std::unique_ptr<QLocalSocket> connectTo(const QString& path)
{
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(path);
    if (!socket->waitForConnected(2000))
        ADD_FAILURE() << "cannot connect to " << path.toStdString();
    return socket;
}

inline void sendRaw(QLocalSocket& socket, const QByteArray& bytes)
{
    socket.write(bytes);
    socket.waitForBytesWritten(2000);
}

} // namespace cantorel::screensaver::test
