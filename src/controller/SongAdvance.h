#pragma once
// Play moving on through the playlist by itself (the end of a song, a
// repeat) over entries that cannot be played: a missing file, or a song the
// engine refuses. Such an entry is marked in the list (its reason as its
// tooltip) and play goes on with the entry FailedRun names, without a
// message box; when every entry has failed in a row, play stops and
// allFailed() is said once. A song the user opens is not handled here: its
// failure keeps its message.
//
// The player reports the failure of an open made through `open`, and every
// song that starts playing. The next try is made from the event loop, never
// inside the report, and is dropped when the user takes over (cancel), a
// song plays, or the player is busy (the lyric maker is open) by then.
//
// User-interface thread only.
#include "playlist/FailedRun.h"

#include <QObject>
#include <QString>

#include <functional>

namespace cantorel {

class PlaylistCursor;

class SongAdvance : public QObject {
    Q_OBJECT
public:
    struct Needs {
        PlaylistCursor& cursor;
        std::function<bool()> mayPlay; // false while the player is busy
        // Opens entry `entry` (at `path`) as play moving on by itself.
        std::function<void(int entry, const QString& path)> open;
    };

    explicit SongAdvance(Needs needs, QObject* parent = nullptr);

    // Moves on to `entry` by itself: selects and opens it. An entry whose
    // file is missing fails at once.
    void playEntry(int entry);
    // The song at `path`, opened by itself, could not be played: `reason`.
    void failed(const QString& path, const QString& reason);
    // The song at `path` plays: its entries lose their mark, the run of
    // failures is over.
    void played(const QString& path);
    // The user took over (opened or stopped a song): a try still to come
    // is dropped, and the run of failures is over.
    void cancel();

    static QString allFailedMessage();

Q_SIGNALS:
    // Every entry failed in a row: play has stopped.
    void allFailed();

private:
    // The entry of `path` that just failed: the one opened, else the
    // selected one, else the first of that path; -1 when none holds it.
    int entryOf(const QString& path) const;

    Needs m_needs;
    FailedRun m_run;
    int m_entry = -1;
    unsigned m_generation = 0; // a try queued under another is dropped
};

} // namespace cantorel
