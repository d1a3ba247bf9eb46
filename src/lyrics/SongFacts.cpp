#include "lyrics/SongFacts.h"

#include "base/FileNames.h"
#include "lyrics/EmbeddedLyrics.h"
#include "lyrics/TaggedFile.h"

#include <taglib/tfile.h>

namespace cantorel::lyrics {

SongFacts readSongFacts(const QString& mediaPath)
{
    const TaggedFile tagged(mediaPath);
    TagLib::File* file = tagged.file();
    if (!file)
        return {};
    SongFacts facts;
    facts.tags = songTagsOf(file->tag());
    if (const auto embedded = embeddedLyricOf(*file)) {
        facts.lyric = true;
        facts.translated = embedded->lyric.translated;
        facts.lyricTag = embedded->tag;
    }
    return facts;
}

SongFactsCache::SongFactsCache(Reader reader, int capacity) : m_reader(std::move(reader)), m_capacity(capacity)
{}

std::optional<SongFactsCache::Stamp> SongFactsCache::stampOf(const QString& mediaPath)
{
    const FileFacts file = fileFacts(mediaPath);
    if (!file.isFile)
        return std::nullopt;
    return Stamp {file.size, file.modifiedNs, file.inode};
}

std::optional<SongFacts> SongFactsCache::cached(const QString& mediaPath) const
{
    const std::optional<Stamp> stamp = stampOf(mediaPath);
    if (!stamp)
        return SongFacts {}; // nothing to read: known at once
    QMutexLocker lock(&m_mutex);
    const auto kept = m_kept.constFind(mediaPath);
    if (kept == m_kept.constEnd() || !(kept->stamp == *stamp))
        return std::nullopt;
    return kept->facts;
}

SongFacts SongFactsCache::facts(const QString& mediaPath)
{
    const std::optional<Stamp> stamp = stampOf(mediaPath);
    if (!stamp)
        return {};
    {
        QMutexLocker lock(&m_mutex);
        const auto kept = m_kept.constFind(mediaPath);
        if (kept != m_kept.constEnd() && kept->stamp == *stamp)
            return kept->facts;
    }
    // Read without the lock: other songs' answers need not wait.
    const SongFacts read = m_reader(mediaPath);
    // A file that changed while it was read is not kept under the old stamp.
    if (stampOf(mediaPath) == stamp)
        keep(mediaPath, *stamp, read);
    return read;
}

void SongFactsCache::keep(const QString& mediaPath, const Stamp& stamp, const SongFacts& facts)
{
    QMutexLocker lock(&m_mutex);
    if (!m_kept.contains(mediaPath)) {
        while (m_capacity > 0 && m_kept.size() >= m_capacity) {
            m_kept.remove(m_order.front());
            m_order.pop_front();
        }
        m_order.push_back(mediaPath);
    }
    m_kept.insert(mediaPath, Kept {stamp, facts});
}

SongFactsCache& songFactsCache()
{
    static SongFactsCache cache;
    return cache;
}

} // namespace cantorel::lyrics
