// The player following another player on the desktop: its own song stops,
// the lyric of the other's track is found beside its file and kept on the
// line the other player's position says, through seeks, pauses, a lie, an
// offset kept in the lyric's file, a player that quits, and the user's own
// song that ends it all. A track without a lyric here asks for one.
#include "FollowFixture.h"
#include "base/TextFile.h"
#include "controller/PlayerController.h"
#include "follow/PlayerFollowing.h"
#include "support/LyricSongs.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>

using namespace cantorel;
using namespace cantorel::follow;
using namespace cantorel::testing;

namespace {

class PlayerFollowing_ : public FollowFixture {
protected:
    void SetUp() override
    {
        FollowFixture::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(controller.start());
        wiring = std::make_unique<PlayerFollowing>(controller, *following);
        // Another player's song, with an LRC file beside it.
        songPath = dir.filePath("Rain #1 (live).mp3");
        writeFile(songPath, "audio");
        writeFile(dir.filePath("Rain #1 (live).lrc"), "[00:01.00]one\n[00:03.00]two\n[00:05.00]three!\n");
    }
    // The other player plays the song from `positionUs`, and is followed.
    std::unique_ptr<FakeMprisPlayer> playTheSong(qint64 positionUs)
    {
        auto mpv = startPlayer("mpv", "mpv");
        mpv->setMetadata(FakeMprisPlayer::track("Rain", QUrl::fromLocalFile(songPath).toString(QUrl::FullyEncoded),
                                                60000000, {"The Clouds"}));
        mpv->setPositionUs(positionUs);
        mpv->setStatus("Playing");
        following->choose(FollowChoice::playing());
        EXPECT_TRUE(waitFollowing(mpv.get()));
        EXPECT_TRUE(settled());
        return mpv;
    }
    QString text1() const { return controller.lines().panes.text1; }
    bool shows(const QString& text)
    {
        return waitUntil([&] { return text1() == text; });
    }

    QTemporaryDir dir;
    QString songPath;
    FakeAudioEngine engine;
    PlayerController controller {engine};
    std::unique_ptr<PlayerFollowing> wiring;
};

} // namespace

TEST_F(PlayerFollowing_, TheLyricFollowsTheOtherPlayer)
{
    // The player's own song plays until another player is followed.
    const QString own = writeLyricSong(engine, dir.filePath("own.mp3"), {{100, "own line"}}, {}, 180000);
    controller.open(own, PlayerController::OpenSource::Dialog);
    ASSERT_TRUE(controller.playing());

    auto mpv = playTheSong(1500000);
    EXPECT_TRUE(controller.following());
    EXPECT_TRUE(controller.stopped());
    EXPECT_EQ(controller.followCaption(), "Rain - The Clouds");
    EXPECT_EQ(controller.lyricSongPath(), songPath);
    EXPECT_TRUE(shows("one"));
    EXPECT_EQ(controller.lines().panes.tip1, "two");
    EXPECT_EQ(controller.lineTimer().interval(), 1500); // armed for the next line
    mpv->setRate(2.0);
    EXPECT_TRUE(waitUntil([&] { return controller.lineTimer().interval() == 750; })); // twice as fast
    mpv->setRate(1.0);
    ASSERT_TRUE(waitUntil([&] { return controller.lineTimer().interval() == 1500; }));
    ASSERT_TRUE(settled());

    // Carried forward with the clock: the line timer's lookup finds it.
    nowMs += 2000;
    controller.lookUpLine();
    EXPECT_EQ(text1(), "two");
    EXPECT_EQ(controller.linePositionMs(), 3500u);

    // A seek in the other player shows at once.
    mpv->seek(5200000);
    EXPECT_TRUE(shows("three!"));
    EXPECT_TRUE(controller.lines().bold1);
    mpv->seek(500000);
    EXPECT_TRUE(shows(""));

    // Paused, the line stands and nothing is armed for the next one.
    ASSERT_TRUE(settled());
    mpv->setPositionUs(1200000);
    mpv->setStatus("Paused");
    EXPECT_TRUE(shows("one"));
    ASSERT_TRUE(settled());
    nowMs += 10000;
    controller.lookUpLine();
    EXPECT_EQ(text1(), "one");
}

TEST_F(PlayerFollowing_, TheOffsetIsKeptInTheFollowedSongsLyric)
{
    auto mpv = playTheSong(3100000);
    ASSERT_TRUE(shows("two"));
    controller.later();
    controller.later(); // two tenths later: the line at 3.1 s is "one" again
    EXPECT_EQ(text1(), "one");
    EXPECT_EQ(controller.offsetMs(), -200);
    controller.saveOffset();
    EXPECT_TRUE(readFile(dir.filePath("Rain #1 (live).lrc")).contains("[offset:-200]"));
    EXPECT_EQ(controller.offsetMs(), 0); // the file says it now
    EXPECT_EQ(text1(), "one");
}

