#include "controller/PlaylistCursor.h"

#include "playlist/EntrySelection.h"
#include "playlist/PlayOrderSettings.h"
#include "playlist/PlaylistModel.h"

namespace cantorel {

PlaylistCursor::PlaylistCursor(PlaylistModel& entries, PlayOrderSettings& order, RandomSource& random)
    : m_entries(entries), m_order(order), m_random(random)
{}

int PlaylistCursor::selected() const
{
    const int entry = m_selection ? m_selection->selectedEntry() : -1;
    return entry < m_entries.count() ? entry : -1;
}

void PlaylistCursor::select(int entry)
{
    if (m_selection)
        m_selection->selectEntry(entry);
}

PlaylistState PlaylistCursor::state() const
{
    PlaylistState state;
    state.count = m_entries.count();
    state.selected = selected();
    return m_order.appliedTo(state);
}

NextSong PlaylistCursor::afterEnd()
{
    return songAfterEnd(state(), m_lastRandomPick, m_random);
}

int PlaylistCursor::backward() const
{
    return backwardEntry(m_entries.count(), selected(), playingEntry());
}

int PlaylistCursor::forward() const
{
    return forwardEntry(m_entries.count(), selected(), playingEntry());
}

int PlaylistCursor::afterFailure(FailedRun& run, int entry)
{
    return run.next(state(), entry, m_lastRandomPick, m_random);
}

void PlaylistCursor::setPlaying(int entry, const QString& path)
{
    m_playingEntry = entry;
    m_playingPath = path;
}

int PlaylistCursor::playingEntry() const
{
    if (m_playingPath.isEmpty())
        return -1;
    if (m_playingEntry >= 0 && m_entries.path(m_playingEntry) == m_playingPath)
        return m_playingEntry;
    return int(m_entries.paths().indexOf(m_playingPath));
}

} // namespace cantorel
