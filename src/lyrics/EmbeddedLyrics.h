#pragma once
// Timed lyrics kept inside the song's own tags, read with TagLib. Looked for
// in this order, the first timed one wins:
//   - ID3v2 "SYLT" (MP3, MP2, and WAV files with an ID3v2 chunk): lyric,
//     transcription or untyped frames; times in milliseconds, or in MPEG
//     frames (converted with the song's frame rate; not for WAV). A frame
//     whose texts start with a line feed holds syllables: each line feed
//     starts a line, the other texts are added to the line before them
//     (" in" after "Strang", "ers" reads "Strangers in"), and each text is
//     timed as a word of its own (LineWords).
//     A second such frame with the same times is the translation (of the
//     two, a frame of syllables is the lyric, whichever comes first); the
//     same-time pairing of LRC applies inside a frame too. Times of an
//     unknown format are taken as milliseconds.
//   - an LRC text in ID3v2 "USLT";
//   - an LRC text in a Vorbis comment "LYRICS", then "UNSYNCEDLYRICS";
//   - an LRC text in the ASF attribute "WM/Lyrics";
//   - an LRC text in what TagLib reports as the song's LYRICS property
//     (other formats TagLib knows).
// A text without any time tag is plain, untimed lyric and is not taken.
#include "lyrics/TimedLyric.h"

#include <QString>
#include <optional>

namespace TagLib {
class File;
}

namespace cantorel::lyrics {

struct EmbeddedLyric {
    TimedLyric lyric;
    // Which tag it came from: "ID3v2 SYLT", "ID3v2 USLT", "Vorbis LYRICS",
    // "Vorbis UNSYNCEDLYRICS", "WM/Lyrics" or "LYRICS".
    QString tag;
    bool cutShort = false; // lines past kMaxLrcLines were dropped
};

// The timed lyric embedded in the song at `mediaPath`; nothing when the file
// cannot be read, is of a kind TagLib does not know by its extension, does
// not look like that kind (TagHeader.h), or holds no timed lyric. Reads only
// the tags (and, for MPEG frame times, the first frame's header): a few
// milliseconds. Any thread.
std::optional<EmbeddedLyric> readEmbeddedLyric(const QString& mediaPath);

// The same, of a song TaggedFile has opened.
std::optional<EmbeddedLyric> embeddedLyricOf(TagLib::File& file);

} // namespace cantorel::lyrics
