#pragma once
// `cantorel-lyrics follow` running on a private session bus, and the lines
// it printed.
#include "support/TestPaths.h"
#include "support/Wait.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace cantorel::testing {

// A running `cantorel-lyrics follow` and the lines it printed.
class FollowProcess {
public:
    FollowProcess(const QString& busAddress, const QStringList& options)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] {
            while (m_process.canReadLine())
                m_lines << QString::fromUtf8(m_process.readLine()).chopped(1);
        });
        m_process.start(binPath("cantorel-lyrics"), QStringList {"follow"} + options);
        EXPECT_TRUE(m_process.waitForStarted(5000));
    }
    ~FollowProcess()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    // Waits for `line` among the lines printed after the last one waited for.
    bool printed(const QString& line)
    {
        return waitUntil([&] {
            for (int i = m_seen; i < m_lines.size(); ++i) {
                if (m_lines[i] == line) {
                    m_seen = i + 1;
                    return true;
                }
            }
            return false;
        });
    }
    const QStringList& lines() const { return m_lines; }

private:
    QProcess m_process;
    QStringList m_lines;
    int m_seen = 0;
};

} // namespace cantorel::testing
