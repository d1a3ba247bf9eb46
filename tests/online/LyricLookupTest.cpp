// Finding a song's lyric: the exact signature, then the best search result,
// the answers kept, and what a broken server makes of it.
#include "OnlineFixture.h"
#include "online/MatchRule.h"

namespace cantorel::testing {
namespace {

using online::LookupResult;
using Outcome = online::LookupResult::Outcome;

const QString kSynced = QStringLiteral("[00:01.00]Rain on the river\n[00:02.50]Falls");

online::SongSignature signature(const char* title, const char* artist, const char* album, qint64 lengthMs)
{
    return {QLatin1String(title), QLatin1String(artist), QLatin1String(album), lengthMs};
}

TEST_F(OnlineTest, TheExactSignatureComesFirstThenTheBestSearchResult)
{
    online::LrclibClient client(options());
    online::LyricLookup lookup(client, nullptr);
    const qint64 exact = server.add(lrclibRecord("Rain", "Nina", "Skies", 200, kSynced));
    LookupResult r = resultOf(lookup.find(signature("Rain", "Nina", "Skies", 200'400)));
    EXPECT_EQ(r.outcome, Outcome::Synced);
    EXPECT_EQ(r.record.id, exact);
    EXPECT_EQ(server.requestCount("/api/search"), 0);

    // Another album of the song: the search's best match within 2 s, a synced
    // lyric before a plain one, the nearer duration first.
    server.add(lrclibRecord("Wind", "Nina", "A", 180, QString(), QStringLiteral("Wind plain")));
    server.add(lrclibRecord("Wind", "Nina", "B", 183, kSynced));
    const qint64 best = server.add(lrclibRecord("Wind", "Nina", "C", 182, kSynced));
    server.add(lrclibRecord("Wind", "Nina", "D", 181.5, QStringLiteral("no time tags here")));
    r = resultOf(lookup.find(signature("Wind", "Nina", "Live", 180'000)));
    EXPECT_EQ(r.outcome, Outcome::Synced);
    EXPECT_EQ(r.record.id, best);
    EXPECT_EQ(server.requests().last().path, "/api/search");

    // Only a plain lyric near enough; nothing near enough at all.
    server.add(lrclibRecord("Sun", "Nina", "A", 100, QString(), QStringLiteral("Sun\n\nshines")));
    EXPECT_EQ(resultOf(lookup.find(signature("Sun", "Nina", "", 101'000))).outcome, Outcome::Plain);
    EXPECT_EQ(resultOf(lookup.find(signature("Sun", "Nina", "", 110'000))).outcome, Outcome::NotFound);

    // Without an artist only a search can find it.
    const int exactAsked = server.requestCount("/api/get");
    EXPECT_EQ(resultOf(lookup.find(signature("Sun", "", "", 100'000))).outcome, Outcome::Plain);
    EXPECT_EQ(server.requestCount("/api/get"), exactAsked);

    server.add(lrclibRecord("Hum", "Nina", "", 90, QString(), QString(), true));
    EXPECT_EQ(resultOf(lookup.find(signature("Hum", "Nina", "", 90'000))).outcome, Outcome::Instrumental);
}

TEST(LyricMatchRule, TakesTheBestKindWithinTwoSecondsAndAnyLengthWhenUnknown)
{
    auto record = [](double seconds, const char* synced, const char* plain) {
        online::LrclibRecord r;
        r.durationSeconds = seconds;
        r.syncedLyrics = QLatin1String(synced);
        r.plainLyrics = QLatin1String(plain);
        return r;
    };
    const QList<online::LrclibRecord> records {record(200, "", "plain"), record(197, "[00:01]a", ""),
                                               record(201.5, "[00:01]b", ""), record(200, "", "")};
    EXPECT_EQ(online::bestMatch(records, 200), 2);
    EXPECT_EQ(online::bestMatch(records, 197), 1);
    EXPECT_EQ(online::bestMatch(records, 0), 1); // unknown length: the first synced one
    EXPECT_EQ(online::bestMatch(records, 150), -1);
    EXPECT_EQ(online::rankedForShowing(records, 200).first(), records[2]);
}

TEST_F(OnlineTest, AnswersAreKeptSoASongIsNotAskedTwice)
{
    QDateTime now = QDateTime::currentDateTimeUtc();
    const online::AnswerCache cache(dir.filePath(QStringLiteral("answers")), [&] { return now; });
    online::LrclibClient client(options());
    online::LyricLookup lookup(client, &cache);
    const auto song = signature("Ghost", "Nina", "", 150'000);

    EXPECT_EQ(resultOf(lookup.find(song)).outcome, Outcome::NotFound);
    const int asked = int(server.requests().size());
    LookupResult again = resultOf(lookup.find(song));
    EXPECT_EQ(again.outcome, Outcome::NotFound);
    EXPECT_TRUE(again.fromCache);
    EXPECT_EQ(server.requests().size(), asked);

    // "Not found" holds for a week; then the server is asked again.
    server.add(lrclibRecord("Ghost", "Nina", "", 150, kSynced));
    now = now.addDays(6);
    EXPECT_EQ(resultOf(lookup.find(song)).outcome, Outcome::NotFound);
    now = now.addDays(2);
    EXPECT_EQ(resultOf(lookup.find(song)).outcome, Outcome::Synced);
    EXPECT_TRUE(resultOf(lookup.find(song)).fromCache);

    // A failure is never kept; a kept file that is garbage is no answer.
    server.answerFirst([](const FakeRequest& r) -> std::optional<FakeAnswer> {
        static int failures = 1;
        if (r.query.value("track_name") != QLatin1String("Storm") || failures-- <= 0)
            return std::nullopt;
        return FakeAnswer {503, "{}"};
    });
    server.add(lrclibRecord("Storm", "Nina", "", 150, kSynced));
    const auto storm = signature("Storm", "Nina", "", 150'000);
    EXPECT_EQ(resultOf(lookup.find(storm)).outcome, Outcome::Failed);
    writeFile(cache.fileOf(client.options().server.toString(), storm), "\x01garbage{");
    EXPECT_EQ(resultOf(lookup.find(storm)).outcome, Outcome::Synced);
}

TEST_F(OnlineTest, ABrokenAnswerIsAFailureThatSaysSoNeverALyric)
{
    server.answerFirst([](const FakeRequest& r) -> std::optional<FakeAnswer> {
        if (r.query.value("track_name") == QLatin1String("Torn"))
            return FakeAnswer {200, R"({"id": 1, "trackName": "Torn", "synced)"};
        if (r.query.value("track_name") == QLatin1String("Odd") && r.path == QLatin1String("/api/search"))
            return FakeAnswer {200, R"({"id": 1, "trackName": "Odd"})"};
        return std::nullopt;
    });
    online::LrclibClient client(options());
    online::LyricLookup lookup(client, nullptr);
    const LookupResult torn = resultOf(lookup.find(signature("Torn", "Nina", "", 100'000)));
    EXPECT_EQ(torn.outcome, Outcome::Failed);
    EXPECT_TRUE(torn.error.contains("not valid JSON")) << torn.error.toStdString();
    const LookupResult odd = resultOf(lookup.find(signature("Odd", "Nina", "", 100'000)));
    EXPECT_EQ(odd.outcome, Outcome::Failed);
    EXPECT_TRUE(odd.error.contains("not a list")) << odd.error.toStdString();
}

} // namespace
} // namespace cantorel::testing
