#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricSource.h"
#include "lyrics/LyricTransfer.h"

#include "support/TestFiles.h"
#include "support/TimedLinePrint.h"
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace cantorel::lyrics;
using cantorel::testing::readFile;
using cantorel::testing::writeFile;

namespace {

QString pairFile(const QList<std::pair<double, QString>>& records)
{
    QString text;
    for (const auto& [time, line] : records)
        text += lyricRecord(time, escapeLine(line));
    return text;
}

} // namespace

TEST(LrcRoundTrip, PairToLrcToPairKeepsEveryLineAndTimeToTheHundredth)
{
    QTemporaryDir dir;
    const QString song = dir.filePath("Rain.mp3");
    writeFile(lyricPathOf(song), pairFile({{0, "Intro"}, {0, "Same \"time\", too"}, {123.4, ""},
                                           {1234.5, "h1416 <b>"}, {600000, "Late, very late"}}).toUtf8());
    writeFile(translatedLyricPathOf(song), pairFile({{0, "Début"}, {0, ""}, {123.4, "…"}, {1234.5, "x"}}).toUtf8());

    const LyricTransfer out = exportLrc(song, defaultLrcPathOf(song));
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    EXPECT_EQ(out.written, dir.filePath("Rain.lrc"));
    EXPECT_EQ(QString::fromUtf8(readFile(out.written)).split("\r\n").mid(0, 4),
              (QStringList{"[00:00.00]Intro", "[00:00.00]Début", "[00:00.01]Same \"time\", too", "[00:00.01]"}));

    const QString copy = dir.filePath("Copy.mp3");
    const LyricTransfer in = importLrc(out.written, copy);
    ASSERT_TRUE(in.ok) << in.error.toStdString();
    FoundLyric a, b;
    const TimedLyric before = readLyric(song, &a);
    const TimedLyric after = readLyric(copy, &b);
    EXPECT_EQ(b.origin.kind, LyricOrigin::Kind::Pair);
    ASSERT_EQ(after.lines.size(), before.lines.size());
    EXPECT_TRUE(after.translated);
    for (int i = 0; i < before.lines.size(); ++i) {
        EXPECT_EQ(after.lines[i].text, before.lines[i].text);
        EXPECT_EQ(after.lines[i].translation, before.lines[i].translation);
        EXPECT_LE(std::abs(after.lines[i].timeCentis - before.lines[i].timeCentis), 1) << i;
    }
}

TEST(LrcRoundTrip, ImportKeepsTheOldPairAndExportTheOldFile)
{
    QTemporaryDir dir;
    const QString song = dir.filePath("Rain.mp3");
    const QString lrc = dir.filePath("new.lrc");
    writeFile(lyricPathOf(song), "0,\"old\"\r\n");
    writeFile(lyricPathOf(song) + ".bak", "0,\"older\"\r\n");
    writeFile(translatedLyricPathOf(song), "0,\"old translation\"\r\n");
    writeFile(lrc, "[offset:500]\n[00:01.00]new");

    const LyricTransfer in = importLrc(lrc, song);
    ASSERT_TRUE(in.ok);
    EXPECT_EQ(readFile(lyricPathOf(song)), "50,\"new\"\r\n");
    EXPECT_EQ(readFile(lyricPathOf(song) + ".bak"), "0,\"old\"\r\n");
    EXPECT_EQ(readFile(lyricPathOf(song) + ".bak.1"), "0,\"older\"\r\n");
    // No translation in the LRC: the old one is set aside, not left to pair
    // with lines it does not belong to.
    EXPECT_FALSE(QFile::exists(translatedLyricPathOf(song)));
    EXPECT_EQ(readFile(translatedLyricPathOf(song) + ".bak"), "0,\"old translation\"\r\n");

    EXPECT_FALSE(importLrc(lyricPathOf(song), song).ok); // no time tag: not an LRC
    EXPECT_EQ(readFile(lyricPathOf(song)), "50,\"new\"\r\n");

    EXPECT_TRUE(exportLrc(song, lrc).ok);
    EXPECT_EQ(readFile(lrc), "[00:00.50]new\r\n");
    EXPECT_EQ(readFile(lrc + ".bak"), "[offset:500]\n[00:01.00]new");
    for (const QString& own : {song, lyricPathOf(song)})
        EXPECT_FALSE(exportLrc(song, own).ok);
    EXPECT_FALSE(exportLrc(dir.filePath("Silent.mp3"), lrc).ok);
    EXPECT_EQ(readFile(lrc), "[00:00.50]new\r\n");
}
