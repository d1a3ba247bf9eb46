#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricPairReader.h"

#include "support/ForeignNames.h"
#include "support/TestFiles.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace cantorel::lyrics;

namespace {

class LyricPair : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        media = dir.filePath("Rain.mp3");
        table = std::make_unique<LyricTable>();
    }

    void write(const QString& path, const QByteArray& bytes) { cantorel::testing::writeFile(path, bytes); }
    void writeLyric(const QByteArray& bytes) { write(lyricPathOf(media), bytes); }
    void writeTranslation(const QByteArray& bytes) { write(translatedLyricPathOf(media), bytes); }

    QTemporaryDir dir;
    QString media;
    std::unique_ptr<LyricTable> table;
};

} // namespace

TEST(LyricEscape, QuotesAndCommasRoundTrip)
{
    const QString line = "He said \"go, now\" and left";
    const QString escaped = escapeLine(line);
    EXPECT_EQ(escaped, "He said h4618goh1416 nowh4618 and left");
    EXPECT_EQ(unescapeLine(escaped), line);
    // The tokens themselves come back as the characters they stand for.
    EXPECT_EQ(unescapeLine("a h1416 b"), "a , b");
    EXPECT_EQ(lyricRecord(1234.5, escaped), "1234.5,\"He said h4618goh1416 nowh4618 and left\"\r\n");
    EXPECT_EQ(lyricRecord(0, ""), "0,\"\"\r\n");
    EXPECT_EQ(lyricRecord(0.7, "x"), "0.7,\"x\"\r\n");
}

TEST_F(LyricPair, NamesKeepTheExtension)
{
    EXPECT_EQ(lyricPathOf("/m/song.mp3"), "/m/song.mp3-lyric.txt");
    EXPECT_EQ(translatedLyricPathOf("/m/song.mp3"), "/m/song.mp3-Tlyric.txt");
    write(dir.filePath("Rain-lyric.txt"), "0,\"x\"\r\n");
    EXPECT_FALSE(hasLyric(media));
    EXPECT_EQ(loadLyricPair(media, *table).outcome, LyricLoad::Outcome::NoLyricFile);
    EXPECT_EQ(table->lineCount, 0);
}

TEST_F(LyricPair, WriterAndReaderAgree)
{
    const QStringList lines = {"Rain on the \"old\" river", "", "one, two, three", "λάμπα ☂"};
    const QStringList translations = {"Βροχή", "", "ένα, δύο", "!"};
    QByteArray normal, translated;
    double time = 0;
    for (int i = 0; i < lines.size(); ++i) {
        normal += lyricRecord(time, escapeLine(lines[i])).toUtf8();
        translated += lyricRecord(time, escapeLine(translations[i])).toUtf8();
        time += 123.4;
    }
    writeLyric(normal);
    writeTranslation(translated);

    const LyricLoad load = loadLyricPair(media, *table);
    EXPECT_EQ(load.outcome, LyricLoad::Outcome::WithTranslation);
    EXPECT_FALSE(load.cutShort);
    EXPECT_FALSE(table->noTranslation);
    ASSERT_EQ(table->lineCount, 5);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(table->lines[k], lines[k - 1]);
        EXPECT_EQ(table->listLines[k], lines[k - 1]);
        EXPECT_EQ(table->translatedLines[k], translations[k - 1]);
        EXPECT_EQ(table->listTranslatedLines[k], translations[k - 1]);
        EXPECT_DOUBLE_EQ(table->times[k], (k - 1) * 123.4);
    }
    EXPECT_EQ(table->listTimes[2], "123.4");
    EXPECT_EQ(table->lines[0], "");
    EXPECT_EQ(table->times[0], 0);
}

TEST_F(LyricPair, ReadsOldFilesAndLooseForms)
{
    // An 8-bit file of the old platform, a time without leading zero, no
    // final CR LF, a blank line and blanks before the time.
    writeLyric("0,\"Caf\xE9 \x93noir\x94\"\r\n\r\n  .7,\"second\"\r\n250,\"third\"");
    const LyricLoad load = loadLyricPair(media, *table);
    EXPECT_EQ(load.outcome, LyricLoad::Outcome::LyricOnly);
    ASSERT_EQ(table->lineCount, 4);
    EXPECT_EQ(table->lines[1], QString::fromUtf8("Café “noir”"));
    EXPECT_DOUBLE_EQ(table->times[2], 0.7);
    EXPECT_EQ(table->lines[3], "third");
    EXPECT_TRUE(table->noTranslation);
}

