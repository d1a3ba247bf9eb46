// Another player's position as the lines follow it: carried forward at the
// player's rate between answers, corrected for drift, and kept from a lying
// player's jumps until a second answer agrees.
#include "follow/PlayerClock.h"

#include <gtest/gtest.h>

using namespace cantorel;
using namespace cantorel::follow;
using Motion = LyricClock::Motion;
using Reading = PlayerClock::Reading;

namespace {

class Clock : public ::testing::Test {
protected:
    qint64 now = 50000;
    PlayerClock clock {[this] { return now; }};
};

} // namespace

TEST_F(Clock, CarriesThePositionForwardAtTheRateWhilePlayingOnly)
{
    clock.place(10000, now);
    now += 500;
    EXPECT_EQ(clock.positionMs(), 10000); // stopped: stands
    clock.setMotion(Motion::Running);
    now += 1000;
    EXPECT_EQ(clock.positionMs(), 11000);
    clock.setRate(1.5); // from here on faster
    now += 1000;
    EXPECT_EQ(clock.positionMs(), 12500);
    clock.setMotion(Motion::Paused);
    now += 5000;
    EXPECT_EQ(clock.positionMs(), 12500);
    clock.setMotion(Motion::Running);
    now += 200;
    EXPECT_EQ(clock.positionMs(), 12800);

    // A rate no player can mean is normal speed.
    for (double nonsense : {0.0, -1.0, 1e9, std::nan("")}) {
        clock.setRate(nonsense);
        EXPECT_EQ(clock.rate(), 1.0);
    }
    // Never before the start, nor past a known length.
    clock.place(-400, now);
    EXPECT_EQ(clock.positionMs(), 0);
    clock.setLengthMs(20000);
    clock.place(19900, now);
    now += 1000;
    EXPECT_EQ(clock.positionMs(), 20000);
    clock.setLengthMs(-1);
    EXPECT_EQ(clock.positionMs(), 20900);
}

TEST_F(Clock, DriftIsTakenAtOnceAndAnAnswerTakesItsOwnMoment)
{
    clock.setMotion(Motion::Running);
    clock.place(1000, now);
    now += 2000;
    // The answer held 40 ms ago, when the clock said 2960: 60 ms ahead.
    EXPECT_EQ(clock.correct(3020, now - 40), Reading::Taken);
    EXPECT_EQ(clock.positionMs(), 3060);
    EXPECT_EQ(clock.correct(3060 - PlayerClock::kDriftMs, now), Reading::Taken); // behind, but within reach
    EXPECT_EQ(clock.positionMs(), 3060 - PlayerClock::kDriftMs);
}

TEST_F(Clock, AJumpNobodyAnnouncedNeedsASecondAnswerThatAgrees)
{
    clock.setMotion(Motion::Running);
    clock.place(30000, now);

    // A position that jumps back once (a stale or reset answer) is a lie:
    // the clock carries on.
    now += 2000;
    EXPECT_EQ(clock.correct(0, now), Reading::ConfirmationDue);
    EXPECT_EQ(clock.positionMs(), 32000);
    now += PlayerClock::kConfirmAfterMs;
    EXPECT_EQ(clock.correct(32300, now), Reading::Taken); // the second answer agrees with the clock
    EXPECT_EQ(clock.positionMs(), 32300);

    // A player that answers 0 whatever it plays never moves the clock.
    now += 2000;
    EXPECT_EQ(clock.correct(0, now), Reading::ConfirmationDue);
    now += PlayerClock::kConfirmAfterMs;
    EXPECT_EQ(clock.correct(0, now), Reading::Ignored);
    EXPECT_EQ(clock.positionMs(), 34600);

    // A seek the player did not announce: both answers agree, it is taken.
    now += 2000;
    EXPECT_EQ(clock.correct(5000, now), Reading::ConfirmationDue);
    now += PlayerClock::kConfirmAfterMs;
    EXPECT_EQ(clock.correct(5000 + PlayerClock::kConfirmAfterMs + 20, now), Reading::Taken);
    EXPECT_EQ(clock.positionMs(), 5320);

    // A position placed after a change is taken as it is, and forgets a
    // jump waiting for its second answer.
    EXPECT_EQ(clock.correct(90000, now), Reading::ConfirmationDue);
    clock.place(7000, now);
    now += PlayerClock::kConfirmAfterMs;
    EXPECT_EQ(clock.correct(90000 + PlayerClock::kConfirmAfterMs, now), Reading::ConfirmationDue);
    EXPECT_EQ(clock.positionMs(), 7000 + PlayerClock::kConfirmAfterMs);
}
