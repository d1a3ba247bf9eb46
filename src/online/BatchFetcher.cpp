#include "online/BatchFetcher.h"

#include "base/FileNames.h"
#include "engine/SoundSource.h"

#include <QTimer>

namespace cantorel::online {

namespace {

using Kind = SongReport::Kind;

SongReport report(const QString& path, Kind kind, const QString& detail = QString())
{
    return {path, kind, detail, false};
}

SongReport reportOf(const QString& path, const WrittenLyric& w)
{
    switch (w.kind) {
    case WrittenLyric::Kind::Synced:
        return report(path, Kind::FoundSynced, w.written);
    case WrittenLyric::Kind::Plain:
        return report(path, Kind::FoundPlain, w.written);
    case WrittenLyric::Kind::Instrumental:
        return report(path, Kind::Instrumental);
    case WrittenLyric::Kind::HasLyric:
        return report(path, Kind::HasLyric, w.existing);
    case WrittenLyric::Kind::Failed:
    case WrittenLyric::Kind::ReadOnly:
        return report(path, Kind::Failed, w.error);
    case WrittenLyric::Kind::Nothing:
        break;
    }
    return report(path, Kind::NotFound);
}

// What is known of a song before anyone is asked. Runs on a worker, so it
// takes copies of all it needs.
struct PrepareTask {
    int index;
    QString path;
    bool replace;
    std::function<qint64(const QString&)> lengthOf;
    std::optional<AnswerCache> cache;
    QString server;

    PreparedSong operator()() const
    {
        PreparedSong p {index, {}, {}, {}};
        const FileFacts facts = fileFacts(path);
        if (!facts.isFile) {
            p.early = report(path, Kind::Failed, QStringLiteral("there is no such file"));
            return p;
        }
        if (!replace) {
            if (const QString existing = existingLyricOf(path, false); !existing.isEmpty()) {
                p.early = report(path, Kind::HasLyric, existing);
                return p;
            }
        }
        const qint64 lengthMs = lengthOf(path);
        if (lengthMs <= 0) {
            p.early = report(path, Kind::Failed, QStringLiteral("the audio engine cannot open it"));
            return p;
        }
        p.song = signatureOfSong(path, lengthMs);
        if (cache)
            p.kept = cache->answer(server, p.song);
        return p;
    }
};

} // namespace

BatchFetcher::BatchFetcher(LyricLookup& lookup, Options options, QObject* parent)
    : QObject(parent), m_lookup(lookup), m_options(std::move(options)),
      m_server(lookup.client().options().server.toString())
{
    m_options.jobs = qBound(1, m_options.jobs, 16);
    if (!m_options.lengthOf)
        m_options.lengthOf = engine::exactLengthMs;
    if (lookup.cache())
        m_cache = *lookup.cache();
}

BatchFetcher::~BatchFetcher()
{
    cancel();
}

void BatchFetcher::start(const QStringList& mediaPaths)
{
    cancel();
    m_paths = mediaPaths;
    m_counts = {};
    m_counts.total = int(mediaPaths.size());
    m_next = 0;
    m_preparing = 0;
    m_running = true;
    m_workers = std::make_unique<OffThread>(this);
    if (m_paths.isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            if (m_running && m_paths.isEmpty()) {
                m_running = false;
                Q_EMIT finished(m_counts, false);
            }
        });
        return;
    }
    fill();
}

void BatchFetcher::cancel()
{
    if (!m_running)
        return;
    m_running = false;
    m_workers.reset();
    for (const QPointer<LookupJob>& job : std::as_const(m_jobs)) {
        if (job)
            job->cancel();
    }
    m_jobs.clear();
    m_waiting.clear();
    Q_EMIT finished(m_counts, true);
}

void BatchFetcher::fill()
{
    // Songs are read ahead of the look-ups, but not the whole list at once.
    const int ahead = 2 * m_options.jobs;
    while (m_next < m_paths.size() && m_preparing + int(m_waiting.size()) < ahead) {
        const int index = m_next++;
        ++m_preparing;
        PrepareTask task {index, m_paths[index], m_options.replace, m_options.lengthOf, m_cache, m_server};
        m_workers->run<PreparedSong>(task, [this](const PreparedSong& p) {
            --m_preparing;
            prepared(p);
        });
    }
}

void BatchFetcher::prepared(const PreparedSong& p)
{
    if (!m_running)
        return;
    if (p.early) {
        done(*p.early);
    } else if (p.kept) {
        LookupResult r;
        r.outcome = p.kept->found ? outcomeOf(p.kept->record) : LookupResult::Outcome::NotFound;
        r.record = p.kept->record;
        r.fromCache = true;
        looked(p.index, p.song, r);
    } else {
        m_waiting.push_back(p);
        startLookUps();
    }
    fill();
}

void BatchFetcher::startLookUps()
{
    m_jobs.removeAll(nullptr);
    while (m_running && m_jobs.size() < m_options.jobs && !m_waiting.empty()) {
        const PreparedSong p = m_waiting.front();
        m_waiting.pop_front();
        LookupJob* job = m_lookup.find(p.song, false);
        m_jobs << job;
        connect(job, &LookupJob::finished, this,
                [this, index = p.index, song = p.song](const LookupResult& r) { looked(index, song, r); });
    }
}

void BatchFetcher::looked(int index, const SongSignature& song, const LookupResult& result)
{
    if (!m_running)
        return;
    const QString path = m_paths[index];
    const bool replace = m_options.replace;
    const std::optional<AnswerCache> cache = result.fromCache ? std::nullopt : m_cache;
    const QString server = m_server;
    m_workers->run<SongReport>(
        [path, song, result, replace, cache, server] {
            if (result.outcome == LookupResult::Outcome::Failed)
                return SongReport {path, Kind::Failed, result.error, true};
            if (cache && result.outcome == LookupResult::Outcome::NotFound)
                cache->keepNotFound(server, song);
            else if (cache)
                cache->keepFound(server, song, result.record);
            return reportOf(path, writeFoundLyric(path, result, replace));
        },
        [this](const SongReport& r) { done(r); });
    startLookUps();
}

void BatchFetcher::done(const SongReport& r)
{
    if (!m_running)
        return;
    ++m_counts.done;
    switch (r.kind) {
    case Kind::FoundSynced:
        ++m_counts.synced;
        break;
    case Kind::FoundPlain:
        ++m_counts.plain;
        break;
    case Kind::Instrumental:
        ++m_counts.instrumental;
        break;
    case Kind::NotFound:
        ++m_counts.notFound;
        break;
    case Kind::HasLyric:
        ++m_counts.hasLyric;
        break;
    case Kind::Failed:
        ++m_counts.failed;
        break;
    }
    Q_EMIT songDone(r);
    Q_EMIT progress(m_counts);
    if (m_counts.done >= m_counts.total) {
        m_running = false;
        m_workers.reset();
        Q_EMIT finished(m_counts, false);
        return;
    }
    fill();
    startLookUps();
}

} // namespace cantorel::online
