// The line operations of the lyric editor, without a window.
#include "editor/LinePair.h"
#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

using namespace cantorel;
using namespace cantorel::editor;
using Answer = Prompts::Answer;

namespace {

QStringList numbered(const QString& prefix, int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << prefix + QString::number(i);
    return lines;
}

class LinePairTest : public ::testing::Test {
protected:
    const LineColumn& left() const { return lines.column(Side::Left); }
    const LineColumn& right() const { return lines.column(Side::Right); }

    cantorel::testing::ScriptedPrompts prompts;
    MemoryClipboard clipboard;
    LinePair lines {prompts, clipboard};
};

} // namespace

TEST_F(LinePairTest, TransferAppendsMarkedLinesInOrderAndRemovesThemOnTheLeft)
{
    lines.loadLines(Side::Left, {"a", "b", "c", "d"}, QString());
    lines.loadLines(Side::Right, {"x", "y", "z"}, QString());
    lines.setDeleteMarked(Side::Left, true);
    lines.setMarked(Side::Left, {3, 1});
    lines.transfer();

    EXPECT_EQ(right().lines, (QStringList {"x", "y", "z", "b", "d"}));
    EXPECT_EQ(left().lines, (QStringList {"a", "c"}));
    EXPECT_TRUE(left().marked.empty());
    EXPECT_EQ(clipboard.text(), "\r\nb\r\nd");
    EXPECT_EQ(lines.pasteTarget(), Side::Right);
    EXPECT_FALSE(left().deleteMarked);
}

TEST_F(LinePairTest, TransferIntoAnEmptyListHoldsExactlyTheMovedLines)
{
    lines.loadLines(Side::Left, {"a", "", "c"}, QString());
    clipboard.setText("old text");
    lines.setMarked(Side::Left, {0, 1});
    lines.transfer();

    EXPECT_EQ(right().lines, (QStringList {"a", ""}));
    EXPECT_EQ(left().lines, (QStringList {"c"}));
    EXPECT_EQ(clipboard.text(), "\r\na\r\n");

    // Nothing marked: nothing moves and the clipboard is not touched.
    lines.transfer();
    EXPECT_EQ(right().lines.size(), 2);
    EXPECT_EQ(clipboard.text(), "\r\na\r\n");
}

TEST_F(LinePairTest, DeleteInMarkedModeRemovesEveryMarkedLineButNeedsACurrentLine)
{
    lines.loadLines(Side::Left, numbered("L", 8), QString());
    lines.setDeleteMarked(Side::Left, true);
    lines.setMarked(Side::Left, {1, 4, 6});
    lines.deleteLines(Side::Left); // no current line yet
    EXPECT_EQ(left().lines.size(), 8);

    lines.select(Side::Left, 6);
    lines.deleteLines(Side::Left);
    EXPECT_EQ(left().lines, (QStringList {"L0", "L2", "L3", "L5", "L7"}));
    EXPECT_EQ(left().current, -1);
}

TEST_F(LinePairTest, DeleteRemovesOnlyTheCurrentLineAndLeavesTheNextOneAlone)
{
    lines.loadLines(Side::Left, {"one", "two", "three"}, QString());
    lines.select(Side::Left, 1);
    lines.setMarked(Side::Left, {1, 2});
    EXPECT_EQ(left().editText, "two");
    lines.deleteLines(Side::Left);

    EXPECT_EQ(left().lines, (QStringList {"one", "three"}));
    EXPECT_EQ(left().editText, "");
    EXPECT_EQ(left().marked, (std::set<int> {1})); // "three" stays marked
    // The emptied box edits nothing: no line is current any more.
    lines.editCurrentLine(Side::Left, "typed");
    EXPECT_EQ(left().lines, (QStringList {"one", "three"}));
}

TEST_F(LinePairTest, MarkedLinesFromThePopUpMenuUntickBothSides)
{
    lines.loadLines(Side::Right, {"a", "b", "c"}, QString());
    lines.setDeleteMarked(Side::Left, true);
    lines.select(Side::Right, 0);
    lines.setMarked(Side::Right, {0, 2});
    lines.deleteMarkedLines(Side::Right);
    EXPECT_EQ(right().lines, (QStringList {"b"}));
    EXPECT_FALSE(left().deleteMarked);
    EXPECT_FALSE(right().deleteMarked);
}

