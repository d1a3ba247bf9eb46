#include "lyrics/LrcReader.h"
#include "lyrics/LrcWriter.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricSource.h"
#include "lyrics/LyricTransfer.h"

#include "support/TestFiles.h"
#include "support/WordLines.h"
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace cantorel::lyrics;
using cantorel::testing::readFile;
using cantorel::testing::words;
using cantorel::testing::writeFile;

TEST(LrcRoundTrip, PairToLrcToPairKeepsEveryLineAndTimeToTheHundredth)
{
    QTemporaryDir dir;
    const QString song = dir.filePath("Rain.mp3");
    writeFile(lyricPathOf(song), "0,\"Intro\"\r\n0,\"Same h4618timeh4618h1416 too\"\r\n123.4,\"\"\r\n"
                                 "1234.5,\"<b>\"\r\n600000,\"Late\"\r\n");
    writeFile(translatedLyricPathOf(song), "0,\"Début\"\r\n0,\"\"\r\n123.4,\"…\"\r\n1234.5,\"x\"\r\n");

    const LyricTransfer out = exportLrc(song, defaultLrcPathOf(song));
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    EXPECT_EQ(out.written, dir.filePath("Rain.lrc"));
    // A line of the same time as the one before goes a hundredth after it,
    // so it cannot come back as that line's translation.
    EXPECT_TRUE(readFile(out.written)
                    .startsWith("[00:00.00]Intro\r\n[00:00.00]Début\r\n"
                                "[00:00.01]Same \"time\", too\r\n[00:00.01]\r\n"));

    const QString copy = dir.filePath("Copy.mp3");
    ASSERT_TRUE(importLrc(out.written, copy).ok);
    FoundLyric a, b;
    const TimedLyric before = readLyric(song, &a), after = readLyric(copy, &b);
    EXPECT_EQ(b.origin.kind, LyricOrigin::Kind::Pair);
    EXPECT_TRUE(after.translated);
    ASSERT_EQ(after.lines.size(), 5);
    for (int i = 0; i < before.lines.size(); ++i) {
        EXPECT_EQ(after.lines[i].text, before.lines[i].text);
        EXPECT_EQ(after.lines[i].translation, before.lines[i].translation);
        EXPECT_LE(std::abs(after.lines[i].timeCentis - before.lines[i].timeCentis), 1) << i;
    }
}

TEST(LrcRoundTrip, ImportKeepsTheOldPairAndExportTheOldFile)
{
    QTemporaryDir dir;
    const QString song = dir.filePath("Rain.mp3"), lrc = dir.filePath("new.lrc");
    writeFile(lyricPathOf(song), "0,\"old\"\r\n");
    writeFile(lyricPathOf(song) + ".bak", "0,\"older\"\r\n");
    writeFile(translatedLyricPathOf(song), "0,\"old translation\"\r\n");
    writeFile(lrc, "[offset:500]\n[00:01.00]new");

    ASSERT_TRUE(importLrc(lrc, song).ok);
    EXPECT_EQ(readFile(lyricPathOf(song)), "50,\"new\"\r\n");
    EXPECT_EQ(readFile(lyricPathOf(song) + ".bak"), "0,\"old\"\r\n");
    EXPECT_EQ(readFile(lyricPathOf(song) + ".bak.1"), "0,\"older\"\r\n");
    // No translation in the LRC: the old one is set aside, not left to pair
    // with lines it does not belong to.
    EXPECT_FALSE(QFile::exists(translatedLyricPathOf(song)));
    EXPECT_EQ(readFile(translatedLyricPathOf(song) + ".bak"), "0,\"old translation\"\r\n");
    EXPECT_FALSE(importLrc(lyricPathOf(song), song).ok); // no time tag: not an LRC

    EXPECT_TRUE(exportLrc(song, lrc).ok);
    EXPECT_EQ(readFile(lrc), "[00:00.50]new\r\n");
    EXPECT_EQ(readFile(lrc + ".bak"), "[offset:500]\n[00:01.00]new");
    for (const QString& own : {song, lyricPathOf(song)})
        EXPECT_FALSE(exportLrc(song, own).ok);
    EXPECT_FALSE(exportLrc(dir.filePath("Silent.mp3"), lrc).ok);
    EXPECT_EQ(readFile(lyricPathOf(song)), "50,\"new\"\r\n");
    EXPECT_EQ(readFile(lrc), "[00:00.50]new\r\n");
}

TEST(LrcRoundTrip, WhatALineShowsSurvivesExportAndImport)
{
    // A removed tag takes one blank with it; a control character inside a
    // tag does not keep the tag in the text; removing tags never leaves one.
    const LrcLyric lrc = parseLrc(QString::fromUtf8("[00:01.00]hello <00:01.50> world\n[00:02.00]hi [00:02.50]  there\n"
                                                    "[00:03.00]a <00:0\x01"
                                                    "3.50>b\n[00:04.00]x[0[00:01.00]0:02.00]y\n"
                                                    "[00:05.00]one\n[00:05.00]\n[00:05.00]three\n[00:05.00] \x02 \n"));
    // The tags' places are word times: "x" and "y" of the last one, at the
    // line's time since the time tag left is earlier.
    EXPECT_EQ(lrc.lyric.lines, (QList<TimedLine> {{100, "hello world", "", words({{0, 5, 100}, {6, 5, 150}})},
                                                  {200, "hi there", "", words({{0, 2, 200}, {3, 5, 250}})},
                                                  {300, "a b", "", words({{0, 1, 300}, {2, 1, 350}})},
                                                  {400, "xy", "", words({{0, 1, 400}, {1, 1, 400}})},
                                                  {500, "one", "three"}}));

    // Random lines built from the pieces that trip readers up: parse, write,
    // parse again gives every text, translation and word time back.
    const QStringList pieces = {"[",
                                "]",
                                "<",
                                ">",
                                "00:01.50",
                                "01:02",
                                ":",
                                ".",
                                " ",
                                "  ",
                                "\t",
                                "a",
                                "é",
                                "雨",
                                "/",
                                " / ",
                                "[00:0",
                                "1.00]",
                                "<00:0",
                                "2.00>",
                                "[ti:x]",
                                "[offset:5]",
                                QStringLiteral("\x01"),
                                QStringLiteral("\u0085"),
                                QStringLiteral("\uFEFF")};
    QRandomGenerator random(17);
    for (int round = 0; round < 300; ++round) {
        QString text;
        for (int line = 0; line < 6; ++line) {
            text += QStringLiteral("[00:0%1.00]").arg(random.bounded(4));
            for (int k = random.bounded(8); k > 0; --k)
                text += pieces[random.bounded(int(pieces.size()))];
            text += u'\n';
        }
        const TimedLyric once = parseLrc(text).lyric;
        const TimedLyric twice = parseLrc(lrcText(once)).lyric;
        ASSERT_EQ(twice.lines.size(), once.lines.size()) << text.toStdString();
        for (int i = 0; i < once.lines.size(); ++i) {
            EXPECT_EQ(twice.lines[i].text, once.lines[i].text) << text.toStdString();
            EXPECT_EQ(twice.lines[i].translation, once.lines[i].translation) << text.toStdString();
            EXPECT_EQ(twice.lines[i].words, once.lines[i].words) << text.toStdString();
        }
    }
}
