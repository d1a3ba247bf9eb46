// The desktop lyric bar's rules without its window: what it shows, where it
// goes, and what it keeps in the settings file, garbage in that file too.
#include "desktopbar/BarLines.h"
#include "desktopbar/BarPlacement.h"
#include "desktopbar/BarSettings.h"
#include "lyrics/LyricTable.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace cantorel;
using namespace cantorel::desktopbar;

TEST(BarLines, TheLineWithItsTranslationOrTheNextLineOrTheTitle)
{
    auto table = std::make_unique<lyrics::LyricTable>();
    table->lines[1] = QStringLiteral("one");
    table->lines[2] = QStringLiteral("two\r\n");
    table->lineCount = 3;
    LyricLines lines;
    lines.panes.text1 = QStringLiteral("one");
    lines.panes.text2 = QStringLiteral("uno");
    lines.line = 1;
    EXPECT_EQ(barLines(lines, *table, true, QStringLiteral("Song")), (BarLines {"one", "uno", 1}));
    // Without a translation the next line comes below; after the last, nothing.
    table->noTranslation = true;
    EXPECT_EQ(barLines(lines, *table, true, QStringLiteral("Song")), (BarLines {"one", "two", 1}));
    lines.panes.text1 = QStringLiteral("two\r\n");
    lines.line = 2;
    EXPECT_EQ(barLines(lines, *table, true, QStringLiteral("Song")), (BarLines {"two", "", 2}));
    // Before the first line: nothing sung yet, the first line coming.
    lines.panes.text1.clear();
    lines.line = 0;
    EXPECT_EQ(barLines(lines, *table, true, QStringLiteral("Song")), (BarLines {"", "one", 0}));
    // No lyric, or a placeholder in the pane: the title.
    EXPECT_EQ(barLines(lines, *table, false, QStringLiteral("Song")), (BarLines {"Song", "", -1}));
    lines.line = -1;
    EXPECT_EQ(barLines(lines, *table, true, QStringLiteral("Song")), (BarLines {"Song", "", -1}));
}

TEST(BarPlacement, AKeptPlaceHoldsWhileEnoughOfTheBarIsOnSomeScreen)
{
    const QRect left(0, 0, 1920, 1040);
    const QRect right(1920, 0, 1280, 1024);
    const QSize bar(800, 120);
    EXPECT_EQ(barPlace(QPoint(100, 200), bar, {left, right}, left), QPoint(100, 200));
    EXPECT_EQ(barPlace(QPoint(2500, 800), bar, {left, right}, left), QPoint(2500, 800));
    // Hanging off an edge is fine while a good part shows.
    EXPECT_EQ(barPlace(QPoint(-700, 10), bar, {left, right}, left), QPoint(-700, 10));
    // The right screen is gone; a sliver, or nothing, on screen is no place.
    const QPoint home = primaryPlace(bar, left);
    EXPECT_EQ(home, QPoint(560, 1040 - kBottomGapPx - 120));
    EXPECT_EQ(barPlace(QPoint(2500, 800), bar, {left}, left), home);
    EXPECT_EQ(barPlace(QPoint(1910, 500), bar, {left}, left), home);
    EXPECT_EQ(barPlace(QPoint(-50000, -50000), bar, {left}, left), home);
    EXPECT_EQ(barPlace(std::nullopt, bar, {left}, left), home);
    // A bar wider than the screen still starts on it.
    EXPECT_EQ(primaryPlace(QSize(3000, 120), left).x(), 0);
}

namespace {

class Settings : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("cantorel.conf")); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(Settings, WhatTheBarKeepsReadsBackInTheNextRun)
{
    BarLook look = BarSettings::defaultLook();
    look.lineFont.setFamily(QStringLiteral("Serif"));
    look.lineFont.setPointSizeF(40.5);
    look.sung = QColor(10, 20, 30, 200);
    look.widthPx = 900;
    {
        BarSettings settings(path());
        EXPECT_FALSE(settings.shown());
        EXPECT_EQ(settings.position(), std::nullopt);
        settings.setLook(look);
        settings.setPosition(QPoint(-20, 700));
        settings.setShown(true);
        settings.setLocked(true);
        settings.setHideOnStop(true);
        EXPECT_EQ(settings.problem(), "");
    }
    BarSettings again(path());
    EXPECT_EQ(again.look(), look);
    EXPECT_EQ(again.position(), QPoint(-20, 700));
    EXPECT_TRUE(again.shown());
    EXPECT_TRUE(again.locked());
    EXPECT_TRUE(again.hideOnStop());
}

TEST_F(Settings, GarbageInTheFileCountsAsNotThere)
{
    QFont huge(QStringLiteral("Sans"));
    huge.setPointSizeF(9000);
    cantorel::testing::writeFile(path(), "[desktopLyrics]\n"
                                         "lineFont=not a font\n"
                                         "secondFont="
                                             + huge.toString().toUtf8()
                                             + "\n"
                                               "sungColor=#zz0000\n"
                                               "unsungColor=red\n"
                                               "outlineColor=#00ff00\n"
                                               "width=12\n"
                                               "x=12abc\n"
                                               "y=5\n"
                                               "shown=yes\n"
                                               "locked=1\n");
    BarSettings settings(path());
    const BarLook defaults = BarSettings::defaultLook();
    const BarLook look = settings.look();
    EXPECT_EQ(look.lineFont, defaults.lineFont);
    EXPECT_EQ(look.secondFont.pointSizeF(), BarSettings::kLargestPointSize); // held to the largest
    EXPECT_EQ(look.sung, defaults.sung);
    EXPECT_EQ(look.unsung, defaults.unsung);
    EXPECT_EQ(look.outline, QColor(0, 255, 0));
    EXPECT_EQ(look.widthPx, 0);
    EXPECT_EQ(settings.position(), std::nullopt);
    EXPECT_FALSE(settings.shown());
    EXPECT_TRUE(settings.locked());
}

TEST_F(Settings, AFileThatIsNoSettingsFileIsLeftAloneAndTheChoicesHoldForTheRun)
{
    const QByteArray garbage("\x01\x02\xff binary");
    cantorel::testing::writeFile(path(), garbage);
    BarSettings settings(path());
    EXPECT_NE(settings.problem(), "");
    settings.setShown(true);
    settings.setPosition(QPoint(5, 6));
    EXPECT_TRUE(settings.shown());
    EXPECT_EQ(settings.position(), QPoint(5, 6));
    EXPECT_EQ(cantorel::testing::readFile(path()), garbage);
}
