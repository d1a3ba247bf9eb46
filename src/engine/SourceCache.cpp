#include "engine/SourceCache.h"

#include "base/FileNames.h"

namespace cantorel::engine {

SourceCache::Stamp SourceCache::stampOf(const FileFacts& facts)
{
    if (!facts.exists)
        return {};
    return {facts.device, facts.inode, facts.size, facts.modifiedNs};
}

SourceCache::Stamp SourceCache::stampOf(const QString& path)
{
    return stampOf(fileFacts(path));
}

SourceCache& SourceCache::instance()
{
    static SourceCache* cache = new SourceCache; // never destroyed: see the header
    return *cache;
}

SourceCache::Entry* SourceCache::entryOf(const QString& path, const Stamp& stamp, bool create)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->path != path)
            continue;
        if (it->stamp == stamp) {
            m_entries.splice(m_entries.begin(), m_entries, it);
            return &m_entries.front();
        }
        m_entries.erase(it); // the file has changed
        break;
    }
    if (!create)
        return nullptr;
    Entry fresh;
    fresh.path = path;
    fresh.stamp = stamp;
    m_entries.push_front(std::move(fresh));
    while (m_entries.size() > static_cast<size_t>(kEntries))
        m_entries.pop_back();
    return &m_entries.front();
}

std::shared_ptr<const SoundSource> SourceCache::find(const QString& path, const Stamp& stamp, bool accurate)
{
    std::lock_guard lock(m_mutex);
    const Entry* entry = entryOf(path, stamp, false);
    if (!entry)
        return nullptr;
    return accurate ? entry->accurate : entry->estimate;
}

std::shared_ptr<FileIndexes> SourceCache::indexesOf(const QString& path, const Stamp& stamp)
{
    std::lock_guard lock(m_mutex);
    return entryOf(path, stamp, true)->indexes;
}

void SourceCache::store(const QString& path, const Stamp& stamp, bool accurate,
                        std::shared_ptr<const SoundSource> source)
{
    std::lock_guard lock(m_mutex);
    Entry* entry = entryOf(path, stamp, true);
    entry->indexes = source->fileIndexes; // the same holder, unless the entry was dropped meanwhile
    (accurate ? entry->accurate : entry->estimate) = std::move(source);
}

} // namespace cantorel::engine
