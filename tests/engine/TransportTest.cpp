// The transport without widgets, on the fake engine: what each call does to
// the engine and which signals tell the windows.
#include "engine/Transport.h"
#include "support/FakeAudioEngine.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cantorel;
using namespace cantorel::engine;
using cantorel::testing::FakeAudioEngine;
using Outcome = Transport::Outcome;

namespace {

Transport::Modes player()
{
    return {};
}

Transport::Modes maker()
{
    Transport::Modes m;
    m.openMode = mode::Software;
    m.stopMode = mode::Hardware;
    m.positionPeriodMs = 900;
    m.forwardOnlySeek = true;
    m.stopOnlyOnce = false;
    return m;
}

class TransportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        song = dir.filePath("song.mp3");
        cantorel::testing::writeFile(song, "audio");
        engine.setMediaLength(song, 10000);
    }
    std::unique_ptr<Transport> make(Transport::Modes modes)
    {
        auto t = std::make_unique<Transport>(engine, modes);
        EXPECT_TRUE(t->start());
        EXPECT_EQ(t->open(song), Transport::OpenStart::Ready);
        return t;
    }

    QTemporaryDir dir;
    QString song;
    FakeAudioEngine engine;
};

} // namespace

TEST_F(TransportTest, PlayPauseResumeAndStopAsThePlayerDoesThem)
{
    auto t = make(player());
    QSignalSpy state(t.get(), &Transport::stateChanged);
    EXPECT_EQ(t->play(0.3f, true), Outcome::Done);
    EXPECT_TRUE(t->playing());
    EXPECT_EQ(engine.channelVolume(engine.lastChannel()), 0.3f);
    EXPECT_TRUE(engine.channelMuted(engine.lastChannel()));
    EXPECT_TRUE(t->positionTimer().isActive());
    EXPECT_EQ(t->positionTimer().interval(), 50);
    EXPECT_EQ(t->play(0.3f, false), Outcome::Nothing); // already playing

    EXPECT_EQ(t->togglePause(), Outcome::Done);
    EXPECT_TRUE(t->paused());
    EXPECT_FALSE(t->positionTimer().isActive());
    EXPECT_EQ(t->togglePause(), Outcome::Done);
    EXPECT_FALSE(t->paused());
    EXPECT_TRUE(t->positionTimer().isActive());

    t->togglePause();
    engine.clearLog();
    EXPECT_EQ(t->stop(), Outcome::Done);
    EXPECT_TRUE(t->stopped());
    EXPECT_FALSE(t->paused()); // a stopped song is not paused
    EXPECT_EQ(engine.log.filter("createStream"), QStringList {"createStream " + song + " 0x4000"});
    EXPECT_EQ(t->stop(), Outcome::Nothing); // the player stops once
    EXPECT_EQ(state.count(), 5);
}

TEST_F(TransportTest, TheMakersStopReloadsEveryTimeAndItsSeekGoesForwardOnly)
{
    auto t = make(maker());
    EXPECT_EQ(engine.soundMode(engine.lastSound()), 0x40u);
    t->play(1.0f, false);
    EXPECT_EQ(t->positionTimer().interval(), 900);
    engine.advance(900);
    t->tick();
    engine.advance(3000);
    t->tick();
    EXPECT_EQ(t->shownPosition(), 3900u);
    QSignalSpy seeked(t.get(), &Transport::seeked);
    EXPECT_EQ(t->seek(2000), Outcome::Nothing);
    EXPECT_EQ(t->seek(3900), Outcome::Nothing);
    EXPECT_EQ(t->seek(10000), Outcome::Nothing); // the end never seeks
    EXPECT_EQ(t->seek(6000), Outcome::Done);
    ASSERT_EQ(seeked.count(), 1);
    EXPECT_EQ(seeked.first().first().toUInt(), 6000u);

    engine.clearLog();
    EXPECT_EQ(t->stop(), Outcome::Done);
    EXPECT_EQ(t->stop(), Outcome::Done);
    EXPECT_EQ(engine.log.filter("createStream").size(), 2);
    EXPECT_EQ(engine.soundMode(engine.lastSound()), 0x20u);
    EXPECT_EQ(t->shownPosition(), 0u); // backwards is allowed again from the start
}

