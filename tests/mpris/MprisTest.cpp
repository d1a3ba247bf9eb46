// The player on a private session bus, as the desktop's media keys and sound
// menus drive it: methods run the player's own actions, properties follow
// the player and its window, and changes are signalled.
#include "follow/Following.h"
#include "follow/PlayerFollowing.h"
#include "mpris/MprisService.h"
#include "player/PlayerFixture.h"
#include "playlist/PlaylistModel.h"
#include "playlistwindow/Playlist.h"
#include "support/FakeMprisPlayer.h"
#include "support/PrivateBus.h"
#include "support/TaggedSongs.h"

#include <QCheckBox>
#include <QDBusObjectPath>
#include <QRadioButton>
#include <QSlider>
#include <QUrl>

using namespace cantorel;
using namespace cantorel::testing;
using mpris::MprisService;

namespace {

const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");

// What the service signals, as a client on the bus hears it.
class Heard : public QObject {
    Q_OBJECT
public:
    QList<QVariantMap> changes; // the changed properties of each PropertiesChanged
    QList<qlonglong> seeks;

    // The value of `name` in the last PropertiesChanged that carried it.
    QVariant last(const QString& name) const
    {
        for (auto it = changes.crbegin(); it != changes.crend(); ++it)
            if (it->contains(name))
                return BusClient::plain(it->value(name));
        return QVariant();
    }

public Q_SLOTS:
    void propertiesChanged(const QString&, const QVariantMap& changed, const QStringList&) { changes << changed; }
    void seeked(qlonglong position) { seeks << position; }
};

class Mpris : public OnPrivateBus<PlayerFixture> {
protected:
    void SetUp() override
    {
        if (!s_bus)
            GTEST_SKIP() << "dbus-daemon is missing (scripts/deps test installs it)";
        PlayerFixture::SetUp();
        form->load(QString());
        service = std::make_unique<MprisService>(*controller, s_bus->connect());
        ASSERT_TRUE(service->isRegistered());
        client = std::make_unique<BusClient>(s_bus->connect(), service->serviceName(),
                                             QString::fromLatin1(MprisService::kObjectPath));
        ASSERT_TRUE(client->connection().connect(QString(), QString::fromLatin1(MprisService::kObjectPath),
                                                 "org.freedesktop.DBus.Properties", "PropertiesChanged", &heard,
                                                 SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
        ASSERT_TRUE(client->connection().connect(QString(), QString::fromLatin1(MprisService::kObjectPath), kPlayer,
                                                 "Seeked", &heard, SLOT(seeked(qlonglong))));
    }
    void TearDown() override
    {
        client.reset();
        service.reset();
        PlayerFixture::TearDown();
    }

    QVariant property(const QString& name, const QString& interface = kPlayer)
    {
        return client->property(interface, name);
    }
    QVariantMap metadata() { return property("Metadata").toMap(); }
    void call(const QString& method, const QVariantList& arguments = {}, const QString& interface = kPlayer)
    {
        EXPECT_EQ(client->call(interface, method, arguments).type(), QDBusMessage::ReplyMessage)
            << method.toStdString();
    }
    void set(const QString& name, const QVariant& value)
    {
        call("Set", {kPlayer, name, QVariant::fromValue(QDBusVariant(value))}, "org.freedesktop.DBus.Properties");
    }
    // Waits until a PropertiesChanged has said `name` is `value`.
    bool heardThat(const QString& name, const QVariant& value)
    {
        return waitUntil([&] { return heard.last(name) == value; }, 3000);
    }

    std::unique_ptr<MprisService> service;
    std::unique_ptr<BusClient> client;
    Heard heard;
};

} // namespace

TEST_F(Mpris, DescribesThePlayerUnderItsName)
{
    EXPECT_EQ(service->serviceName(), "org.mpris.MediaPlayer2.cantorel");
    EXPECT_EQ(property("Identity", kRoot), "Cantorel");
    EXPECT_EQ(property("DesktopEntry", kRoot), "org.cantorel.Cantorel");
    EXPECT_EQ(property("CanQuit", kRoot), true);
    EXPECT_EQ(property("CanRaise", kRoot), true);
    EXPECT_EQ(property("HasTrackList", kRoot), false);
    EXPECT_EQ(property("SupportedUriSchemes", kRoot), QStringList {"file"});
    EXPECT_TRUE(property("SupportedMimeTypes", kRoot).toStringList().contains("audio/mpeg"));

    // No song yet: stopped, nothing to play, and no track.
    EXPECT_EQ(property("PlaybackStatus"), "Stopped");
    EXPECT_EQ(property("CanPlay"), false);
    EXPECT_EQ(property("CanControl"), true);
    EXPECT_EQ(metadata().value("mpris:trackid").value<QDBusObjectPath>().path(),
              "/org/mpris/MediaPlayer2/TrackList/NoTrack");
}

TEST_F(Mpris, StatusFollowsTheWindowBothWays)
{
    openThroughDialog(song("song.mp3"));
    EXPECT_TRUE(heardThat("PlaybackStatus", "Playing"));
    EXPECT_EQ(property("CanPause"), true);

    call("Pause");
    EXPECT_TRUE(controller->paused());
    EXPECT_EQ(property("PlaybackStatus"), "Paused");
    EXPECT_TRUE(heardThat("PlaybackStatus", "Paused"));
    call("Pause"); // already paused: stays so
    EXPECT_TRUE(controller->paused());
    call("PlayPause");
    EXPECT_FALSE(controller->paused());
    EXPECT_TRUE(heardThat("PlaybackStatus", "Playing"));

    form->cstopClick(); // the window's own Stop is heard too
    EXPECT_TRUE(heardThat("PlaybackStatus", "Stopped"));
    EXPECT_EQ(property("CanSeek"), false);
    call("Play");
    EXPECT_TRUE(controller->playing());
    EXPECT_EQ(property("PlaybackStatus"), "Playing");
    call("Stop");
    EXPECT_TRUE(controller->stopped());

    // While the lyric maker keeps the player busy, nothing can be done.
    controller->setBusy(true);
    EXPECT_TRUE(heardThat("CanPlay", false));
    call("Play");
    EXPECT_TRUE(controller->stopped());
    controller->setBusy(false);
    EXPECT_TRUE(heardThat("CanPlay", true));

    set("Volume", 0.8);
    EXPECT_EQ(child<QSlider>("Slider1")->value(), 8);
    EXPECT_TRUE(heardThat("Volume", 0.8));
}

TEST_F(Mpris, VolumeZeroIsMuteAndReadsZero)
{
    openThroughDialog(song("song.mp3"));
    set("Volume", 0.0);
    EXPECT_TRUE(child<QCheckBox>("Check1")->isChecked());
    EXPECT_TRUE(engine.channelMuted(engine.lastChannel()));
    EXPECT_EQ(property("Volume"), 0.0);
    EXPECT_TRUE(heardThat("Volume", 0.0));
    // The slider keeps its place; a volume again unmutes at that step.
    EXPECT_EQ(child<QSlider>("Slider1")->value(), 3);
    set("Volume", 0.5);
    EXPECT_FALSE(child<QCheckBox>("Check1")->isChecked());
    EXPECT_FALSE(engine.channelMuted(engine.lastChannel()));
    EXPECT_EQ(child<QSlider>("Slider1")->value(), 5);
    EXPECT_TRUE(heardThat("Volume", 0.5));
}

TEST_F(Mpris, MetadataOfTheOpenedSong)
{
    const QString tagged = copyFixture("tones.ogg", dir.filePath("tagged.ogg"));
    addVorbisComment(tagged, "TITLE", "Lanterns");
    addVorbisComment(tagged, "ARTIST", "The Lamplighters");
    addVorbisComment(tagged, "ALBUM", "River Songs");
    writeFile(lyrics::lyricPathOf(tagged), records({{100, "first line"}, {200, "second line"}}));
    openThroughDialog(tagged); // its length is known from the open, before any tick

    // The tags are read off the window thread and join the metadata later.
    EXPECT_TRUE(waitUntil(
        [&] {
            const QVariantMap m = heard.last("Metadata").toMap();
            return m.contains("mpris:length") && m.contains("xesam:artist");
        },
        3000));
    const QVariantMap m = metadata();
    EXPECT_EQ(m.value("mpris:length").toLongLong(), qlonglong(FakeAudioEngine::kDefaultLengthMs) * 1000);
    EXPECT_EQ(m.value("xesam:title"), "Lanterns");
    EXPECT_EQ(m.value("xesam:artist"), QStringList {"The Lamplighters"});
    EXPECT_EQ(m.value("xesam:album"), "River Songs");
    EXPECT_EQ(m.value("xesam:url"), "file://" + QString(QUrl::toPercentEncoding(tagged, "/")));
    EXPECT_EQ(m.value("xesam:asText"), "first line\nsecond line");
    const QString track = m.value("mpris:trackid").value<QDBusObjectPath>().path();

    // A song without tags or lyric: its file name, and another track.
    openThroughDialog(song("plain song.mp3"));
    EXPECT_TRUE(
        waitUntil([&] { return heard.last("Metadata").toMap().value("xesam:title") == "plain song.mp3"; }, 3000));
    const QVariantMap plain = metadata();
    EXPECT_FALSE(plain.contains("xesam:artist"));
    EXPECT_FALSE(plain.contains("xesam:asText"));
    EXPECT_NE(plain.value("mpris:trackid").value<QDBusObjectPath>().path(), track);
}

TEST_F(Mpris, WhileAnotherPlayerIsFollowedItDescribesItsOwnStoppedSong)
{
    openThroughDialog(song("own.mp3", {{100, "own line"}}));
    EXPECT_TRUE(heardThat("PlaybackStatus", "Playing"));
    const QString theirs = dir.filePath("theirs.ogg");
    writeFile(theirs, "audio");
    writeFile(dir.filePath("theirs.lrc"), "[00:01.00]their line\n");
    FakeMprisPlayer vlc(s_bus->connect(), "org.mpris.MediaPlayer2.vlc", "VLC");
    vlc.setMetadata(FakeMprisPlayer::track("Theirs", QUrl::fromLocalFile(theirs).toString()));
    vlc.setPositionUs(1500000);
    vlc.setStatus("Playing");

    follow::Following following(s_bus->connect());
    follow::PlayerFollowing wiring(*controller, following);
    following.start();
    following.choose(follow::FollowChoice::named("vlc"));
    EXPECT_TRUE(waitUntil([&] { return text1()->lyric() == "their line"; }));
    EXPECT_TRUE(heardThat("PlaybackStatus", "Stopped"));
    const QVariantMap m = metadata();
    EXPECT_EQ(m.value("xesam:title"), "own.mp3");
    EXPECT_FALSE(m.contains("xesam:asText")); // the lyric shown is not its song's
    EXPECT_EQ(property("Position"), 0);
}

TEST_F(Mpris, SeekAndSetPositionMoveTheSongAsTheSliderDoes)
{
    openThroughDialog(song("song.mp3"));
    play(1000);
    call("Seek", {qlonglong(5000000)});
    EXPECT_EQ(engine.channelPosition(engine.lastChannel()), 6000u);
    EXPECT_EQ(child<QSlider>("Slider2")->value(), 6000);
    EXPECT_TRUE(waitUntil([&] { return heard.seeks == QList<qlonglong> {6000000}; }, 3000));
    EXPECT_EQ(property("Position").toLongLong(), 6000000);

    const QDBusObjectPath track = metadata().value("mpris:trackid").value<QDBusObjectPath>();
    call("SetPosition", {QVariant::fromValue(track), qlonglong(2000000)});
    EXPECT_EQ(engine.channelPosition(engine.lastChannel()), 2000u);
    // Another track's position, or one past the end, is ignored.
    call("SetPosition", {QVariant::fromValue(QDBusObjectPath("/org/cantorel/other")), qlonglong(9000000)});
    call("SetPosition", {QVariant::fromValue(track), qlonglong(999000000)});
    EXPECT_EQ(engine.channelPosition(engine.lastChannel()), 2000u);
    call("Seek", {qlonglong(-60000000)}); // before the start: the start
    EXPECT_EQ(engine.channelPosition(engine.lastChannel()), 0u);
    EXPECT_TRUE(waitUntil([&] { return heard.seeks.size() == 3; }, 3000));
}

TEST_F(Mpris, ASeekBeforeTheFirstTickMovesTheSongOn)
{
    // The length is the song's from its open: no tick has brought it yet.
    const QStringList songs {song("a.mp3"), song("b.mp3")};
    form->playlist().model().append(songs);
    form->playlist().selectEntry(0);
    form->playlist().command7Click();
    call("Seek", {qlonglong(5000000)});
    EXPECT_EQ(controller->mediaPath(), songs[0]);
    EXPECT_TRUE(controller->playing());
    EXPECT_EQ(engine.channelPosition(engine.lastChannel()), 5000u);

    openThroughDialog(songs[1]);
    const QDBusObjectPath track = metadata().value("mpris:trackid").value<QDBusObjectPath>();
    call("SetPosition", {QVariant::fromValue(track), qlonglong(7000000)});
    EXPECT_EQ(engine.channelPosition(engine.lastChannel()), 7000u);
}

TEST_F(Mpris, NextAndPreviousFollowThePlaylist)
{
    call("Next"); // no playlist: nothing happens, and none is made
    EXPECT_FALSE(form->hasPlaylist());

    const QStringList songs {song("a.mp3"), song("b.mp3"), song("c.mp3")};
    Playlist& list = form->playlist();
    list.model().append(songs);
    list.selectEntry(0);
    list.command7Click();
    ASSERT_EQ(controller->mediaPath(), songs[0]);
    EXPECT_TRUE(heardThat("CanGoNext", true));

    call("Next");
    EXPECT_EQ(controller->mediaPath(), songs[1]);
    EXPECT_TRUE(heardThat("PlaybackStatus", "Playing"));
    call("Previous");
    call("Previous"); // from the first entry round to the last, as "<<" does
    EXPECT_EQ(controller->mediaPath(), songs[2]);
    EXPECT_EQ(metadata().value("xesam:title"), "c.mp3");

    // With no entry selected they go on from the playing song's entry ...
    list.selectEntry(-1);
    EXPECT_EQ(property("CanGoNext"), true);
    call("Next");
    EXPECT_EQ(controller->mediaPath(), songs[0]);
    list.selectEntry(-1);
    call("Previous");
    EXPECT_EQ(controller->mediaPath(), songs[2]);
    // ... or, for a song not in the list, from its first entry.
    openThroughDialog(song("elsewhere.mp3"));
    list.selectEntry(-1);
    call("Next");
    EXPECT_EQ(controller->mediaPath(), songs[0]);

    list.model().clear(); // nowhere to go
    EXPECT_TRUE(heardThat("CanGoNext", false));
    EXPECT_EQ(property("CanGoPrevious"), false);
}

TEST_F(Mpris, LoopStatusAndShuffleAreThePlaylistsRepeatAndRandom)
{
    EXPECT_EQ(property("LoopStatus"), "None");
    EXPECT_EQ(property("Shuffle"), false);
    set("LoopStatus", "Track");
    // The setting is the player's: a playlist window made later shows it.
    EXPECT_FALSE(form->hasPlaylist());
    Playlist& list = form->playlist();
    auto* random = list.findChild<QCheckBox*>("Check3");
    auto* repeat = list.findChild<QCheckBox*>("Check4");
    auto* repeatOne = list.findChild<QRadioButton*>("Option1");
    auto* repeatAll = list.findChild<QRadioButton*>("Option2");
    EXPECT_TRUE(repeat->isChecked());
    EXPECT_TRUE(repeatOne->isChecked());
    EXPECT_TRUE(repeatOne->isEnabled());
    EXPECT_TRUE(heardThat("LoopStatus", "Track"));

    // Random and Repeat exclude each other, as in the window.
    set("Shuffle", true);
    EXPECT_TRUE(random->isChecked());
    EXPECT_FALSE(repeat->isChecked());
    EXPECT_FALSE(repeatOne->isEnabled());
    EXPECT_TRUE(heardThat("Shuffle", true));
    EXPECT_TRUE(heardThat("LoopStatus", "None"));
    set("LoopStatus", "Playlist");
    EXPECT_TRUE(repeatAll->isChecked());
    EXPECT_FALSE(random->isChecked());
    EXPECT_EQ(property("Shuffle"), false);
    set("LoopStatus", "Sometimes"); // no such status: nothing changes
    EXPECT_EQ(property("LoopStatus"), "Playlist");

    // The user's clicks are heard too.
    repeat->click();
    EXPECT_TRUE(heardThat("LoopStatus", "None"));
    random->click();
    EXPECT_TRUE(heardThat("Shuffle", true));
}

TEST_F(Mpris, OpenUriRaiseAndQuitActAsTheUserWould)
{
    // Any name, quotes and blanks at its ends included.
    for (const char* name : {"opened by uri.mp3", "\"live\".mp3", " Rain.mp3 "}) {
        const QString path = song(name);
        call("OpenUri", {QString("file://" + QString(QUrl::toPercentEncoding(path, "/")))});
        EXPECT_EQ(controller->mediaPath(), path);
        EXPECT_TRUE(controller->playing());
    }

    form->hide();
    call("Raise", {}, kRoot);
    EXPECT_TRUE(form->isVisible());

    bool unloaded = false;
    QObject::connect(form.get(), &Form1::unloaded, [&] { unloaded = true; });
    call("Quit", {}, kRoot);
    EXPECT_TRUE(unloaded);
}

#include "MprisTest.moc"
