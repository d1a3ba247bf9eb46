#pragma once
// Shared by the screen-saver tests: private runtime, settings and data
// folders per test, bounded waits, and a raw client for the receivers.
#include "support/CapturedMessages.h"
#include "support/ScopedEnvironment.h"
#include "support/TestFiles.h"
#include "support/Wait.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace cantorel::screensaver::test {

using cantorel::testing::CapturedMessages;
using cantorel::testing::readFile;
using cantorel::testing::ScopedEnvironment;
using cantorel::testing::waitUntil;
using cantorel::testing::writeFile;

// Points the user's folders at fresh temporary ones for the test's lifetime:
// the runtime folder (XDG_RUNTIME_DIR: "hand.txt" and the receivers'
// sockets), the settings (XDG_CONFIG_HOME: "setting.txt", its "cantorel"
// folder already made, so no former settings file is taken over) and the
// data folder (XDG_DATA_HOME). Child processes inherit them. `programDir` is
// a scratch folder for copies of the programs and other files.
class SaverFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const QTemporaryDir* dir : {&programDir, &runtimeDir, &configHome, &dataHome})
            ASSERT_TRUE(dir->isValid());
        m_runtime = std::make_unique<ScopedEnvironment>("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
        m_config = std::make_unique<ScopedEnvironment>("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
        m_data = std::make_unique<ScopedEnvironment>("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
        ASSERT_TRUE(QDir(configHome.path()).mkdir("cantorel"));
    }
    void TearDown() override
    {
        m_data.reset();
        m_config.reset();
        m_runtime.reset();
    }
    QString programFile(const QString& name) const { return programDir.filePath(name); }
    QString handOverFile() const { return runtimeDir.filePath("cantorel/hand.txt"); }
    QString settingsFile() const { return configHome.filePath("cantorel/setting.txt"); }

    QTemporaryDir programDir;
    QTemporaryDir runtimeDir;
    QTemporaryDir configHome;
    QTemporaryDir dataHome;

private:
    std::unique_ptr<ScopedEnvironment> m_runtime;
    std::unique_ptr<ScopedEnvironment> m_config;
    std::unique_ptr<ScopedEnvironment> m_data;
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