TEST_F(TransportTest, ASongsLengthIsKnownFromItsOpenNotFromItsFirstTick)
{
    auto t = make(player());
    EXPECT_EQ(t->songLength(), 10000u);
    t->play(1.0f, false);
    EXPECT_EQ(t->length(), 10000u);
    EXPECT_EQ(t->seek(0), Outcome::Done); // the start is not the end
    EXPECT_EQ(t->seek(10000), Outcome::Nothing);
}

TEST_F(TransportTest, TheEndComesWhenThePositionReachesTheLengthOrOneTickAfterTheChannelWent)
{
    for (const bool channelGoes : {false, true}) {
        SCOPED_TRACE(channelGoes);
        auto t = make(player());
        QSignalSpy ended(t.get(), &Transport::ended);
        QSignalSpy positions(t.get(), &Transport::positionChanged);
        t->play(1.0f, false);
        engine.advance(5000);
        t->tick();
        EXPECT_EQ(t->length(), 10000u);
        if (channelGoes) {
            engine.finishChannel(engine.lastChannel());
            t->tick(); // the length reads 0; the held position does not yet
            EXPECT_EQ(ended.count(), 0);
            t->tick();
        } else {
            engine.setChannelPosition(engine.lastChannel(), 10000);
            t->tick();
        }
        EXPECT_EQ(ended.count(), 1);
        EXPECT_EQ(t->length(), channelGoes ? 0u : 10000u);
        EXPECT_EQ(positions.last().at(0).toUInt(), channelGoes ? 5000u : 10000u);
    }
    EXPECT_FALSE(songHasEnded(4999, 5000, 5000));
    EXPECT_TRUE(songHasEnded(7000, 5000, 5000));
    EXPECT_FALSE(songHasEnded(0, 5000, 0)); // a new song's first tick
}

TEST_F(TransportTest, ARefusedSongLeavesNoSongAndFailedCallsAreSaidOnce)
{
    auto t = make(player());
    t->play(1.0f, false);
    QSignalSpy refused(t.get(), &Transport::songRefused);
    QSignalSpy failed(t.get(), &Transport::engineFailed);
    engine.refuse(song, 19);
    EXPECT_EQ(t->open(song), Transport::OpenStart::Refused);
    EXPECT_FALSE(t->hasSong());
    EXPECT_FALSE(t->playing());
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.first().first().toInt(), 19);
    EXPECT_EQ(t->play(1.0f, false), Outcome::Nothing);
    EXPECT_EQ(t->stop(), Outcome::Nothing);

    // A failing call on a live channel is a failure, not a refusal.
    engine.refuse(song, 0);
    ASSERT_EQ(t->open(song), Transport::OpenStart::Ready);
    t->play(1.0f, false);
    engine.failNext("setPaused", 30);
    EXPECT_EQ(t->togglePause(), Outcome::Failed);
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(failed.first().first().toInt(), 30);
    EXPECT_FALSE(t->paused());
    EXPECT_EQ(refused.count(), 1);
}

TEST_F(TransportTest, ASongThatTakesTimeToOpenIsWaitedForNeverWaitedOn)
{
    Transport t(engine, player());
    ASSERT_TRUE(t.start());
    engine.holdOpens(true);
    QSignalSpy opened(&t, &Transport::opened);
    QSignalSpy refused(&t, &Transport::songRefused);

    // Opening: nothing can play yet; a newer open supersedes it.
    EXPECT_EQ(t.open(song), Transport::OpenStart::Opening);
    const Handle first = engine.lastSound();
    EXPECT_FALSE(t.hasSong());
    EXPECT_EQ(t.play(1.0f, false), Outcome::Nothing);
    EXPECT_EQ(t.open(song), Transport::OpenStart::Opening);
    engine.completeOpen(first);
    engine.completeOpen(engine.lastSound());
    QCoreApplication::processEvents();
    EXPECT_EQ(opened.count(), 1);
    EXPECT_TRUE(t.hasSong());
    EXPECT_EQ(t.play(1.0f, false), Outcome::Done);

    // A song that turns out broken is refused, after the fact.
    EXPECT_EQ(t.open(song), Transport::OpenStart::Opening);
    engine.completeOpen(engine.lastSound(), 25);
    QCoreApplication::processEvents();
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.first().first().toInt(), 25);
    EXPECT_FALSE(t.hasSong());
    EXPECT_FALSE(t.opening());
}
