#include "base/TextFile.h"
#include "lyrics/LrcReader.h"
#include "lyrics/LyricSource.h"

#include "support/TestFiles.h"
#include "support/WordLines.h"
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace cantorel::lyrics;
using Lines = QList<TimedLine>;
using cantorel::testing::words;

static Lines linesOf(const char* lrc)
{
    return parseLrc(QString::fromUtf8(lrc)).lyric.lines;
}

TEST(LrcCorpus, EveryVariantGivesItsTimeAndText)
{
    const LrcLyric lrc = parseLrc(QString::fromUtf8(
        "\xEF\xBB\xBF[ti:Rain]\r\n[ar:Someone]\r\n[al:Songs]\r\n[by:me]\r\n[length:03:20]\r\n"
        "[re:tool]\r\n[ve:1.0]\r\n[kana:xyz]\r\n\r\n"
        "[0:05]one-digit minute\r\n[00:06.5]tenths\n[00:07.25]hundredths\r[00:08.125]thousandths\n"
        "[00:09:50]colon hundredths\n[100:00.00]minutes over 99\n[00:30.00] [00:10.00]  twice \n"
        "[00:12.00]Line\nuntimed text\n[00:11.00]<00:11.00>Word <00:11.50>tags\n[00:12.00]Translation\n"
        "[00:13.00]\n[00:14.00][Chorus] brackets\n"));
    EXPECT_TRUE(lrc.isLyric);
    EXPECT_TRUE(lrc.lyric.translated);
    EXPECT_EQ(lrc.offsetMs, 0);
    EXPECT_EQ(lrc.lyric.lines, (Lines {{500, "one-digit minute", ""},
                                       {650, "tenths", ""},
                                       {725, "hundredths", ""},
                                       {812.5, "thousandths", ""},
                                       {950, "colon hundredths", ""},
                                       {1000, "twice", ""},
                                       {1100, "Word tags", "", words({{0, 4, 1100}, {5, 4, 1150}})},
                                       {1200, "Line", "Translation"},
                                       {1300, "", ""},
                                       {1400, "[Chorus] brackets", ""},
                                       {3000, "twice", ""},
                                       {600000, "minutes over 99", ""}}));
    // Same-time lines pair up in file order; a third joins the translation.
    EXPECT_EQ(linesOf("[00:02]x\n[00:01]y\n[00:02]x-tr\n[00:01]y-tr\n[00:03]z\n[00:03]z1\n[00:03]z2"),
              (Lines {{100, "y", "y-tr"}, {200, "x", "x-tr"}, {300, "z", "z1 / z2"}}));
}

TEST(LrcCorpus, OffsetMovesEveryLineAndClampsAtTheStart)
{
    // Positive: earlier. Only the first offset tag counts.
    EXPECT_EQ(linesOf("[offset:+250]\n[offset:900]\n[00:00.10]a\n[00:01.00]b"), (Lines {{0, "a", ""}, {75, "b", ""}}));
    EXPECT_EQ(linesOf("[00:00.10]a\n[offset: -250 ]\n[00:01.00]b"), (Lines {{35, "a", ""}, {125, "b", ""}}));
    // Two lines that only meet at 0 through the clamp stay two lines.
    EXPECT_EQ(linesOf("[offset:5000]\n[00:01.00]a\n[00:02.00]b").size(), 2);
}

TEST(LrcCorpus, TextWithoutTimeTagsIsNoLyric)
{
    for (const char* text : {"", "\n\n", "[ti:Rain]\n[ar:x]\nJust the words\nof a song",
                             "[00:01.5x]b\n[:01]c\n[00:]d\n[00:123]e\n[1234567:00]f",
                             "[99999999999999999999:00]x\n[00:01.9999999999999]y"}) {
        const LrcLyric lrc = parseLrc(QString::fromUtf8(text));
        EXPECT_FALSE(lrc.isLyric) << text;
        EXPECT_TRUE(lrc.lyric.lines.isEmpty()) << text;
    }
}

// How fast they come back is bench/hostile-lyrics' figure.
TEST(LrcCorpus, HostileFilesComeBackSane)
{
    QTemporaryDir dir;
    auto table = std::make_unique<LyricTable>();
    const auto load = [&](const QByteArray& bytes) {
        cantorel::testing::writeFile(dir.filePath("Rain.lrc"), bytes);
        return loadLyric(dir.filePath("Rain.mp3"), *table);
    };

    QByteArray noise(cantorel::kTextFileMaxBytes, Qt::Uninitialized); // 16 MB
    QRandomGenerator(12).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    EXPECT_EQ(load(noise.replace('[', '(')).load.outcome, LyricLoad::Outcome::NoLyricFile);

    // 100 000 tags of distinct times on one line, and 100 000 of one time:
    // the table takes the first 1200, a translation stays one line's size.
    QByteArray tags;
    for (int i = 0; i < 100000; ++i)
        tags += "[" + QByteArray::number(i / 60) + ':' + QByteArray::number(i % 60 + 100).mid(1) + ']';
    tags += "each\n" + QByteArray("[00:00.50]").repeated(100000) + "same\n[offset:-99999999999999999999]\n";
    const FoundLyric found = load(tags);
    EXPECT_EQ(found.load.outcome, LyricLoad::Outcome::WithTranslation);
    EXPECT_TRUE(found.load.cutShort);
    EXPECT_EQ(table->lineCount, 1201);
    EXPECT_EQ(table->lines[2], "same");
    EXPECT_LE(table->translatedLines[2].size(), kMaxLrcLineChars);
    EXPECT_EQ(table->times[1200], 119800);

    EXPECT_EQ(linesOf("[999999:59.999]far away\x01\x7f\xc2\x85!\n"), (Lines {{5999999999.9, "far away!", ""}}));
    load("[00:01]" + QByteArray(cantorel::kTextFileMaxBytes - 7, 'a')); // one 16 MB line
    EXPECT_EQ(table->lines[1].size(), kMaxLrcLineChars);
}
