#pragma once
// Running the real Cantorel_Screen_Saver in tests: a copy of the program in a
// test's own folder (as an installed copy would be, away from the build
// folder), and a private X display for window tests.
#include "support/TestPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <memory>

namespace cantorel::screensaver::test {

// Copies the built screen saver into `folder`; returns the copy's path.
inline QString copyScreenSaverTo(const QString& folder)
{
    const QString source = cantorel::testing::binPath("Cantorel_Screen_Saver");
    const QString copy = folder + "/Cantorel_Screen_Saver";
    if (!QFile::copy(source, copy))
        ADD_FAILURE() << "cannot copy " << source.toStdString();
    QFile::setPermissions(copy, QFileInfo(source).permissions());
    return copy;
}

// Runs a short helper program; its standard output, or "" when it failed.
inline QString runTool(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    if (!tool.waitForFinished(5000)) {
        tool.kill();
        tool.waitForFinished(1000);
        return QString();
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return QString();
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

// An Xvfb server on a free display number, 1280 x 720, for one test.
class VirtualDisplay {
public:
    static bool available() { return !QStandardPaths::findExecutable("Xvfb").isEmpty(); }

    // False with a reason when no server could be started.
    bool start(QString* why)
    {
        // Numbers differ per process and per start, so that a display just
        // stopped is not taken again while it winds down.
        static int next = 140 + int(QCoreApplication::applicationPid() % 50) * 4;
        const int first = next;
        for (int n = first; n < first + 40; ++n) {
            next = n + 1;
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
            if (QFileInfo::exists(socket) || QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_server = std::make_unique<QProcess>();
            m_server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            m_server->setStandardOutputFile(QProcess::nullDevice());
            // -noreset: a server that resets when its last client leaves
            // refuses the connection of the next one for a moment.
            m_server->start(
                "Xvfb", {QStringLiteral(":%1").arg(n), "-screen", "0", "1280x720x24", "-nolisten", "tcp", "-noreset"});
            if (!m_server->waitForStarted(5000))
                break;
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < 10000 && m_server->state() == QProcess::Running && !QFileInfo::exists(socket))
                m_server->waitForFinished(50);
            m_name = QStringLiteral(":%1").arg(n);
            // The socket file shows before the server answers; ask it.
            while (clock.elapsed() < 10000 && m_server->state() == QProcess::Running) {
                if (!runTool("xwininfo", {"-display", m_name, "-root"}, environment()).isEmpty())
                    return true;
                m_server->waitForFinished(50);
            }
            m_name.clear();
            stop();
        }
        *why = QStringLiteral("no Xvfb display could be started");
        return false;
    }

    ~VirtualDisplay() { stop(); }

    QString name() const { return m_name; }

    // The environment for programs that show windows on this display.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", m_name);
        env.insert("QT_QPA_PLATFORM", "xcb");
        return env;
    }

private:
    void stop()
    {
        if (!m_server)
            return;
        if (m_server->state() != QProcess::NotRunning) {
            m_server->terminate();
            if (!m_server->waitForFinished(5000)) {
                m_server->kill();
                m_server->waitForFinished(2000);
            }
        }
        m_server.reset();
    }

    std::unique_ptr<QProcess> m_server;
    QString m_name;
};

} // namespace cantorel::screensaver::test
