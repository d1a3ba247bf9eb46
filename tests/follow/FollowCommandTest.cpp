// `cantorel-lyrics follow` against a player on a private session bus: a line
// per change, silences as empty lines, across tracks and a player that
// quits and comes back; its options and what it says without a bus.
#include "FollowFixture.h"
#include "FollowProcess.h"
#include "support/LyricSongs.h"
#include "support/TestPaths.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

using namespace cantorel;
using namespace cantorel::testing;

namespace {

int exitStatusOf(const QStringList& args, const QString& busAddress)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
    p.setProcessEnvironment(env);
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(binPath("cantorel-lyrics"), args);
    return p.waitForFinished(10000) ? p.exitCode() : -1;
}

using FollowCommand = FollowFixture;

} // namespace

TEST_F(FollowCommand, PrintsALinePerChangeAcrossTracksAndRestarts)
{
    QTemporaryDir dir;
    const QString rain = dir.filePath("Rain.ogg");
    writeFile(rain, "audio");
    writeFile(dir.filePath("Rain.lrc"), "[00:01.00]one\n[00:03.00]two\n[00:05.00]three!\n");
    FakeAudioEngine unused;
    const QString snow = writeLyricSong(unused, dir.filePath("Snow.mp3"), {{100, "white"}, {400, "cold"}},
                                        {{100, "blanc"}, {400, "froid"}}, 60000);
    FollowProcess plain(s_bus->address(), {"--player", "mpv", "--translation"});
    FollowProcess json(s_bus->address(), {"--player", "mpv", "--format", "json"});
    // What the JSON follower printed with this text (empty when nothing).
    auto sung = [&json](const QString& text) {
        for (const QString& line : json.lines()) {
            const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
            if (object.value("text") == text)
                return object;
        }
        return QJsonObject();
    };
    // Both followers have printed it (each reads the position when it gets
    // to it, so they wait for each other).
    auto both = [&](const QString& line, const QString& jsonText) {
        return plain.printed(line) && waitUntil([&] { return !sung(jsonText).isEmpty(); });
    };

    auto mpv = startPlayer("mpv", "mpv");
    mpv->setPositionUs(1500000);
    mpv->setMetadata(FakeMprisPlayer::track("Rain", QUrl::fromLocalFile(rain).toString(), 60000000));
    mpv->setStatus("Paused");
    EXPECT_TRUE(both("one", "one"));
    mpv->seek(3200000);
    EXPECT_TRUE(both("two", "two"));
    mpv->seek(500000);
    EXPECT_TRUE(plain.printed("")); // a silence before the first line

    // The next track, with a translation.
    mpv->setPositionUs(2000000);
    mpv->setMetadata(FakeMprisPlayer::track("Snow", QUrl::fromLocalFile(snow).toString(), 60000000));
    EXPECT_TRUE(both("blanc", "white"));

    // The player quits and comes back.
    mpv->quit();
    EXPECT_TRUE(plain.printed(""));
    mpv = startPlayer("mpv", "mpv");
    mpv->setPositionUs(5500000);
    mpv->setMetadata(FakeMprisPlayer::track("Rain", QUrl::fromLocalFile(rain).toString(), 60000000));
    mpv->setStatus("Playing");
    EXPECT_TRUE(both("three!", "three!"));

    // JSON carries the rest.
    EXPECT_EQ(sung("one").value("title").toString(), "Rain");
    EXPECT_EQ(sung("one").value("player").toString(), "mpv");
    EXPECT_EQ(sung("white").value("translation").toString(), "blanc") << json.lines().join("\n").toStdString();
}

TEST_F(FollowCommand, WrongArgumentsAndNoBus)
{
    for (const QStringList& wrong : {QStringList {"follow", "--player"}, QStringList {"follow", "--format", "{nope}"},
                                     QStringList {"follow", "--loud"}})
        EXPECT_EQ(exitStatusOf(wrong, s_bus->address()), 64) << wrong.join(' ').toStdString();
    EXPECT_EQ(exitStatusOf({"follow"}, "unix:path=/nonexistent/bus"), 69);
}
