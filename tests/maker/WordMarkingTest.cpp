// Timing a lyric word by word, without a window or files.
#include "maker/WordMarking.h"

#include "support/WordLines.h"
#include <gtest/gtest.h>

using namespace cantorel::maker;
using cantorel::lyrics::TimedLine;
using cantorel::testing::words;
using Kind = WordMarking::Cue::Kind;

namespace {

QStringList wordTexts(const QString& line)
{
    QStringList out;
    for (const auto& w : splitWords(line))
        out << line.mid(w.start, w.length);
    return out;
}

} // namespace

TEST(WordMarking, WordsSplitAtBlanksAndAtEveryCjkCharacter)
{
    EXPECT_EQ(wordTexts("  Shine, on\tme  "), (QStringList {"Shine,", "on", "me"}));
    EXPECT_EQ(wordTexts("「雨」が好き。"), (QStringList {"「雨」", "が", "好", "き。"}));
    EXPECT_EQ(wordTexts("I love東京!"), (QStringList {"I", "love", "東", "京!"}));
    EXPECT_EQ(wordTexts("사랑해 baby"), (QStringList {"사", "랑", "해", "baby"}));
    // Characters outside the first plane and combining marks stay whole.
    EXPECT_EQ(wordTexts("𠀋𠀋 cafe\u0301"), (QStringList {"𠀋", "𠀋", "cafe\u0301"}));
    EXPECT_EQ(wordTexts(" \u3000 "), QStringList());
}

TEST(WordMarking, EachPressMarksTheWordTheCueNamed)
{
    WordMarking m;
    m.setLine("Rain on");
    m.setTranslation("Pluie");
    EXPECT_EQ(m.cue().kind, Kind::Word);
    EXPECT_EQ(cueText(m.cue()), "Next word: <b><u>Rain</u></b> on");
    EXPECT_TRUE(m.press(100).isEmpty());
    EXPECT_EQ(cueText(m.cue()), "Next word: Rain <b><u>on</u></b>");
    EXPECT_TRUE(m.press(150).isEmpty());
    // Marked, the line waits for its last word's end: the next line's first
    // press gives it, an empty line included.
    EXPECT_TRUE(m.wantsLine());
    m.setLine("");
    EXPECT_EQ(cueText(m.cue()), "Next press: the empty line");
    EXPECT_EQ(m.press(230),
              (QList<TimedLine> {{100, "Rain on", "Pluie", words({{0, 4, 100}, {5, 2, 150}}, 230)}, {230, "", ""}}));
    m.setLine("<b>雨");
    EXPECT_EQ(m.cue().line, "<b>雨");
    m.press(300);
    m.press(310);
    m.setNoMoreLines();
    EXPECT_TRUE(m.awaitingEnd());
    EXPECT_EQ(cueText(m.cue()), "Next press: the end of the last word (&lt;b&gt;雨)");
    EXPECT_EQ(m.press(400), (QList<TimedLine> {{300, "<b>雨", "", words({{0, 3, 300}, {3, 1, 310}}, 400)}}));
    EXPECT_TRUE(m.finished());
    EXPECT_TRUE(m.press(500).isEmpty());
    EXPECT_EQ(m.cue().kind, Kind::Nothing);
}

TEST(WordMarking, AnEarlyEndKeepsWhatWasMarked)
{
    WordMarking m;
    m.setLine("one two");
    m.press(10);
    m.press(20);
    m.setLine("three four five");
    // The marked line without its end; a line with no word marked is none.
    EXPECT_EQ(m.takeUnfinished(), (QList<TimedLine> {{10, "one two", "", words({{0, 3, 10}, {4, 3, 20}})}}));
    m.setLine("three four five");
    m.press(30);
    m.press(40);
    EXPECT_EQ(m.takeUnfinished(), (QList<TimedLine> {{30, "three four five", "", words({{0, 5, 30}, {6, 4, 40}})}}));
    EXPECT_EQ(m.cue().kind, Kind::Nothing);
    EXPECT_TRUE(m.takeUnfinished().isEmpty());
}
