#include "lyrics/LineLookup.h"

#include <gtest/gtest.h>

#include <memory>

using namespace cantorel::lyrics;

namespace {

std::unique_ptr<LyricTable> twoLines(bool translated)
{
    auto t = std::make_unique<LyricTable>();
    t->times[1] = 1000;
    t->lines[1] = "line 1";
    t->translatedLines[1] = "γραμμή 1";
    t->times[2] = 2000;
    t->lines[2] = "line 2";
    t->translatedLines[2] = "γραμμή 2";
    t->lineCount = 3;
    t->noTranslation = !translated;
    return t;
}

PaneTexts start()
{
    return {"Normal Lyrics", "Displays lyrics", "Translated Lyrics", "Displays Translated Lyrics"};
}

} // namespace

TEST(LineLookup, ShowsTheCurrentLineWithTheComingOneAsTooltip)
{
    const auto table = twoLines(true);
    PaneTexts panes = start();
    lookUpLine(*table, 5000, panes);
    EXPECT_EQ(panes, (PaneTexts {"", "line 1", "", "γραμμή 1"}));
    lookUpLine(*table, 15000, panes);
    EXPECT_EQ(panes, (PaneTexts {"line 1", "line 2", "γραμμή 1", "γραμμή 2"}));
    lookUpLine(*table, 25000, panes);
    EXPECT_EQ(panes, (PaneTexts {"line 2", "line 2", "γραμμή 2", "γραμμή 2"}));
}

TEST(LineLookup, ExactTimeChangesTheTextButNotTheTooltip)
{
    const auto table = twoLines(true);
    PaneTexts panes = start();
    lookUpLine(*table, 10000, panes);
    EXPECT_EQ(panes, (PaneTexts {"line 1", "Displays lyrics", "γραμμή 1", "Displays Translated Lyrics"}));
    // Exactly at the last line, then a hair past it.
    lookUpLine(*table, 20000, panes);
    EXPECT_EQ(panes.text1, "line 2");
    EXPECT_EQ(panes.tip1, "Displays lyrics");
    lookUpLine(*table, 20001, panes);
    EXPECT_EQ(panes.tip1, "line 2");
}

TEST(LineLookup, WithoutTranslationTheSecondPaneIsLeftAlone)
{
    const auto table = twoLines(false);
    PaneTexts panes = start();
    lookUpLine(*table, 15000, panes);
    EXPECT_EQ(panes, (PaneTexts {"line 1", "line 2", "Translated Lyrics", "Displays Translated Lyrics"}));
}

TEST(LineLookup, UnorderedTimesLetTheLastMatchWin)
{
    auto table = twoLines(true);
    table->times[1] = 3000; // later than line 2
    PaneTexts panes = start();
    lookUpLine(*table, 25000, panes);
    // 0 < p < 3000 matches line 1's interval (shows slot 0), then p is past
    // the last line's time, which wins.
    EXPECT_EQ(panes.text1, "line 2");
    EXPECT_EQ(panes.tip1, "line 2");
}

TEST(LineLookup, EmptyTableChangesNothing)
{
    LyricTable table;
    table.lineCount = 1;
    PaneTexts panes = start();
    lookUpLine(table, 5000, panes);
    EXPECT_EQ(panes, start());
}
