// Which other player is followed: the players on the bus as they come and
// go, the one that plays (the latest to start, when two play at once), one
// named, one that quits mid-song and is waited for; and the position of
// the one followed, from its status, rate, seeks and answers.
#include "FollowFixture.h"
#include "follow/FollowedPlayer.h"
#include "follow/PlayerWatcher.h"

#include <QSignalSpy>

using namespace cantorel;
using namespace cantorel::follow;
using namespace cantorel::testing;
using Motion = LyricClock::Motion;

using Following_ = FollowFixture;

TEST_F(Following_, SeesOtherPlayersComeAndGoButNotItsOwn)
{
    // A player on the follower's own connection is this program's own.
    QDBusConnection own = s_bus->connect();
    Following mine(own);
    mine.start();
    FakeMprisPlayer ownPlayer(own, "org.mpris.MediaPlayer2.cantorel", "Cantorel");
    auto mpv = startPlayer("mpv", "mpv");
    auto vlc = startPlayer("vlc", "VLC media player");
    auto identities = [](Following& f) {
        QStringList names;
        for (const PlayerInfo& info : f.watcher().players())
            names << info.identity;
        return names;
    };
    EXPECT_TRUE(waitUntil([&] { return identities(mine) == QStringList {"mpv", "VLC media player"}; }));
    EXPECT_TRUE(waitUntil([&] { return identities(*following).contains("Cantorel"); }));

    vlc->quit();
    EXPECT_TRUE(waitUntil([&] { return identities(mine) == QStringList {"mpv"}; }));
}

TEST_F(Following_, FollowsThePlayerThatStartedPlayingLast)
{
    auto a = startPlayer("alpha", "Alpha");
    auto b = startPlayer("beta", "Beta");
    following->choose(FollowChoice::playing());
    EXPECT_EQ(following->caption(), "waiting for a player to start playing");
    a->setStatus("Playing");
    ASSERT_TRUE(waitFollowing(a.get()));
    EXPECT_EQ(following->caption(), "Alpha");

    // Two play at once: the one that started last.
    b->setStatus("Playing");
    ASSERT_TRUE(waitFollowing(b.get()));
    // It pauses while the other still plays: back to that one.
    b->setStatus("Paused");
    ASSERT_TRUE(waitFollowing(a.get()));
    // Nobody plays: the one followed stays.
    a->setStatus("Paused");
    EXPECT_TRUE(waitUntil([&] { return following->clock().motion() == Motion::Paused; }));
    EXPECT_EQ(following->followed()->busName(), a->busName());

    // It quits mid-song: the next that starts playing is followed.
    a->quit();
    ASSERT_TRUE(waitFollowing(nullptr));
    EXPECT_EQ(following->caption(), "Alpha has quit; waiting for a player to start playing");
    EXPECT_EQ(following->clock().motion(), Motion::Stopped);
    b->setStatus("Playing");
    ASSERT_TRUE(waitFollowing(b.get()));

    following->choose(FollowChoice::none());
    EXPECT_EQ(following->followed(), nullptr);
    EXPECT_EQ(following->caption(), "");
}

TEST_F(Following_, ANamedPlayerIsWaitedForAndFollowedAgainWhenItComesBack)
{
    auto other = startPlayer("vlc", "VLC");
    other->setStatus("Playing");
    following->choose(FollowChoice::named("mpv"));
    EXPECT_EQ(following->caption(), "waiting for mpv to start");

    // Named, it is followed whatever it does; a second instance names itself.
    auto mpv = startPlayer("mpv.instance77", "mpv");
    ASSERT_TRUE(waitFollowing(mpv.get()));
    mpv->quit();
    ASSERT_TRUE(waitFollowing(nullptr));
    EXPECT_EQ(following->caption(), "mpv has quit; waiting for it to start again");
    auto again = startPlayer("mpv.instance78", "mpv");
    ASSERT_TRUE(waitFollowing(again.get()));

    // The menu names a player by its bus name, whichever instance it is.
    EXPECT_EQ(FollowChoice::of("org.mpris.MediaPlayer2.mpv.instance78"), FollowChoice::named("mpv"));
    EXPECT_TRUE(FollowChoice::named("mpv").names("org.mpris.MediaPlayer2.mpv"));
    EXPECT_FALSE(FollowChoice::named("mpv").names("org.mpris.MediaPlayer2.mpv.notes"));
}

