#include "online/LyricLookup.h"

#include "online/FetchedLyric.h"
#include "online/MatchRule.h"

#include <QTimer>

namespace cantorel::online {

LookupResult::Outcome outcomeOf(const LrclibRecord& record)
{
    using Outcome = LookupResult::Outcome;
    if (record.hasSynced() && !timedLyricOf(record).lines.isEmpty())
        return Outcome::Synced;
    if (record.hasPlain() && !plainLinesOf(record).isEmpty())
        return Outcome::Plain;
    return record.instrumental ? Outcome::Instrumental : Outcome::NotFound;
}

namespace {

LookupResult resultOf(const LrclibRecord& record)
{
    LookupResult r;
    r.outcome = outcomeOf(record);
    if (r.outcome != LookupResult::Outcome::NotFound)
        r.record = record;
    return r;
}

LookupResult failure(const QString& why)
{
    LookupResult r;
    r.error = why;
    return r;
}

} // namespace

LookupJob::LookupJob(LrclibClient& client, const AnswerCache* cache, SongSignature song, bool keepAnswer,
                     QObject* parent)
    : QObject(parent), m_client(client), m_cache(cache), m_song(std::move(song)), m_keepAnswer(keepAnswer)
{}

void LookupJob::cancel()
{
    m_done = true;
    if (m_request)
        m_request->cancel();
    deleteLater();
}

void LookupJob::follow(ServerRequest* request, void (LookupJob::*handler)(const ServerAnswer&))
{
    m_request = request;
    connect(request, &ServerRequest::finished, this, handler);
}

void LookupJob::askExact()
{
    // The exact look-up needs every part of the signature the server
    // compares; without them only a search can find the song.
    if (m_song.artist.isEmpty() || m_song.durationSeconds() <= 0) {
        askSearch();
        return;
    }
    follow(m_client.get(m_song), &LookupJob::exactAnswered);
}

void LookupJob::exactAnswered(const ServerAnswer& answer)
{
    if (answer.status == ServerAnswer::Status::Failed) {
        finish(failure(answer.error));
        return;
    }
    if (answer.status == ServerAnswer::Status::Ok) {
        QString error;
        const auto record = parseRecord(answer.body, &error);
        if (!record) {
            finish(failure(error));
            return;
        }
        LookupResult result = resultOf(*record);
        if (result.outcome != LookupResult::Outcome::NotFound) {
            finish(result);
            return;
        }
    }
    askSearch();
}

void LookupJob::askSearch()
{
    follow(m_client.search(m_song.title, m_song.artist), &LookupJob::searchAnswered);
}

void LookupJob::searchAnswered(const ServerAnswer& answer)
{
    if (answer.status == ServerAnswer::Status::NotFound) {
        finish({LookupResult::Outcome::NotFound, {}, {}, false});
        return;
    }
    if (answer.status == ServerAnswer::Status::Failed) {
        finish(failure(answer.error));
        return;
    }
    QString error;
    const auto records = parseRecords(answer.body, &error);
    if (!records) {
        finish(failure(error));
        return;
    }
    // Records that only look like lyrics (a synced text without a time)
    // are passed over for the next best.
    QList<LrclibRecord> usable;
    for (const LrclibRecord& r : *records) {
        if (outcomeOf(r) != LookupResult::Outcome::NotFound)
            usable << r;
    }
    const int best = bestMatch(usable, m_song.durationSeconds());
    finish(best < 0 ? LookupResult {LookupResult::Outcome::NotFound, {}, {}, false} : resultOf(usable[best]));
}

void LookupJob::finish(LookupResult result)
{
    if (m_done)
        return;
    m_done = true;
    if (m_keepAnswer && m_cache && !result.fromCache) {
        const QString server = m_client.options().server.toString();
        if (result.outcome == LookupResult::Outcome::NotFound)
            m_cache->keepNotFound(server, m_song);
        else if (result.outcome != LookupResult::Outcome::Failed)
            m_cache->keepFound(server, m_song, result.record);
    }
    deleteLater();
    Q_EMIT finished(result);
}

LyricLookup::LyricLookup(LrclibClient& client, const AnswerCache* cache, QObject* parent)
    : QObject(parent), m_client(client), m_cache(cache)
{}

LookupJob* LyricLookup::find(const SongSignature& song, bool useCache)
{
    auto* job = new LookupJob(m_client, useCache ? m_cache : nullptr, song, useCache, this);
    std::optional<CachedAnswer> kept;
    if (useCache && m_cache)
        kept = m_cache->answer(m_client.options().server.toString(), song);
    // Always later, so that a caller connects before the answer comes.
    QTimer::singleShot(0, job, [job, kept] {
        if (!kept) {
            job->askExact();
            return;
        }
        LookupResult r =
            kept->found ? resultOf(kept->record) : LookupResult {LookupResult::Outcome::NotFound, {}, {}, false};
        r.fromCache = true;
        job->finish(r);
    });
    return job;
}

} // namespace cantorel::online
