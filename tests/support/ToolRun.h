#pragma once
// Runs cantorel-lyrics as a script would: its exit status and both streams.
// The event loop runs while it works (a test's local server answers it), its
// standard input is closed (a question on the terminal reads no answer), and
// the wait is bounded: a tool that does not finish is killed and the test
// fails.
#include "support/TestPaths.h"
#include "support/Wait.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <gtest/gtest.h>

namespace cantorel::testing {

struct ToolRun {
    int code = -1;
    QString out;
    QString err;
};

// `env` is the tool's whole environment (silent audio is added).
inline ToolRun runLyricTool(const QStringList& args, QProcessEnvironment env = QProcessEnvironment::systemEnvironment(),
                            int timeoutMs = 30000)
{
    QProcess p;
    env.insert("SDL_AUDIODRIVER", "dummy");
    p.setProcessEnvironment(env);
    p.start(binPath("cantorel-lyrics"), args);
    p.closeWriteChannel();
    ToolRun r;
    if (!waitUntil([&] { return p.state() == QProcess::NotRunning; }, timeoutMs)) {
        p.kill();
        p.waitForFinished(2000);
        ADD_FAILURE() << "cantorel-lyrics did not finish";
        return r;
    }
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace cantorel::testing
