#pragma once
// Fetching the lyrics a list of songs lacks (the playlist's "Fetch missing
// lyrics", `cantorel-lyrics fetch`): for each song, off the window thread,
// whether it has a lyric already, its signature (tags, file name, the
// engine's exact length) and any answer kept from before; then, on this
// thread, the look-up (LyricLookup.h), at most Options::jobs at a time;
// then, off the window thread again, the files written (FoundLyricFiles.h)
// and the answer kept. Nothing waits: every step comes back through the
// event loop, and cancel() ends the run at once (a file being written is
// finished, nothing more begins).
//
// Threads: create, start and cancel on one thread (the window's); the
// signals come on it.
#include "engine/SoundSource.h"
#include "online/FoundLyricFiles.h"
#include "online/LyricLookup.h"
#include "online/OffThread.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace cantorel::online {

// How one song ended.
struct SongReport {
    enum class Kind { FoundSynced, FoundPlain, Instrumental, NotFound, HasLyric, Failed };
    QString mediaPath;
    Kind kind = Kind::Failed;
    // FoundSynced, FoundPlain: the file written; HasLyric: the lyric the song
    // has; Failed: why.
    QString detail;
    bool networkFailure = false; // Failed: the server or the network, not a file
};

struct BatchCounts {
    int total = 0;
    int done = 0;
    int synced = 0;
    int plain = 0; // plain only
    int instrumental = 0;
    int notFound = 0;
    int hasLyric = 0;
    int failed = 0;
    bool operator==(const BatchCounts&) const = default;
};

// A song of the batch read off the window thread: its signature, the
// answer kept for it, or what became of it before any look-up.
struct PreparedSong {
    int index = 0;
    SongSignature song;
    std::optional<SongReport> early; // done before any look-up
    std::optional<CachedAnswer> kept;
};

class BatchFetcher : public QObject {
    Q_OBJECT
public:
    struct Options {
        bool replace = false; // songs with a lyric are looked up too, and theirs replaced
        int jobs = 4;         // look-ups at a time (1 to 16)
        std::function<qint64(const QString&)> lengthOf = engine::exactLengthMs; // any thread
    };

    // `lookup` must outlive this; its cache (when it has one) is read and
    // written off the window thread.
    BatchFetcher(LyricLookup& lookup, Options options, QObject* parent = nullptr);
    ~BatchFetcher() override;

    // Fetches for `mediaPaths`, in order (a run going on is cancelled).
    void start(const QStringList& mediaPaths);
    void cancel();
    bool running() const { return m_running; }
    const BatchCounts& counts() const { return m_counts; }

Q_SIGNALS:
    void songDone(const cantorel::online::SongReport& report);
    void progress(const cantorel::online::BatchCounts& counts);
    // Every song is done, or the run was cancelled.
    void finished(const cantorel::online::BatchCounts& counts, bool cancelled);

private:
    void fill();
    void prepared(const PreparedSong& p);
    void startLookUps();
    void looked(int index, const SongSignature& song, const LookupResult& result);
    void done(const SongReport& report);

    LyricLookup& m_lookup;
    Options m_options;
    QString m_server;
    QStringList m_paths;
    std::unique_ptr<OffThread> m_workers;
    std::optional<AnswerCache> m_cache; // a copy, for the workers
    QList<QPointer<LookupJob>> m_jobs;  // look-ups on their way
    std::deque<PreparedSong> m_waiting; // prepared, waiting for a look-up
    int m_next = 0;                     // the next song to prepare
    int m_preparing = 0;
    BatchCounts m_counts;
    bool m_running = false;
};

} // namespace cantorel::online