TEST(FollowOption, TakenOutOfTheCommandLine)
{
    QString error;
    QStringList args {"a.mp3", "--follow", "b.mp3"};
    EXPECT_EQ(takeFollowOption(args, &error), FollowChoice::playing());
    EXPECT_EQ(args, (QStringList {"a.mp3", "b.mp3"}));
    args = {"--follow=strawberry"};
    EXPECT_EQ(takeFollowOption(args, &error), FollowChoice::named("strawberry"));
    EXPECT_TRUE(args.isEmpty());
    args = {"--followers.mp3"};
    EXPECT_EQ(takeFollowOption(args, &error), std::nullopt);
    EXPECT_EQ(args.size(), 1);
    EXPECT_TRUE(error.isEmpty());
    args = {"--follow="};
    EXPECT_EQ(takeFollowOption(args, &error), std::nullopt);
    EXPECT_FALSE(error.isEmpty());
    // Handed to a running player as its own option, it reads back the same.
    for (const FollowChoice& choice : {FollowChoice::playing(), FollowChoice::named("mpv")}) {
        args = {choice.asOption()};
        EXPECT_EQ(takeFollowOption(args, &error), choice);
    }
    EXPECT_EQ(FollowChoice::none().asOption(), "");
}

TEST_F(Following_, TheClockTakesStatusRateSeeksAndThePositionsAnswered)
{
    auto mpv = startPlayer("mpv", "mpv");
    mpv->setMetadata(FakeMprisPlayer::track("Rain", "file:///m/Rain.mp3", 60000000));
    mpv->setPositionUs(5000000);
    mpv->setStatus("Playing");
    following->choose(FollowChoice::named("mpv"));
    ASSERT_TRUE(waitFollowing(mpv.get()));
    FollowedPlayer& followed = *following->followed();
    EXPECT_EQ(followed.track().title, "Rain");
    ASSERT_TRUE(settled());
    EXPECT_EQ(positionMs(), 5000);
    EXPECT_TRUE(followed.polling());
    nowMs += 1000;
    EXPECT_EQ(positionMs(), 6000);

    // A pause is read where it happened; nothing is read while paused.
    mpv->setPositionUs(6200000);
    mpv->setStatus("Paused");
    EXPECT_TRUE(waitUntil([&] { return following->clock().motion() == Motion::Paused; }));
    ASSERT_TRUE(settled());
    EXPECT_EQ(positionMs(), 6200);
    EXPECT_FALSE(followed.polling());
    nowMs += 5000;
    EXPECT_EQ(positionMs(), 6200);

    // A seek is taken from the signal itself.
    QSignalSpy jumped(following.get(), &Following::clockChanged);
    mpv->seek(30000000);
    EXPECT_TRUE(waitUntil([&] { return positionMs() == 30000; }));
    EXPECT_FALSE(jumped.isEmpty());
    ASSERT_TRUE(settled());

    // Playing again, twice as fast, from where it is read.
    mpv->setPositionUs(30100000);
    mpv->setStatus("Playing");
    mpv->setRate(2.0);
    EXPECT_TRUE(waitUntil([&] { return following->clock().rate() == 2.0; }));
    ASSERT_TRUE(settled());
    EXPECT_EQ(positionMs(), 30100);
    nowMs += 1000;
    EXPECT_EQ(positionMs(), 32100);

    // Past the track's length the position stands at its end.
    nowMs += 60000;
    EXPECT_EQ(positionMs(), 60000);
}
