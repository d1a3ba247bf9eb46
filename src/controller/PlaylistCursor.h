#pragma once
// The playlist as the player moves through it: its entries, the entry the
// user selected (shown by the playlist window once there is one), the play
// order settings, the entry playing, and the random picks. It answers
// which entry comes next (PlayOrder.h has the rules) and moves the
// selection there; it plays nothing itself.
//
// User-interface thread only.
#include "playlist/FailedRun.h"
#include "playlist/PlayOrder.h"

#include <QString>

namespace cantorel {

class EntrySelection;
class PlayOrderSettings;
class PlaylistModel;

class PlaylistCursor {
public:
    // Everything given must outlive the cursor.
    PlaylistCursor(PlaylistModel& entries, PlayOrderSettings& order, RandomSource& random);

    PlaylistModel& entries() { return m_entries; }
    const PlaylistModel& entries() const { return m_entries; }

    // Where the selection is shown; null while nowhere (then nothing is
    // selected, and select() changes nothing).
    void setSelection(EntrySelection* selection) { m_selection = selection; }
    int selected() const;
    void select(int entry);

    // The entry count, the selected entry and the play order settings.
    PlaylistState state() const;

    // What follows the end of a song (a random pick becomes lastRandomPick).
    NextSong afterEnd();
    // What "<<" and ">>" play: from the selected entry, else from the one
    // playing (backwardEntry, forwardEntry); -1 for an empty list.
    int backward() const;
    int forward() const;
    // Play moving on by itself after `entry` failed (FailedRun.h): the entry
    // to try next, or -1 when play stops there.
    int afterFailure(FailedRun& run, int entry);

    // The song at `path` plays, from entry `entry` when it was opened from
    // the list (-1 otherwise).
    void setPlaying(int entry, const QString& path);
    // The entry playing: the one it was opened from while it still holds its
    // path (entries move), else the first entry of its path; -1 when the
    // song is not in the list.
    int playingEntry() const;

    int lastRandomPick() const { return m_lastRandomPick; }

private:
    PlaylistModel& m_entries;
    PlayOrderSettings& m_order;
    RandomSource& m_random;
    EntrySelection* m_selection = nullptr;
    int m_playingEntry = -1;
    QString m_playingPath;
    int m_lastRandomPick = 0; // the first random pick of a run is never entry 0
};

} // namespace cantorel
