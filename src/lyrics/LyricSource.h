#pragma once
// Where a song's timed lyric comes from, and loading it into the lyric table.
// For the song /m/Rain.mp3 the places are tried in this order, and the first
// one that holds a lyric is the lyric, its translation included:
//   1. the lyric pair /m/Rain.mp3-lyric.txt (+ /m/Rain.mp3-Tlyric.txt),
//      loaded by loadLyricPair with all its rules;
//   2. an LRC file /m/Rain.lrc, then /m/Rain.mp3.lrc (one with no time tag
//      is no lyric, and the next place is tried);
//   3. a timed lyric embedded in the song's tags (EmbeddedLyrics.h).
// Every reader of the lyric (the player, the floating window, the tray, the
// screen-saver feed, the playlist's indicators, cantorel-lyrics) goes
// through here, so all of them see the same lyric. Everything here runs on
// the calling thread and reads the files each time it is asked, each file
// once per answer; only lyricPresence takes the song's tags from the cache
// of song facts (SongFacts.h).
#include "lyrics/LyricPairReader.h"
#include "lyrics/LyricTable.h"
#include "lyrics/TimedLyric.h"

#include <QString>
#include <QStringList>

namespace cantorel::lyrics {

struct LyricOrigin {
    enum class Kind { None, Pair, LrcFile, Embedded };
    Kind kind = Kind::None;
    // Pair: the lyric file; LrcFile: the LRC file; Embedded: the song.
    QString path;
    // Embedded: the tag it came from ("ID3v2 SYLT", ...; see EmbeddedLyrics.h).
    QString tag;

    // For tooltips and messages: the file's name ("Rain.mp3-lyric.txt",
    // "Rain.lrc"), or the song's name and the tag ("Rain.mp3 (ID3v2 SYLT)");
    // "" for None.
    QString describe() const;
};

// The LRC files a song's lyric may be in, in the order they are tried:
// "/m/Rain.lrc", "/m/Rain.mp3.lrc" (one entry for a name without extension).
QStringList lrcPathsOf(const QString& mediaPath);

// The song whose lyric the LRC file `lrcPath` is, the other way round:
// "/m/Rain.mp3.lrc" gives "/m/Rain.mp3", "/m/Rain.lrc" the first of
// "/m/Rain.mp3", ".mp2", ".ogg", ".wav", ".wma" (then the same in capitals)
// that is an ordinary file. "" when no such song is there, or `lrcPath` does
// not end in ".lrc" (any case).
QString songOfLrcFile(const QString& lrcPath);

struct FoundLyric {
    // As loadLyricPair reports it, for every kind of source:
    //   NoLyricFile: nothing found anywhere, the table is untouched;
    //   LyricOnly / WithTranslation: loaded, noTranslation set / cleared;
    //   Failed: the lyric pair or an LRC file is there but could not be
    //     read (`error`, and `errorText` says why); the table is as the pair
    //     loader leaves it, or untouched for an LRC file.
    // cutShort: lines were dropped (a bad pair record, or more than 1200
    // lines: the table keeps the first 1200 in time order).
    LyricLoad load;
    LyricOrigin origin;
    QString errorText;
};

// Finds the lyric of `mediaPath` and loads it into `table` (the fill rules
// of loadLyricPair: list copies emptied, slots 1..N, lineCount = N + 1).
FoundLyric loadLyric(const QString& mediaPath, LyricTable& table);

// The lyric of `mediaPath` as a plain list with its origin, for export and
// for saving an offset; the table limit does not apply. `found` says what
// happened, as for loadLyric (its table rules aside).
TimedLyric readLyric(const QString& mediaPath, FoundLyric* found);

// What the playlist's "Has Lyrics?" and "Has translation?" show. The pair's
// files count by existence alone, each on its own, as they always have;
// where there is no lyric file, an LRC file or an embedded lyric counts
// (an LRC file that cannot be read counts too: the player will say why).
// The embedded lyric is asked of the program's cache of song facts
// (SongFacts.h), so a song's tags are read once while it stays unchanged.
// Reads files: off the window thread (the playlist uses BackgroundReads).
struct LyricPresence {
    bool lyric = false;
    bool translation = false;
    QString lyricTip;       // describe() of the lyric's origin, "" without
    QString translationTip; // the translation's, "" without
    bool operator==(const LyricPresence&) const = default;
};
LyricPresence lyricPresence(const QString& mediaPath);

// The part of lyricPresence that the pair's files give: one look at each
// name, quick enough for any thread. When it finds the lyric, it is the
// whole answer.
LyricPresence pairPresence(const QString& mediaPath);

} // namespace cantorel::lyrics
