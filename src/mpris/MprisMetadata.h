#pragma once
// The "Metadata" of the MPRIS player interface for the song the player has
// open: what the desktop's sound menus, lock screens and panels show.
#include "lyrics/LyricTable.h"
#include "lyrics/SongTags.h"

#include <QString>
#include <QVariantMap>

namespace cantorel::mpris {

// The object path MPRIS uses for "no track".
inline constexpr char kNoTrack[] = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

struct TrackFacts {
    QString trackId;       // a D-Bus object path naming this opening of the song
    QString path;          // the song's path ("" when no song is open)
    qint64 lengthMs = 0;   // 0 when not known yet
    lyrics::SongTags tags; // what its tags say
    QString lyricText;     // the lyric's lines, one per line
};

// mpris:trackid (an object path), and for an open song also mpris:length
// (microseconds, when known), xesam:title (the tags' title, else the file's
// name), xesam:artist (a list, when tagged), xesam:album (when tagged),
// xesam:url (a file: URL of the path's bytes) and xesam:asText (when the
// song has a lyric).
QVariantMap metadataOf(const TrackFacts& track);

// The lyric's lines (slots 1..N of the table) joined by line feeds; "" when
// no lyric is loaded.
QString lyricTextOf(const lyrics::LyricTable& table);

} // namespace cantorel::mpris
