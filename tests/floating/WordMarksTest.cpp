// The floating window marks the sung words of the line it has selected, on
// the wipe clock, waking only when the next word begins.
#include "floating/Lyric_Displayer.h"
#include "karaoke/WipeClock.h"
#include "lyrics/LyricTable.h"
#include "support/Wait.h"

#include <QListWidget>
#include <gtest/gtest.h>

#include <memory>

using namespace cantorel;
using cantorel::testing::waitUntil;

namespace {

class WordMarks : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Lines at 10, 20 and 30 s; the second ("sung word by word") with
        // its words at 20.0, 21.0 and 21.5 s.
        auto table = std::make_unique<lyrics::LyricTable>();
        const char* lines[] = {"plain line", "sung word by word", "last line"};
        for (int i = 1; i <= 3; ++i) {
            table->times[i] = i * 1000;
            table->lines[i] = table->listLines[i] = QString::fromLatin1(lines[i - 1]);
            table->listTimes[i] = QString::number(i * 1000);
        }
        table->words[2] = {{{0, 4, 2000}, {5, 4, 2100}, {10, 7, 2150}}, -1};
        table->lineCount = 4;
        table->noTranslation = true;
        window.setClock(&clock);
        window.fill(*table, false);
        window.show();
        ASSERT_TRUE(waitUntil([this] { return window.isVisible(); }));
    }
    // The player's pane changed with the song at `ms`.
    void lineChangedAt(int ms)
    {
        position = ms;
        window.normalPaneChanged();
        clock.refresh();
    }

    int position = 0;
    karaoke::WipeClock clock {[this] { return qint64(position); }, [] { return true; }};
    Lyric_Displayer window {[this] { return position; }};
};

} // namespace

TEST_F(WordMarks, TheWordsOfTheSelectedLineAreMarkedAsTheirTimesCome)
{
    lineChangedAt(20500);
    EXPECT_EQ(window.markedRow(), 1);
    EXPECT_EQ(window.markedWords(), 1);
    EXPECT_EQ(clock.timer().interval(), 500); // until "word"
    position = 21600;
    clock.refresh();
    EXPECT_EQ(window.markedWords(), 3);
    EXPECT_FALSE(clock.timer().isActive()); // the line is sung
}

TEST_F(WordMarks, ALineWithoutWordsOrAHiddenWindowMarksNothingAndWakesNoOne)
{
    lineChangedAt(10500);
    EXPECT_EQ(window.findChild<QListWidget*>(QStringLiteral("List1"))->currentRow(), 0);
    EXPECT_EQ(window.markedRow(), -1);
    EXPECT_FALSE(clock.timer().isActive());

    lineChangedAt(20500);
    EXPECT_TRUE(clock.timer().isActive());
    window.hide();
    clock.refresh();
    EXPECT_FALSE(clock.timer().isActive());
}
