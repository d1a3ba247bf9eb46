// The wipe as a function of time and of where the words lie: how far it
// reaches, when it next moves by a whole pixel, and the timings it is made
// from. No widget is drawn here.
#include "karaoke/Wipe.h"
#include "lyrics/LyricTable.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace cantorel;
using namespace cantorel::karaoke;

namespace {

lyrics::LineWords words(std::initializer_list<lyrics::WordTime> list, double endHundredths = -1)
{
    return {QList<lyrics::WordTime>(list), endHundredths};
}

// "Shine on me": three words on a run of 100 px, sung at 1.0 s, 2.0 s and
// 2.5 s until 4.0 s, with blanks between them.
Wipe shineOnMe()
{
    return Wipe({{0, 40, 1000, 2000}, {50, 70, 2000, 2500}, {80, 100, 2500, 4000}}, 100);
}

} // namespace

TEST(WordTimings, EachWordEndsWhereTheNextBeginsAndTheLastWhereTheLyricSays)
{
    // A closing time ends the last word.
    QList<WordTiming> t = wordTimings(words({{0, 5, 100}, {6, 2, 180}, {9, 2, 240}}, 310), 500);
    ASSERT_EQ(t.size(), 3);
    EXPECT_EQ(t[0], (WordTiming {0, 5, 1000, 1800}));
    EXPECT_EQ(t[1], (WordTiming {6, 2, 1800, 2400}));
    EXPECT_EQ(t[2], (WordTiming {9, 2, 2400, 3100}));
    // Without one, the next line's time does.
    EXPECT_EQ(wordTimings(words({{0, 5, 100}, {6, 2, 180}}), 500).last().endMs, 5000);
    // Without either: as long as the other words took on average, or a
    // second for a word alone.
    EXPECT_EQ(wordTimings(words({{0, 1, 100}, {2, 1, 200}, {4, 1, 400}}), -1).last().endMs, 5500);
    EXPECT_EQ(wordTimings(words({{0, 1, 100}}), -1).last().endMs, 1000 + kLoneLastWordMs);
    // An end before the word's own time is no end after it.
    EXPECT_EQ(wordTimings(words({{0, 1, 100}}, 50), 500).last().endMs, 1000);
    EXPECT_TRUE(wordTimings(words({}), 500).isEmpty());
}

TEST(WordTimings, WordsGivenOutOfOrderAreSungInTheOrderOfTheirTimes)
{
    const QList<WordTiming> t = wordTimings(words({{6, 2, 180}, {0, 5, 100}}), 300);
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[0], (WordTiming {0, 5, 1000, 1800}));
    EXPECT_EQ(t[1], (WordTiming {6, 2, 1800, 3000}));
}

TEST(WordTimings, ALineOfTheTableEndsAtTheNextLinesTimeAndOnlyLoadedSlotsCount)
{
    auto table = std::make_unique<lyrics::LyricTable>();
    table->times[1] = 100;
    table->times[2] = 300;
    table->words[1] = words({{0, 3, 120}, {4, 3, 200}});
    table->words[2] = words({{0, 3, 300}});
    table->words[3] = words({{0, 3, 900}}); // left by an earlier lyric
    table->lineCount = 3;
    EXPECT_EQ(lineTimings(*table, 1).last().endMs, 3000);
    EXPECT_EQ(lineTimings(*table, 2).last().endMs, 3000 + kLoneLastWordMs);
    EXPECT_TRUE(lineTimings(*table, 0).isEmpty());
    EXPECT_TRUE(lineTimings(*table, 3).isEmpty());
    EXPECT_TRUE(lineTimings(*table, -1).isEmpty());
}

TEST(Wipe, GrowsAcrossEachWordAndJumpsTheBlanksBetweenThem)
{
    const Wipe wipe = shineOnMe();
    EXPECT_EQ(wipe.widthPx(0), 0);
    EXPECT_EQ(wipe.widthPx(999), 0);
    EXPECT_EQ(wipe.widthPx(1000), 0);
    EXPECT_DOUBLE_EQ(wipe.widthPx(1500), 20); // half way across "Shine"
    EXPECT_DOUBLE_EQ(wipe.widthPx(1999.9), 40 * 0.9999);
    EXPECT_DOUBLE_EQ(wipe.widthPx(2000), 50); // over the blank at once
    EXPECT_DOUBLE_EQ(wipe.widthPx(2250), 60);
    EXPECT_DOUBLE_EQ(wipe.widthPx(3250), 90);
    EXPECT_EQ(wipe.widthPx(4000), 100); // sung: the whole line
    EXPECT_EQ(wipe.widthPx(60000), 100);
}

TEST(Wipe, AWordWithoutDurationOrAPauseBetweenWordsHoldsTheWipeStill)
{
    // The second word is a sung-at-once syllable; the third starts after a
    // rest; the line's run is wider than its words (closing punctuation).
    const Wipe wipe({{0, 10, 0, 1000}, {20, 30, 1000, 1000}, {40, 60, 3000, 4000}}, 70);
    EXPECT_EQ(wipe.widthPx(1000), 30);
    EXPECT_EQ(wipe.widthPx(2000), 30);
    EXPECT_EQ(wipe.widthPx(3000), 40);
    EXPECT_EQ(wipe.widthPx(4000), 70);
    EXPECT_EQ(wipe.nextPixelMs(1500), 3000);
    EXPECT_EQ(Wipe().widthPx(10), 0);
    EXPECT_EQ(Wipe().nextPixelMs(10), -1);
}

TEST(Wipe, TheNextPixelIsWhereTheWipeCrossesIt)
{
    const Wipe wipe = shineOnMe();
    EXPECT_EQ(wipe.nextPixelMs(0), 1025);    // 1 px of "Shine" takes 25 ms
    EXPECT_EQ(wipe.nextPixelMs(1500), 1525); // from 20 px to 21 px
    EXPECT_EQ(wipe.nextPixelMs(1990), 2000); // 39 px: the jump to "on"
    EXPECT_EQ(wipe.nextPixelMs(3990), 4000); // 99 px: the line is sung
    EXPECT_EQ(wipe.nextPixelMs(4000), -1);   // nothing more until the next line
    EXPECT_EQ(wipe.nextPixelMs(90000), -1);
}

TEST(Wipe, BetweenTwoPixelsNothingChangesAndAtTheNextOneSomethingDoes)
{
    // Checked over every 7 ms of the line, on words of uneven widths.
    const Wipe wipe({{3.3, 41.7, 500, 1300}, {47.2, 48.9, 1300, 2900}, {52.5, 300.25, 2900, 3100}}, 305.5);
    for (double at = 0; at < 3100; at += 7) {
        const double next = wipe.nextPixelMs(at);
        ASSERT_GT(next, at) << at;
        const double pixel = std::floor(wipe.widthPx(at));
        EXPECT_EQ(std::floor(wipe.widthPx((at + next) / 2)), pixel) << at;
        EXPECT_EQ(std::floor(wipe.widthPx(std::max(at, next - 0.01))), pixel) << at;
        EXPECT_GT(std::floor(wipe.widthPx(next)), pixel) << at;
    }
    EXPECT_EQ(wipe.nextPixelMs(3100), -1);
}