TEST_F(LinePairTest, SynchronisedUpMovesTheSameLineOnBothSides)
{
    lines.loadLines(Side::Left, numbered("L", 8), QString());
    lines.loadLines(Side::Right, numbered("R", 8), QString());
    lines.setSynchronize(true);
    lines.select(Side::Left, 5);
    ASSERT_EQ(right().current, 5); // the right side followed the click

    lines.moveUp(Side::Left);
    EXPECT_EQ(left().lines.mid(3, 3), (QStringList {"L3", "L5", "L4"}));
    EXPECT_EQ(right().lines.mid(3, 3), (QStringList {"R3", "R5", "R4"}));
    EXPECT_EQ(left().current, 4);
    EXPECT_EQ(right().current, 4);
    EXPECT_EQ(left().editText, "L5");
    EXPECT_EQ(right().editText, "R5");
}

TEST_F(LinePairTest, MovesStopAtTheEnds)
{
    lines.loadLines(Side::Left, {"a", "b", "c"}, QString());
    lines.select(Side::Left, 0);
    lines.moveUp(Side::Left);
    lines.select(Side::Left, 2);
    lines.moveDown(Side::Left);
    EXPECT_EQ(left().lines, (QStringList {"a", "b", "c"}));

    lines.moveUp(Side::Left);
    EXPECT_EQ(left().lines, (QStringList {"a", "c", "b"}));
    EXPECT_EQ(left().current, 1);
    EXPECT_EQ(left().marked, (std::set<int> {1}));
}

TEST_F(LinePairTest, LeftDeleteModeBlocksTheLeftDownEvenAsPartner)
{
    lines.loadLines(Side::Left, {"a", "b", "c"}, QString());
    lines.loadLines(Side::Right, {"x", "y", "z"}, QString());
    lines.setSynchronize(true);
    lines.select(Side::Left, 0);
    lines.setDeleteMarked(Side::Left, true);

    lines.moveDown(Side::Left);
    EXPECT_EQ(left().lines, (QStringList {"a", "b", "c"}));
    EXPECT_EQ(right().lines, (QStringList {"x", "y", "z"}));

    // Started on the right, only the right list moves: the sides drift apart.
    lines.moveDown(Side::Right);
    EXPECT_EQ(right().lines, (QStringList {"y", "x", "z"}));
    EXPECT_EQ(left().lines, (QStringList {"a", "b", "c"}));

    // Up has no such condition.
    lines.select(Side::Left, 1);
    lines.moveUp(Side::Left);
    EXPECT_EQ(left().lines, (QStringList {"b", "a", "c"}));
}

TEST_F(LinePairTest, PasteJoinsTextThatStartsWithABreakAndSplitsOtherText)
{
    lines.loadLines(Side::Left, {"A", "B"}, QString());
    lines.setMarked(Side::Left, {0, 1});
    lines.clearClipboard();
    lines.copy(Side::Left);
    EXPECT_EQ(clipboard.text(), "\r\nA\r\nB");
    lines.pasteInto(Side::Left);
    EXPECT_EQ(left().lines, (QStringList {"A", "B", "AB"}));

    clipboard.setText("X");
    lines.copy(Side::Left); // marks still on A and B
    EXPECT_EQ(clipboard.text(), "X\r\nA\r\nB");
    lines.pasteInto(Side::Right);
    EXPECT_EQ(right().lines, (QStringList {"X", "A", "B"}));

    lines.loadLines(Side::Right, {}, QString());
    lines.clearClipboard();
    lines.paste(); // an empty clipboard gives one empty line
    clipboard.setText("plain");
    lines.paste();
    EXPECT_EQ(right().lines, (QStringList {"", "plain"}));
}

TEST_F(LinePairTest, PastedTextWithOtherLineBreaksNeverLeavesABreakInALine)
{
    clipboard.setText("one\ntwo\rthree");
    lines.pasteInto(Side::Left);
    EXPECT_EQ(left().lines, (QStringList {"one", "two", "three"}));

    clipboard.setText("\nfour\nfive");
    lines.paste();
    EXPECT_EQ(left().lines.last(), "fourfive");
}

