// `cantorel-lyrics follow` against a player on a private session bus: a line
// per change, silences as empty lines, across tracks and a player that
// quits and comes back; its options and what it says without a bus.
#include "FollowFixture.h"
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

    auto mpv = startPlayer("mpv", "mpv");
    mpv->setPositionUs(1500000);
    mpv->setMetadata(FakeMprisPlayer::track("Rain", QUrl::fromLocalFile(rain).toString(), 60000000));
    mpv->setStatus("Paused");
    EXPECT_TRUE(plain.printed("one"));
    mpv->seek(3200000);
    EXPECT_TRUE(plain.printed("two"));
    mpv->seek(500000);
    EXPECT_TRUE(plain.printed("")); // a silence before the first line

    // The next track, with a translation.
    mpv->setPositionUs(2000000);
    mpv->setMetadata(FakeMprisPlayer::track("Snow", QUrl::fromLocalFile(snow).toString(), 60000000));
    EXPECT_TRUE(plain.printed("blanc"));

    // The player quits and comes back.
    mpv->quit();
    EXPECT_TRUE(plain.printed(""));
    mpv = startPlayer("mpv", "mpv");
    mpv->setPositionUs(5500000);
    mpv->setMetadata(FakeMprisPlayer::track("Rain", QUrl::fromLocalFile(rain).toString(), 60000000));
    mpv->setStatus("Playing");
    EXPECT_TRUE(plain.printed("three!"));

    // The same changes as JSON, one object a line.
    auto sung = [&json](const QString& text) {
        for (const QString& line : json.lines()) {
            const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
            if (object.value("text") == text)
                return object;
        }
        return QJsonObject();
    };
    ASSERT_TRUE(waitUntil([&] { return !sung("three!").isEmpty(); }));
    EXPECT_EQ(sung("one").value("title").toString(), "Rain");
    EXPECT_EQ(sung("one").value("player").toString(), "mpv");
    EXPECT_EQ(sung("white").value("translation").toString(), "blanc");
}

TEST_F(FollowCommand, WrongArgumentsAndNoBus)
{
    for (const QStringList& wrong : {QStringList {"follow", "--player"}, QStringList {"follow", "--format", "{nope}"},
                                     QStringList {"follow", "--loud"}})
        EXPECT_EQ(exitStatusOf(wrong, s_bus->address()), 64) << wrong.join(' ').toStdString();
    EXPECT_EQ(exitStatusOf({"follow"}, "unix:path=/nonexistent/bus"), 69);
}
