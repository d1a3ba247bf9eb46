#include "playlist/FailedRun.h"
#include "playlist/PlayOrder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace cantorel;

namespace {

class Script : public RandomSource {
public:
    explicit Script(std::vector<float> values) : m_values(std::move(values)) {}
    float next() override { return m_values[m_at++ % m_values.size()]; }

private:
    std::vector<float> m_values;
    size_t m_at = 0;
};

NextSong after(PlaylistState s, int& last, RandomSource& random)
{
    return songAfterEnd(s, last, random);
}

} // namespace

TEST(PlayOrder, EveryRowOfTheEndOfSongRule)
{
    Script never({0.5f});
    int last = 0;
    using A = NextSong::Action;
    // Empty list or nothing selected.
    EXPECT_EQ(after({0, -1}, last, never).action, A::Stop);
    EXPECT_EQ(after({3, -1}, last, never).action, A::Stop);
    // The next entry, and nothing after the last one.
    NextSong n = after({3, 1}, last, never);
    EXPECT_EQ(n.action, A::PlayEntry);
    EXPECT_EQ(n.entry, 2);
    EXPECT_EQ(after({3, 2}, last, never).action, A::Stop);
    // The same song again.
    EXPECT_EQ(after({3, 0, false, true, true, false}, last, never).action, A::ReplaySame);
    // "Repeat all" goes through the whole list, round and round.
    for (int k = 0; k < 3; ++k) {
        n = after({3, k, false, true, false, true}, last, never);
        EXPECT_EQ(n.action, A::PlayEntry);
        EXPECT_EQ(n.entry, (k + 1) % 3);
    }
}

TEST(PlayOrder, AGreyedRepeatChoiceHasNoEffect)
{
    Script never({0.5f});
    int last = 0;
    // "Repeat one " left chosen after Repeat was unticked: songs advance.
    NextSong n = after({3, 0, false, false, true, false}, last, never);
    EXPECT_EQ(n.action, NextSong::Action::PlayEntry);
    EXPECT_EQ(n.entry, 1);
    // "Repeat all" without Repeat stops at the end.
    EXPECT_EQ(after({3, 2, false, false, false, true}, last, never).action, NextSong::Action::Stop);
}

TEST(PlayOrder, RandomNeverRepeatsThePreviousPick)
{
    // 0.1 * 4 = 0.4 -> entry 0, the previous pick at start, so drawn again.
    Script draws({0.1f, 0.6f, 0.6f, 0.9f, 0.3f});
    int last = 0;
    const PlaylistState s {4, 2, true};
    NextSong n = songAfterEnd(s, last, draws);
    EXPECT_EQ(n.entry, 2);
    EXPECT_EQ(last, 2);
    n = songAfterEnd(s, last, draws); // 0.6 -> 2 again, refused; 0.9 -> 3
    EXPECT_EQ(n.entry, 3);
    n = songAfterEnd(s, last, draws);
    EXPECT_EQ(n.entry, 1);

    SeededRandom real(7);
    for (int i = 0; i < 200; ++i) {
        const int previous = last;
        n = songAfterEnd({5, 0, true}, last, real);
        ASSERT_NE(n.entry, previous);
        ASSERT_GE(n.entry, 0);
        ASSERT_LT(n.entry, 5);
    }
}

TEST(PlayOrder, RandomOverASingleEntryTakesIt)
{
    Script zero({0.0f});
    int last = 0;
    const NextSong n = songAfterEnd({1, 0, true}, last, zero);
    EXPECT_EQ(n.action, NextSong::Action::PlayEntry);
    EXPECT_EQ(n.entry, 0);
}

TEST(PlayOrder, BackwardAndForwardWrap)
{
    EXPECT_EQ(previousEntry(4, 0), 3);
    EXPECT_EQ(previousEntry(4, 2), 1);
    EXPECT_EQ(nextEntry(4, 3), 0);
    EXPECT_EQ(nextEntry(4, 1), 2);
    EXPECT_EQ(nextEntry(0, -1), -1);
    EXPECT_EQ(previousEntry(3, -1), -1);
}

TEST(PlayOrder, WithNothingSelectedTheButtonsGoFromThePlayingSong)
{
    EXPECT_EQ(forwardEntry(4, 1, 3), 2); // the selection counts first
    EXPECT_EQ(backwardEntry(4, 1, 3), 0);
    EXPECT_EQ(forwardEntry(4, -1, 2), 3);
    EXPECT_EQ(forwardEntry(4, -1, 3), 0);
    EXPECT_EQ(backwardEntry(4, -1, 0), 3);
    // A song that is not in the list: from either end.
    EXPECT_EQ(forwardEntry(4, -1, -1), 0);
    EXPECT_EQ(backwardEntry(4, -1, -1), 3);
    EXPECT_EQ(forwardEntry(0, -1, -1), -1);
    EXPECT_EQ(backwardEntry(0, -1, -1), -1);
}

TEST(PlayOrder, SeedsDifferBetweenRuns)
{
    SeededRandom a(1), b(2), c(1);
    EXPECT_NE(a.next(), b.next());
    SeededRandom a2(1);
    EXPECT_EQ(a2.next(), c.next());
    for (int i = 0; i < 1000; ++i) {
        const float x = a.next();
        ASSERT_GE(x, 0.0f);
        ASSERT_LT(x, 1.0f);
    }
}

TEST(FailedRun, InListOrderMovesOnAndStopsAtTheEndOrWhenAllHaveFailed)
{
    Script never({0.5f});
    int last = 0;
    FailedRun run;
    // Without Repeat the list ends after the last entry; "Repeat one " moves on.
    EXPECT_EQ(run.next({4, 2}, 2, last, never), 3);
    EXPECT_EQ(run.next({4, 3}, 3, last, never), -1);
    EXPECT_FALSE(run.allFailed());
    run.clear();
    EXPECT_EQ(run.next({4, 1, false, true, true, false}, 1, last, never), 2);

    // With Repeat it wraps, until every entry has failed in a row.
    run.clear();
    const PlaylistState all {3, 0, false, true, false, true};
    EXPECT_EQ(run.next(all, 1, last, never), 2);
    EXPECT_EQ(run.next(all, 2, last, never), 0);
    EXPECT_EQ(run.next(all, 0, last, never), -1);
    EXPECT_TRUE(run.allFailed());
    run.clear(); // a song played: a new run
    EXPECT_EQ(run.next(all, 0, last, never), 1);
    EXPECT_FALSE(run.allFailed());
}

TEST(FailedRun, RandomPicksOnlyEntriesThatHaveNotFailed)
{
    Script draws({0.99f, 0.0f, 0.5f});
    int last = 0;
    FailedRun run;
    const PlaylistState s {4, 0, true};
    EXPECT_EQ(run.next(s, 3, last, draws), 2); // the last of 0, 1, 2
    EXPECT_EQ(last, 2);
    EXPECT_EQ(run.next(s, 0, last, draws), 1); // the first of 1, 2
    EXPECT_EQ(run.next(s, 1, last, draws), 2); // only 2 is left
    EXPECT_EQ(run.next(s, 2, last, draws), -1);
    EXPECT_TRUE(run.allFailed());
}
