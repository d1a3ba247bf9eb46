#pragma once
// The playlist moving on by itself (the end of a song, a repeat) over
// entries that cannot be played: a missing file, or a song the engine
// refuses. Such an entry is marked in the list (its reason as its tooltip)
// and play goes on with the entry FailedRun names, without a message box;
// when every entry has failed in a row, play stops and one message says so.
// A song the user opens is not handled here: its failure keeps its message.
//
// The player hands the entry over as ever (the playlist's Play) and asks
// handingOver() whether the open it is making is the playlist's own; it
// reports that open's failure, and every song that starts playing, here.
// The next try is made from the event loop, never inside the report, and
// is dropped when the user takes over (cancel), a song plays, or the player
// is disabled (the lyric maker is open) by then.
//
// User-interface thread only.
#include "playlist/FailedRun.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace cantorel {

class Playlist;
class Prompts;

class PlaylistAdvance : public QObject {
    Q_OBJECT
public:
    struct Needs {
        std::function<Playlist*()> playlist; // null while there is none
        Prompts& prompts;
        QWidget& player; // owns the message; no try while it is disabled
        RandomSource& random;
        int& lastRandomPick; // the player's
    };

    explicit PlaylistAdvance(Needs needs, QObject* parent = nullptr);

    // Moves on to `entry` by itself: selects it and presses the playlist's
    // Play. An entry whose file is missing fails at once.
    void playEntry(int entry);
    // True while that Play runs: the open the player makes is this one's.
    bool handingOver() const { return m_handingOver; }
    // The song at `path`, opened by itself, could not be played: `reason`.
    void failed(const QString& path, const QString& reason);
    // The song at `path` plays: its entries lose their mark, the run of
    // failures is over.
    void played(const QString& path);
    // The user took over (opened or stopped a song): a try still to come
    // is dropped, and the run of failures is over.
    void cancel();

    static QString allFailedMessage();

private:
    // The entry of `path` that just failed: the one handed over, else the
    // selected one, else the first of that path; -1 when none holds it.
    int entryOf(Playlist& list, const QString& path) const;

    Needs m_needs;
    FailedRun m_run;
    int m_entry = -1;
    bool m_handingOver = false;
    unsigned m_generation = 0; // a try queued under another is dropped
};

} // namespace cantorel
