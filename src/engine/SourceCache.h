#pragma once
// Sounds opened before, kept process-wide by file, so that opening the same
// unchanged file again (a stop re-creates its stream) reads and scans
// nothing. A file counts as unchanged while its path, device, inode, size
// and modification time (to the nanosecond) stay the same; a changed file
// is read afresh and what was kept for it is dropped. The files used last
// are kept, kEntries of them (an hour of MP3 keeps an index of about 2 MB).
//
// Threads: any; the cache is never destroyed, so that a thread still
// opening a stalled file when the program ends does not outlive it.
#include "base/FileNames.h"
#include "engine/SoundSource.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>

namespace cantorel::engine {

class SourceCache {
public:
    static constexpr int kEntries = 4;

    // What tells one version of a file from another.
    struct Stamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modified = 0; // ns since the epoch
        bool operator==(const Stamp&) const = default;
    };
    // The stamp of the file at `path` now, or of what `facts` say of it;
    // all 0 when there is none.
    static Stamp stampOf(const QString& path);
    static Stamp stampOf(const FileFacts& facts);

    static SourceCache& instance();

    // The sound kept for the file at `path` with `stamp`, opened in an
    // accurate-time mode or an estimate mode; null when there is none.
    std::shared_ptr<const SoundSource> find(const QString& path, const Stamp& stamp, bool accurate);
    // The indexes known for that file; an empty holder, kept from now on,
    // when the file is new here or has changed.
    std::shared_ptr<FileIndexes> indexesOf(const QString& path, const Stamp& stamp);
    // Keeps `source` for the file at `path` with `stamp`.
    void store(const QString& path, const Stamp& stamp, bool accurate, std::shared_ptr<const SoundSource> source);

    // How many opens have had to read their file (for tests).
    std::uint64_t reads() const { return m_reads.load(); }
    void noteRead() { m_reads.fetch_add(1); }

private:
    struct Entry {
        QString path;
        Stamp stamp;
        std::shared_ptr<FileIndexes> indexes = std::make_shared<FileIndexes>();
        std::shared_ptr<const SoundSource> accurate;
        std::shared_ptr<const SoundSource> estimate;
    };
    // The entry of `path` moved to the front, or null; one for an older
    // stamp is dropped, and with `create` a new one takes its place.
    Entry* entryOf(const QString& path, const Stamp& stamp, bool create);

    std::mutex m_mutex;
    std::list<Entry> m_entries; // the file used last first
    std::atomic<std::uint64_t> m_reads {0};
};

} // namespace cantorel::engine
