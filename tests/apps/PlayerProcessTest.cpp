// The real player as the desktop sees it: its window title, and how it ends
// when it is told to from outside.
#include "screensaver/RealProgram.h"
#include "screensaver/SaverTestSupport.h"
#include "support/TestPaths.h"

#include <csignal>

using namespace cantorel;
using namespace cantorel::screensaver::test;

namespace {

class PlayerProcess : public SaverFolders {
protected:
    void SetUp() override
    {
        SaverFolders::SetUp();
        if (!VirtualDisplay::available())
            GTEST_SKIP() << "Xvfb is not installed";
        QString why;
        ASSERT_TRUE(display.start(&why)) << why.toStdString();
        env = display.environment();
        env.insert("SDL_AUDIODRIVER", "dummy");
        env.insert("XDG_DATA_HOME", programFile("data"));
        song = programFile("tune.ogg");
        ASSERT_TRUE(QFile::copy(cantorel::testing::fixturePath("audio/tones.ogg"), song));
    }
    void TearDown() override
    {
        if (player.state() != QProcess::NotRunning) {
            player.kill();
            player.waitForFinished(2000);
        }
        SaverFolders::TearDown();
    }

    // Starts the player on the song; the id of its window once it shows.
    QString start()
    {
        player.setProcessEnvironment(env);
        player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        player.setStandardOutputFile(QProcess::nullDevice());
        player.start(cantorel::testing::binPath("Cantorel"), {song});
        QString id;
        waitUntil([&] {
            id = runTool("xdotool", {"search", "--name", "^Tessaly"}, env).split('\n', Qt::SkipEmptyParts).value(0);
            return !id.isEmpty();
        }, 15000);
        return id;
    }

    VirtualDisplay display;
    QProcessEnvironment env;
    QString song;
    QProcess player;
};

} // namespace

TEST_F(PlayerProcess, TheTitleIsExactlyThePlayersOwn)
{
    const QString id = start();
    ASSERT_FALSE(id.isEmpty());
    // Nothing appended by the toolkit (no " — Cantorel").
    EXPECT_TRUE(waitUntil([&] {
        return runTool("xprop", {"-id", id, "_NET_WM_NAME"}, env).trimmed()
            == "_NET_WM_NAME(UTF8_STRING) = \"Tessaly Playing:- tune.ogg\"";
    }, 5000)) << runTool("xprop", {"-id", id, "_NET_WM_NAME"}, env).toStdString();
}

TEST_F(PlayerProcess, TermAndInterruptEndItNormally)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        ASSERT_FALSE(start().isEmpty());
        // Let audio start: that is when a sound library may take the signals.
        QThread::msleep(500);
        ::kill(pid_t(player.processId()), signal);
        ASSERT_TRUE(player.waitForFinished(5000)) << "signal " << signal << " was swallowed";
        EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(player.exitCode(), 0);
    }
}
