#pragma once
// What the playlist and the desktop ask of a song's tags, read in one pass
// and kept while the file stays the same: its title, artist and album, and
// whether it holds a timed lyric.
#include "lyrics/SongTags.h"

#include <QHash>
#include <QMutex>
#include <QString>

#include <deque>
#include <functional>
#include <optional>

namespace cantorel::lyrics {

struct SongFacts {
    SongTags tags;
    // The embedded timed lyric, without its lines (EmbeddedLyrics.h):
    // whether there is one, whether it has a translation, and its tag.
    bool lyric = false;
    bool translated = false;
    QString lyricTag;
    bool operator==(const SongFacts&) const = default;
};

// Reads the facts of the song at `mediaPath` through TaggedFile (so only a
// file whose header looks like its kind); empty facts otherwise. Any thread.
SongFacts readSongFacts(const QString& mediaPath);

// Facts kept by path, each with the size, modification time and inode of
// the file when it was read: asked again while the file is unchanged, they
// come from here; a changed or replaced file is read again, a missing one is
// not read at all. Holds at most `capacity` songs, the oldest read going
// first. Any thread; two threads may read the same song at once (both
// answers are right, the later one is kept).
class SongFactsCache {
public:
    using Reader = std::function<SongFacts(const QString& mediaPath)>;
    static constexpr int kCapacity = 4096;

    explicit SongFactsCache(Reader reader = readSongFacts, int capacity = kCapacity);

    // The facts of `mediaPath`, read now when they are not kept.
    SongFacts facts(const QString& mediaPath);
    // Without reading: the kept facts of `mediaPath` while its file is
    // unchanged, empty facts when no ordinary file is there, and nothing
    // when the file would have to be read.
    std::optional<SongFacts> cached(const QString& mediaPath) const;

private:
    struct Stamp {
        qint64 size = 0;
        qint64 modifiedNs = 0;
        quint64 inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Kept {
        Stamp stamp;
        SongFacts facts;
    };
    static std::optional<Stamp> stampOf(const QString& mediaPath);
    void keep(const QString& mediaPath, const Stamp& stamp, const SongFacts& facts);

    Reader m_reader;
    int m_capacity;
    mutable QMutex m_mutex;
    QHash<QString, Kept> m_kept;
    std::deque<QString> m_order; // oldest first
};

// The program's cache, which readSongTags and the playlist's lyric
// indicators share.
SongFactsCache& songFactsCache();

} // namespace cantorel::lyrics
