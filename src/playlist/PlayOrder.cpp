#include "playlist/PlayOrder.h"

#include <random>

namespace cantorel {

SeededRandom::SeededRandom() : SeededRandom(std::random_device {}())
{}

SeededRandom::SeededRandom(unsigned seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1)
{}

float SeededRandom::next()
{
    // splitmix64: small, fast and well spread; 24 bits make an exact float.
    unsigned long long z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return float(z >> 40) / float(1u << 24);
}

NextSong songAfterEnd(const PlaylistState& s, int& lastRandomPick, RandomSource& random)
{
    const int c = s.count;
    const int k = s.selected;
    if (c <= 0 || k < 0)
        return {};
    if (s.random) {
        int r = 0;
        if (c > 1) {
            // Another entry than the last pick; the bound keeps a bad source
            // from spinning for ever.
            for (int tries = 0; tries < 10000; ++tries) {
                r = int(random.next() * float(c));
                if (r >= 0 && r <= c - 1 && r != lastRandomPick)
                    break;
                r = (lastRandomPick + 1) % c;
            }
        }
        lastRandomPick = r;
        return {NextSong::Action::PlayEntry, r};
    }
    if (s.repeat && s.repeatOne)
        return {NextSong::Action::ReplaySame, k};
    if (s.repeat && s.repeatAll)
        return {NextSong::Action::PlayEntry, nextEntry(c, k)};
    if (k != c - 1)
        return {NextSong::Action::PlayEntry, k + 1};
    return {};
}

int previousEntry(int count, int selected)
{
    if (count <= 0 || selected < 0)
        return -1;
    return selected >= 1 ? selected - 1 : count - 1;
}

int nextEntry(int count, int selected)
{
    if (count <= 0 || selected < 0)
        return -1;
    return selected != count - 1 ? selected + 1 : 0;
}

int backwardEntry(int count, int selected, int playing)
{
    const int from = selected >= 0 ? selected : playing;
    if (count > 0 && (from < 0 || from >= count))
        return count - 1;
    return previousEntry(count, from);
}

int forwardEntry(int count, int selected, int playing)
{
    const int from = selected >= 0 ? selected : playing;
    if (count > 0 && (from < 0 || from >= count))
        return 0;
    return nextEntry(count, from);
}

} // namespace cantorel
