#pragma once
// The live offset of the player's lyric: while a song plays the user can
// move its lyric 100 ms earlier or later at a time, and keep the move in the
// lyric's own file. The lyric as loaded is kept aside; the table the panes
// follow is always that lyric shifted by the current offset
// (lyrics/LyricOffset.h has the rules and the sign: positive is earlier).
// A new song starts at offset 0.
//
// User-interface thread only.
#include "lyrics/LyricOffset.h"
#include "lyrics/LyricSource.h"
#include "lyrics/LyricTable.h"

#include <memory>

namespace cantorel {

class LyricNudge {
public:
    LyricNudge();

    // A lyric was loaded into `shown` from `origin`: it becomes the base,
    // and the offset goes back to 0.
    void reset(const lyrics::LyricTable& shown, const lyrics::LyricOrigin& origin);
    // No lyric: nothing can be moved.
    void clear();
    bool hasLyric() const { return m_origin.kind != lyrics::LyricOrigin::Kind::None; }

    // Moves the lyric by `deltaMs` (positive: earlier) and writes the
    // shifted lyric into `shown`. Returns the text for the user
    // ("Lyric 0.3 s earlier").
    QString move(qint64 deltaMs, lyrics::LyricTable& shown);
    qint64 offsetMs() const { return m_offsetMs; }
    const lyrics::LyricOrigin& origin() const { return m_origin; }

    // Keeps the offset in the lyric's source; see saveOffsetIntoLyric.
    lyrics::OffsetSave save(const QString& mediaPath) const;

private:
    std::unique_ptr<lyrics::LyricTable> m_base;
    lyrics::LyricOrigin m_origin;
    qint64 m_offsetMs = 0;
};

} // namespace cantorel