TEST_F(PlayerFollowing_, AQuittingPlayerAndTheUsersOwnSongEndIt)
{
    auto mpv = playTheSong(3100000);
    ASSERT_TRUE(shows("two"));

    // It quits mid-song: the placeholders, and the title says so.
    mpv->quit();
    EXPECT_TRUE(shows("Normal Lyrics"));
    EXPECT_TRUE(controller.following());
    EXPECT_EQ(controller.followCaption(), "mpv has quit; waiting for a player to start playing");

    // It comes back: followed again.
    mpv = playTheSong(5500000);
    EXPECT_TRUE(shows("three!"));

    // The user plays a song of the player's own: the end of following.
    QSignalSpy ended(&controller, &PlayerController::followingEnded);
    const QString own = writeLyricSong(engine, dir.filePath("own.mp3"), {{100, "own line"}}, {}, 180000);
    controller.open(own, PlayerController::OpenSource::Dialog);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(controller.following());
    EXPECT_EQ(following->choice(), FollowChoice::none());
    EXPECT_TRUE(controller.playing());
    engine.advance(1500);
    controller.tick();
    controller.lookUpLine();
    EXPECT_EQ(text1(), "own line");
    mpv->seek(1000000); // heard no more
    QCoreApplication::processEvents();
    EXPECT_EQ(text1(), "own line");
}

TEST_F(PlayerFollowing_, ATrackWithoutALyricHereAsksForOne)
{
    QSignalSpy wanted(wiring.get(), &PlayerFollowing::lyricWanted);
    auto radio = startPlayer("radio", "Radio");
    // A stream, without a length.
    radio->setMetadata(FakeMprisPlayer::track("Storm", "https://radio.invalid/live", -1, {"Thunder", "Hail"}, "Skies"));
    radio->setStatus("Playing");
    following->choose(FollowChoice::named("radio"));
    ASSERT_TRUE(waitUntil([&] { return !wanted.isEmpty(); }));
    EXPECT_EQ(wanted.last().first().value<TrackSignature>(), (TrackSignature {"Storm", "Thunder, Hail", "Skies", -1}));
    EXPECT_EQ(text1(), "Normal Lyrics");

    // A local file with no lyric beside it: the same question, with its length.
    const QString bare = dir.filePath("bare.ogg");
    writeFile(bare, "audio");
    radio->setMetadata(FakeMprisPlayer::track("Bare", QUrl::fromLocalFile(bare).toString(), 200000000));
    ASSERT_TRUE(waitUntil([&] { return wanted.count() == 2; }));
    EXPECT_EQ(wanted.last().first().value<TrackSignature>().lengthMs, 200000);
}

TEST_F(PlayerFollowing_, AnUnannouncedJumpCountsOnlyWhenTheNextAnswerAgrees)
{
    auto mpv = playTheSong(3500000);
    ASSERT_TRUE(shows("two"));
    QSignalSpy changed(&controller, &PlayerController::linesChanged);
    auto readsAfter = [&](int reads) { return waitUntil([&] { return mpv->positionReads() >= reads; }, 6000); };

    // A position that jumps back once, between two true ones: not believed.
    const int reads = mpv->positionReads();
    mpv->setPositionUs(0);
    ASSERT_TRUE(readsAfter(reads + 1)); // the drift read
    mpv->setPositionUs(3500000);
    ASSERT_TRUE(readsAfter(reads + 2)); // the read that checks it
    ASSERT_TRUE(settled());
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(controller.linePositionMs(), 3500u);

    // A jump the player keeps to (a seek it did not announce): followed.
    mpv->setPositionUs(5200000);
    EXPECT_TRUE(waitUntil([&] { return text1() == "three!"; }, 6000));
}

TEST_F(PlayerFollowing_, ATrackThatComesWhileAMessageWaitsIsShownAfterIt)
{
    // The first track's LRC file is too large to read, and while the user
    // reads why (a message box waits in a loop of its own), the other
    // player moves on to the next track.
    const QString big = dir.filePath("Big.mp3");
    writeFile(big, "audio");
    writeFile(dir.filePath("Big.lrc"), QByteArray(kTextFileMaxBytes + 1, 'x'));
    auto mpv = startPlayer("mpv", "mpv");
    mpv->setPositionUs(3100000);
    mpv->setStatus("Paused");
    following->choose(FollowChoice::named("mpv"));
    ASSERT_TRUE(waitFollowing(mpv.get()));
    int told = 0;
    QObject::connect(&controller, &PlayerController::message, [&] {
        if (++told > 1)
            return;
        mpv->setMetadata(FakeMprisPlayer::track("Rain", QUrl::fromLocalFile(songPath).toString()));
        EXPECT_TRUE(waitUntil([&] { return following->track().title == "Rain"; }));
    });
    mpv->setMetadata(FakeMprisPlayer::track("Big", QUrl::fromLocalFile(big).toString()));
    EXPECT_TRUE(shows("two"));
    EXPECT_EQ(told, 1);
}
