#pragma once
// Moving a lyric that runs early or late, while the song plays, and keeping
// the move in the lyric's source.
//
// An offset is in milliseconds with the LRC sign: a positive offset shows
// every line that much EARLIER, a negative one later. A line's time t
// (hundredths of a second) is shown at max(0, t - offset / 10): lines moved
// before the song's start are clamped at its start.
//
// How the player uses it (all on the window's thread):
//   - after loading (loadLyric), keep the loaded table as the base and an
//     offset of 0; a new song starts again at 0;
//   - on "earlier"/"later": offset +/- kOffsetStepMs, then
//     applyOffset(base, offset, shownTable), and look lines up in the shown
//     table as before; offsetText(offset) is the text for the tooltip;
//   - on "Save offset into the lyric": saveOffsetIntoLyric(mediaPath,
//     found.origin, offset); when it succeeds, load the lyric again (its
//     source may have changed, see below) and go back to offset 0.
#include "lyrics/LrcReader.h" // kMaxOffsetMs
#include "lyrics/LyricFileReplacement.h"
#include "lyrics/LyricSource.h"
#include "lyrics/LyricTable.h"

#include <QString>
#include <QStringList>

namespace cantorel::lyrics {

constexpr qint64 kOffsetStepMs = 100;

// Clamps an offset to +/- kMaxOffsetMs.
qint64 boundedOffset(qint64 offsetMs);

// max(0, timeCentis - offsetMs / 10), without binary noise in the result
// (1234.5 moved 100 ms earlier is exactly 1224.5).
double shiftedTime(double timeCentis, qint64 offsetMs);

// `shown` becomes a copy of `base` whose loaded lines (slots 1..N) have their
// times, translated times, time texts and word times shifted by `offsetMs`. Shifting
// always starts from the unshifted base, so nothing is lost to the clamp at 0
// when the lyric is moved back.
void applyOffset(const LyricTable& base, qint64 offsetMs, LyricTable& shown);

// For the tooltip: "Lyric 0.3 s earlier", "Lyric 1.2 s later", "Lyric on
// time" (tenths of a second, rounded).
QString offsetText(qint64 offsetMs);

// ok, or the error for the user; `written`: the file that now holds the
// offset; `backups`: the old files' backups.
using OffsetSave = ReplacementResult;

// Keeps `offsetMs` in the lyric that `origin` (from loadLyric) names:
//   - lyric pair: every record's time in both files is shifted and clamped
//     at 0 (records that cannot be read, and blank lines, are kept as they
//     are); both old files are moved aside as backups first;
//   - LRC file: its [offset:] tag is set to what it held plus `offsetMs`
//     (added when missing); no time tag changes; the old file is moved aside
//     as a backup first;
//   - embedded: the song itself is never rewritten. An LRC file is written
//     beside it instead (the first name of lrcPathsOf, "Rain.lrc", any file
//     there moved aside first) with the embedded lines and an [offset:] tag;
//     from then on that LRC file is the song's lyric (it comes before the
//     embedded one), and the embedded lyric stays untouched for other
//     players.
// An offset of 0, or an origin of kind None, changes nothing and fails with
// a reason; so does a read-only file, unless `readOnly` says to replace it
// (the result then names it, see ReplacementResult). A file rewritten keeps
// the encoding it was read in (a byte-order mark included), unless its text
// no longer fits it: then it is written as UTF-8 with a byte-order mark, and
// `notes` says so. The LRC file made beside a song is UTF-8. On failure every
// file is as it was.
OffsetSave saveOffsetIntoLyric(const QString& mediaPath, const LyricOrigin& origin, qint64 offsetMs,
                               ReadOnlyRule readOnly = ReadOnlyRule::Refuse);

} // namespace cantorel::lyrics