TEST_F(LyricPair, FoundBesideASongWhoseNameIsNotUtf8)
{
    cantorel::testing::ForeignNamedFiles files(dir.path());
    const QString song = files.make("caf\xE9.mp3", "x");
    files.make("caf\xE9.mp3-lyric.txt", "100,\"one\"\r\n");
    // The UTF-8 "café" is another song, with a lyric of its own.
    write(lyricPathOf(dir.filePath(QString::fromUtf8("café.mp3"))), "100,\"other\"\r\n");
    EXPECT_TRUE(hasLyric(song));
    EXPECT_EQ(loadLyricPair(song, *table).outcome, LyricLoad::Outcome::LyricOnly);
    EXPECT_EQ(table->lines[1], "one");
}

TEST_F(LyricPair, EmptyFileLoadsNoLines)
{
    writeLyric("");
    EXPECT_EQ(loadLyricPair(media, *table).outcome, LyricLoad::Outcome::LyricOnly);
    EXPECT_EQ(table->lineCount, 1);
    EXPECT_EQ(table->loadedLines(), 0);
}

TEST_F(LyricPair, HoldsAtMost1200Lines)
{
    QByteArray bytes;
    for (int i = 1; i <= 1201; ++i)
        bytes += lyricRecord(i, QString("line %1").arg(i)).toUtf8();
    writeLyric(bytes);
    const LyricLoad load = loadLyricPair(media, *table);
    EXPECT_EQ(load.outcome, LyricLoad::Outcome::LyricOnly);
    EXPECT_TRUE(load.cutShort);
    EXPECT_EQ(table->lineCount, 1201);
    EXPECT_EQ(table->lines[1200], "line 1200");

    bytes.clear();
    for (int i = 1; i <= 1200; ++i)
        bytes += lyricRecord(i, "x").toUtf8();
    writeLyric(bytes);
    EXPECT_FALSE(loadLyricPair(media, *table).cutShort);
}

TEST_F(LyricPair, BadRecordKeepsTheLinesBeforeIt)
{
    writeLyric("0,\"one\"\r\n100,\"two\"\r\nsoon,\"three\"\r\n300,\"four\"\r\n");
    const LyricLoad load = loadLyricPair(media, *table);
    EXPECT_EQ(load.outcome, LyricLoad::Outcome::LyricOnly);
    EXPECT_TRUE(load.cutShort);
    EXPECT_EQ(table->lineCount, 3);
    EXPECT_EQ(table->lines[2], "two");
}

TEST_F(LyricPair, LaterLoadsOverwriteOnlyTheirSlots)
{
    writeLyric("0,\"a1\"\r\n10,\"a2\"\r\n20,\"a3\"\r\n");
    writeTranslation("0,\"t1\"\r\n10,\"t2\"\r\n20,\"t3\"\r\n");
    loadLyricPair(media, *table);

    // The next song: a shorter lyric without translation.
    const QString other = dir.filePath("Sun.ogg");
    write(lyricPathOf(other), "5,\"b1\"\r\n");
    EXPECT_EQ(loadLyricPair(other, *table).outcome, LyricLoad::Outcome::LyricOnly);
    EXPECT_EQ(table->lineCount, 2);
    EXPECT_TRUE(table->noTranslation);
    EXPECT_EQ(table->lines[1], "b1");
    // The list copies are emptied in every slot; the other columns keep what
    // the earlier load left above the new lines, and no translated slot is
    // written.
    EXPECT_EQ(table->listLines[2], "");
    EXPECT_EQ(table->listTranslatedLines[1], "");
    EXPECT_EQ(table->lines[2], "a2");
    EXPECT_EQ(table->translatedLines[1], "t1");
}

TEST_F(LyricPair, TranslationCountsAreNotCompared)
{
    writeLyric("0,\"a1\"\r\n10,\"a2\"\r\n20,\"a3\"\r\n");
    writeTranslation("0,\"t1\"\r\n");
    EXPECT_EQ(loadLyricPair(media, *table).outcome, LyricLoad::Outcome::WithTranslation);
    EXPECT_EQ(table->lineCount, 4);
    EXPECT_EQ(table->translatedLines[1], "t1");
    EXPECT_EQ(table->translatedLines[2], "");
}

TEST_F(LyricPair, UnreadableFileIsReported)
{
    // A folder where the lyric file should be is not a lyric.
    QDir(dir.path()).mkdir("Rain.mp3-lyric.txt");
    EXPECT_EQ(loadLyricPair(media, *table).outcome, LyricLoad::Outcome::NoLyricFile);

    writeTranslation("0,\"t\"\r\n");
    const QString other = dir.filePath("Dir.mp3");
    write(lyricPathOf(other), "0,\"x\"\r\n");
    QDir(dir.path()).mkdir("Dir.mp3-Tlyric.txt");
    EXPECT_EQ(loadLyricPair(other, *table).outcome, LyricLoad::Outcome::LyricOnly);
}
