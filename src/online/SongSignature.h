#pragma once
// What a lyric server knows a song by: its title, artist and album, and its
// length. A song file gives them from its tags (the same tags the desktop's
// "now playing" shows) and, where the tags are silent, from a file name of
// the form "Artist - Title.mp3"; another source (a player followed over the
// session bus) gives them as it has them.
#include <QString>

namespace cantorel::online {

struct SongSignature {
    QString title;
    QString artist;
    QString album;       // "" when unknown
    qint64 lengthMs = 0; // 0 when unknown

    // The length in whole seconds, rounded to the nearest (what servers
    // compare); 0 when unknown.
    int durationSeconds() const;
    // A title at least: enough to search (an exact look-up needs the artist
    // and the length too).
    bool usable() const { return !title.isEmpty(); }
    bool operator==(const SongSignature&) const = default;
};

// Each field at most this long once cleaned (longer ones are cut).
constexpr int kMaxSignatureFieldChars = 500;

// A field as it is sent: control characters dropped, blanks at the ends
// trimmed, cut at kMaxSignatureFieldChars.
QString cleanSignatureField(const QString& text);

// The signature of the song at `mediaPath`, whose exact length is
// `lengthMs`: the title, artist and album of its tags; a title or artist the
// tags lack comes from the file name when it reads "Artist - Title" (the
// first " - " splits it), and a name without one is the title. Reads the
// tags (through the cache of song facts): any thread.
SongSignature signatureOfSong(const QString& mediaPath, qint64 lengthMs);

// The artist and title a file name says ("Nina - Rain.mp3": "Nina",
// "Rain"); the artist is "" for a name without " - ".
struct NamedSong {
    QString artist;
    QString title;
};
NamedSong songOfFileName(const QString& mediaPath);

} // namespace cantorel::online
