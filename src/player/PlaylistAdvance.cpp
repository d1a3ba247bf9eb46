#include "player/PlaylistAdvance.h"

#include "base/FilePaths.h"
#include "common/Prompts.h"
#include "playlist/PlaylistModel.h"
#include "playlistwindow/Playlist.h"

#include <QScopedValueRollback>
#include <QWidget>

namespace cantorel {

PlaylistAdvance::PlaylistAdvance(Needs needs, QObject* parent) : QObject(parent), m_needs(needs)
{}

QString PlaylistAdvance::allFailedMessage()
{
    return tr("Play has stopped: none of the songs in the playlist could be played.");
}

void PlaylistAdvance::playEntry(int entry)
{
    Playlist* list = m_needs.playlist();
    if (!list || entry < 0 || entry >= list->model().count() || !m_needs.player.isEnabled())
        return;
    list->selectEntry(entry);
    const QString path = list->model().path(entry);
    if (!ordinaryFileExists(path)) {
        failed(path, QStringLiteral("File not found!!"));
        return;
    }
    m_entry = entry;
    const QScopedValueRollback handing(m_handingOver, true);
    list->command7Click();
}

int PlaylistAdvance::entryOf(Playlist& list, const QString& path) const
{
    const PlaylistModel& model = list.model();
    for (int candidate : {m_entry, list.selectedIndex()}) {
        if (candidate >= 0 && candidate < model.count() && model.path(candidate) == path)
            return candidate;
    }
    return int(model.paths().indexOf(path));
}

void PlaylistAdvance::failed(const QString& path, const QString& reason)
{
    Playlist* list = m_needs.playlist();
    if (!list)
        return;
    list->model().markUnplayable(path, reason);
    const int next = m_run.next(list->playState(), entryOf(*list, path), m_needs.lastRandomPick, m_needs.random);
    m_entry = -1;
    const unsigned generation = ++m_generation;
    if (m_run.allFailed()) {
        m_run.clear();
        m_needs.prompts.message(&m_needs.player, allFailedMessage(), Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
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

void PlaylistAdvance::cancel()
{
    ++m_generation;
    m_run.clear();
    m_entry = -1;
}

void PlaylistAdvance::played(const QString& path)
{
    cancel();
    if (Playlist* list = m_needs.playlist())
        list->model().markUnplayable(path, QString());
}

} // namespace cantorel
