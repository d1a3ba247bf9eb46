// A real media player followed: mpv with its MPRIS plugin plays a song with
// an LRC file beside it (no sound, no video), and the player's lines and
// `cantorel-lyrics follow` keep up with it through seeks, play and a pause.
#include "FollowProcess.h"
#include "controller/PlayerController.h"
#include "follow/FollowedPlayer.h"
#include "follow/Following.h"
#include "follow/PlayerFollowing.h"
#include "support/FakeAudioEngine.h"
#include "support/PrivateBus.h"
#include "support/TestFiles.h"

#include <QDBusVariant>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace cantorel;
using namespace cantorel::follow;
using namespace cantorel::testing;
using Motion = LyricClock::Motion;

namespace {

// The plugin as Debian installs it.
QString mprisPlugin()
{
    for (const char* path : {"/usr/lib/mpv-mpris/mpris.so", "/etc/mpv/scripts/mpris.so"})
        if (QFile::exists(path))
            return path;
    return QString();
}

class Mpv : public OnPrivateBus<::testing::Test> {
protected:
    void SetUp() override
    {
        if (!s_bus || QStandardPaths::findExecutable("mpv").isEmpty() || mprisPlugin().isEmpty())
            GTEST_SKIP() << "mpv, mpv-mpris or dbus-daemon is missing (scripts/deps test installs them)";
        ASSERT_TRUE(dir.isValid());
        song = dir.filePath("Lanterns & Rain #1.ogg");
        ASSERT_TRUE(QFile::copy(fixturePath("audio/long.ogg"), song));
        writeFile(dir.filePath("Lanterns & Rain #1.lrc"),
                  "[00:01.00]one\n[00:10.00]two\n[00:11.50]three\n[00:25.00]four\n");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", s_bus->address());
        mpv.setProcessEnvironment(env);
        mpv.setStandardOutputFile(QProcess::nullDevice());
        mpv.setStandardErrorFile(QProcess::nullDevice());
        mpv.start("mpv", {"--no-config", "--script=" + mprisPlugin(), "--ao=null", "--vo=null", "--no-video",
                          "--no-terminal", "--pause", "--keep-open=yes", song});
        ASSERT_TRUE(mpv.waitForStarted(5000));
        ASSERT_TRUE(controller.start());
    }
    void TearDown() override
    {
        if (mpv.state() != QProcess::NotRunning) {
            mpv.kill();
            mpv.waitForFinished(5000);
        }
    }
    // A method of mpv's media-player interface, as a desktop's keys call it.
    void call(const QString& method, const QVariantList& args = {})
    {
        BusClient client(s_bus->connect(), "org.mpris.MediaPlayer2.mpv", "/org/mpris/MediaPlayer2");
        EXPECT_EQ(client.call("org.mpris.MediaPlayer2.Player", method, args).type(), QDBusMessage::ReplyMessage)
            << method.toStdString();
    }
    qint64 mpvPositionMs()
    {
        BusClient client(s_bus->connect(), "org.mpris.MediaPlayer2.mpv", "/org/mpris/MediaPlayer2");
        return client.property("org.mpris.MediaPlayer2.Player", "Position").toLongLong() / 1000;
    }
    bool shows(const QString& text)
    {
        return waitUntil([&] { return controller.lines().panes.text1 == text; }, 10000);
    }

    QTemporaryDir dir;
    QString song;
    QProcess mpv;
    FakeAudioEngine engine;
    PlayerController controller {engine};
};

} // namespace

TEST_F(Mpv, ItsLyricFollowsThroughASeekPlayAndAPause)
{
    Following following(s_bus->connect());
    PlayerFollowing wiring(controller, following);
    following.start();
    following.choose(FollowChoice::named("mpv"));
    FollowProcess printed(s_bus->address(), {"--player", "mpv"});
    // Its length is known once the song is loaded; a seek before is lost.
    ASSERT_TRUE(waitUntil([&] { return following.followed() && following.track().lengthMs > 0; }, 10000));
    EXPECT_EQ(controller.lyricSongPath(), song);

    call("Seek", {qlonglong(10500000)});
    EXPECT_TRUE(shows("two"));
    call("Play");
    EXPECT_TRUE(shows("three"));
    call("Pause");
    ASSERT_TRUE(waitUntil([&] { return following.clock().motion() == Motion::Paused; }, 10000));
    ASSERT_TRUE(waitUntil([&] { return following.followed()->awaitedAnswers() == 0; }));
    EXPECT_LE(std::abs(following.clock().positionMs() - mpvPositionMs()), 100);
    EXPECT_EQ(controller.lines().panes.text1, "three");

    // Back while paused.
    call("Seek", {qlonglong(-10000000)});
    EXPECT_TRUE(shows("one"));

    EXPECT_TRUE(printed.printed("two"));
    EXPECT_TRUE(printed.printed("three"));
    EXPECT_TRUE(printed.printed("one"));
}
