// What a found lyric becomes on disk, and the limits a server's text is
// held to.
#include "OnlineFixture.h"
#include "lyrics/LrcWriter.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricSource.h"
#include "online/FetchedLyric.h"
#include "online/FoundLyricFiles.h"
#include "support/LyricSongs.h"

#include <QFile>

namespace cantorel::testing {
namespace {

using online::LookupResult;
using Kind = online::WrittenLyric::Kind;

LookupResult found(LookupResult::Outcome outcome, const QString& synced, const QString& plain = QString())
{
    LookupResult r;
    r.outcome = outcome;
    r.record.id = 1;
    r.record.trackName = QStringLiteral("../../evil"); // never a file name
    r.record.syncedLyrics = synced;
    r.record.plainLyrics = plain;
    return r;
}

TEST_F(OnlineTest, AFoundLyricGoesWhereThePlayerLooksAndNothingOfTheUsersIsLost)
{
    const auto synced = found(LookupResult::Outcome::Synced, QStringLiteral("[00:01.00]Pluie\n[00:02.00]Été"));
    const QString rain = song(QStringLiteral("Rain.ogg"));
    online::WrittenLyric w = online::writeFoundLyric(rain, synced, false);
    EXPECT_EQ(w.kind, Kind::Synced);
    EXPECT_EQ(w.written, dir.filePath(QStringLiteral("Rain.lrc")));
    EXPECT_TRUE(readFile(w.written).contains("[00:02.00]\xC3\x89t\xC3\xA9")); // UTF-8
    lyrics::LyricTable table;
    const lyrics::FoundLyric loaded = lyrics::loadLyric(rain, table);
    EXPECT_EQ(loaded.origin.kind, lyrics::LyricOrigin::Kind::LrcFile);
    EXPECT_EQ(table.loadedLines(), 2);

    // The song's own lyric pair stays, unless the user asks for the new one:
    // then the pair goes to its backups, or the player would go on using it.
    const QString wind = song(QStringLiteral("Wind.ogg"));
    writeFile(lyrics::lyricPathOf(wind), lyricRecords({{100, "Mine"}}));
    w = online::writeFoundLyric(wind, synced, false);
    EXPECT_EQ(w.kind, Kind::HasLyric);
    EXPECT_EQ(w.existing, "Wind.ogg-lyric.txt");
    EXPECT_FALSE(QFile::exists(online::syncedTargetOf(wind)));
    w = online::writeFoundLyric(wind, synced, true);
    EXPECT_EQ(w.kind, Kind::Synced);
    EXPECT_EQ(w.backups.size(), 1);
    EXPECT_EQ(readFile(lyrics::lyricPathOf(wind) + QStringLiteral(".bak")), lyricRecords({{100, "Mine"}}));
    EXPECT_EQ(lyrics::loadLyric(wind, table).origin.kind, lyrics::LyricOrigin::Kind::LrcFile);

    // A plain lyric alone becomes the text the Lyric Maker times; a text
    // already there is the user's.
    const QString sun = song(QStringLiteral("Sun.ogg"));
    const auto plain = found(LookupResult::Outcome::Plain, QString(), QStringLiteral("Sun\r\n\r\nshines\n"));
    EXPECT_EQ(online::writeFoundLyric(sun, plain, false).kind, Kind::Plain);
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("Sun.txt"))), "Sun\r\nshines\r\n");
    EXPECT_EQ(online::writeFoundLyric(sun, plain, false).kind, Kind::HasLyric);
    // ... and never takes the place of a timed lyric.
    EXPECT_EQ(online::writeFoundLyric(rain, plain, true).kind, Kind::HasLyric);

    const QString hum = song(QStringLiteral("Hum.ogg"));
    EXPECT_EQ(online::writeFoundLyric(hum, found(LookupResult::Outcome::Instrumental, {}), false).kind,
              Kind::Instrumental);
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("Hum*")}), QStringList {QStringLiteral("Hum.ogg")});

    // A read-only LRC file is refused, and left as it was.
    const QString dew = song(QStringLiteral("Dew.ogg"));
    writeFile(online::syncedTargetOf(dew), "no time tags");
    QFile::setPermissions(online::syncedTargetOf(dew), QFile::ReadOwner);
    w = online::writeFoundLyric(dew, synced, true);
    EXPECT_EQ(w.kind, Kind::ReadOnly);
    EXPECT_EQ(readFile(online::syncedTargetOf(dew)), "no time tags");
}

TEST(FetchedLyric, IsHeldToTheLimitsOfALocalLyricFile)
{
    online::LrclibRecord r;
    QString synced;
    for (int i = 0; i < 1500; ++i)
        synced += QStringLiteral("[%1:%2.00]line %3\n").arg(i / 60).arg(i % 60, 2, 10, QLatin1Char('0')).arg(i);
    synced.prepend(QStringLiteral("[00:00.50]bell\x07 ") + QString(5000, QLatin1Char('a')) + QLatin1Char('\n'));
    r.syncedLyrics = synced;
    r.plainLyrics = synced;
    bool cut = false;
    const lyrics::TimedLyric lyric = online::timedLyricOf(r, &cut);
    EXPECT_TRUE(cut);
    EXPECT_EQ(lyric.lines.size(), 1200);
    EXPECT_EQ(lyric.lines[1].text.size(), 1000);
    EXPECT_TRUE(lyric.lines[1].text.startsWith(QStringLiteral("bell a")));
    const QStringList plain = online::plainLinesOf(r, &cut);
    EXPECT_TRUE(cut);
    EXPECT_EQ(plain.size(), 1200);
    EXPECT_EQ(plain[0].size(), 1000);
}

TEST(FetchedLyric, AnEnhancedLrcFromTheServerKeepsItsWordTimes)
{
    online::LrclibRecord r;
    r.syncedLyrics = QStringLiteral("[00:12.00]<00:12.00>Shine <00:12.80>on <00:13.40>me<00:14.10>\n[00:15.00]plain\n");
    bool cut = false;
    EXPECT_EQ(lyrics::lrcText(online::timedLyricOf(r, &cut)),
              "[00:12.00]<00:12.00>Shine <00:12.80>on <00:13.40>me<00:14.10>\r\n[00:15.00]plain\r\n");
    EXPECT_FALSE(cut);
}

} // namespace
} // namespace cantorel::testing
