#include "controller/SongAdvance.h"

#include "base/FilePaths.h"
#include "controller/PlaylistCursor.h"
#include "playlist/PlaylistModel.h"

namespace cantorel {

SongAdvance::SongAdvance(Needs needs, QObject* parent) : QObject(parent), m_needs(std::move(needs))
{}

QString SongAdvance::allFailedMessage()
{
    return tr("Play has stopped: none of the songs in the playlist could be played.");
}

void SongAdvance::playEntry(int entry)
{
    PlaylistCursor& cursor = m_needs.cursor;
    if (entry < 0 || entry >= cursor.entries().count() || !m_needs.mayPlay())
        return;
    cursor.select(entry);
    const QString path = cursor.entries().path(entry);
    if (!ordinaryFileExists(path)) {
        m_entry = entry;
        failed(path, QStringLiteral("File not found!!"));
        return;
    }
    m_entry = entry;
    m_needs.open(entry, path);
}

int SongAdvance::entryOf(const QString& path) const
{
    const PlaylistModel& entries = m_needs.cursor.entries();
    for (int candidate : {m_entry, m_needs.cursor.selected()}) {
        if (candidate >= 0 && candidate < entries.count() && entries.path(candidate) == path)
            return candidate;
    }
    return int(entries.paths().indexOf(path));
}

void SongAdvance::failed(const QString& path, const QString& reason)
{
    PlaylistCursor& cursor = m_needs.cursor;
    cursor.entries().markUnplayable(path, reason);
    const int next = cursor.afterFailure(m_run, entryOf(path));
    m_entry = -1;
    const unsigned generation = ++m_generation;
    if (m_run.allFailed()) {
        m_run.clear();
        Q_EMIT allFailed();
        return;
    }
    if (next < 0)
        return; // the list has ended
    QMetaObject::invokeMethod(
        this,
        [this, generation, next] {
            if (generation == m_generation)
                playEntry(next);
        },
        Qt::QueuedConnection);
}

void SongAdvance::cancel()
{
    ++m_generation;
    m_run.clear();
    m_entry = -1;
}

void SongAdvance::played(const QString& path)
{
    cancel();
    m_needs.cursor.entries().markUnplayable(path, QString());
}

} // namespace cantorel
