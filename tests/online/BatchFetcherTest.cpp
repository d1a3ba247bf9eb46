// Fetching the missing lyrics of many songs: four look-ups at a time, every
// outcome counted, nothing asked twice, and a cancel that ends it at once.
#include "OnlineFixture.h"
#include "lyrics/LyricFiles.h"
#include "online/BatchFetcher.h"
#include "support/LyricSongs.h"

#include <QFile>

namespace cantorel::testing {
namespace {

using online::BatchCounts;
using online::BatchFetcher;

struct BatchRun {
    std::optional<BatchCounts> counts;
    bool cancelled = false;
    QList<online::SongReport> reports;
};

void follow(BatchFetcher& fetcher, BatchRun& run)
{
    QObject::connect(&fetcher, &BatchFetcher::songDone, [&](const online::SongReport& r) { run.reports << r; });
    QObject::connect(&fetcher, &BatchFetcher::finished, [&](const BatchCounts& c, bool cancelled) {
        run.counts = c;
        run.cancelled = cancelled;
    });
}

TEST_F(OnlineTest, TheBatchAsksFourAtATimeCountsEveryOutcomeAndNeverAsksTwice)
{
    const QString synced = QStringLiteral("[00:00.50]Hello");
    QStringList songs;
    for (int i = 0; i < 5; ++i) {
        const QByteArray title = "Found " + QByteArray::number(i);
        songs << song(QString::fromLatin1(title) + QStringLiteral(".ogg"), title.constData(), "Nina", "Skies");
        server.add(
            lrclibRecord(QString::fromLatin1(title), QStringLiteral("Nina"), QStringLiteral("Skies"), 2, synced));
    }
    songs << song(QStringLiteral("Nina - Plain.ogg")); // signature from the file name
    server.add(lrclibRecord(QStringLiteral("Plain"), QStringLiteral("Nina"), QString(), 2, {}, QStringLiteral("a\nb")));
    songs << song(QStringLiteral("Hum.ogg"), "Hum", "Nina");
    server.add(lrclibRecord(QStringLiteral("Hum"), QStringLiteral("Nina"), QString(), 2, {}, {}, true));
    songs << song(QStringLiteral("Ghost.ogg"), "Ghost", "Nina");
    songs << song(QStringLiteral("Mine.ogg"), "Mine", "Nina");
    writeFile(lyrics::lyricPathOf(songs.last()), lyricRecords({{100, "Mine"}}));
    songs << dir.filePath(QStringLiteral("Gone.ogg"));
    server.setLatencyMs(30);

    online::LrclibClient client(options());
    const online::AnswerCache cache(dir.filePath(QStringLiteral("answers")));
    online::LyricLookup lookup(client, &cache);
    BatchFetcher fetcher(lookup, {});
    BatchRun run;
    follow(fetcher, run);
    fetcher.start(songs);
    ASSERT_TRUE(waitUntil([&] { return run.counts.has_value(); }, 20000));
    EXPECT_FALSE(run.cancelled);
    EXPECT_EQ(*run.counts, (BatchCounts {10, 10, 5, 1, 1, 1, 1, 1}));
    EXPECT_EQ(run.reports.size(), 10);
    EXPECT_LE(server.mostAtOnce(), 4);
    EXPECT_GE(server.mostAtOnce(), 2);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Found 3.lrc"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Nina - Plain.txt"))));

    // Again: what was found is a lyric now, what was not is remembered.
    const int asked = int(server.requests().size());
    run = {};
    fetcher.start(songs);
    ASSERT_TRUE(waitUntil([&] { return run.counts.has_value(); }, 20000));
    EXPECT_EQ(*run.counts, (BatchCounts {10, 10, 0, 0, 1, 1, 7, 1}));
    EXPECT_EQ(server.requests().size(), asked);
}

TEST_F(OnlineTest, ACancelledBatchEndsAtOnceAndSaysNothingMore)
{
    server.answerFirst([](const FakeRequest&) { return std::optional<FakeAnswer>(FakeAnswer {200, {}, true}); });
    QStringList songs;
    for (int i = 0; i < 12; ++i)
        songs << song(QStringLiteral("S%1.ogg").arg(i), "Title", "Nina");
    online::LrclibClient client(options(60000));
    online::LyricLookup lookup(client, nullptr);
    BatchFetcher fetcher(lookup, {});
    BatchRun run;
    follow(fetcher, run);
    fetcher.start(songs);
    ASSERT_TRUE(waitUntil([&] { return server.requests().size() == 4; }));
    fetcher.cancel();
    ASSERT_TRUE(run.counts.has_value());
    EXPECT_TRUE(run.cancelled);
    EXPECT_EQ(run.counts->done, 0);
    EXPECT_FALSE(fetcher.running());
    // Work already under way comes to nothing.
    QCoreApplication::processEvents();
    EXPECT_TRUE(run.reports.isEmpty());
}

} // namespace
} // namespace cantorel::testing
