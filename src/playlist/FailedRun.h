#pragma once
// Play that moves on by itself (the end of a song, a repeat) past entries
// that cannot be played: the entries that failed in a row since a song last
// started, and which entry to try after a failure.
//  - Random ticked: a random entry that has not failed in this run;
//  - Repeat ticked: the entry after it, the first one after the last ("Repeat
//    one " too: the same song would only fail again);
//  - otherwise the entry after it, and nothing after the last (the list ends
//    there, as at the end of a song).
// When every entry has failed in a row there is nothing left to try.
#include "playlist/PlayOrder.h"

#include <set>

namespace cantorel {

class FailedRun {
public:
    // Entry `entry` of the list `state` describes could not be played.
    // Returns the entry to try next, or -1 when play stops: the list has
    // ended, or every entry has now failed in a row (allFailed()). A random
    // pick becomes `lastRandomPick`.
    int next(const PlaylistState& state, int entry, int& lastRandomPick, RandomSource& random);
    bool allFailed() const { return m_allFailed; }
    // A song started playing, or the user took over: the run is over.
    void clear();

private:
    std::set<int> m_failed;
    bool m_allFailed = false;
};

} // namespace cantorel
