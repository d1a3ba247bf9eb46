#pragma once
// Which playlist entry plays next, at the end of a song and for the
// player's backward and forward buttons.
#include <functional>

namespace cantorel {

// A uniform number in [0, 1). The program seeds its generator once per run;
// tests give a fixed sequence.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float next() = 0;
};

class SeededRandom final : public RandomSource {
public:
    SeededRandom(); // seeded from the system's entropy
    explicit SeededRandom(unsigned seed);
    float next() override;

private:
    unsigned long long m_state;
};

struct PlaylistState {
    int count = 0;     // entries
    int selected = -1; // selected entry, -1 for none
    bool random = false;
    bool repeat = false;
    bool repeatOne = false; // "Repeat one " chosen
    bool repeatAll = false; // "Repeat all" chosen
};

struct NextSong {
    enum class Action {
        Stop,       // nothing further: playback stays stopped
        PlayEntry,  // select `entry` and press the playlist's Play
        ReplaySame, // press the player's own Play: the same song again
    };
    Action action = Action::Stop;
    int entry = -1;
};

// The end of a song, first matching rule:
//  1. no entries or none selected: stop;
//  2. Random ticked: a random entry other than `lastRandomPick` (which is
//     updated); with a single entry, that entry;
//  3. Repeat ticked with "Repeat one " chosen: the same song again;
//  4. Repeat ticked with "Repeat all" chosen: the next entry, the first one
//     after the last, until the user stops;
//  5. not the last entry: the next entry;
//  6. otherwise stop.
// The repeat choices are greyed, and have no effect, while Repeat is not
// ticked.
NextSong songAfterEnd(const PlaylistState& state, int& lastRandomPick, RandomSource& random);

// The previous entry (the last one before the first) and the next entry (the
// first one after the last); -1 when the list is empty or nothing is
// selected.
int previousEntry(int count, int selected);
int nextEntry(int count, int selected);

// What "<<" and ">>" play: the entry before or after the selected one, as
// above. With none selected, the one before or after `playing` (the entry of
// the open song, -1 when it is not in the list), else the last or the first.
// -1 only for an empty list.
int backwardEntry(int count, int selected, int playing);
int forwardEntry(int count, int selected, int playing);

} // namespace cantorel