TEST_F(LinePairTest, EditingChangesTheCurrentLineAndRefusesLineBreaks)
{
    lines.loadLines(Side::Left, {"one", "two"}, QString());
    lines.editCurrentLine(Side::Left, "nothing current");
    EXPECT_EQ(left().lines, (QStringList {"one", "two"}));

    lines.select(Side::Left, 1);
    lines.editCurrentLine(Side::Left, "twoo");
    EXPECT_EQ(left().lines.at(1), "twoo");

    int shownBeforeMessage = 0;
    lines.setBeforePrompt([&] { ++shownBeforeMessage; });
    prompts.expectMessage(LinePair::lineBreakMessage());
    lines.editCurrentLine(Side::Left, "tw\noo\r\n");
    EXPECT_EQ(left().lines.at(1), "twoo");
    EXPECT_EQ(left().editText, "twoo");
    EXPECT_EQ(shownBeforeMessage, 1);
}

TEST_F(LinePairTest, AddLineInsertsAfterTheCurrentLineOrAppendsABlankOne)
{
    lines.loadLines(Side::Left, {"1", "2", "3", "4"}, QString());
    lines.select(Side::Left, 2);
    lines.setMarked(Side::Left, {2, 3});
    prompts.expectInput("X");
    lines.addLine(Side::Left);
    EXPECT_EQ(left().lines, (QStringList {"1", "2", "3", "X", "4"}));
    EXPECT_EQ(left().current, 2);
    EXPECT_EQ(left().marked, (std::set<int> {2, 4}));

    // Empty, No (asked again), empty, Yes: a blank line at the very end.
    prompts.expectInput("").expectMessage("Do you want to add a blank line", Answer::No);
    prompts.expectInput("").expectMessage("Do you want to add a blank line", Answer::Yes);
    lines.addLine(Side::Left);
    EXPECT_EQ(left().lines.size(), 6);
    EXPECT_EQ(left().lines.last(), "");
    EXPECT_EQ(prompts.asked.last().title, "Blank line Insertion");

    prompts.expectInput("").expectMessage("Do you want to add a blank line", Answer::Cancel);
    lines.addLine(Side::Left);
    EXPECT_EQ(left().lines.size(), 6);

    // No current line: the new line comes first.
    lines.loadLines(Side::Right, {"b"}, QString());
    prompts.expectInput("a");
    lines.addLine(Side::Right);
    EXPECT_EQ(right().lines, (QStringList {"a", "b"}));
}

TEST_F(LinePairTest, MirroringFollowsOnlyWhileSynchronisedAndWithinTheOtherList)
{
    lines.loadLines(Side::Left, numbered("L", 6), QString());
    lines.loadLines(Side::Right, numbered("R", 4), QString());
    lines.select(Side::Left, 3);
    EXPECT_EQ(right().current, -1);

    lines.setSynchronize(true);
    lines.select(Side::Left, 2);
    EXPECT_EQ(right().current, 2);
    EXPECT_EQ(right().editText, "R2");
    lines.select(Side::Left, 5); // the right list has no line 5
    EXPECT_EQ(right().current, 2);
}

TEST_F(LinePairTest, UnsavedChangesCompareWithWhatWasLastOpenedOrSaved)
{
    EXPECT_FALSE(lines.hasUnsavedChanges(Side::Left));
    lines.loadLines(Side::Left, {"a", "b"}, "/tmp/x.txt");
    EXPECT_FALSE(lines.hasUnsavedChanges(Side::Left));
    lines.select(Side::Left, 0);
    lines.editCurrentLine(Side::Left, "A");
    EXPECT_TRUE(lines.hasUnsavedChanges(Side::Left));
    lines.editCurrentLine(Side::Left, "a");
    EXPECT_FALSE(lines.hasUnsavedChanges(Side::Left));
    lines.clear(Side::Left);
    EXPECT_TRUE(lines.hasUnsavedChanges(Side::Left));
    lines.markSaved(Side::Left, "/tmp/y.txt");
    EXPECT_FALSE(lines.hasUnsavedChanges(Side::Left));
    EXPECT_EQ(left().fileName, "/tmp/y.txt");
    EXPECT_FALSE(lines.hasUnsavedChanges(Side::Right));
}
