// What the help page says about the editor is what the editor does.
#include "editor/LineCounters.h"
#include "editor/LinePair.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"
#include "support/TestPaths.h"

#include <QTextDocument>
#include <gtest/gtest.h>

using namespace cantorel::editor;

namespace {

// The plain text of the help page, blanks collapsed.
QString helpText()
{
    QTextDocument page;
    page.setHtml(
        QString::fromUtf8(cantorel::testing::readFile(cantorel::testing::sourcePath("data/help/Welcome.htm"))));
    return page.toPlainText().simplified();
}

} // namespace

TEST(EditorHelp, PasteAndCountColoursAreDescribedAsTheyBehave)
{
    const QString help = helpText();
    ASSERT_FALSE(help.isEmpty());

    // The editor's own Copy comes back from Paste as one joined line, at the
    // end of the list.
    cantorel::testing::ScriptedPrompts prompts;
    MemoryClipboard clipboard;
    LinePair lines {prompts, clipboard};
    lines.loadLines(Side::Left, {"A", "B", "C"}, QString());
    lines.setMarked(Side::Left, {0, 1});
    lines.copy(Side::Left);
    lines.pasteInto(Side::Left);
    ASSERT_EQ(lines.column(Side::Left).lines, (QStringList {"A", "B", "C", "AB"}));
    EXPECT_FALSE(help.contains("inserts the clipboard's lines"));
    EXPECT_TRUE(help.contains("at the end of the list, never at the current line"));
    EXPECT_TRUE(help.contains("as Copy makes it, becomes a single line with its line breaks taken out"));

    // Only the side ahead turns red; the other keeps its colour, red too.
    ASSERT_FALSE(countColours(7, 5).right.has_value());
    EXPECT_FALSE(help.contains("red on the side that has more"));
    EXPECT_TRUE(help.contains("the other count keeps the colour it had"));
}
