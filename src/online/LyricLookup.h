#pragma once
// Finding a song's lyric on an LRCLIB server from its signature:
//   1. the answer kept from an earlier look-up (AnswerCache.h), if any;
//   2. /api/get with title, artist, album and duration (skipped when the
//      artist or the length is unknown);
//   3. when that finds nothing, /api/search with title and artist, and the
//      best record by the match rule (MatchRule.h): a duration within 2 s,
//      a synced lyric before a plain one.
// The answer ("not found" too, never a failure) is kept for next time.
//
// This needs no song file: anything that knows a song's title, artist,
// album and length (a player followed over the session bus) can ask.
//
// Threads: the client's. A job's finished() comes once, later, from the
// event loop (also for an answer from the cache), unless it was cancelled.
#include "online/AnswerCache.h"
#include "online/LrclibClient.h"
#include "online/LrclibRecord.h"
#include "online/SongSignature.h"

#include <QObject>
#include <QPointer>

namespace cantorel::online {

struct LookupResult {
    enum class Outcome {
        Synced,       // `record` has a timed lyric
        Plain,        // `record` has only a plain lyric
        Instrumental, // the server says the song has no words
        NotFound,
        Failed, // `error` says why, for the user
    };
    Outcome outcome = Outcome::Failed;
    LrclibRecord record;
    QString error;
    bool fromCache = false;

    bool found() const { return outcome == Outcome::Synced || outcome == Outcome::Plain; }
};

// What a record gives a song: Synced when its synced text holds timed
// lines, else Plain when its plain text holds lines, else Instrumental when
// it says so, else NotFound.
LookupResult::Outcome outcomeOf(const LrclibRecord& record);

class LookupJob : public QObject {
    Q_OBJECT
public:
    // Ends the job: no finished() from now on; the request on its way is
    // dropped.
    void cancel();

Q_SIGNALS:
    void finished(const cantorel::online::LookupResult& result);

private:
    friend class LyricLookup;
    LookupJob(LrclibClient& client, const AnswerCache* cache, SongSignature song, bool keepAnswer, QObject* parent);
    void askExact();
    void askSearch();
    void finish(LookupResult result);
    void follow(ServerRequest* request, void (LookupJob::*handler)(const ServerAnswer&));
    void exactAnswered(const ServerAnswer& answer);
    void searchAnswered(const ServerAnswer& answer);

    LrclibClient& m_client;
    const AnswerCache* m_cache;
    SongSignature m_song;
    bool m_keepAnswer;
    QPointer<ServerRequest> m_request;
    bool m_done = false;
};

class LyricLookup : public QObject {
    Q_OBJECT
public:
    // `cache` (null: none) is read and written; it and `client` must
    // outlive this.
    LyricLookup(LrclibClient& client, const AnswerCache* cache, QObject* parent = nullptr);

    // Looks `song` up. `useCache` false: the kept answers are neither read
    // nor written here (a caller that does both off this thread).
    LookupJob* find(const SongSignature& song, bool useCache = true);

    LrclibClient& client() { return m_client; }
    const AnswerCache* cache() const { return m_cache; }

private:
    LrclibClient& m_client;
    const AnswerCache* m_cache;
};

} // namespace cantorel::online
