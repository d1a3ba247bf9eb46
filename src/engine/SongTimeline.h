#pragma once
// The song's timeline. Song positions are counted in samples of one rate,
// the song rate: the rate of the sound's first audio. A chained stream or
// an MPEG audio file whose rate changes part way plays its other parts at
// other rates; their samples take the song samples that their duration
// covers, so that a song time (in ms) means the same audio however the file
// is read.
#include <cstdint>

namespace cantorel::engine {

// Song samples that `samples` at `rate` last, rounded down.
std::int64_t songSamplesOf(std::int64_t samples, int rate, int songRate);

// A running place on the timeline that adds up runs of samples at any rate
// and keeps the fractions of a song sample between them, so that the same
// runs in the same order always end at the same song sample.
class SongCursor {
public:
    explicit SongCursor(int songRate) : m_songRate(songRate) {}

    void reset(std::int64_t start)
    {
        m_whole = start;
        m_fraction = 0;
    }
    // Moves on by `samples` at `rate`; returns the song samples they cover.
    std::int64_t advance(std::int64_t samples, int rate);
    std::int64_t position() const { return m_whole; }

private:
    int m_songRate;
    std::int64_t m_whole = 0;
    double m_fraction = 0; // of a song sample, in [0, 1)
};

} // namespace cantorel::engine
