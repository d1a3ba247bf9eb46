// The real player as the desktop sees it: its window title, how it ends
// when it is told to from outside, and one player per display.
#include "screensaver/RealProgram.h"
#include "screensaver/SaverTestSupport.h"
#include "support/TestPaths.h"

#include <QUrl>

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
        // No session bus: the player works and says nothing about it.
        env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + programFile("no-bus"));
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

    // Starts the player on the song (or on `arguments`); the id of its
    // window once it shows.
    QString start(const QStringList& arguments = {})
    {
        player.setProcessEnvironment(env);
        player.setStandardOutputFile(QProcess::nullDevice());
        player.start(cantorel::testing::binPath("Cantorel"), arguments.isEmpty() ? QStringList {song} : arguments);
        QString id;
        waitUntil(
            [&] {
                id = runTool("xdotool", {"search", "--name", "^Tessaly"}, env).split('\n', Qt::SkipEmptyParts).value(0);
                return !id.isEmpty();
            },
            15000);
        return id;
    }

    QString title(const QString& id) const { return runTool("xprop", {"-id", id, "_NET_WM_NAME"}, env).trimmed(); }
    static QString titleOf(QString shown)
    {
        return "_NET_WM_NAME(UTF8_STRING) = \"" + shown.replace("\"", "\\\"") + "\"";
    }
    bool titleBecomes(const QString& id, const QString& shown)
    {
        return waitUntil([&] { return title(id) == titleOf(shown); }, 5000);
    }
    // Asks the player for the next song on the session bus, as the desktop's
    // media keys do.
    bool pressNext()
    {
        return !runTool("dbus-send",
                        {"--session", "--print-reply", "--dest=org.mpris.MediaPlayer2.cantorel",
                         "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2.Player.Next"},
                        env)
                    .isEmpty();
    }

    VirtualDisplay display;
    QProcessEnvironment env;
    QString song;
    QProcess player;
};

// The player with a session bus of the test's own, as the desktop's media
// keys reach it.
class PlayerProcessOnBus : public PlayerProcess {
protected:
    void SetUp() override
    {
        PlayerProcess::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        bus.setStandardErrorFile(QProcess::nullDevice());
        bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!bus.waitForStarted(5000) || !bus.waitForReadyRead(5000))
            GTEST_SKIP() << "no dbus-daemon (scripts/deps test installs it)";
        env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromLocal8Bit(bus.readLine()).trimmed());
    }
    void TearDown() override
    {
        PlayerProcess::TearDown();
        if (bus.state() != QProcess::NotRunning) {
            bus.terminate();
            bus.waitForFinished(3000);
        }
    }

    QProcess bus;
};

} // namespace

TEST_F(PlayerProcess, TheTitleIsExactlyThePlayersOwn)
{
    const QString id = start();
    ASSERT_FALSE(id.isEmpty());
    // Nothing appended by the toolkit (no " — Cantorel").
    EXPECT_TRUE(waitUntil([&] { return title(id) == titleOf("Tessaly Playing:- tune.ogg"); }, 5000))
        << title(id).toStdString();
    EXPECT_EQ(player.readAllStandardError(), QByteArray()); // no session bus, and not a word about it
}

TEST_F(PlayerProcess, ASecondStartHandsItsSongToTheRunningOne)
{
    const QString id = start();
    ASSERT_FALSE(id.isEmpty());
    ASSERT_TRUE(QFile::copy(cantorel::testing::fixturePath("audio/tones.ogg"), programFile("other tune.ogg")));

    // Started from the song's folder with a name relative to it, as a file
    // manager may: the running player opens it, and this one ends at once.
    QProcess second;
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(programDir.path());
    second.start(cantorel::testing::binPath("Cantorel"), {"other tune.ogg"});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardError(), QByteArray());
    EXPECT_TRUE(waitUntil([&] { return title(id) == titleOf("Tessaly Playing:- other tune.ogg"); }, 5000))
        << title(id).toStdString();

    // A killed player leaves its rendezvous behind; the next start plays.
    ::kill(pid_t(player.processId()), SIGKILL);
    ASSERT_TRUE(player.waitForFinished(5000));
    const QString again = start();
    ASSERT_FALSE(again.isEmpty());
    EXPECT_TRUE(waitUntil([&] { return title(again) == titleOf("Tessaly Playing:- tune.ogg"); }, 5000))
        << title(again).toStdString();
}

TEST_F(PlayerProcess, TermAndInterruptEndItNormally)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        const QString id = start();
        ASSERT_FALSE(id.isEmpty());
        // Once the song plays, audio has started: that is when a sound
        // library may take the signals.
        ASSERT_TRUE(titleBecomes(id, "Tessaly Playing:- tune.ogg")) << title(id).toStdString();
        ::kill(pid_t(player.processId()), signal);
        ASSERT_TRUE(player.waitForFinished(5000)) << "signal " << signal << " was swallowed";
        EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(player.exitCode(), 0);
    }
}

TEST_F(PlayerProcessOnBus, AnyNameOpensAndTheSongsAfterTheFirstJoinThePlaylist)
{
    const QString quoted = programFile("say \"hi\".ogg");
    const QString blank = programFile("tune 2.ogg ");
    for (const QString& copy : {quoted, blank})
        ASSERT_TRUE(QFile::copy(song, copy));

    // Each name exactly as given; the first plays, the next joins the list.
    const QString id = start({quoted, blank});
    ASSERT_FALSE(id.isEmpty());
    EXPECT_TRUE(titleBecomes(id, "Tessaly Playing:- say \"hi\".ogg")) << title(id).toStdString();
    ASSERT_TRUE(pressNext());
    EXPECT_TRUE(titleBecomes(id, "Tessaly Playing:- tune 2.ogg ")) << title(id).toStdString();

    // A later start hands over a file:// URL and another name in the same way.
    QProcess second;
    second.setProcessEnvironment(env);
    second.start(cantorel::testing::binPath("Cantorel"),
                 {QUrl::fromLocalFile(song).toString(QUrl::FullyEncoded), "\"" + quoted + "\""});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(titleBecomes(id, "Tessaly Playing:- tune.ogg")) << title(id).toStdString();
    ASSERT_TRUE(pressNext());
    EXPECT_TRUE(titleBecomes(id, "Tessaly Playing:- say \"hi\".ogg")) << title(id).toStdString();
}
