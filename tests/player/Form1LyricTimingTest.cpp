// When the panes change: at the position the listener hears reaching a
// line's time, not before and not a beat later, with the device's delay
// taken off the audio handed out. Nothing is armed while nothing can change.
#include "PlayerFixture.h"

#include "controller/LineFollower.h"
#include "lyrics/LineLookup.h"

using namespace cantorel;
using namespace cantorel::testing;

namespace {

class LyricTiming : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        form->load(QString());
        engine.setOutputDelay(40);
        openThroughDialog(song("song.mp3", {{100, "line 1"}, {200, "line 2"}}, {{100, "uno"}, {200, "dos"}}));
    }
    // The song moves on by `ms` of audio handed out, without any timer.
    void handOut(unsigned ms) { engine.advance(ms); }
    // The next-line timer fires now.
    void fire() { form->timer2Tick(); }
};

} // namespace

TEST_F(LyricTiming, ALineChangesWhenItIsHeardAndNotBefore)
{
    // At 0 the panes show slot 0; a millisecond later its tooltip shows the
    // first line, which then waits for its own time.
    QTimer& next = controller->lineTimer();
    EXPECT_TRUE(next.isActive());
    EXPECT_EQ(next.interval(), 1);
    EXPECT_EQ(next.timerType(), Qt::PreciseTimer);
    handOut(41); // 1 ms heard
    fire();
    EXPECT_EQ(text1()->toolTip(), "line 1");
    EXPECT_EQ(next.interval(), 999); // the exact wait, not a multiple of a beat

    // 999 ms heard (1039 handed out): nothing yet, one more millisecond to go.
    handOut(998);
    fire();
    EXPECT_EQ(text1()->lyric(), "");
    EXPECT_EQ(next.interval(), 1);

    handOut(1);
    fire();
    EXPECT_EQ(text1()->lyric(), "line 1");
    EXPECT_EQ(text2()->lyric(), "uno");
    // The tooltip turns to the coming line a millisecond after the time.
    EXPECT_EQ(next.interval(), 1);
    handOut(1);
    fire();
    EXPECT_EQ(text1()->toolTip(), "line 2");
    EXPECT_EQ(next.interval(), 999);
}

TEST_F(LyricTiming, APauseLooksAgainUntilTheHeardPositionSettlesResumeAndSeekLookAtOnce)
{
    // Paused 10 ms before line 1 is heard, with 40 ms still in the device.
    handOut(1030);
    form->cpauseClick();
    EXPECT_EQ(text1()->lyric(), "");
    EXPECT_TRUE(controller->lineTimer().isActive());
    EXPECT_EQ(controller->lineTimer().interval(), LineFollower::kSettleLookMs);
    // The device plays out what it held: line 1 was heard after all.
    engine.advance(40);
    fire();
    EXPECT_EQ(text1()->lyric(), "line 1");
    fire(); // the position stands still: nothing more is armed
    EXPECT_FALSE(controller->lineTimer().isActive());

    form->cpauseClick();
    EXPECT_EQ(controller->lineTimer().interval(), 970); // heard on from 1030 ms: line 2 at 2000

    // A jump puts the line of the new place in the panes at once.
    form->cTimer1Tick(); // the seek slider learns the length
    child<QSlider>("Slider2")->setValue(2500);
    EXPECT_EQ(text1()->lyric(), "line 2");
    EXPECT_FALSE(controller->lineTimer().isActive()); // past the last line: nothing to wait for
    // Paused, a seek shows its place in the read-out at once.
    form->cpauseClick();
    child<QSlider>("Slider2")->setValue(400);
    EXPECT_EQ(child<QLineEdit>("cText1")->text(), "0:0"); // no tick comes while paused

    form->cstopClick();
    EXPECT_FALSE(controller->lineTimer().isActive());
}

TEST(LookupChanges, TheNextMomentTheLookupCanAnswerDifferently)
{
    lyrics::LyricTable table;
    table.lineCount = 4;
    table.times[1] = 100;
    table.times[2] = 100.1; // 1001 ms
    table.times[3] = 50;    // out of order: still a moment of change
    using lyrics::nextLookupChangeMs;
    EXPECT_EQ(nextLookupChangeMs(table, 0), 1); // slot 0 sits at 0
    EXPECT_EQ(nextLookupChangeMs(table, 1), 500);
    EXPECT_EQ(nextLookupChangeMs(table, 600), 1000);
    EXPECT_EQ(nextLookupChangeMs(table, 1000), 1001);
    EXPECT_EQ(nextLookupChangeMs(table, 1001), 1002);
    EXPECT_EQ(nextLookupChangeMs(table, 1002), -1);
    table.lineCount = 1;
    EXPECT_EQ(nextLookupChangeMs(table, 5), -1);
}
